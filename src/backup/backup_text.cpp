#include "backup/backup_text.h"

#include <charconv>
#include <limits>

namespace veltrano::backup {

std::optional<std::int32_t> ToInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::string_view digits = text.substr(i);
    if (digits.empty()) return std::nullopt;
    std::int64_t magnitude = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, magnitude);
    // from_chars would take a sign of its own; only digits may follow ours.
    if (error != std::errc() || stop != end || digits.front() < '0' || digits.front() > '9')
        return std::nullopt;
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

}  // namespace veltrano::backup
