// The switching-time table: 7 days x 32 motors x 8 slots. Controllers with
// four switching times per day use slots 0..3 only; the table keeps all eight.
#pragma once

#include <array>
#include <cstdint>

#include "model_codes.h"

namespace veltrano {

// `DayGroup`: the days an entry applies to. A group entry is stored once in
// every day it covers (same motor and slot).
inline constexpr std::int32_t kDayGroupSingleDay = 1;  // this day only
inline constexpr std::int32_t kDayGroupWeekend = 2;    // Saturday and Sunday
inline constexpr std::int32_t kDayGroupWeekdays = 5;   // Monday to Friday
inline constexpr std::int32_t kDayGroupWholeWeek = 7;  // Monday to Sunday

// `Function`: the kind of switching time.
inline constexpr std::int32_t kFunctionNormal = 0;  // "Normal": fixed time
inline constexpr std::int32_t kFunctionAstro = 1;   // "Astro": solar
inline constexpr std::int32_t kFunctionRandom = 2;  // "Zufall": random

// `TimeCode` of an empty slot; 1..1440 is the minute of the day + 1.
inline constexpr std::int32_t kEmptyTimeCode = 0;
inline constexpr std::int32_t kLastTimeCode = 1440;  // 23:59

// Default run time of a new switching time: item 39 ("39s") of the
// switching-time run-time list.
inline constexpr std::int32_t kDefaultSwitchTimeDurationCode = 39;

struct SwitchTime {
    std::int32_t Direction = kUp;  // 0 up, 1 down
    // 0 = empty slot, whatever the other fields hold; else minute of the day + 1.
    std::int32_t TimeCode = kEmptyTimeCode;
    // Index into SwitchTimeRunTimeItems(): "0s" .. "99s", "100" .. "350", "Dau".
    // Run time 0 marks a fixed time that only serves the twilight automation.
    std::int32_t DurationCode = kDefaultSwitchTimeDurationCode;
    std::int32_t DayGroup = kDayGroupSingleDay;  // 1, 2, 5 or 7 (see above)
    std::int32_t Function = kFunctionNormal;     // 0 normal, 1 astro, 2 random
    bool Modified = true;                        // to be sent

    bool IsEmpty() const { return TimeCode <= kEmptyTimeCode; }
    bool operator==(const SwitchTime&) const = default;
};

// Index of an entry: day 0..6 (0 = Monday), motor 0..31, slot 0..7, all zero-based.
constexpr int EntryIndex(int day, int motor, int slot) {
    return day * (kMotorCount * kSlotCount) + motor * kSlotCount + slot;
}

constexpr bool IsValidEntry(int day, int motor, int slot) {
    return day >= 0 && day < kDayCount && motor >= 0 && motor < kMotorCount && slot >= 0 &&
           slot < kSlotCount;
}

class SwitchTimeTable {
  public:
    // Day, motor and slot zero-based; throws std::out_of_range outside the table.
    SwitchTime& entry(int day, int motor, int slot);
    const SwitchTime& entry(int day, int motor, int slot) const;

    // By EntryIndex 0..1791; throws std::out_of_range outside.
    SwitchTime& at(int index);
    const SwitchTime& at(int index) const;

    // Iteration in index order: Monday motor 0 slot 0 first.
    auto begin() { return entries_.begin(); }
    auto end() { return entries_.end(); }
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }
    static constexpr int size() { return kSwitchTimeCount; }

    bool operator==(const SwitchTimeTable&) const = default;

  private:
    std::array<SwitchTime, kSwitchTimeCount> entries_{};
};

}  // namespace veltrano
