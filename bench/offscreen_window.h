// The window as the benchmarks of single sheets use it: offscreen, started
// up without a port (its open fails quietly) and without message boxes,
// its polling timers stopped.
#pragma once

#include <QApplication>
#include <QTimer>
#include <memory>
#include <string>

#include "app/tquorvan.h"
#include "app/user_dialogs.h"

namespace veltrano::bench {

inline QApplication& BenchApp() {
    static int argc = 1;
    static char name[] = "veltrano-bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// No boxes: the closed port's error must not wait for a click.
class NoDialogs : public UserDialogs {
  public:
    void ShowError(const QString&) override {}
    void ShowInformation(const QString&) override {}
    void ShowMessage(const QString&) override {}
    bool AskYesNo(const QString&) override { return true; }
    void EndProgram() override {}
};

inline std::unique_ptr<TQuorvan> StartedWindowWithoutPort() {
    BenchApp();
    auto window = std::make_unique<TQuorvan>(std::make_unique<NoDialogs>());
    window->Comm1().SetDeviceResolver([](int) { return std::string("/nonexistent/COM"); });
    window->FormActivate();
    window->Timer1()->stop();
    window->Timer3()->stop();
    return window;
}

}  // namespace veltrano::bench
