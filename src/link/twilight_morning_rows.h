// The morning-twilight block refreshes the first eight rows of DM_Liste with
// a line of its own (one more blank before the run time than the mask's
// own list line), so the rows look the same however the masks are built.
#pragma once

#include <string>
#include <vector>

#include "model/configuration_model.h"

namespace veltrano {

inline constexpr int kReceivedTwilightMorningRows = 8;  // motors 1..8

// Name + 11 blanks cut to 12 characters, two blanks, "EIN"/"AUS"; for "EIN"
// then four blanks, the start hour, three blanks, the brightness, six blanks
// and the run time. A code outside its item list shows as empty text.
std::string ReceivedTwilightMorningLine(const std::string& motorName,
                                        const TwilightMorningSettings& record);

// The lines of motors 1..8.
std::vector<std::string> ReceivedTwilightMorningRows(const ConfigurationModel& model);

}  // namespace veltrano
