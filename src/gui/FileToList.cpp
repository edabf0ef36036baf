#include "gui/FileToList.h"

#include "runtime/AppTitle.h"
#include "runtime/Dialogs.h"
#include "urllist/ListFileLoader.h"

void FileToList(UrlListModel &list, const QString &path, Dialogs &dialogs)
{
    if (!appendListFile(list, path))
        dialogs.message(QStringLiteral("File not found"), applicationTitle(), Dialogs::Icon::None);
}
