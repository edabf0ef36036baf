#pragma once

#include "runtime/RuntimeError.h"

#include <QString>

#include <functional>
#include <utility>

class Dialogs;

// The trap a command handler arms for its whole body. Each numbered source line runs through
// line(): a statement that fails shows the "Application Error" report naming the routine and
// that line, and execution resumes with the next statement. A line may hold several statements;
// each failure among them gives its own report.
class ErrorTrap
{
public:
    // routine is "Window.Handler" or "Module.Routine", e.g. "Form1.Form_Load".
    ErrorTrap(Dialogs &dialogs, QString routine);

    template <typename... Statements> void line(int number, Statements &&...statements)
    {
        (run(number, std::forward<Statements>(statements)), ...);
    }

    // The test of a conditional. When evaluating it fails, the statement that follows the test
    // is the first one it guards, so a failed test counts as true.
    bool test(int number, const std::function<bool()> &condition);

    // The last numbered line reached; 0 before any.
    int currentLine() const { return m_line; }
    QString location() const { return m_location; }

private:
    void run(int number, const std::function<void()> &statement);

    Dialogs &m_dialogs;
    QString m_location;
    int m_line = 0;
};

// "in Quillbrae2021/08/31.<routine> "
QString errorLocation(const QString &routine);

// The report's text: description, CR LF, location, "at line N", two CRs, the support line.
QString errorReportText(const QString &description, const QString &location, int line);

// Shows the report for error in the routine at location, at line.
void showErrorReport(Dialogs &dialogs, const RuntimeError &error, const QString &location, int line);

// Where users are asked to send a screenshot of a report.
extern const char *const kSupportAddress;
