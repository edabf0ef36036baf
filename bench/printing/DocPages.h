#pragma once

#include <QString>
#include <QStringList>

// Where Debian's python3.11-doc package installs its HTML manual: real pages that nobody here
// wrote, each with the manual's style sheets, scripts and pictures.
extern const char *const kDocFolder;

// Twenty pages of that manual of various lengths, tutorial chapters and library references, as
// paths below kDocFolder.
QStringList docPages();
