// The status answers of the polling cycle: smo, sfi, sdt, sti and skd.
#pragma once

#include <string>

#include "link/link_state.h"
#include "link/payload_numbers.h"
#include "link/window_hooks.h"

namespace veltrano {

void DecodeModelFrame(const std::string& payload, const WindowHooks& hooks);
// Throws PayloadError when the version's digits are not digits.
void DecodeFirmwareFrame(const std::string& payload, LinkState& state, const WindowHooks& hooks);
void DecodeDateFrame(const std::string& payload, const WindowHooks& hooks);
void DecodeTimeFrame(const std::string& payload, const WindowHooks& hooks);
// Throws PayloadError when a number is not an integer.
void DecodeSensorFrame(const std::string& payload, const LinkState& state,
                       const WindowHooks& hooks);

// The display texts of the 16 live values of a status report.
SensorTexts FormatSensorTexts(const PayloadNumbers& n, bool showAverageBrightness);

}  // namespace veltrano
