// What every line of an automation mask's 32-row list begins with, and the
// small text steps the sections' line formatters share. Pure text.
#pragma once

#include <cstdint>
#include <string>

namespace veltrano {

// The name followed by eleven blanks, cut to its first 12 characters.
std::string MotorNameField(const std::string& name);

// Name field, two blanks, the on/off item text of `off` ("EIN", "AUS"; none
// for a code outside the list).
std::string MaskLinePrefix(const std::string& name, std::int32_t off);

// Whether the on/off box shows "EIN" for `off`: the section's parameter
// texts follow in the list line and its parameter boxes are shown.
constexpr bool ShowsOn(std::int32_t off) {
    return off == 0;
}

// Blanks that make `text` `width` characters wide when put in front of it
// (none when it is as wide or wider), counted in characters.
std::string PadTo(const std::string& text, int width);

}  // namespace veltrano
