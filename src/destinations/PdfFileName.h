#pragma once

#include "destinations/PageDestination.h"

#include <QString>

// The longest title a file name keeps, in bytes of UTF-8: with the number and the ending it stays
// well inside the 255 bytes a name may have on common file systems.
constexpr int kLongestFileTitle = 120;

// The title as a file name can hold it: no slash, no control character, no more than
// kLongestFileTitle bytes (cut between characters), no space or dot at either end.
QString fileNameTitle(const QString &title);

// "007 Title.pdf": the row's place zero-padded to three digits or the list's length, whichever
// is more, so that the files sort as the list does; the page's own title, or its host's name
// when it has none. Copy 2 and later end " (2).pdf" and so on.
QString pdfFileName(const PageToDeliver &page, int copy = 1);
