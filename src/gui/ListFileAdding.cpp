#include "gui/ListFileAdding.h"

#include "runtime/AppTitle.h"
#include "runtime/Dialogs.h"
#include "runtime/ProgramLifetime.h"
#include "urllist/BadListError.h"
#include "urllist/ListFileLoader.h"

void addListFile(UrlListModel &list, const QString &path, Dialogs &dialogs)
{
    const auto addManyPages = [&](int pages) {
        return dialogs.question(QStringLiteral("The file lists %1 pages. Add them all to the list?").arg(pages),
                                applicationTitle());
    };
    try {
        if (!appendListFile(list, path, addManyPages))
            dialogs.message(QStringLiteral("File not found"), applicationTitle(), Dialogs::Icon::None);
    } catch (const BadListError &error) {
        if (!programEnding())
            dialogs.message(QStringLiteral("Cannot read the list %1: %2.").arg(path, error.description()),
                            applicationTitle(), Dialogs::Icon::Warning);
    }
}
