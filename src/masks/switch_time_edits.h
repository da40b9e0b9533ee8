// The table operations of the switching-time editor, apart from its widgets:
// which slot a press in a list means, how an edit spreads over a day group,
// and copying a motor.
#pragma once

#include <optional>
#include <string>

#include "model/switch_time_table.h"

namespace veltrano {

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
long RoundHalfEven(double value);

// The pixel widths of a list: 753 with eight slot columns, 447 with four.
inline constexpr int kWideListWidth = 753;
inline constexpr int kNarrowListWidth = 447;

struct SlotPick {
    int slot = 0;           // 0 .. slots - 1
    int pressPosition = 0;  // x reduced by the width L of the name column
};

// The slot under horizontal position x (pixels from the list's left edge).
// L = nearest(W x k) with k = 0.23 (8 slots) or 0.4 (4 slots); x' = x - L;
// slot = nearest(N x x' / (W - L)), limited to 0 .. N - 1.
SlotPick SlotFromPressPosition(int x, bool eightTimesPerDay);

// The fields the editor's combo boxes hold; std::nullopt where a box shows
// no item (the entry keeps its own value there).
struct EditorFields {
    std::optional<int> Direction;
    std::optional<int> TimeCode;
    std::optional<int> DurationCode;
    std::optional<int> Function;
};

// The texts of the day-group box.
inline constexpr const char* kGroupSingleText = "-";
inline constexpr const char* kGroupWeekdaysText = "Mo - Fr";
inline constexpr const char* kGroupWeekendText = "Sa - So";
inline constexpr const char* kGroupWholeWeekText = "Mo - So";

// Writes the editor into slot `slot` of `motor` for the days of the group the
// box shows (groupText) and regroups that slot on the other days:
//   "-":       day D alone with group 1; the other days of D's half of the
//              week (Mo-Fr or Sa-So) become single days, and the other half's
//              Mo-So entries become that half's group (Sa-So or Mo-Fr);
//   "Mo - Fr": Monday to Friday with group 5; a weekend Mo-So entry gets 2;
//   "Sa - So": Saturday and Sunday with group 2; a weekday Mo-So entry gets 5;
//   "Mo - So": all seven days with group 7.
// Written entries get Modified; regrouped ones keep their flag. Any other
// text, or day, motor or slot outside the table, writes nothing.
void ApplyEditorToDayGroup(SwitchTimeTable& table, int day, int motor, int slot,
                           const std::string& groupText, const EditorFields& fields);

// Item of the day-group box for an entry's DayGroup when an entry is loaded
// by the editor's load step: 0 for 1, 2 for 7, otherwise 1.
int GroupItemWhenLoading(int dayGroup);
// ... and when picked from a list: 1 -> 0, 7 -> 2, and 5 (weekday) or 2
// (weekend) -> 1; any other value gives -1 (no item).
int GroupItemWhenPicking(int day, int dayGroup);

// All 56 entries (7 days x 8 slots) of `from` into `to`, each marked
// Modified, empty ones included. Copying a motor onto itself only marks.
void CopyMotorSwitchTimes(SwitchTimeTable& table, int from, int to);

}  // namespace veltrano
