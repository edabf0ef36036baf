#pragma once

#include "runtime/RuntimeError.h"

// The default printer is not switched because what putting it back needs cannot be kept on disk:
// its folder cannot be used, or the record would not be all there. A printer error like any other
// in a report; the window tells the user about this one, since the run's jobs still go to the
// chosen printer while the default stays as it is.
class RestoreRecordError : public RuntimeError
{
public:
    explicit RestoreRecordError(const QString &description) : RuntimeError(ErrorNumber::PrinterError, description) {}
};
