#include "connectivity/OnlineCheck.h"

void CheckOnline(Dialogs &)
{}
