// The comma splitter shared by every numeric frame: up to 16 decimal
// integers, each followed by ",". Text after the last comma is ignored, and
// so are numbers beyond the 16th; a missing number reads as 0.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace veltrano {

using PayloadNumbers = std::array<std::int64_t, 16>;

enum class NumberRange {
    Signed32,  // every ordinary field
    Mask32     // bit masks: unsigned up to 4294967295, or their signed 32-bit form
};

// std::nullopt when one of the numbers is not an optional minus sign followed
// by decimal digits, or lies outside the range.
std::optional<PayloadNumbers> SplitPayloadNumbers(std::string_view payload,
                                                  NumberRange range = NumberRange::Signed32);

// Parses one integer of the wire form; std::nullopt when it is none or out of range.
std::optional<std::int64_t> ParseWireInteger(std::string_view text, NumberRange range);

// The plain sum of numbers [0, n) equals number n.
bool ChecksumValid(const PayloadNumbers& numbers, int n);

// A mask number of either form as its 32 bits.
inline std::uint32_t MaskBits(std::int64_t number) {
    return static_cast<std::uint32_t>(number);
}

}  // namespace veltrano
