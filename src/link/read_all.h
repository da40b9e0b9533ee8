// "Steuerung --> PC": the read requests, the state of a running read-all,
// its completion on the closing switching-time frame and its watchdog.
// The window does its own part (controls, timers, progress bar) around it.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

#include "link/controller_identity.h"
#include "link/link_state.h"
#include "model/configuration_model.h"

namespace veltrano {

// The bare three-letter requests of every block the Controller has, written
// back to back without separator; "sfs" always comes last, so its closing
// frame is the Controller's last answer.
std::string ReadAllRequests(const ControllerIdentity& identity);

// The progress bar's maximum, in received characters.
int ReadAllProgressMaximum(const ControllerIdentity& identity);

class ReadAllSequence {
  public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    static constexpr std::chrono::milliseconds kDefaultTimeout{10000};

    ReadAllSequence(LinkState& state, ConfigurationModel& model);

    // Where the requests go (the port); a test may replace it.
    std::function<void(std::string_view bytes)> WriteText;
    // The window's steps after a completed read (the model and the link
    // state are already done) and after an abandoned one.
    std::function<void()> OnCompleted;
    std::function<void()> OnTimedOut;

    // Starts a read: clears the switching times, sets ReadAllInProgress,
    // resets both counters, arms the watchdog and writes the requests.
    void Start(const ControllerIdentity& identity);

    // The closing switching-time frame (day 255, valid). Outside a read it
    // completes nothing. Otherwise: every Modified flag cleared, RxCount + 1,
    // ReadAllInProgress cleared, then OnCompleted.
    void Finish();

    // Run periodically while the window waits. When no character has arrived
    // (RxCount unchanged) for the time-out, the read is abandoned: the model,
    // now a mix of old and new, is marked modified, the overwrite
    // confirmation is withdrawn, ReadAllInProgress cleared, then OnTimedOut.
    // True when it abandoned the read now.
    bool CheckWatchdog();

    void SetClock(Clock clock) { clock_ = std::move(clock); }
    void SetTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }
    std::chrono::milliseconds Timeout() const { return timeout_; }

    bool Running() const { return state_.ReadAllInProgress; }

  private:
    std::chrono::steady_clock::time_point Now() const;

    LinkState& state_;
    ConfigurationModel& model_;
    Clock clock_;
    std::chrono::milliseconds timeout_ = kDefaultTimeout;
    int rxCountSeen_ = 0;
    std::chrono::steady_clock::time_point lastActivity_{};
};

}  // namespace veltrano
