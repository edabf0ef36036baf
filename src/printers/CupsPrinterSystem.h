#pragma once

#include "printers/DefaultPrinterRecord.h"
#include "printers/PrinterSystem.h"

#include <QByteArray>

#include <chrono>
#include <memory>
#include <optional>

class KeptPrintQueue;

// The printers of the CUPS server the environment points at (CUPS_SERVER, else the local one).
// Every call to the server runs on the print-server thread, so a server that hangs costs the window
// nothing but the wait.
//
// The default printer is the one libcups picks: the printer named by LPDEST or PRINTER if either is
// set, else the user's own default (lpoptions), else the server's. Switching it changes the user's
// printer options through libcups. Where LPDEST or PRINTER decides the default, switching changes
// nothing: the variable is this process's own, so changing it would show the chosen printer to no
// other program, the run's jobs go to their printer by name anyway, and libcups reads the
// environment on the print-server thread while the GUI thread would write it.
//
// Restoring it puts back exactly what the program found before its first switch: the user's
// printer options as they were, byte for byte, down to having no file at all, without needing the
// print server. What that needs is on disk from before the switch until the way back (see
// DefaultPrinterRecord), and is put back at the next start when the program could not.
class CupsPrinterSystem : public PrinterSystem
{
public:
    // Each operation gives up on a server that has not answered within the time limit.
    explicit CupsPrinterSystem(std::chrono::milliseconds timeLimit = kDefaultTimeLimit);
    ~CupsPrinterSystem() override;
    CupsPrinterSystem(const CupsPrinterSystem &) = delete;
    CupsPrinterSystem &operator=(const CupsPrinterSystem &) = delete;

    QStringList printerNames() override;
    QString defaultPrinterName() override;
    void switchDefault(const QString &name) override;
    void restoreDefault() override;
    std::optional<UnrestoredDefault> recoverInterruptedSwitch() override;
    QPageLayout defaultPageLayout(const QString &printer) override;
    QList<PaperSize> paperSizes(const QString &printer) override;
    std::optional<QPageLayout> paperLayout(const QString &printer, const QString &paper) override;
    int submitPdfJob(const QString &printer, const QString &title, const QByteArray &pdf,
                     const JobOptions &options) override;

    static constexpr std::chrono::milliseconds kDefaultTimeLimit = std::chrono::seconds(5);

private:
    // How the default was set when the program first changed it.
    struct FoundDefault
    {
        bool decidedByVariable = false; // LPDEST or PRINTER: the switch leaves everything as it is
        // What the way back restores when the record on disk cannot be read.
        DefaultPrinterState state;
    };

    void switchUserDefault(const QString &chosenName);
    void putBack();
    // Puts the user's printer options back as the state says; needs the server only where someone
    // else changed them meanwhile.
    void restoreUserDefault(const DefaultPrinterState &state);

    std::chrono::milliseconds m_timeLimit;
    std::optional<FoundDefault> m_found;
    // The printer the pages go to, kept from one page to the next; touched on the print-server
    // thread only. Behind a pointer, so that the folders that construct this class see nothing of
    // libcups, which the queue's header names.
    std::unique_ptr<KeptPrintQueue> m_queue;
};
