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

// The login of the user's ~/.netrc for the host; none when the file has none or can't be read.
std::optional<NetrcLogin> userNetrcLogin(const QString &host);
