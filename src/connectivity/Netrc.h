#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// A login that a .netrc file gives for a host.
struct NetrcLogin
{
    QString login;
    QString password;
};

// The login the text of a .netrc file gives for the host: its first "machine" entry of that name
// (compared without regard to case), or else its "default" entry. Read as curl and wget read it:
// tokens separated by any white space, lines included; "login", "password" and "account" take the
// token after them; a value may be quoted ("a b", with \" \\ \n \r \t inside); a token that starts
// with # ends its line; "macdef NAME" skips the lines after it up to an empty one.
std::optional<NetrcLogin> netrcLogin(const QByteArray &text, const QString &host);

// The user's ~/.netrc as it was read.
struct NetrcFile
{
    QByteArray text;
    // Other users may read it, though it holds passwords.
    bool othersCanRead = false;
};

// Reads the user's ~/.netrc; none when there is none, it is no regular file, or it can't be read.
// Opened without waiting for a writer, so that a pipe or a device in its place can't hold the
// reader up; the opening itself can still wait on a home folder whose network share hangs.
std::optional<NetrcFile> readUserNetrc();
