#include "link/payload_numbers.h"

#include <algorithm>
#include <limits>

namespace veltrano {

std::optional<std::int64_t> ParseWireInteger(std::string_view text, NumberRange range) {
    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    // Leading zeros are digits like any other; a value past every range
    // stops growing, so no number of digits overflows.
    constexpr std::int64_t kBeyondEveryRange = std::int64_t{1} << 33;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = std::min(value * 10 + (c - '0'), kBeyondEveryRange);
    }
    if (negative) value = -value;
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    const std::int64_t max = range == NumberRange::Mask32
                                 ? std::int64_t{std::numeric_limits<std::uint32_t>::max()}
                                 : std::int64_t{std::numeric_limits<std::int32_t>::max()};
    if (value < kMin || value > max) return std::nullopt;
    return value;
}

std::optional<PayloadNumbers> SplitPayloadNumbers(std::string_view payload, NumberRange range) {
    PayloadNumbers numbers{};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const std::size_t comma = payload.find(',');
        if (comma == std::string_view::npos) break;
        const auto number = ParseWireInteger(payload.substr(0, comma), range);
        if (!number) return std::nullopt;
        numbers[i] = *number;
        payload.remove_prefix(comma + 1);
    }
    return numbers;
}

bool ChecksumValid(const PayloadNumbers& numbers, int n) {
    if (n < 0 || n >= static_cast<int>(numbers.size())) return false;
    std::int64_t sum = 0;
    for (int i = 0; i < n; ++i)
        sum += numbers[i];
    return sum == numbers[n];
}

}  // namespace veltrano
