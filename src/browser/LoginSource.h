#pragma once

#include <QString>
#include <QUrl>

#include <optional>

// A site's request for a user name and password (HTTP authentication), as a page meets it.
struct LoginChallenge
{
    QUrl url;      // the address that asked
    QString realm; // the site's own name for what the login opens
    // How many answers to this site and realm the page's load has already had refused.
    int refused = 0;

    // The host that asks, with its port where the address names one.
    QString site() const;
    // The site and realm, with the scheme: a password given to a site over HTTPS is not one for the
    // same name over plain HTTP.
    QString key() const;
};

struct LoginCredentials
{
    QString user;
    QString password;
};

// Where the answers to a site's request for a login come from: the user's .netrc for a run from the
// command line; the keyring and the login dialog in the window.
class LoginSource
{
public:
    virtual ~LoginSource() = default;
    // The user name and password to answer with; none leaves the page with the site's refusal.
    virtual std::optional<LoginCredentials> credentials(const LoginChallenge &challenge) = 0;
    // Where the answers come from, as a page's report names it ("~/.netrc"); empty for the user.
    virtual QString origin() const { return {}; }
};
