#include "sim_logbook.h"

#include <algorithm>

namespace veltrano::sim {

std::vector<LogbookEntry> GenerateLogbook(int motors, int count) {
    // Every (code, sub-code) pair: code 0 three times, then codes 1..24.
    std::vector<std::pair<int, int>> events = {{0, 0}, {0, 1}, {0, 2}};
    for (int code = 1; code <= kHighestEventCode; ++code)
        events.push_back({code, 0});

    std::vector<LogbookEntry> entries;
    // Newest first: 14 June, 21:50, going back 97 minutes per entry.
    int minuteOfYear = ((31 + 28 + 31 + 30 + 31 + 13) * 24 + 21) * 60 + 50;
    const int monthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int i = 0; i < count; ++i) {
        const auto [code, sub] = events[static_cast<std::size_t>(i) % events.size()];
        LogbookEntry e;
        e.number = i + 1;
        e.motor = 1 + (i * 5) % motors;
        e.direction = (i / 2) % 2;
        e.code = code;
        e.subCode = sub;
        int dayOfYear = minuteOfYear / (24 * 60);
        e.hour = (minuteOfYear / 60) % 24;
        e.minute = minuteOfYear % 60;
        int month = 0;
        while (dayOfYear >= monthDays[month])
            dayOfYear -= monthDays[month++];
        e.month = month + 1;
        e.day = dayOfYear + 1;
        entries.push_back(e);
        minuteOfYear = std::max(0, minuteOfYear - 97);
    }
    return entries;
}

OutgoingFrame LogbookFrame(std::string_view tag, const LogbookEntry& e) {
    return ChecksumFrame(
        tag, {e.number, e.motor, e.direction, e.day, e.month, e.code, e.hour, e.minute, e.subCode});
}

LogbookEntry LogbookEndMarker() {
    LogbookEntry e;
    e.number = kLogbookEndNumber;
    e.motor = 1;
    e.direction = 0;
    e.day = 0;
    e.month = 0;
    e.code = 0;
    return e;
}

std::vector<LogbookEntry> SimLogbookReader::NextPage(const std::vector<LogbookEntry>& entries) {
    std::vector<LogbookEntry> page;
    while (position_ < entries.size() && page.size() < kLogbookPageSize)
        page.push_back(entries[position_++]);
    page.push_back(LogbookEndMarker());
    return page;
}

std::vector<LogbookEntry> SimLogbookReader::All(const std::vector<LogbookEntry>& entries) {
    std::vector<LogbookEntry> all = entries;
    all.push_back(LogbookEndMarker());
    return all;
}

}  // namespace veltrano::sim
