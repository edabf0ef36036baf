#pragma once

#include <QString>

class Dialogs;
class UrlListModel;

// Loads the list file at path into list (see appendListFile for how a file becomes rows). A
// missing file is answered with "File not found" and nothing is loaded. A sitemap, feed or HTML
// file that lists more than 100 pages asks whether to add them all; one that can't be read whole
// says why, and nothing is loaded. A file that cannot be opened or read raises a RuntimeError,
// which the caller reports; the rows added before it stay.
void addListFile(UrlListModel &list, const QString &path, Dialogs &dialogs);
