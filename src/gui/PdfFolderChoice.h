#pragma once

#include "destinations/PageTarget.h"

#include <optional>

class Dialogs;

// The folder a run with "Save as PDF…" saves its pages in: chosen as the run starts, starting
// from the folder the last such run used (the home folder the first time).
class PdfFolderChoice
{
public:
    explicit PdfFolderChoice(Dialogs &dialogs) : m_dialogs(dialogs) {}

    // None when the user cancels.
    std::optional<PageTarget> choose();
    // The folder offered for the next run's files.
    void remember(const QString &folder);

private:
    Dialogs &m_dialogs;
};
