#pragma once

#include <QStringList>

#include <optional>

// Splits a command line into program and arguments the way a POSIX shell splits words, and does
// nothing else a shell would do: no variable, command or tilde substitution, no globbing, no
// redirection, no command separators. Blanks (space, tab, newline) separate words; single quotes
// keep everything up to the next single quote; double quotes keep everything up to the next
// unescaped double quote, where a backslash escapes only $ ` " \ and newline; an unquoted backslash
// escapes the next character; backslash-newline joins lines. Every other character, ; | & < > ( )
// $ ` * ~ # included, is an ordinary character of its word.
//
// Gives no value when a quote is left open: such a line has no meaning to guess at.
//
// QProcess::splitCommand knows only double quotes (a single quote or a backslash is an ordinary
// character to it), and GLib's shell parser drops everything after a #, so neither splits these
// lines as a shell would.
std::optional<QStringList> splitCommandLineWords(const QString &commandLine);
