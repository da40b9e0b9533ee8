// The holiday edit fields ("       24.12.") read back into a holiday: the
// backup writer takes the holidays from these fields before it writes them.
#pragma once

#include <optional>
#include <string_view>

#include "model/general_parameters.h"

namespace veltrano {

// Day from character positions 8-9, month from 11-12 (1-based), in exactly
// the field's layout of 13 characters; nullopt for any other text, and when
// the day is not 1..31 or the month not 1..12.
std::optional<Holiday> HolidayFromFieldText(std::string_view text);

}  // namespace veltrano
