// Small text helpers of the backup file: 1-based character positions as the
// file layout is described, and the integer conversion of its values.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace veltrano::backup {

// The `length` characters from 1-based position `pos`, cut at the end of the
// text; empty when pos lies beyond it.
constexpr std::string_view Mid(std::string_view text, std::size_t pos, std::size_t length) {
    if (pos < 1 || pos > text.size()) return {};
    return text.substr(pos - 1, length);
}

// Everything from 1-based position `pos` to the end.
constexpr std::string_view From(std::string_view text, std::size_t pos) {
    return Mid(text, pos, std::string_view::npos);
}

// A decimal integer as the backup file holds it: optional leading blanks, an
// optional sign, at least one digit, nothing after the digits, within 32 bits.
// Anything else is not an integer.
std::optional<std::int32_t> ToInteger(std::string_view text);

}  // namespace veltrano::backup
