#pragma once
// Waiting in a Qt test for something the event loop brings about, bounded in real time.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

namespace ql::gui {

// Pumps events until `done` holds; false when it did not within the time.
inline bool waitUntil(const std::function<bool()>& done, int timeoutMs = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

}  // namespace ql::gui
