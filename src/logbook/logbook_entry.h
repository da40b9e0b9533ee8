// One entry of the Controller's logbook as an "sld" or "slf" frame carries
// it: nine numbers and their plain sum, each followed by ",".
#pragma once

#include <cstdint>
#include <string_view>

namespace veltrano {

struct LogbookEntry {
    std::int64_t Number = 0;     // 1.. in the Controller's order; kLogbookEndMarker ends a transfer
    std::int64_t Motor = 0;      // 1..32
    std::int64_t Direction = 0;  // 0 down, anything else up
    std::int64_t Day = 0;        // day and month 0: no entry stored
    std::int64_t Month = 0;
    std::int64_t Code = 0;  // the event code
    std::int64_t Hour = 0;
    std::int64_t Minute = 0;
    std::int64_t SubCode = 0;  // event code 0: 0 fixed, 1 solar, 2 random switching time
};

inline constexpr std::int64_t kLogbookEndMarker = 9999;
// Numbers before the checksum.
inline constexpr int kLogbookEntryFields = 9;

struct DecodedLogbookEntry {
    LogbookEntry Entry;
    bool ChecksumValid = false;
};

// Splits the payload; throws PayloadError when a number is not an integer.
DecodedLogbookEntry DecodeLogbookEntry(std::string_view payload);

inline bool IsEndMarker(const LogbookEntry& entry) {
    return entry.Number == kLogbookEndMarker;
}

// Day and month 0: the Controller holds no entry in that place.
inline bool IsEmptySlot(const LogbookEntry& entry) {
    return entry.Day == 0 && entry.Month == 0;
}

}  // namespace veltrano
