#include "masks/temperature_lines.h"

#include "masks/mask_lines.h"
#include "masks/wind_rain_lines.h"
#include "model/value_scales.h"

namespace veltrano {
namespace {

// The opposite comparison or direction code (0 <-> 1); -1 for any other.
int Opposite(std::int32_t code) {
    return code == 0 ? 1 : code == 1 ? 0 : -1;
}

std::string Threshold(std::int32_t code) {
    return ItemText(ThresholdTemperatureItems(), code) + "C ";
}

}  // namespace

std::string ProportionalTempLine(const std::string& name, const ProportionalTempSettings& r) {
    std::string line = MaskLinePrefix(name, r.Off);
    if (!ShowsOn(r.Off)) return line;
    line += "  " + ItemText(HourItems(), r.From) + " - " + ItemText(HourItems(), r.To) + " ";
    const std::string setpoint = ItemText(SetpointTemperatureItems(), r.SetpointCode);
    line += " " + PadTo(setpoint, 3) + setpoint + "C  ";
    line += DirectionMark(r.Direction) + "  " + ItemText(ControlRangeItems(), r.ControlRangeCode) +
            "C  ";
    const std::string travel = ItemText(RunTimeItems(), r.MaxTravelCode);
    return line + PadTo(travel, 5) + travel + "    " + ItemText(StepsItems(), r.StepsCode);
}

std::string InsideTempLine(const std::string& name, const InsideTempSettings& r) {
    std::string line = MaskLinePrefix(name, r.Off);
    if (!ShowsOn(r.Off)) return line;
    line += PeriodText(r.From, r.To);
    line += "  " + ItemText(TemperatureComparisonItems(), r.Comparison);
    line += Threshold(r.Threshold1Code);
    const std::string first = DirectionMark(r.Direction);
    line += (first.empty() ? " " : first) + " ";
    line += "  T" + ItemText({"<", ">"}, r.Comparison);
    line += Threshold(r.Threshold2Code);
    const std::string second = DirectionMark(Opposite(r.Direction));
    line += second.empty() ? " " : second;
    const std::string duration = ItemText(RunTimeOrContinuousItems(), r.DurationCode);
    return line + PadTo(duration, 6) + duration;
}

std::string OutsideTempLine(const std::string& name, const OutsideTempSettings& r) {
    std::string line = MaskLinePrefix(name, r.Off);
    if (!ShowsOn(r.Off)) return line;
    line += "   T<" + Threshold(r.Threshold1Code);
    if (r.Direction == kDeactivated) return line + "       deaktiv! ";
    // A direction outside the list: blanks in both arrow places.
    const std::string first = DirectionMark(r.Direction);
    line += (first.empty() ? " " : first) + " ";
    line += "  T>" + Threshold(r.Threshold2Code);
    const std::string second = DirectionMark(Opposite(r.Direction));
    line += (second.empty() ? " " : second) + "  ";
    return line + ItemText(RunTimeOrContinuousItems(), r.DurationCode);
}

std::string InsideSecondComparison(std::int32_t comparison) {
    return ItemText(TemperatureComparisonItems(), Opposite(comparison));
}

std::string SecondDirectionArrow(std::int32_t direction) {
    return ItemText(DirectionItems(), Opposite(direction));
}

}  // namespace veltrano
