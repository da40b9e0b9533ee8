// The list lines of the sheet "Temperatur-Steuerung" and its read-only
// indicators. Pure text.
#pragma once

#include <string>

#include "model/motor_records.h"

namespace veltrano {

// PT_Liste: the prefix; for "EIN" the period, set-point, direction, control
// range, travel time and steps.
std::string ProportionalTempLine(const std::string& name, const ProportionalTempSettings& record);
// IT_Liste: the prefix; for "EIN" the period (or "ganztägig"), both
// thresholds with their comparisons and directions, the run time.
std::string InsideTempLine(const std::string& name, const InsideTempSettings& record);
// AT_Liste: the prefix; for "EIN" threshold 1 and its direction, then
// "deaktiv!" or threshold 2, its direction and the run time.
std::string OutsideTempLine(const std::string& name, const OutsideTempSettings& record);

// IT_kl_gr: the comparison at threshold 2, opposite to `comparison`.
std::string InsideSecondComparison(std::int32_t comparison);
// IT_Ab_Auf, AT_Ab_Auf: the drive's direction at threshold 2, opposite to
// `direction` (nothing for "DEAKTIV" or a code outside the list).
std::string SecondDirectionArrow(std::int32_t direction);

}  // namespace veltrano
