#include "masks/switch_time_lines.h"

#include "model/cp1252.h"
#include "model/value_scales.h"

namespace veltrano {
namespace {

constexpr int kNameColumns = 16;  // day text, two blanks, name cut to fit

const char* DirectionMark(const SwitchTime& slot) {
    if (slot.IsEmpty()) return "  |  ";
    return slot.Direction == kUp ? "^ |  " : "v |  ";
}

}  // namespace

std::string SwitchTimeTimeText(int timeCode) {
    if (timeCode < 0 || timeCode > kLastTimeCode) return "??:??";
    return TimeOfDayItems()[static_cast<std::size_t>(timeCode)];
}

std::string SwitchTimeListLine(const std::string& dayText, const std::string& motorName,
                               const SwitchTime (&daySlots)[kSlotCount]) {
    std::string line = Utf8Left(dayText + "  " + motorName + std::string(11, ' '), kNameColumns);
    line += "    ";
    for (const SwitchTime& slot : daySlots) {
        // An empty slot shows five blanks whatever its code below zero says.
        line +=
            slot.IsEmpty() ? SwitchTimeTimeText(kEmptyTimeCode) : SwitchTimeTimeText(slot.TimeCode);
        line += ' ';
        line += DirectionMark(slot);
    }
    return line;
}

std::string SwitchTimeListLine(const ConfigurationModel& model, int day, int motor) {
    SwitchTime daySlots[kSlotCount];
    for (int s = 0; s < kSlotCount; ++s)
        daySlots[s] = model.switchTime(day, motor, s);
    return SwitchTimeListLine(ItemText(WeekdayItems(), day), model.motorName(motor + 1), daySlots);
}

const std::string& SwitchTimeSeparatorLine() {
    static const std::string line = [] {
        std::string text(28, '-');
        for (int i = 0; i < 6; ++i) {
            text += '+';
            text.append(10, '-');
        }
        text += '+';
        text.append(9, '-');
        return text;
    }();
    return line;
}

std::vector<std::string> DayListLines(const ConfigurationModel& model) {
    std::vector<std::string> rows(kDayListRowCount);
    for (int day = 0; day < kDayCount; ++day) {
        for (int motor = 0; motor < kMotorCount; ++motor)
            rows[DayListRow(day, motor)] = SwitchTimeListLine(model, day, motor);
        if (day < kDayCount - 1) rows[DayListRow(day, kMotorCount)] = SwitchTimeSeparatorLine();
    }
    return rows;
}

std::vector<std::string> MotorListLines(const ConfigurationModel& model) {
    std::vector<std::string> rows(kMotorListRowCount);
    for (int motor = 0; motor < kMotorCount; ++motor) {
        for (int day = 0; day < kDayCount; ++day)
            rows[MotorListRow(motor, day)] = SwitchTimeListLine(model, day, motor);
        if (motor < kMotorCount - 1)
            rows[MotorListRow(motor, kDayCount)] = SwitchTimeSeparatorLine();
    }
    return rows;
}

std::string SwitchTimeCaptionHeading() {
    return std::string(20, ' ') + "Schaltzeit";
}

std::string SwitchTimeNumberHeading(int slotCount) {
    std::string text(20, ' ');
    for (int s = 1; s <= slotCount; ++s) {
        std::string column = "Nr. " + std::to_string(s);
        column.resize(11, ' ');
        text += column;
    }
    return text;
}

}  // namespace veltrano
