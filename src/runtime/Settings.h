#pragma once

#include <QString>

// The per-user settings store: named text values under organisation "Orvandel", application
// "Quillbrae" (~/.config/Orvandel/Quillbrae.conf here).
namespace Settings {
// Reading never creates the key; an absent key reads as defaultValue.
QString read(const QString &key, const QString &defaultValue = QString());
// Written at once, so that nothing depends on a clean exit.
void write(const QString &key, const QString &value);
} // namespace Settings
