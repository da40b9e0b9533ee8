// The segments of the day timeline: the eight switching times of one day and
// motor as a bar over 24 hours in 640 pixels. Pure computation; the strip
// widget (day_timeline.h) only draws what this returns.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "model/switch_time_table.h"

namespace veltrano {

inline constexpr int kTimelineSegmentCount = 9;  // B1 .. B9
inline constexpr int kTimelineWidth = 640;       // 24 hours
inline constexpr int kTimelineFirstLeft = 5;     // where B1 starts

enum class SegmentShade {
    Up,    // after an upward switching time
    Down,  // after a downward switching time (and the start colour)
};

struct TimelineSegment {
    // Left edge and width as the algorithm sums them. Both may fall below
    // zero (times out of order, times before 00:11); the drawing clamps,
    // the sums do not.
    std::int64_t left = 0;
    std::int64_t width = 0;
    std::string caption;
    // The shade this drawing gives; std::nullopt leaves the shade the label has.
    std::optional<SegmentShade> shade;
    bool operator==(const TimelineSegment&) const = default;
};

using TimelineSegments = std::array<TimelineSegment, kTimelineSegmentCount>;

// The shade a switching time gives the segment after it (empty slots included).
SegmentShade ShadeOf(const SwitchTime& slot);

// x = timeCode x 640 div 1440, truncating (64-bit, so any code is safe).
std::int64_t TimelinePosition(std::int32_t timeCode);

// The nine segments of the slots (slot 1 first) of one day and motor.
//  - B1 starts at x = 5 without caption; B(k+1) starts where B1..Bk end.
//  - A used slot k ends segment k at its position and gives segment k + 1
//    its time as caption; an empty slot gives segment k width 0. Captions
//    are carried forward over empty slots.
//  - Segment k (k >= 2) takes the shade of slot k - 1's direction, empty or not.
//  - The segment after the last used slot is stretched to x = 640 in the
//    last used slot's shade (B9 then starts where B8 ends if that slot is 8).
//  - The first of B1..B8 with a width above zero takes that shade as well,
//    so midnight to the first time shows the state in which the day ends.
TimelineSegments ComputeTimelineSegments(const SwitchTime (&daySlots)[kSlotCount]);

}  // namespace veltrano
