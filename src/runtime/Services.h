#pragma once

class Dialogs;
class PrinterSystem;
class RandomDraw;
class UrlOpener;

// What the main window reaches outside the program through. Each member points at the real
// implementation by default; a test replaces the ones it needs to observe or answer.
struct Services
{
    Dialogs *dialogs = nullptr;
    PrinterSystem *printers = nullptr;
    RandomDraw *random = nullptr;
    UrlOpener *opener = nullptr;

    static Services real();
};
