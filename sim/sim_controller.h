// The simulated Controller without its line: bytes in, write pieces out.
// It answers the polls, the read requests, the logbook commands and the
// manual-drive commands, takes send-all records into its memory and
// acknowledges each step with one "stc" frame. Time comes in with every
// call, so tests drive it with a clock of their own.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "command_parser.h"
#include "fault_injector.h"
#include "send_all_receiver.h"
#include "sensor_model.h"
#include "sim_identity.h"
#include "sim_logbook.h"
#include "sim_memory.h"

namespace veltrano::sim {

// A moment as the Controller sees it: time since it started (sensor drift,
// silence) and the wall clock (date and time answers).
struct SimInstant {
    std::chrono::milliseconds sinceStart{0};
    std::chrono::system_clock::time_point wall{};
};

// When the Controller falls silent by itself (a pulled cable); each trigger
// fires once.
struct SilenceOptions {
    std::optional<std::chrono::milliseconds> after;
    long long afterFrames = 0;          // after this many frames sent; 0: never
    long long afterAcks = 0;            // after this many "stc" frames sent; 0: never
    long long afterLogbookEntries = 0;  // after this many logbook entry frames; 0: never
};

// When the Controller drops the line (an adapter pulled, a hang-up): after
// this many frames or "stc" acknowledgements sent, once; 0: never. The
// runner then re-creates the line at the same link.
struct HangUpOptions {
    long long afterFrames = 0;
    long long afterAcks = 0;
};

struct SimConfig {
    SimIdentity identity;
    bool dateUnset = false;    // answer "01.01.00": radio clock not decoded yet
    bool insideSensor = true;  // false: skd reports 999 for the inside temperature
    bool signedMasks = false;  // send masks as signed 32-bit decimals
    FaultOptions faults;
    SilenceOptions silence;
    HangUpOptions hangUp;
    std::set<std::string> refusedWords;     // send-all words whose steps are refused
    int logbookSize = kDefaultLogbookSize;  // entries generated when the memory has no logbook
};

class SimController {
  public:
    SimController(SimConfig config, SimMemory memory);

    // Takes received bytes; returns what to send, as write pieces (one per
    // frame unless frames are split). While silent, input is read and lost.
    std::vector<std::string> Receive(std::string_view bytes, const SimInstant& now);
    // Same, joined into one text (for tests).
    std::string ReceiveText(std::string_view bytes, const SimInstant& now);

    // Time passes: the timed silence may begin.
    void Tick(const SimInstant& now);

    // A pulled or re-plugged cable. Pulling it loses a command in progress.
    void ToggleSilence();
    bool Silent() const { return silent_; }

    // True once when a hang-up is due: the line is to drop now. What the
    // Controller was receiving is lost.
    bool TakeHangUp();

    const SimMemory& Memory() const { return memory_; }
    SimMemory& MutableMemory() { return memory_; }
    const SimConfig& Config() const { return config_; }
    // The logbook's entries, entry 1 first (also held in the memory).
    const std::vector<LogbookEntry>& Logbook() const;

    std::uint32_t ManualUpMask() const { return memory_.manualUpMask; }
    std::uint32_t ManualDownMask() const { return memory_.manualDownMask; }
    bool ManualMode() const { return memory_.manualMode; }

    long long FramesSent() const { return framesSent_; }
    long long AcksSent() const { return acksSent_; }
    // Why the last send-all record was refused.
    const std::string& LastRefusal() const { return receiver_.LastRefusal(); }

    // Date and time texts as the Controller answers them.
    std::string DateText(const SimInstant& now) const;
    std::string TimeText(const SimInstant& now) const;

  private:
    void Handle(const ParsedCommand& command, const SimInstant& now);
    void HandleWord(const std::string& word, const SimInstant& now);
    void HandleManualDrive(const ParsedCommand& command);
    void Emit(OutgoingFrame frame);
    void BeginSilence();
    std::int64_t Mask(std::uint32_t mask) const;

    SimConfig config_;
    SimMemory memory_;
    CommandParser parser_;
    SendAllReceiver receiver_;
    SensorModel sensors_;
    SimLogbookReader logbookReader_;
    FaultInjector faults_;

    std::vector<std::string> out_;
    bool silent_ = false;
    bool timedSilenceSpent_ = false;
    bool frameSilenceSpent_ = false;
    bool ackSilenceSpent_ = false;
    bool logbookSilenceSpent_ = false;
    bool hangUpDue_ = false;
    bool hangUpSpent_ = false;
    long long framesSent_ = 0;
    long long acksSent_ = 0;
    long long logbookEntriesSent_ = 0;
};

}  // namespace veltrano::sim
