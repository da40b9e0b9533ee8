#include "link/motor_wire.h"

#include <algorithm>
#include <limits>

namespace veltrano {
namespace {

// A radio variant's touch run times travel 48 above the ordinary list.
constexpr std::int64_t kRadioRunTimeOffset = 48;

std::int32_t Clamped(std::int64_t value) {
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(value, kMin, kMax));
}

}  // namespace

std::int32_t CodeFromWire(WireConversion conversion, std::int64_t number, bool radioVariant) {
    switch (conversion.rule) {
        case WireRule::Offset:
            return Clamped(number - conversion.offset);
        case WireRule::OnOff:
            return number == 1 ? kOn : kOff;
        case WireRule::TwoValued:
            return number == 1 ? 0 : 1;
        case WireRule::WindSpeed:
            return Clamped(number / 5 - 1);
        case WireRule::HeatingMode:
            return number == 0 ? kCooling : kHeating;
        case WireRule::OutsideDirection:
            return number == 1 ? kUp : number == 0 ? kDown : Clamped(number);
        case WireRule::TouchRunTime: {
            std::int32_t code = Clamped(number - 1);
            if (radioVariant && code >= kRadioRunTimeOffset) code -= kRadioRunTimeOffset;
            return code;
        }
    }
    return Clamped(number);
}

std::int64_t WireFromCode(WireConversion conversion, std::int32_t code, bool radioVariant) {
    const std::int64_t c = code;
    switch (conversion.rule) {
        case WireRule::Offset:
            return c + conversion.offset;
        case WireRule::OnOff:
            return code == kOn ? 1 : 0;
        case WireRule::TwoValued:
        case WireRule::HeatingMode:
            return code == 1 ? 0 : 1;
        case WireRule::WindSpeed:
            return (c + 1) * 5;
        case WireRule::OutsideDirection:
            return code == kUp ? 1 : code == kDown ? 0 : c;
        case WireRule::TouchRunTime:
            return c + 1 + (radioVariant ? kRadioRunTimeOffset : 0);
    }
    return c;
}

}  // namespace veltrano
