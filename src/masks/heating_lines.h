// The list lines of the sheets "Heizung" and "Hand-, Tast-, Reversier-
// Automatik". Pure text; lengths count characters, not bytes.
#pragma once

#include <string>

#include "model/motor_records.h"

namespace veltrano {

// Heiz_Liste: the prefix; for "EIN" three blanks and the mode, then each
// temperature right-aligned in eleven characters (one blank at least).
std::string HeatingLine(const std::string& name, const HeatingSettings& record);
// RA_Liste: the prefix and six blanks; for "EIN" the up time, "s" and ten
// blanks, the down time and "s".
std::string ReverseLine(const std::string& name, const ReverseSettings& record);
// Tast_Liste: the prefix and six blanks; for "EIN" the run time from the
// radio variant's list or from the wired one.
std::string TouchLine(const std::string& name, const TouchSettings& record, bool radioVariant);

}  // namespace veltrano
