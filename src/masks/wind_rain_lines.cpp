#include "masks/wind_rain_lines.h"

#include "masks/mask_lines.h"
#include "model/value_scales.h"

namespace veltrano {
namespace {

constexpr std::int32_t kContinuousCode = 190;  // "Dauer"
constexpr const char* kDownArrow = "\u2193";

}  // namespace

std::string DirectionMark(std::int32_t direction) {
    if (direction == kUp) return "^";
    if (direction == kDown) return "v";
    return {};
}

std::string PeriodText(std::int32_t from, std::int32_t to) {
    const std::string start = ItemText(HourItems(), from);
    const std::string end = ItemText(HourItems(), to);
    if (start == end) return "    ganztägig  ";
    return "  " + start + " - " + end;
}

std::string WindLine(const std::string& name, const WindSettings& r, std::int32_t direction) {
    std::string line = MaskLinePrefix(name, r.Off) + "    ";
    if (!ShowsOn(r.Off)) return line;
    return line + ItemText(WindSpeedItems(), r.SpeedCode) + "km/h    " + DirectionMark(direction);
}

std::string RainLine(const std::string& name, const RainSettings& r) {
    std::string line = MaskLinePrefix(name, r.Off) + "      ";
    if (!ShowsOn(r.Off)) return line;
    return line + DirectionMark(r.Direction);
}

std::string HumidityLine(const std::string& name, const HumiditySettings& r) {
    std::string line = MaskLinePrefix(name, r.Off);
    if (!ShowsOn(r.Off)) return line;
    line += PeriodText(r.From, r.To);
    line += "  " + ItemText(HumidityComparisonItems(), r.Comparison) +
            ItemText(HumidityItems(), r.Threshold1Code) + " ^    F";
    if (r.Comparison == kAboveThreshold) line += "<";
    if (r.Comparison == kBelowThreshold) line += ">";
    line += ItemText(HumidityItems(), r.Threshold2Code) + " ";
    line += r.Comparison == kBelowThreshold || r.DurationCode >= kContinuousCode ? "- " : "v ";
    const std::string duration = ItemText(RunTimeOrContinuousItems(), r.DurationCode);
    return line + PadTo(duration, 6) + duration;
}

std::string HumiditySecondComparison(std::int32_t comparison) {
    return ItemText(HumidityComparisonItems(), comparison == kAboveThreshold   ? kBelowThreshold
                                               : comparison == kBelowThreshold ? kAboveThreshold
                                                                               : -1);
}

std::string HumiditySecondAction(std::int32_t comparison, std::int32_t durationCode) {
    return comparison == kBelowThreshold || durationCode >= kContinuousCode ? "-" : kDownArrow;
}

}  // namespace veltrano
