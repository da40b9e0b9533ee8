// The Controller's side of a send-all: checks each received record by the
// rule of its command, stores the accepted ones, and tells when a record
// ends a step of the program's step machine, with the number the "stc"
// acknowledgement carries (0 when every record of the step was accepted).
//
// Records that end a step: the erase record (day 0), a day's end record
// (day 255), the end of the switching times (day 8), the record of motor 32
// of a per-motor block, name 32, holiday 15, and every single block
// (rgz, ras, roa, raw, rhh, roi, rbh, rzz).
#pragma once

#include <optional>
#include <set>
#include <string>

#include "command_parser.h"
#include "sim_memory.h"

namespace veltrano::sim {

class SendAllReceiver {
  public:
    // refusedWords: send-all command words ("rbp") whose steps are refused
    // whatever they hold (a fault on demand).
    SendAllReceiver(ModelFeatures features, std::set<std::string> refusedWords = {});

    // Checks and stores one record. Returns the acknowledgement number when
    // the record ends a step, std::nullopt otherwise.
    std::optional<int> Accept(const ParsedCommand& record, SimMemory& memory);

    // Why the last refused record was refused (for diagnostics and tests).
    const std::string& LastRefusal() const { return lastRefusal_; }

    // Forgets a refusal within an unfinished step (the line was interrupted).
    void Reset() { stepRefused_ = false; }

    // The " rfs" checksum: the sum of the nine numbers, less 256 when above
    // 255, and less 256 once more when still above 255.
    static long long SwitchTimeChecksum(long long sum);

  private:
    bool Check(const ParsedCommand& r, const SimMemory& memory);
    void Apply(const ParsedCommand& r, SimMemory& memory);
    bool Refuse(std::string why);

    ModelFeatures features_;
    std::set<std::string> refusedWords_;
    bool stepRefused_ = false;
    std::string lastRefusal_;
};

// True when the record ends a step (judged from its first number).
bool EndsStep(const ParsedCommand& record);

}  // namespace veltrano::sim
