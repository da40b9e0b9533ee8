// The text lines of the two switching-time lists, DatenListe_Tag (sorted by
// day) and DatenListe_Motor (sorted by motor). Pure text: no widgets here.
//
// A line for (day, motor) is "Mo  " + the name cut or padded to 12
// characters + four blanks, then eleven characters per slot: the time (five
// blanks when empty), a blank, "^" (up), "v" (down) or a blank (empty), a
// blank, "|" and two blanks. All eight slots are always written.
#pragma once

#include <string>
#include <vector>

#include "model/configuration_model.h"

namespace veltrano {

inline constexpr int kDayListRowCount = 230;      // 7 days x 33 rows, no separator after Sunday
inline constexpr int kMotorListRowCount = 255;    // 32 motors x 8 rows, no separator after motor 32
inline constexpr int kDayListRowsPerDay = 33;     // 32 motors and a separator
inline constexpr int kMotorListRowsPerMotor = 8;  // 7 days and a separator
inline constexpr int kListLineLength = 108;       // 20 + 8 x 11 characters
inline constexpr int kSeparatorLineLength = 104;

// Row of (day, motor) in DatenListe_Tag and DatenListe_Motor.
constexpr int DayListRow(int day, int motor) {
    return kDayListRowsPerDay * day + motor;
}
constexpr int MotorListRow(int motor, int day) {
    return kMotorListRowsPerMotor * motor + day;
}
// A separator row is one whose successor's number is a multiple of the block size.
constexpr bool IsDayListSeparator(int row) {
    return (row + 1) % kDayListRowsPerDay == 0;
}
constexpr bool IsMotorListSeparator(int row) {
    return (row + 1) % kMotorListRowsPerMotor == 0;
}

// The editor's text of a time code: "     " for an empty slot, "hh:mm" for
// 1..1440. A code outside the time list shows "??:??", so the columns of the
// line stay in place.
std::string SwitchTimeTimeText(int timeCode);

// The line of one day and motor from the day text, the motor name (UTF-8,
// counted in characters) and the eight slots of that day and motor.
std::string SwitchTimeListLine(const std::string& dayText, const std::string& motorName,
                               const SwitchTime (&daySlots)[kSlotCount]);
// The same from the model (day 0..6, motor 0..31).
std::string SwitchTimeListLine(const ConfigurationModel& model, int day, int motor);

// 28 "-", then six times "+" and ten "-", then "+" and nine "-": the "+"
// signs stand under the "|" of the slot columns.
const std::string& SwitchTimeSeparatorLine();

// Every row of DatenListe_Tag (230) and DatenListe_Motor (255).
std::vector<std::string> DayListLines(const ConfigurationModel& model);
std::vector<std::string> MotorListLines(const ConfigurationModel& model);

// Headings over the slot columns, aligned with the lines: twenty blanks,
// then "Schaltzeit" (Label37) or "Nr. 1" .. "Nr. <slotCount>", eleven characters each (Label42).
std::string SwitchTimeCaptionHeading();
std::string SwitchTimeNumberHeading(int slotCount = kSlotCount);

}  // namespace veltrano
