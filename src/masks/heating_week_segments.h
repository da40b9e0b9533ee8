// The heating sheet's week overview: for one room, seven strips of nine
// segments (Mo1 .. So9) that show when its switching times select the day
// temperature (up) and the night temperature (down). Pure computation over
// the room's 56 slots; the sheet only draws what this returns.
#pragma once

#include <array>
#include <cstdint>

#include "masks/day_timeline_segments.h"
#include "model/switch_time_table.h"

namespace veltrano {

inline constexpr int kWeekStripWidth = 605;  // 24 hours
inline constexpr int kWeekFirstLeft = 4;     // where segment 1 starts

using WeekSegments = std::array<TimelineSegments, kDayCount>;

// x = timeCode x 605 div 1440, truncating (64-bit, so any code is safe).
std::int64_t WeekPosition(std::int32_t timeCode);

// The room's slots: day 0..6 (Monday first), slot 0..7.
using WeekSlots = std::array<std::array<SwitchTime, kSlotCount>, kDayCount>;
WeekSlots RoomWeekSlots(const SwitchTimeTable& table, int motor);

// The week, Monday first. Per day as the day timeline: segment 1 at x = 4,
// segment k + 1 starting at the sum of the widths before it, captions copied
// forward, segment k + 1 shaded by slot k's direction (empty or not). Two
// values carry over from day to day, both unset at Monday: the last shade
// and the last used slot index. The segment after that index is stretched
// to x = 605 in the last shade (on a day without entries too); the first of
// segments 1..8 with a width above zero takes the last shade. Days before
// the first day with entries keep all widths 0.
WeekSegments ComputeWeekSegments(const WeekSlots& week);

}  // namespace veltrano
