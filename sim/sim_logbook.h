// The Controller's logbook: a generated list of motor movements and events
// that covers every event code and every sub-code of the fixed switching
// times (or the list a memory file gives), read page by page ("sld", up to
// 100 entries per page), all at once ("slf"), rewound ("slr") and erased
// ("sll"). Entry 1 is the newest.
#pragma once

#include <cstdint>
#include <vector>

#include "sim_logbook_entry.h"
#include "wire_frames.h"

namespace veltrano::sim {

inline constexpr int kLogbookEndNumber = 9999;
inline constexpr int kLogbookPageSize = 100;
inline constexpr int kHighestEventCode = 24;

// The size of the generated logbook unless told otherwise.
inline constexpr int kDefaultLogbookSize = 135;
// The most entries a logbook can hold (9999 is the end marker).
inline constexpr int kMaxLogbookSize = 9998;

// Entries numbered 1..count, cycling through every event code (code 0 with
// each of its sub-codes), motors 1..motors, dates going back in time.
std::vector<LogbookEntry> GenerateLogbook(int motors, int count = kDefaultLogbookSize);

// Frame of one entry (tag "sld" or "slf"), nine numbers and their plain sum.
OutgoingFrame LogbookFrame(std::string_view tag, const LogbookEntry& entry);
// The end marker: number 9999 and an empty slot (day and month 0).
LogbookEntry LogbookEndMarker();

// The read position of the pages; the entries themselves are part of the
// Controller's memory (SimMemory::logbook).
class SimLogbookReader {
  public:
    // The next page of entries from the read position, then the end marker; advances.
    std::vector<LogbookEntry> NextPage(const std::vector<LogbookEntry>& entries);
    // Every entry, then the end marker; the read position stays.
    static std::vector<LogbookEntry> All(const std::vector<LogbookEntry>& entries);
    void Rewind() { position_ = 0; }

  private:
    std::size_t position_ = 0;
};

}  // namespace veltrano::sim
