#include "app/NetrcLogins.h"

#include "connectivity/Netrc.h"

std::optional<LoginCredentials> NetrcLogins::credentials(const LoginChallenge &challenge)
{
    if (challenge.refused > 0)
        return std::nullopt;
    // Read afresh for each site: a run that never meets a login never reads the file.
    const std::optional<NetrcLogin> login = userNetrcLogin(challenge.url.host());
    if (!login)
        return std::nullopt;
    return LoginCredentials{login->login, login->password};
}
