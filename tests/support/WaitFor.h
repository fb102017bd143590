#pragma once

// Waiting for what arrives through the Qt event loop (libvlc's reports, a socket's data): a test waits
// for a condition while the loop runs, up to a deadline, never for a fixed time alone.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace zendrix::test {

template <typename Condition> bool waitFor(Condition condition, int timeoutMs = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return true;
}

// Lets the event loop run for a while, for checks that something does not happen.
inline void runEventsFor(int ms)
{
    waitFor([] { return false; }, ms);
}

} // namespace zendrix::test
