#include "masks/heating_week_segments.h"

#include "masks/switch_time_lines.h"

namespace veltrano {
namespace {

constexpr std::int64_t kMinutesPerDay = 1440;

}  // namespace

std::int64_t WeekPosition(std::int32_t timeCode) {
    return static_cast<std::int64_t>(timeCode) * kWeekStripWidth / kMinutesPerDay;
}

WeekSlots RoomWeekSlots(const SwitchTimeTable& table, int motor) {
    WeekSlots week{};
    for (int day = 0; day < kDayCount; ++day)
        for (int slot = 0; slot < kSlotCount; ++slot)
            week[static_cast<std::size_t>(day)][static_cast<std::size_t>(slot)] =
                table.entry(day, motor - 1, slot);
    return week;
}

WeekSegments ComputeWeekSegments(const WeekSlots& week) {
    WeekSegments result;
    std::optional<SegmentShade> lastShade;  // carried from day to day
    int lastUsed = 0;                       // 1-based slot; 0 = unset

    for (int day = 0; day < kDayCount; ++day) {
        const auto& slots = week[static_cast<std::size_t>(day)];
        TimelineSegments& seg = result[static_cast<std::size_t>(day)];
        seg[0].left = kWeekFirstLeft;
        std::int64_t sum = 0;
        for (int k = 1; k <= kSlotCount; ++k) {
            const SwitchTime& slot = slots[static_cast<std::size_t>(k - 1)];
            TimelineSegment& own = seg[static_cast<std::size_t>(k - 1)];
            TimelineSegment& next = seg[static_cast<std::size_t>(k)];
            own.width = slot.IsEmpty() ? 0 : WeekPosition(slot.TimeCode) - own.left;
            sum += own.width;
            if (k < kSlotCount) next.left = sum;
            next.caption = slot.IsEmpty() ? own.caption : SwitchTimeTimeText(slot.TimeCode);
            next.shade = ShadeOf(slot);
            if (!slot.IsEmpty()) {
                lastShade = ShadeOf(slot);
                lastUsed = k;
            }
        }
        if (lastUsed > 0) {
            if (lastUsed == kSlotCount) {
                const TimelineSegment& eighth = seg[kSlotCount - 1];
                seg[kSlotCount].left = eighth.left + eighth.width;
            }
            TimelineSegment& stretched = seg[static_cast<std::size_t>(lastUsed)];
            stretched.width = kWeekStripWidth - stretched.left;
            stretched.shade = lastShade;
        }
        for (int i = 0; i < kSlotCount; ++i) {
            if (seg[static_cast<std::size_t>(i)].width > 0) {
                seg[static_cast<std::size_t>(i)].shade = lastShade;
                break;
            }
        }
    }
    return result;
}

}  // namespace veltrano
