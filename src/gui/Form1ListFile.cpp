#include "gui/Form1.h"

#include "gui/FileToList.h"
#include "runtime/AppTitle.h"
#include "runtime/Dialogs.h"
#include "runtime/ErrorTrap.h"

namespace {
// What a file dialog raises when the chosen names do not fit into its name buffer.
constexpr int kFileNameBufferTooSmall = 20476;
constexpr auto kTooManyFiles =
    "You've selected too many files to add.\r\rPlease try adding via the \"Add All\" button.";
} // namespace

void Form1::PushButton6_Click()
{
    Dialogs &dialogs = *services().dialogs;
    ErrorTrap trap(dialogs, QStringLiteral("Form1.PushButton6_Click"));
    Dialogs::OpenFileRequest request;
    QString fileName;
    bool tooManyFiles = false;
    trap.line(100, [&] { fileName.clear(); });
    trap.line(102, [&] { request.multipleSelection = false; });
    trap.line(104, [&] { request.title = QStringLiteral("Add File(s) - Use Ctrl & Shift to select multiple files"); });
    trap.line(106, [&] {
        request.filters = QStringList{QStringLiteral("Text Files (*.txt)"), QStringLiteral("All Files (*)")};
    });
    trap.line(108, [&] {
        try {
            fileName = dialogs.openFile(request);
        } catch (const RuntimeError &error) {
            if (error.number() != kFileNameBufferTooSmall)
                throw;
            tooManyFiles = true;
        }
    });
    if (tooManyFiles) {
        dialogs.message(QLatin1String(kTooManyFiles), applicationTitle(), Dialogs::Icon::None);
        return;
    }
    if (trap.test(110, [&] { return fileName.isEmpty(); }))
        return;
    // Several chosen files come back as one text with the names separated by NUL characters.
    QStringList parts;
    trap.line(112, [&] { parts = fileName.split(QChar(0)); });
    if (!trap.test(114, [&] { return parts.size() > 1; })) {
        QString path;
        trap.line(116, [&] {
            if (parts.isEmpty())
                throw RuntimeError(ErrorNumber::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
            path = parts.first();
        });
        trap.line(118, [&] { FileToList(*m_urlList, path, dialogs); });
        return;
    }
    trap.line(120, [&] {
        dialogs.message(QStringLiteral("Please select just one file."), applicationTitle(), Dialogs::Icon::None);
    });
}
