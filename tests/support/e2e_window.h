// The real main window, offscreen, for the end-to-end tests: its port
// resolves inside the test folder only, its message boxes are answered by
// FakeDialogs, its timers are stopped so the test drives the polling tick
// and the link check itself, and every frame the receive handler cuts out is
// counted (through status panel 13, which shows each one), so a test can
// wait for exactly the answers it expects instead of sleeping.
#pragma once

#include <QComboBox>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/tquorvan.h"
#include "e2e_wait.h"
#include "fake_dialogs.h"
#include "qt_app.h"
#include "test_window.h"

namespace veltrano::testing {

class E2eWindow {
  public:
    // Constructs the window and runs its start-up, which opens the port the
    // settings file names (COM1 without one). The simulator must be running.
    explicit E2eWindow(const std::filesystem::path& folder) {
        QtApp();
        window_ = testing::MakeTestWindow(log, folder);
        WindowHooks& hooks = window_->Hooks();
        hooks.SetPanelText = [this, shown = hooks.SetPanelText](int panel,
                                                                const std::string& text) {
            panelWrites_.emplace_back(panel, text);
            // A cut-out frame shows as its tag, two blanks and its payload.
            if (panel == 13 && text.size() >= 5 && text.compare(3, 2, "  ") == 0)
                frames_.push_back(text);
            if (shown) shown(panel, text);
        };
        window_->FormActivate();
        StopTimers();
    }
    E2eWindow(const E2eWindow&) = delete;
    E2eWindow& operator=(const E2eWindow&) = delete;

    TQuorvan& operator*() { return *window_; }
    TQuorvan* operator->() { return window_.get(); }

    // Frames cut out so far, each as tag + "  " + payload.
    int Frames() const { return static_cast<int>(frames_.size()); }
    const std::vector<std::string>& FrameTexts() const { return frames_; }
    // Every text the link wrote into a status panel, in order.
    std::vector<std::string> PanelWrites(int panel) const {
        std::vector<std::string> texts;
        for (const auto& [p, text] : panelWrites_)
            if (p == panel) texts.push_back(text);
        return texts;
    }

    bool WaitForFrames(int count, int boundMs = kE2eBoundMs) {
        return WaitFor([&] { return Frames() >= count; }, boundMs);
    }

    // One polling tick and the Controller's five answers to it.
    bool Poll() {
        const int before = Frames();
        // A tick writes no polls while earlier bytes still wait in the port
        // (as after a click that wrote a command): the test waits for them first.
        WaitFor([&] { return !window_->Comm1().OutputPending(); });
        window_->Timer1Timer();
        return WaitForFrames(before + 5);
    }

    // Polls until a model text shows, then the tick that adapts the window to
    // the Controller (and its answers). True when the window counts as linked.
    bool Connect() {
        for (int i = 0; i < 3 && window_->PanelText(0) == TQuorvan::kNoConnection; ++i) {
            if (!Poll()) return false;
        }
        if (window_->PanelText(0) == TQuorvan::kNoConnection) return false;
        if (!Poll()) return false;
        return !window_->State().LinkDown;
    }

    // "Steuerung --> PC" and the wait for its end (completed or abandoned).
    // The timers the end restarts are stopped again; whether they ran is kept.
    bool ReadAll(int boundMs = kE2eBoundMs) {
        window_->Read_ButtonClick();
        if (!window_->State().ReadAllInProgress) return false;
        const bool ended = WaitFor([&] { return !window_->State().ReadAllInProgress; }, boundMs);
        NoteAndStopTimers();
        return ended;
    }

    // "PC --> Steuerung" and the wait for its end; false when it did not
    // start (link down, date, overwrite question answered "Nein").
    bool SendAll(int boundMs = kE2eBoundMs) {
        window_->Send_ButtonClick();
        if (!window_->State().SendInProgress) return false;
        const bool ended = WaitFor([&] { return !window_->State().SendInProgress; }, boundMs);
        NoteAndStopTimers();
        return ended;
    }

    // Picks port n in the port selector as the user would.
    void ChangePort(int n) {
        window_->findChild<QComboBox*>("Combo_PortNum")->setCurrentIndex(n - 1);
        window_->Guarded([&] { window_->Combo_PortNumChange(); });
    }

    // The window's own timers, as in a real run: the polling tick every
    // 900 ms, the link check every 2500 ms.
    void StartTimers() {
        window_->Timer1()->start();
        window_->Timer3()->start();
    }
    void StopTimers() {
        window_->Timer1()->stop();
        window_->Timer3()->stop();
    }
    // Whether both timers ran when the last transfer ended.
    bool TimersRanAfterTransfer() const { return timersRan_; }
    void NoteAndStopTimers() {
        timersRan_ = window_->Timer1()->isActive() && window_->Timer3()->isActive();
        StopTimers();
    }

  private:
    std::vector<std::string> frames_;
    std::vector<std::pair<int, std::string>> panelWrites_;
    bool timersRan_ = false;

  public:
    DialogLog log;

  private:
    // Last, so it goes first: nothing it calls on its way out finds the rest gone.
    std::unique_ptr<TQuorvan> window_;
};

}  // namespace veltrano::testing
