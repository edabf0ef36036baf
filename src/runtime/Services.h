#pragma once

#include "runtime/Clock.h"

class Dialogs;
class Keyring;
class PrinterSystem;
class RandomDraw;
class UrlOpener;

// What the main window reaches outside the program through, and the clock its print run's waits
// are measured on. The window starts from the real implementations (gui/RealServices.h); a test
// replaces the ones it needs to observe or answer.
struct Services
{
    Dialogs *dialogs = nullptr;
    PrinterSystem *printers = nullptr;
    RandomDraw *random = nullptr;
    UrlOpener *opener = nullptr;
    Clock *clock = &realClock();
    Keyring *keyring = nullptr;
};
