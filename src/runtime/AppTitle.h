#pragma once

#include <QString>

// The caption of every message box and input box that names no title of its own.
QString applicationTitle();

// Derives the application title from the product name: cut at the last blank, repeated while
// longer than 40 characters. A one-word name is kept whole.
void shortenApplicationTitle();

// The derivation itself, for any product name.
QString shortenedTitle(const QString &productName);

extern const char *const kProductName;
