// Waiting for the window while a simulated Controller talks to it. The
// event loop sleeps until an event comes (a short periodic wake-up bounds
// every wait), so the simulator keeps the processor while nothing happens.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <functional>

namespace veltrano::testing {

// A generous bound for one exchange with the simulator, also under the sanitizers.
inline constexpr int kE2eBoundMs = 20000;

// Processes events until the condition holds; false when it still does not
// hold after boundMs.
inline bool WaitFor(const std::function<bool()>& condition, int boundMs = kE2eBoundMs) {
    QTimer wake;
    wake.setInterval(5);
    wake.start();
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > boundMs) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

}  // namespace veltrano::testing
