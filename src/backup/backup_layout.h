// What the writer and the reader of the backup file agree on besides the key
// texts: the day texts of the switching-time sections and the offset each
// per-motor number carries in the file (file number = code + offset).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace veltrano::backup {

// Day 0..6 of the switching-time sections, "[Schaltzeit_Mo_Motor01_Nr1]".
inline constexpr std::array<std::string_view, 7> kDayTexts = {"Mo", "Di", "Mi", "Do",
                                                              "Fr", "Sa", "So"};

// Offsets, file number = code + offset.
namespace offset {
inline constexpr std::int32_t kShadingTemperature = -10;
inline constexpr std::int32_t kShadingHour = 5;
inline constexpr std::int32_t kShadingBrightness = 100;
inline constexpr std::int32_t kRunTime = 1;  // every "Dauer" of a per-motor record but touch
inline constexpr std::int32_t kMorningHour = 3;
inline constexpr std::int32_t kEveningHour = 14;
inline constexpr std::int32_t kBrightness = 1;
inline constexpr std::int32_t kSetpoint = 1;
inline constexpr std::int32_t kControlRange = 1;
inline constexpr std::int32_t kMaxTravel = 1;
inline constexpr std::int32_t kSteps = 2;
inline constexpr std::int32_t kThresholdTemperature = -9;
inline constexpr std::int32_t kHumidity = 1;
inline constexpr std::int32_t kHeatingTemperature = 40;
inline constexpr std::int32_t kRandomSpan = 2;
inline constexpr std::int32_t kShadingHysteresis = 2;
inline constexpr std::int32_t kTemperatureOffset = -5;
inline constexpr std::int32_t kHeatingHysteresis = 1;
inline constexpr std::int32_t kReservedParameter = 1;  // read only: "Aktives_P"
}  // namespace offset

// Code plus offset with the 32-bit wrap-around of the Controller's numbers,
// so any code survives writing and reading back.
constexpr std::int32_t Shifted(std::int32_t code, std::int64_t by) {
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(static_cast<std::int64_t>(code) + by));
}

}  // namespace veltrano::backup
