#pragma once

#include <QString>

// The three members of the embedded browser that loading and printing a page use. The print run
// talks to the browser only through this, so that a test can stand in for it.
class BrowserControl
{
public:
    // ReadyState values; only "complete" means anything to the program.
    static constexpr int kReadyStateUninitialized = 0;
    static constexpr int kReadyStateLoading = 1;
    static constexpr int kReadyStateComplete = 4;

    // ExecWB command identifiers and the option the program always passes.
    static constexpr int kCommandPrint = 6;
    static constexpr int kCommandPageSetup = 8;
    static constexpr int kOptionDontPromptUser = 2;

    virtual ~BrowserControl() = default;

    // Starts loading the address as a user would have typed it into an address bar.
    virtual void Navigate(const QString &address) = 0;
    // kReadyStateComplete once the last navigation has finished, whether it showed the page or an
    // error page; anything else while it is still going on.
    virtual int ReadyState() = 0;
    // Runs a browser command; raises a RuntimeError when the command fails.
    virtual void ExecWB(int command, int option) = 0;
};
