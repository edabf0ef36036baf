#pragma once

#include "printing/LoginSource.h"

// A run from the command line answers a site's request for a login from the user's ~/.netrc, as
// curl and wget do, and only once: nobody is there to type another password.
class NetrcLogins : public LoginSource
{
public:
    std::optional<LoginCredentials> credentials(const LoginChallenge &challenge) override;
    QString origin() const override { return QStringLiteral("~/.netrc"); }
};
