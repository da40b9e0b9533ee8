// The main window as tests build it: message boxes answered by FakeDialogs,
// and ports that resolve inside the test's own folder only, never to the
// machine's serial devices.
#pragma once

#include <QTimer>
#include <filesystem>
#include <QTimer>
#include <memory>
#include <string>

#include "app/tquorvan.h"
#include "fake_dialogs.h"
#include "qt_app.h"

namespace veltrano::testing {

inline std::unique_ptr<TQuorvan> MakeTestWindow(DialogLog& log,
                                                const std::filesystem::path& folder) {
    QtApp();
    auto window = std::make_unique<TQuorvan>(std::make_unique<FakeDialogs>(log));
    window->Comm1().SetDeviceResolver(
        [folder](int n) { return (folder / ("COM" + std::to_string(n))).string(); });
    return window;
}

// Runs the start-up sequence, then stops both timers so the test drives them.
inline void StartWithTimersStopped(TQuorvan& window) {
    window.FormActivate();
    window.Timer1()->stop();
    window.Timer3()->stop();
    window.ReconnectTimer()->stop();
}

}  // namespace veltrano::testing
