#include "masks/heating_lines.h"

#include "masks/mask_lines.h"
#include "model/value_scales.h"

namespace veltrano {
namespace {

// One blank, then `item` right-aligned in ten characters.
std::string Temperature(std::int32_t code) {
    const std::string item = ItemText(HeatingTemperatureItems(), code);
    return ' ' + PadTo(item, 10) + item;
}

}  // namespace

std::string HeatingLine(const std::string& name, const HeatingSettings& r) {
    std::string line = MaskLinePrefix(name, r.Off);
    if (!ShowsOn(r.Off)) return line;
    return line + "   " + ItemText(HeatingModeItems(), r.Mode) + Temperature(r.DayTempCode) +
           Temperature(r.NightTempCode);
}

std::string ReverseLine(const std::string& name, const ReverseSettings& r) {
    std::string line = MaskLinePrefix(name, r.Off) + "      ";
    if (!ShowsOn(r.Off)) return line;
    return line + ItemText(ReverseTimeItems(), r.AtUp) + "s          " +
           ItemText(ReverseTimeItems(), r.AtDown) + "s";
}

std::string TouchLine(const std::string& name, const TouchSettings& r, bool radioVariant) {
    std::string line = MaskLinePrefix(name, r.Off) + "      ";
    if (!ShowsOn(r.Off)) return line;
    const ItemList& items = radioVariant ? RadioRunTimeItems() : RunTimeOrContinuousItems();
    return line + ItemText(items, r.DurationCode);
}

}  // namespace veltrano
