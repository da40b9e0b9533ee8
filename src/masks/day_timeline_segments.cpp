#include "masks/day_timeline_segments.h"

#include "masks/switch_time_lines.h"

namespace veltrano {
namespace {

constexpr std::int64_t kMinutesPerDay = 1440;

}  // namespace

SegmentShade ShadeOf(const SwitchTime& slot) {
    return slot.Direction == kUp ? SegmentShade::Up : SegmentShade::Down;
}

std::int64_t TimelinePosition(std::int32_t timeCode) {
    return static_cast<std::int64_t>(timeCode) * kTimelineWidth / kMinutesPerDay;
}

TimelineSegments ComputeTimelineSegments(const SwitchTime (&daySlots)[kSlotCount]) {
    TimelineSegments seg{};
    SegmentShade lastShade = SegmentShade::Down;
    int lastUsed = 0;  // 1-based slot; 0 = none

    seg[0].left = kTimelineFirstLeft;
    seg[0].caption.clear();
    seg[1].caption.clear();
    for (int k = 1; k <= kSlotCount; ++k) {
        const SwitchTime& slot = daySlots[k - 1];
        TimelineSegment& own = seg[k - 1];
        if (!slot.IsEmpty()) {
            own.width = TimelinePosition(slot.TimeCode) - own.left;
            seg[k].caption = SwitchTimeTimeText(slot.TimeCode);
        } else {
            own.width = 0;
        }
        if (k >= 2) own.shade = ShadeOf(daySlots[k - 2]);
        if (!slot.IsEmpty()) {
            lastShade = ShadeOf(slot);
            lastUsed = k;
        }
        if (k + 1 < kTimelineSegmentCount) seg[k + 1].caption = seg[k].caption;
        if (k <= kSlotCount - 1) {
            std::int64_t left = 0;
            for (int i = 0; i < k; ++i)
                left += seg[i].width;
            seg[k].left = left;
        }
    }
    seg[kTimelineSegmentCount - 1].width = 0;

    if (lastUsed > 0) {
        if (lastUsed == kSlotCount) {
            const TimelineSegment& b8 = seg[kSlotCount - 1];
            seg[kSlotCount].left = b8.left + b8.width;
        }
        TimelineSegment& stretched = seg[lastUsed];
        stretched.width = kTimelineWidth - stretched.left;
        stretched.shade = lastShade;
    }
    for (int i = 0; i < kSlotCount; ++i) {
        if (seg[i].width > 0) {
            seg[i].shade = lastShade;
            break;
        }
    }
    return seg;
}

}  // namespace veltrano
