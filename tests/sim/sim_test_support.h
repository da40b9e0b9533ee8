// Helpers shared by the simulator's tests: a controller with a chosen
// identity and memory, and a fixed moment in local time.
#pragma once

#include <ctime>
#include <string>

#include "sim_controller.h"

namespace veltrano::sim::testing {

inline SimIdentity IdentityOf(const IdentityRequest& request) {
    SimIdentity id;
    id.modelText = *PresetModelText(request, nullptr);
    id.features = FeaturesOfModelText(id.modelText);
    return id;
}

inline SimConfig ConfigOf(const IdentityRequest& request = {}) {
    SimConfig config;
    config.identity = IdentityOf(request);
    return config;
}

// A wall-clock moment given in local time, so the expected texts do not
// depend on the machine's time zone.
inline std::chrono::system_clock::time_point LocalMoment(int year, int month, int day, int hour,
                                                         int minute, int second) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&tm));
}

inline SimInstant At(long long sinceStartMs = 0) {
    return {std::chrono::milliseconds(sinceStartMs), LocalMoment(2026, 3, 5, 7, 8, 9)};
}

// A record of the send-all as the program writes it: " " + word, then each
// number and "\r".
inline std::string SendRecord(const std::string& word, std::initializer_list<long long> numbers) {
    std::string text = " " + word;
    for (long long n : numbers)
        text += std::to_string(n) + "\r";
    return text;
}

inline std::string Ack(int number) {
    return "start_stc" + std::to_string(number) + ",ende_";
}

}  // namespace veltrano::sim::testing
