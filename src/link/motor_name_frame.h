// The payload of an "smn" frame: the two-digit motor number, ",", then the
// name up to the end marker, taken as it comes (trailing blanks and further
// commas included).
#pragma once

#include <optional>
#include <string>

namespace veltrano {

struct MotorNameFrame {
    int Motor = 0;  // 1..32
    std::string Name;
};

// std::nullopt for a motor number outside 1..32; throws PayloadError when
// the number is missing or not an integer.
std::optional<MotorNameFrame> ParseMotorNameFrame(const std::string& payload);

}  // namespace veltrano
