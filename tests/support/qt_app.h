// One QApplication for a whole test program, created on first use.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <functional>

#include "app/application_setup.h"

namespace veltrano::testing {

inline QApplication& QtApp() {
    static int argc = 1;
    static char name[] = "veltrano-test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        auto* created = new QApplication(argc, argv);
        PrepareApplication(*created);
        return created;
    }();
    return *app;
}

// Processes events until the condition holds; false after the bound.
inline bool ProcessEventsUntil(const std::function<bool()>& condition, int boundMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > boundMs) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

}  // namespace veltrano::testing
