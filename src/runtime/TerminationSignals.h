#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// SIGTERM (logout, shutdown), SIGINT (Ctrl+C) and SIGHUP (the terminal went away) end the program
// the way closing its window does, so that the user's default printer is put back and every child
// process ends. The handler only writes the signal's number into a pipe; the GUI thread reads it
// there and does the real work.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    // onSignal runs on the GUI thread with the first signal's number.
    explicit TerminationSignals(std::function<void(int signalNumber)> onSignal, QObject *parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals &) = delete;
    TerminationSignals &operator=(const TerminationSignals &) = delete;

    // The first signal received, or 0.
    int received() const { return m_received; }

private:
    void readSignal();

    std::function<void(int)> m_onSignal;
    QSocketNotifier *m_notifier = nullptr;
    int m_received = 0;
};
