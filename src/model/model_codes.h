// The codes the configuration model stores. Every setting is held as the item
// index of the combo box that edits it; these are the codes whose meaning is
// fixed rather than given by a value scale (see value_scales.h for those).
#pragma once

#include <cstdint>

namespace veltrano {

// Counts of the model.
inline constexpr int kMotorCount = 32;  // motors 1..32
inline constexpr int kDayCount = 7;     // days 0 = Monday .. 6 = Sunday
inline constexpr int kSlotCount = 8;    // switching times per day and motor
inline constexpr int kSwitchTimeCount = kDayCount * kMotorCount * kSlotCount;  // 1792
inline constexpr int kHolidayCount = 15;                                       // holidays 1..15
inline constexpr int kGroupCount = 4;  // central-control groups 1..4
inline constexpr int kBankCount = 4;   // banks of eight motors 1..4
inline constexpr int kMotorsPerBank = 8;

// On/off fields (`Off`): the index of "EIN"/"AUS". Any non-zero value counts as off.
inline constexpr std::int32_t kOn = 0;
inline constexpr std::int32_t kOff = 1;

// Direction fields (`Direction`). kDeactivated exists for outside-temperature control only.
inline constexpr std::int32_t kUp = 0;
inline constexpr std::int32_t kDown = 1;
inline constexpr std::int32_t kDeactivated = 2;

// Comparison fields of inside-temperature and humidity control.
inline constexpr std::int32_t kAboveThreshold = 0;  // "T>" / "F>"
inline constexpr std::int32_t kBelowThreshold = 1;  // "T<" / "F<"

// Heating record.
inline constexpr std::int32_t kDay = 0;      // `DayNight` "Tag"
inline constexpr std::int32_t kNight = 1;    // `DayNight` "Nacht"
inline constexpr std::int32_t kHeating = 0;  // `Mode` "Heizbetrieb"
inline constexpr std::int32_t kCooling = 1;  // `Mode` "Kühlbetrieb"

// `AlarmPatterns`: what a motor does when the alarm input trips.
inline constexpr std::int32_t kAlarmUp = 0;
inline constexpr std::int32_t kAlarmNoAction = 1;
inline constexpr std::int32_t kAlarmDown = 2;

// `ManualStates`: a motor's manual-drive state as the Controller reports it.
inline constexpr std::int32_t kManualUp = 0;
inline constexpr std::int32_t kManualOff = 1;
inline constexpr std::int32_t kManualDown = 2;

}  // namespace veltrano
