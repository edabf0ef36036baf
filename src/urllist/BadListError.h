#pragma once

#include "runtime/RuntimeError.h"
#include "urllist/ListLimits.h"

// A list that could not be read whole: an address that could not be fetched, a document that is
// damaged or too big. The description says what was wrong, in words a user can act on; the
// window and the command line say it as their own message rather than as a program error.
class BadListError : public RuntimeError
{
public:
    explicit BadListError(const QString &description) : RuntimeError(ErrorNumber::InvalidFileFormat, description) {}
};

inline BadListError documentTooBig()
{
    return BadListError(QStringLiteral("it is larger than %1 MB").arg(kMaxListBytes / kMegabyte));
}
