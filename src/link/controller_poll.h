// The polling cycle: its requests, and what the answers say about the
// Controller at the other end. The window polls on its timer, the
// command-line tool before each command; both judge the answers here.
#pragma once

#include <string>
#include <string_view>

#include "link/controller_identity.h"

namespace veltrano {

// Firmware, date, time, sensors and model text, in the order the Controller answers them.
inline constexpr std::string_view kPollRequests = "sfi\rsdt\rsti\rskd\rsmo\r";
// What a poll adds to the transmit counter.
inline constexpr int kPollTally = 24;
// Panel 0 while no Controller has answered the link check.
inline constexpr std::string_view kNoConnectionText = "Keine Verbindung";
// How long the link check waits for a character before the link counts as down.
inline constexpr int kLinkCheckIntervalMs = 2500;

struct PollVerdict {
    enum class Kind {
        NotConnected,  // no Controller answers
        Rejected,      // its firmware is not supported: `rejection` says so
        Linked         // `identity` is the Controller's
    };
    Kind kind = Kind::NotConnected;
    std::string rejection;
    ControllerIdentity identity;
};

// modelText: panel 0 as the answers left it; firmwareVersion as "sfi" decoded it.
PollVerdict JudgePoll(std::string_view modelText, int firmwareVersion);

}  // namespace veltrano
