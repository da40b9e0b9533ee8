// The Controller's logbook: a generated list of motor movements and events
// that covers every event code and every sub-code of the fixed switching
// times, read page by page ("sld", up to 100 entries per page), all at once
// ("slf"), rewound ("slr") and erased ("sll"). Entry 1 is the newest.
#pragma once

#include <cstdint>
#include <vector>

#include "wire_frames.h"

namespace veltrano::sim {

struct LogbookEntry {
    int number = 1;     // 1.. in the Controller's order; 9999 ends a transfer
    int motor = 1;      // 1..32
    int direction = 1;  // 0 down, 1 up
    int day = 1;
    int month = 1;
    int code = 0;  // event code 0..24
    int hour = 0;
    int minute = 0;
    int subCode = 0;  // code 0: 0 fixed, 1 solar, 2 random
    bool operator==(const LogbookEntry&) const = default;
};

inline constexpr int kLogbookEndNumber = 9999;
inline constexpr int kLogbookPageSize = 100;
inline constexpr int kHighestEventCode = 24;

// Entries numbered 1..count, cycling through every event code (code 0 with
// each of its sub-codes), motors 1..motors, dates going back in time.
std::vector<LogbookEntry> GenerateLogbook(int motors, int count = 135);

// Frame of one entry (tag "sld" or "slf"), nine numbers and their plain sum.
OutgoingFrame LogbookFrame(std::string_view tag, const LogbookEntry& entry);
// The end marker: number 9999 and an empty slot (day and month 0).
LogbookEntry LogbookEndMarker();

class SimLogbook {
  public:
    explicit SimLogbook(std::vector<LogbookEntry> entries) : entries_(std::move(entries)) {}

    std::size_t Size() const { return entries_.size(); }
    const std::vector<LogbookEntry>& Entries() const { return entries_; }

    // The next page from the read position, then the end marker; advances.
    std::vector<LogbookEntry> NextPage();
    // Every entry, then the end marker; the read position stays.
    std::vector<LogbookEntry> All() const;
    void Rewind() { position_ = 0; }
    void Erase();

  private:
    std::vector<LogbookEntry> entries_;
    std::size_t position_ = 0;
};

}  // namespace veltrano::sim
