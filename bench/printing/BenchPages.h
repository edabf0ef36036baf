#pragma once

#include <QString>
#include <QStringList>

// Writes count web pages of a realistic size into folder: an article each, about 8 KB of text in
// headings, paragraphs, a list and a table, with two pictures and a shared style sheet. Gives the
// pages' paths, which the program and a browser both open as local files.
QStringList writeBenchPages(const QString &folder, int count);
