#include "masks/switch_time_edits.h"

#include <algorithm>
#include <cmath>

namespace veltrano {
namespace {

constexpr int kLastWeekday = 4;  // Friday; Saturday and Sunday follow

bool IsWeekday(int day) {
    return day <= kLastWeekday;
}

void Write(SwitchTime& entry, const EditorFields& fields, int dayGroup) {
    if (fields.Direction) entry.Direction = *fields.Direction;
    if (fields.TimeCode) entry.TimeCode = *fields.TimeCode;
    if (fields.DurationCode) entry.DurationCode = *fields.DurationCode;
    if (fields.Function) entry.Function = *fields.Function;
    entry.DayGroup = dayGroup;
    entry.Modified = true;
}

// A Mo-So entry on a day outside the written half becomes that half's group.
void SplitWholeWeek(SwitchTime& entry, int day) {
    if (entry.DayGroup == kDayGroupWholeWeek)
        entry.DayGroup = IsWeekday(day) ? kDayGroupWeekdays : kDayGroupWeekend;
}

}  // namespace

long RoundHalfEven(double value) {
    const double lower = std::floor(value);
    const double fraction = value - lower;
    long result = static_cast<long>(lower);
    if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0)) ++result;
    return result;
}

SlotPick SlotFromPressPosition(int x, bool eightTimesPerDay) {
    const int slotCount = eightTimesPerDay ? 8 : 4;
    const double k = eightTimesPerDay ? 0.23 : 0.4;
    const int width = eightTimesPerDay ? kWideListWidth : kNarrowListWidth;
    const long nameColumn = RoundHalfEven(width * k);
    const long reduced = RoundHalfEven(static_cast<double>(x) - static_cast<double>(nameColumn));
    const long slot = RoundHalfEven(static_cast<double>(slotCount) * static_cast<double>(reduced) /
                                    static_cast<double>(width - nameColumn));
    SlotPick pick;
    pick.slot = static_cast<int>(std::clamp<long>(slot, 0, slotCount - 1));
    pick.pressPosition = static_cast<int>(reduced);
    return pick;
}

void ApplyEditorToDayGroup(SwitchTimeTable& table, int day, int motor, int slot,
                           const std::string& groupText, const EditorFields& fields) {
    if (!IsValidEntry(day, motor, slot)) return;
    for (int d = 0; d < kDayCount; ++d) {
        SwitchTime& entry = table.entry(d, motor, slot);
        if (groupText == kGroupSingleText) {
            if (d == day) {
                Write(entry, fields, kDayGroupSingleDay);
            } else if (IsWeekday(d) == IsWeekday(day)) {
                entry.DayGroup = kDayGroupSingleDay;
            } else {
                SplitWholeWeek(entry, d);
            }
        } else if (groupText == kGroupWeekdaysText) {
            if (IsWeekday(d))
                Write(entry, fields, kDayGroupWeekdays);
            else
                SplitWholeWeek(entry, d);
        } else if (groupText == kGroupWeekendText) {
            if (!IsWeekday(d))
                Write(entry, fields, kDayGroupWeekend);
            else
                SplitWholeWeek(entry, d);
        } else if (groupText == kGroupWholeWeekText) {
            Write(entry, fields, kDayGroupWholeWeek);
        }
    }
}

int GroupItemWhenLoading(int dayGroup) {
    if (dayGroup == kDayGroupSingleDay) return 0;
    if (dayGroup == kDayGroupWholeWeek) return 2;
    return 1;
}

int GroupItemWhenPicking(int day, int dayGroup) {
    if (dayGroup == kDayGroupSingleDay) return 0;
    if (dayGroup == kDayGroupWholeWeek) return 2;
    const int halfGroup = IsWeekday(day) ? kDayGroupWeekdays : kDayGroupWeekend;
    return dayGroup == halfGroup ? 1 : -1;
}

void CopyMotorSwitchTimes(SwitchTimeTable& table, int from, int to) {
    if (from < 0 || from >= kMotorCount || to < 0 || to >= kMotorCount) return;
    for (int day = 0; day < kDayCount; ++day) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            SwitchTime entry = table.entry(day, from, slot);
            entry.Modified = true;
            table.entry(day, to, slot) = entry;
        }
    }
}

}  // namespace veltrano
