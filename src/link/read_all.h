// "Steuerung --> PC": the read requests, the state of a running read-all,
// what it still lacks, its completion on the closing switching-time frame,
// and its end without completion (watchdog, lost device).
// The window does its own part (controls, timers, progress bar) around it.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

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

// A block the Controller owed the read-all and did not deliver intact: a
// frame refused by its checksum or a number out of range, or one that never came.
struct MissingBlock {
    std::string tag;           // the read request: "sbp", "smn", "sft", "soa" ...
    std::string caption;       // in the user's words, as panel 6 shows the block
    std::vector<int> numbers;  // motors or holidays; empty for a block sent once
    bool operator==(const MissingBlock&) const = default;
};

enum class ReadAllEnd {
    Completed,  // the closing switching-time frame arrived
    TimedOut,   // no character for the watchdog's time-out
    DeviceLost  // the port lost its device (adapter pulled, hang-up)
};

struct ReadAllResult {
    ReadAllEnd end = ReadAllEnd::Completed;
    // For a completed read: what it lacks, in the order of the requests.
    std::vector<MissingBlock> missing;
    // Switching-time frames refused; the list itself cannot be counted.
    int refusedSwitchTimes = 0;

    bool Complete() const {
        return end == ReadAllEnd::Completed && missing.empty() && refusedSwitchTimes == 0;
    }
};

// The German lines that name what a read lacks, one block a line
// ("Beschattungsparameter: Motor 3, 7-9").
std::string MissingDataLines(const ReadAllResult& result);
// The message box after an incomplete read.
std::string IncompleteReadMessage(const ReadAllResult& result);

class ReadAllSequence {
  public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    static constexpr std::chrono::milliseconds kDefaultTimeout{10000};

    ReadAllSequence(LinkState& state, ConfigurationModel& model);

    // Where the requests go (the port); a test may replace it.
    std::function<void(std::string_view bytes)> WriteText;
    // The window's steps after a completed read (the model and the link
    // state are already done; the result tells whether anything is missing)
    // and after an abandoned one (TimedOut, DeviceLost).
    std::function<void(const ReadAllResult&)> OnCompleted;
    std::function<void(ReadAllEnd)> OnAbandoned;

    // Starts a read: clears the switching times, sets ReadAllInProgress,
    // resets both counters, arms the watchdog, notes the blocks the
    // Controller owes and writes the requests.
    void Start(const ControllerIdentity& identity);

    // The decoders report each frame that arrived intact: its read tag and
    // its motor or holiday number (0 for a block sent once; the opening
    // switching-time frame is "sfs" 0). Ignored outside a read.
    void Received(std::string_view tag, int number = 0);
    // A switching-time frame was refused (checksum, a number out of range,
    // not readable). Ignored outside a read.
    void SwitchTimeRefused();

    // The closing switching-time frame (day 255, valid). Outside a read it
    // completes nothing. Otherwise: every Modified flag cleared (also where a
    // record is missing: a send-all must not push its stale value over the
    // Controller's), RxCount + 1, ReadAllInProgress cleared, then
    // OnCompleted with what is missing.
    void Finish();

    // Run periodically while the window waits. When no character has arrived
    // (RxCount unchanged) for the time-out, the read is abandoned (TimedOut).
    // True when it abandoned the read now.
    bool CheckWatchdog();

    // Ends a running read without completion: the model, now a mix of old
    // and new, is marked modified, the overwrite confirmation is withdrawn,
    // ReadAllInProgress cleared, then OnAbandoned. Nothing outside a read.
    void Abandon(ReadAllEnd why);

    void SetClock(Clock clock) { clock_ = std::move(clock); }
    void SetTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }
    std::chrono::milliseconds Timeout() const { return timeout_; }

    bool Running() const { return state_.ReadAllInProgress; }

  private:
    // A block the Controller owes: numbers 1..count arrive, or once (count 0).
    struct Owed {
        std::string_view tag;
        std::string_view caption;
        std::vector<bool> arrived;  // [number - 1], or [0] for a block sent once
        bool once = false;
    };

    std::chrono::steady_clock::time_point Now() const;
    ReadAllResult Outcome() const;

    LinkState& state_;
    ConfigurationModel& model_;
    Clock clock_;
    std::chrono::milliseconds timeout_ = kDefaultTimeout;
    int rxCountSeen_ = 0;
    std::chrono::steady_clock::time_point lastActivity_{};
    std::vector<Owed> owed_;
    int refusedSwitchTimes_ = 0;
};

}  // namespace veltrano
