// The pure pieces of the heating and manual sheets: list lines, the week
// overview's segments, and the manual-drive texts.
#include <gtest/gtest.h>

#include <string>

#include "link/manual_drive_code.h"
#include "link/manual_drive_text.h"
#include "masks/heating_lines.h"
#include "masks/heating_week_segments.h"

namespace veltrano {
namespace {

HeatingSettings Heating(int off, int mode, int day, int night) {
    HeatingSettings r;
    r.Off = off;
    r.Mode = mode;
    r.DayTempCode = day;
    r.NightTempCode = night;
    return r;
}

TEST(HeatingLines, FollowTheColumns) {
    struct Case {
        std::string name;
        HeatingSettings record;
        std::string line;
    } cases[] = {
        {"Wohnen", Heating(0, 0, 170, 140),
         "Wohnen        EIN   Heizbetrieb     21,0°C     18,0°C"},
        {"Esszimmer", Heating(0, 1, 255, 0),
         "Esszimmer     EIN   Kühlbetrieb     29,5°C      4,0°C"},
        {"Esszimmer", Heating(1, 1, 255, 0), "Esszimmer     AUS"},
        // Cut to 12 characters; umlauts count once.
        {"Dachgeschoss1", Heating(1, 0, 0, 0), "Dachgeschoss  AUS"},
        {"Schlafzimmer123", Heating(0, 0, 170, 140),
         "Schlafzimmer  EIN   Heizbetrieb     21,0°C     18,0°C"},
        {"Küche", Heating(1, 0, 0, 0), "Küche         AUS"},
        {"Gäste-Büroräu", Heating(1, 0, 0, 0), "Gäste-Bürorä  AUS"},
        // Codes outside their lists: empty texts, the blanks before them kept.
        {"Bad", Heating(0, 7, 256, -1), "Bad           EIN" + std::string(25, ' ')},
        {"Bad", Heating(5, 0, 0, 0), "Bad           "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HeatingLine(c.name, c.record), c.line) << c.name;
}

TEST(ReverseAndTouchLines, FollowTheColumns) {
    ReverseSettings reverse;
    reverse.Off = 0;
    reverse.AtUp = 15;
    reverse.AtDown = 0;
    EXPECT_EQ(ReverseLine("Wohnen", reverse), "Wohnen        EIN      1,5s          0,0s");
    reverse.Off = 1;
    EXPECT_EQ(ReverseLine("Wohnen", reverse), "Wohnen        AUS      ");
    reverse.Off = 0;
    reverse.AtUp = 41;
    EXPECT_EQ(ReverseLine("Wohnen", reverse), "Wohnen        EIN      s          0,0s");

    TouchSettings touch;
    touch.Off = 0;
    touch.DurationCode = 22;
    EXPECT_EQ(TouchLine("Küche", touch, true), "Küche         EIN      01:00");
    EXPECT_EQ(TouchLine("Küche", touch, false), "Küche         EIN      23s");
    touch.DurationCode = 190;
    EXPECT_EQ(TouchLine("Küche", touch, false), "Küche         EIN      Dauer");
    EXPECT_EQ(TouchLine("Küche", touch, true), "Küche         EIN      ");
    touch.Off = 1;
    EXPECT_EQ(TouchLine("Küche", touch, true), "Küche         AUS      ");
}

TEST(ManualDriveText, MotorAndDirection) {
    struct Case {
        int bank, selector, row;
        std::string first, word;
    } cases[] = {
        {1, 1, 0, " rhb1\r", "up"},
        {3, 5, 2, " rhb21\r", "down"},
        {4, 8, 1, " rhb32\r", "off"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ManualDriveMotorText(ManualMotor(c.bank, c.selector)), c.first);
        EXPECT_EQ(ManualDriveDirectionText(c.row),
                  c.word + "\r" + kManualDriveConfirmationCode + "\r + sti\r");
    }
    EXPECT_THROW(ManualDriveDirectionText(3), std::out_of_range);
    EXPECT_THROW(ManualDriveDirectionText(-1), std::out_of_range);
}

// --- Week overview -------------------------------------------------------------------

SwitchTime At(int hour, int minute, int direction) {
    SwitchTime t;
    t.TimeCode = hour * 60 + minute + 1;
    t.Direction = direction;
    return t;
}

struct Expected {
    std::int64_t left, width;
    std::string caption;
    std::optional<SegmentShade> shade;
};

void ExpectSegment(const TimelineSegment& s, const Expected& e, const std::string& where) {
    EXPECT_EQ(s.left, e.left) << where;
    EXPECT_EQ(s.width, e.width) << where;
    EXPECT_EQ(s.caption, e.caption) << where;
    EXPECT_EQ(s.shade, e.shade) << where;
}

constexpr auto kUp = SegmentShade::Up;
constexpr auto kDown = SegmentShade::Down;

TEST(HeatingWeekSegments, MondayMorningAndEvening) {
    WeekSlots week{};
    week[0][0] = At(6, 0, 0);
    week[0][1] = At(22, 0, 1);
    const WeekSegments seg = ComputeWeekSegments(week);
    ExpectSegment(seg[0][0], {4, 147, "", kDown}, "Mo1");
    ExpectSegment(seg[0][1], {147, 408, "06:00", kUp}, "Mo2");
    ExpectSegment(seg[0][2], {555, 50, "22:00", kDown}, "Mo3");
    for (int i = 3; i < 9; ++i)
        EXPECT_EQ(seg[0][static_cast<std::size_t>(i)].width, 0) << "Mo" << i + 1;
    // The days after carry the last slot index and shade.
    for (int day = 1; day < kDayCount; ++day) {
        ExpectSegment(seg[static_cast<std::size_t>(day)][2], {0, 605, "", kDown}, "day 3");
        for (int i : {0, 1, 3, 8})
            EXPECT_EQ(seg[static_cast<std::size_t>(day)][static_cast<std::size_t>(i)].width, 0);
    }
}

TEST(HeatingWeekSegments, EdgeCases) {
    // Days before the first day with entries stay empty.
    WeekSlots week{};
    week[2][0] = At(7, 0, 0);
    WeekSegments seg = ComputeWeekSegments(week);
    for (int day : {0, 1})
        for (const TimelineSegment& s : seg[static_cast<std::size_t>(day)])
            EXPECT_EQ(s.width, 0);
    EXPECT_EQ(seg[2][1].width, 605 - seg[2][1].left);
    EXPECT_EQ(seg[2][1].shade, kUp);
    EXPECT_EQ(seg[3][1].left, 0);
    EXPECT_EQ(seg[3][1].width, 605);

    // Slot 8 the last: segment 9 is stretched from where segment 8 ends.
    week = {};
    for (int slot = 0; slot < kSlotCount; ++slot)
        week[0][static_cast<std::size_t>(slot)] = At(2 + 2 * slot, 0, slot % 2);
    seg = ComputeWeekSegments(week);
    const TimelineSegment& eighth = seg[0][7];
    EXPECT_EQ(seg[0][8].left, eighth.left + eighth.width);
    EXPECT_EQ(seg[0][8].left + seg[0][8].width, 605);
    EXPECT_EQ(seg[0][8].caption, "16:00");
    EXPECT_EQ(seg[0][8].shade, kDown);
    // The next day, without entries, stretches its ninth segment from 0.
    EXPECT_EQ(seg[1][8].left, 0);
    EXPECT_EQ(seg[1][8].width, 605);

    // Out of order and before 00:09: negative widths, kept as summed.
    week = {};
    week[0][0] = At(12, 0, 0);
    week[0][1] = At(0, 1, 1);
    seg = ComputeWeekSegments(week);
    EXPECT_EQ(seg[0][0].width, 302 - 4);
    EXPECT_EQ(seg[0][1].left, 298);
    EXPECT_EQ(seg[0][1].width, 0 - 298);
    EXPECT_EQ(seg[0][2].left, 0);
    EXPECT_EQ(seg[0][2].width, 605);
    // A code above 1440 lies beyond the strip.
    week = {};
    week[0][0] = At(0, 0, 1);
    week[0][0].TimeCode = 3000;
    seg = ComputeWeekSegments(week);
    EXPECT_EQ(seg[0][0].width, 3000 * 605 / 1440 - 4);
    EXPECT_EQ(seg[0][1].width, 605 - seg[0][1].left);
    EXPECT_LT(seg[0][1].width, 0);
}

}  // namespace
}  // namespace veltrano
