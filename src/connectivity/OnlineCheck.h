#pragma once

class Dialogs;

// Pings a public host once and warns when no reply comes back.
void CheckOnline(Dialogs &dialogs);
