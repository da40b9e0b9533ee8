#include "masks/shading_lines.h"

#include "masks/mask_lines.h"
#include "model/value_scales.h"

namespace veltrano {
namespace {

constexpr int kLastShadingStart = 16;  // "21:00"

}  // namespace

std::string ShadingLine(const std::string& name, const ShadingSettings& r) {
    std::string line = MaskLinePrefix(name, r.Off);
    if (!ShowsOn(r.Off)) return line;
    const std::string temperature = ItemText(ShadingTemperatureItems(), r.TemperatureCode);
    // One blank, then the temperature right-aligned in three characters.
    line += ' ' + PadTo(temperature, 3) + temperature + "°C  ";
    line += ItemText(ShadingHourItems(), r.FromCode) + " - " +
            ItemText(ShadingHourItems(), r.ToCode) + "  ";
    line += ItemText(ShadingBrightnessItems(), r.BrightnessCode) + "    ";
    line += ItemText(RunTimeItems(), r.DurationCode);
    return line;
}

namespace {

std::string TwilightLine(const std::string& name, std::int32_t off, const std::string& gap,
                         const std::string& from, std::int32_t brightness, std::int32_t duration) {
    std::string line = MaskLinePrefix(name, off);
    if (!ShowsOn(off)) return line;
    line += gap + from + "   " + ItemText(BrightnessItems(), brightness) + "    " +
            ItemText(RunTimeOrContinuousItems(), duration);
    return line;
}

}  // namespace

std::string TwilightMorningLine(const std::string& name, const TwilightMorningSettings& r) {
    return TwilightLine(name, r.Off, "    ", ItemText(MorningHourItems(), r.FromCode),
                        r.BrightnessCode, r.DurationCode);
}

std::string TwilightEveningLine(const std::string& name, const TwilightEveningSettings& r) {
    return TwilightLine(name, r.Off, "   ", ItemText(EveningHourItems(), r.FromCode),
                        r.BrightnessCode, r.DurationCode);
}

ShadingPeriod ShadingStartChosen(int from, int to) {
    // A box without an item counts as out of order.
    if (to < 0 || from >= to) to = from + 1;
    if (from >= kLastShadingStart) {
        from = kLastShadingStart;
        to = kLastShadingStart + 1;
    }
    return {from, to};
}

ShadingPeriod ShadingEndChosen(int from, int to) {
    if (from < 0 || from >= to) from = to - 1;
    if (from < 0) {
        from = 0;
        to = 1;
    }
    return {from, to};
}

}  // namespace veltrano
