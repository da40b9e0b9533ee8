// The segments of the day timeline, computed without any widget.
#include <gtest/gtest.h>

#include "masks/day_timeline_segments.h"

namespace veltrano {
namespace {

int Code(int hour, int minute) {
    return hour * 60 + minute + 1;
}

struct Day {
    SwitchTime slots[kSlotCount];
    Day& Set(int slot, int timeCode, int direction) {
        slots[slot - 1].TimeCode = timeCode;
        slots[slot - 1].Direction = direction;
        return *this;
    }
    Day& Direction(int slot, int direction) {
        slots[slot - 1].Direction = direction;
        return *this;
    }
    TimelineSegments Segments() const { return ComputeTimelineSegments(slots); }
};

TEST(TimelineSegments, PositionTruncates) {
    EXPECT_EQ(TimelinePosition(Code(6, 30)), 173);
    EXPECT_EQ(TimelinePosition(Code(20, 15)), 540);
    EXPECT_EQ(TimelinePosition(Code(12, 0)), 320);
    EXPECT_EQ(TimelinePosition(1440), 640);
    EXPECT_EQ(TimelinePosition(2147483647), 954437176);  // no overflow
}

TEST(TimelineSegments, ExampleUpAtHalfPastSixDownAtQuarterPastEight) {
    const auto s = Day().Set(1, Code(6, 30), kUp).Set(2, Code(20, 15), kDown).Segments();
    EXPECT_EQ(s[0].left, 5);
    EXPECT_EQ(s[0].width, 168);
    EXPECT_EQ(s[0].shade, SegmentShade::Down);  // the day ends down
    EXPECT_EQ(s[0].caption, "");
    EXPECT_EQ(s[1].left, 168);
    EXPECT_EQ(s[1].width, 372);
    EXPECT_EQ(s[1].shade, SegmentShade::Up);
    EXPECT_EQ(s[1].caption, "06:30");
    EXPECT_EQ(s[2].left, 540);
    EXPECT_EQ(s[2].width, 100);
    EXPECT_EQ(s[2].shade, SegmentShade::Down);
    EXPECT_EQ(s[2].caption, "20:15");
    for (int i = 3; i < 9; ++i)
        EXPECT_EQ(s[i].width, 0) << i;
}

TEST(TimelineSegments, EmptyDayDrawsNothing) {
    const auto s = Day().Segments();
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(s[i].width, 0) << i;
        EXPECT_EQ(s[i].caption, "") << i;
    }
    EXPECT_EQ(s[0].left, 5);
    EXPECT_FALSE(s[0].shade.has_value());  // B1 keeps what it had
    EXPECT_FALSE(s[8].shade.has_value());
}

TEST(TimelineSegments, SingleTimeAtNoonUp) {
    const auto s = Day().Set(1, Code(12, 0), kUp).Segments();
    EXPECT_EQ(s[0].left, 5);
    EXPECT_EQ(s[0].left + s[0].width, 320);
    EXPECT_EQ(s[0].shade, SegmentShade::Up);
    EXPECT_EQ(s[1].left, 315);
    EXPECT_EQ(s[1].left + s[1].width, 640);
    EXPECT_EQ(s[1].caption, "12:00");
    EXPECT_EQ(s[1].shade, SegmentShade::Up);
}

TEST(TimelineSegments, EmptySlotBetweenTwoUsedSlots) {
    // Slot 2 empty but stored "down": segment 3 takes that colour.
    const auto s =
        Day().Set(1, Code(6, 0), kUp).Direction(2, kDown).Set(3, Code(18, 0), kUp).Segments();
    EXPECT_EQ(s[1].width, 0);  // the empty slot's segment
    EXPECT_EQ(s[2].left, TimelinePosition(Code(6, 0)) - 5);
    EXPECT_EQ(s[2].left + s[2].width, TimelinePosition(Code(18, 0)));
    EXPECT_EQ(s[2].caption, "06:00");  // carried over the empty slot
    EXPECT_EQ(s[2].shade, SegmentShade::Down);
    EXPECT_EQ(s[3].caption, "18:00");
    EXPECT_EQ(s[3].left + s[3].width, 640);
    EXPECT_EQ(s[3].shade, SegmentShade::Up);
    EXPECT_EQ(s[0].shade, SegmentShade::Up);
}

TEST(TimelineSegments, FromTheThirdSegmentLeftEdgesAreTheSwitchingTimes) {
    const auto s = Day()
                       .Set(1, Code(5, 0), kUp)
                       .Set(2, Code(9, 0), kDown)
                       .Set(3, Code(13, 0), kUp)
                       .Set(4, Code(17, 0), kDown)
                       .Segments();
    EXPECT_EQ(s[1].left, TimelinePosition(Code(5, 0)) - 5);
    EXPECT_EQ(s[2].left, TimelinePosition(Code(9, 0)));
    EXPECT_EQ(s[3].left, TimelinePosition(Code(13, 0)));
    EXPECT_EQ(s[4].left, TimelinePosition(Code(17, 0)));
    EXPECT_EQ(s[4].width, 640 - s[4].left);
    EXPECT_EQ(s[4].caption, "17:00");
    EXPECT_EQ(s[8].caption, "17:00");  // carried forward to B9
}

TEST(TimelineSegments, TimeInSlotEightStretchesB9) {
    const auto s = Day().Set(8, Code(22, 0), kDown).Segments();
    const std::int64_t x8 = TimelinePosition(Code(22, 0));
    EXPECT_EQ(s[7].left, 0);  // the sum of seven zero widths
    EXPECT_EQ(s[7].width, x8);
    EXPECT_EQ(s[7].shade, SegmentShade::Down);  // the first segment with a width
    EXPECT_EQ(s[8].left, s[7].left + s[7].width);
    EXPECT_EQ(s[8].left, x8);
    EXPECT_EQ(s[8].width, 640 - x8);
    EXPECT_EQ(s[8].caption, "22:00");
    EXPECT_EQ(s[8].shade, SegmentShade::Down);
}

TEST(TimelineSegments, TimesOutOfOrderGiveNegativeWidthsThatStayInTheSums) {
    const auto s = Day().Set(1, Code(18, 0), kUp).Set(2, Code(6, 0), kDown).Segments();
    const std::int64_t x1 = TimelinePosition(Code(18, 0));
    const std::int64_t x2 = TimelinePosition(Code(6, 0));
    EXPECT_EQ(s[1].left, x1 - 5);
    EXPECT_EQ(s[1].width, x2 - (x1 - 5));
    EXPECT_LT(s[1].width, 0);
    EXPECT_EQ(s[2].left, x2);  // the sum of a positive and a negative width
    EXPECT_EQ(s[2].width, 640 - x2);
    EXPECT_EQ(s[0].shade, SegmentShade::Down);
}

TEST(TimelineSegments, TimeBeforeEleven) {
    const auto s = Day().Set(1, Code(0, 5), kDown).Segments();  // x = 2
    EXPECT_EQ(s[0].width, -3);
    EXPECT_EQ(s[1].left, -3);
    EXPECT_EQ(s[1].width, 643);
    // B1 has no width above zero; B2 is the first and takes the last colour.
    EXPECT_EQ(s[1].shade, SegmentShade::Down);
}

}  // namespace
}  // namespace veltrano
