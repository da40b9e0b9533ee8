#include "free_switch_time_memory.h"

#include <string>

namespace veltrano {

namespace {

// The sum is kept in seventieths, the common multiple of the group sizes
// 1, 2, 5 and 7, so a whole group adds exactly one and the figure does not
// lose a percent to rounding at whole-number boundaries.
constexpr long kUnitsPerEntry = 70;

long ShareInUnits(std::int32_t dayGroup) {
    switch (dayGroup) {
        case kDayGroupSingleDay:
            return kUnitsPerEntry;
        case kDayGroupWeekend:
            return kUnitsPerEntry / 2;
        case kDayGroupWeekdays:
            return kUnitsPerEntry / 5;
        case kDayGroupWholeWeek:
            return kUnitsPerEntry / 7;
        default:  // names no days: takes no memory
            return 0;
    }
}

}  // namespace

FreeMemoryFigure FreeSwitchTimeMemory(const SwitchTimeTable& table) {
    long usedUnits = 0;
    for (const SwitchTime& entry : table)
        if (!entry.IsEmpty()) usedUnits += ShareInUnits(entry.DayGroup);

    const long capacityUnits = kSwitchTimeCapacity * kUnitsPerEntry;
    const long freeUnits = capacityUnits - usedUnits;
    // Division truncates toward zero, as the figure is defined.
    const long percent = freeUnits * 100 / capacityUnits;
    const long permille = freeUnits * 1000 / capacityUnits;

    FreeMemoryFigure figure;
    // More entries than the Controller can store would give a negative
    // figure; the panel shows 0 % and the warning instead.
    figure.percent = static_cast<int>(percent < 0 ? 0 : percent);
    figure.insufficient = permille <= 0;
    figure.panelText = "Freier Schaltzeiten-Speicher: " + std::to_string(figure.percent) + "%";
    return figure;
}

}  // namespace veltrano
