// The list lines of the sheet "Wind-, Regen-, Feuchte" and the humidity
// editor's read-only indicators. Pure text.
#pragma once

#include <string>

#include "model/motor_records.h"

namespace veltrano {

// EW_Liste: the prefix and four blanks; for "EIN" the speed, "km/h    " and
// "^" or "v" for `direction`, the motor's shared RainSettings::Direction.
std::string WindLine(const std::string& name, const WindSettings& record, std::int32_t direction);
// ER_Liste: the prefix and six blanks; for "EIN" "^" or "v".
std::string RainLine(const std::string& name, const RainSettings& record);
// RelF_Liste: the prefix; for "EIN" the period (or "ganztägig"), both
// thresholds with their comparisons and directions, the run time.
std::string HumidityLine(const std::string& name, const HumiditySettings& record);

// "^" for direction 0, "v" for 1, nothing for a code outside the list.
std::string DirectionMark(std::int32_t direction);
// The period of two hour codes: "  08:00 - 21:00", or "    ganztägig  " for
// equal hours.
std::string PeriodText(std::int32_t from, std::int32_t to);

// RelF_kl_gr: the comparison at threshold 2, opposite to `comparison`.
std::string HumiditySecondComparison(std::int32_t comparison);
// RelF_Ab_Auf: the down arrow, or "-" (no movement) for "F<" or continuous running.
std::string HumiditySecondAction(std::int32_t comparison, std::int32_t durationCode);

}  // namespace veltrano
