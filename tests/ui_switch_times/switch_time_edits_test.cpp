// Slot from a press position, day groups, copying a motor: the table side.
#include <gtest/gtest.h>

#include "masks/switch_time_edits.h"

namespace veltrano {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(RoundHalfEven(2.5001), 3);
    EXPECT_EQ(RoundHalfEven(173.19), 173);
    EXPECT_EQ(RoundHalfEven(178.8), 179);
}

TEST(SlotFromPressPosition, EightSlotsBoundaryBetweenSlotOneAndTwoLiesAt209) {
    // L = 173, each slot spans 72.5 pixels.
    EXPECT_EQ(SlotFromPressPosition(209, true).slot, 0);
    EXPECT_EQ(SlotFromPressPosition(210, true).slot, 1);
    EXPECT_EQ(SlotFromPressPosition(209, true).pressPosition, 36);
    EXPECT_EQ(SlotFromPressPosition(173, true).slot, 0);
    EXPECT_EQ(SlotFromPressPosition(173, true).pressPosition, 0);
    // Between slots 2 and 3: x' = 108.75.
    EXPECT_EQ(SlotFromPressPosition(173 + 108, true).slot, 1);
    EXPECT_EQ(SlotFromPressPosition(173 + 109, true).slot, 2);
    // Left of the first column gives slot 1, right of the last the last slot.
    EXPECT_EQ(SlotFromPressPosition(0, true).slot, 0);
    EXPECT_EQ(SlotFromPressPosition(0, true).pressPosition, -173);
    EXPECT_EQ(SlotFromPressPosition(-40, true).slot, 0);
    EXPECT_EQ(SlotFromPressPosition(752, true).slot, 7);
    EXPECT_EQ(SlotFromPressPosition(5000, true).slot, 7);
}

TEST(SlotFromPressPosition, FourSlotsUseTheNarrowList) {
    // W = 447, L = 179, each slot spans 67 pixels.
    EXPECT_EQ(SlotFromPressPosition(179 + 33, false).slot, 0);
    EXPECT_EQ(SlotFromPressPosition(179 + 34, false).slot, 1);
    EXPECT_EQ(SlotFromPressPosition(179 + 34, false).pressPosition, 34);
    EXPECT_EQ(SlotFromPressPosition(446, false).slot, 3);
    EXPECT_EQ(SlotFromPressPosition(700, false).slot, 3);  // never slot 5 .. 8
}

EditorFields Fields(int direction, int timeCode, int duration, int function) {
    return EditorFields{direction, timeCode, duration, function};
}

SwitchTime Stored(int timeCode, int dayGroup, bool modified = false) {
    SwitchTime e;
    e.TimeCode = timeCode;
    e.DayGroup = dayGroup;
    e.Modified = modified;
    return e;
}

class DayGroupTest : public ::testing::Test {
  protected:
    void SetAll(const SwitchTime& e) {
        for (int d = 0; d < kDayCount; ++d)
            table.entry(d, kMotor, kSlot) = e;
    }
    const SwitchTime& At(int day) { return table.entry(day, kMotor, kSlot); }

    static constexpr int kMotor = 4;
    static constexpr int kSlot = 2;
    SwitchTimeTable table;
};

TEST_F(DayGroupTest, WeekdaysOnTuesdayWriteMondayToFridayOnly) {
    for (SwitchTime& e : table)
        e.Modified = false;
    ApplyEditorToDayGroup(table, 1, kMotor, kSlot, "Mo - Fr", Fields(1, 400, 12, 2));
    for (int d = 0; d < 5; ++d) {
        EXPECT_EQ(At(d).TimeCode, 400) << d;
        EXPECT_EQ(At(d).Direction, 1);
        EXPECT_EQ(At(d).DurationCode, 12);
        EXPECT_EQ(At(d).Function, 2);
        EXPECT_EQ(At(d).DayGroup, 5);
        EXPECT_TRUE(At(d).Modified);
    }
    for (int d = 5; d < 7; ++d) {
        EXPECT_EQ(At(d), Stored(0, 1)) << d;
    }
    // Nothing else in the table moved.
    int modified = 0;
    for (const SwitchTime& e : table)
        modified += e.Modified;
    EXPECT_EQ(modified, 5);
}

TEST_F(DayGroupTest, WeekdaysSplitAWholeWeekOnTheWeekend) {
    SetAll(Stored(300, 7));
    ApplyEditorToDayGroup(table, 3, kMotor, kSlot, "Mo - Fr", Fields(0, 301, 1, 0));
    EXPECT_EQ(At(5), Stored(300, 2));
    EXPECT_EQ(At(6), Stored(300, 2));
}

TEST_F(DayGroupTest, SingleDayOnSaturdayFromAWholeWeek) {
    SetAll(Stored(300, 7));
    ApplyEditorToDayGroup(table, 5, kMotor, kSlot, "-", Fields(1, 500, 3, 1));
    EXPECT_EQ(At(5).TimeCode, 500);
    EXPECT_EQ(At(5).DayGroup, 1);
    EXPECT_TRUE(At(5).Modified);
    EXPECT_EQ(At(6), Stored(300, 1));  // only its group changed
    for (int d = 0; d < 5; ++d)
        EXPECT_EQ(At(d), Stored(300, 5)) << d;
}

TEST_F(DayGroupTest, SingleDayOnWednesdayFromAWholeWeek) {
    SetAll(Stored(300, 7));
    ApplyEditorToDayGroup(table, 2, kMotor, kSlot, "-", Fields(0, 222, 3, 0));
    for (int d = 0; d < 5; ++d) {
        EXPECT_EQ(At(d).DayGroup, 1) << d;
        EXPECT_EQ(At(d).TimeCode, d == 2 ? 222 : 300) << d;
        EXPECT_EQ(At(d).Modified, d == 2) << d;
    }
    EXPECT_EQ(At(5), Stored(300, 2));
    EXPECT_EQ(At(6), Stored(300, 2));
}

TEST_F(DayGroupTest, SingleDayLeavesOtherHalfAloneUnlessWholeWeek) {
    SetAll(Stored(300, 2));
    table.entry(0, kMotor, kSlot) = Stored(10, 5);
    ApplyEditorToDayGroup(table, 0, kMotor, kSlot, "-", Fields(0, 11, 3, 0));
    EXPECT_EQ(At(5), Stored(300, 2));
    EXPECT_EQ(At(6), Stored(300, 2));
    EXPECT_EQ(At(1), Stored(300, 1));
}

TEST_F(DayGroupTest, WeekendAndWholeWeek) {
    SetAll(Stored(300, 7));
    ApplyEditorToDayGroup(table, 6, kMotor, kSlot, "Sa - So", Fields(1, 60, 5, 0));
    EXPECT_EQ(At(5).DayGroup, 2);
    EXPECT_EQ(At(6).TimeCode, 60);
    for (int d = 0; d < 5; ++d)
        EXPECT_EQ(At(d), Stored(300, 5)) << d;

    ApplyEditorToDayGroup(table, 0, kMotor, kSlot, "Mo - So", Fields(0, 61, 5, 0));
    for (int d = 0; d < 7; ++d) {
        EXPECT_EQ(At(d).TimeCode, 61);
        EXPECT_EQ(At(d).DayGroup, 7);
        EXPECT_TRUE(At(d).Modified);
    }
}

TEST_F(DayGroupTest, NothingOutsideTheTableOrWithoutAGroup) {
    SetAll(Stored(300, 7));
    const SwitchTimeTable before = table;
    ApplyEditorToDayGroup(table, 0, kMotor, 8, "-", Fields(0, 1, 1, 1));  // the blank slot item
    ApplyEditorToDayGroup(table, 0, 32, 0, "-", Fields(0, 1, 1, 1));
    ApplyEditorToDayGroup(table, -1, 0, 0, "-", Fields(0, 1, 1, 1));
    ApplyEditorToDayGroup(table, 0, kMotor, kSlot, "", Fields(0, 1, 1, 1));
    EXPECT_EQ(table, before);
}

TEST_F(DayGroupTest, BoxesWithoutItemKeepTheEntrysValues) {
    table.entry(0, kMotor, kSlot) = Stored(300, 1);
    table.entry(0, kMotor, kSlot).DurationCode = 77;
    ApplyEditorToDayGroup(table, 0, kMotor, kSlot, "-", EditorFields{1, 400, std::nullopt, 1});
    EXPECT_EQ(At(0).DurationCode, 77);
    EXPECT_EQ(At(0).TimeCode, 400);
}

TEST(GroupItems, LoadingAndPicking) {
    EXPECT_EQ(GroupItemWhenLoading(1), 0);
    EXPECT_EQ(GroupItemWhenLoading(7), 2);
    EXPECT_EQ(GroupItemWhenLoading(5), 1);
    EXPECT_EQ(GroupItemWhenLoading(2), 1);
    EXPECT_EQ(GroupItemWhenLoading(9), 1);

    EXPECT_EQ(GroupItemWhenPicking(0, 1), 0);
    EXPECT_EQ(GroupItemWhenPicking(0, 5), 1);
    EXPECT_EQ(GroupItemWhenPicking(0, 2), -1);
    EXPECT_EQ(GroupItemWhenPicking(4, 7), 2);
    EXPECT_EQ(GroupItemWhenPicking(5, 2), 1);
    EXPECT_EQ(GroupItemWhenPicking(6, 5), -1);
    EXPECT_EQ(GroupItemWhenPicking(6, 0), -1);
}

TEST(CopyMotor, OverwritesAllFiftySixEntriesAndMarksThem) {
    SwitchTimeTable table;
    for (SwitchTime& e : table)
        e.Modified = false;
    table.entry(3, 2, 5) = Stored(99, 7);
    table.entry(3, 9, 1) = Stored(55, 1);  // overwritten by the empty source slot
    CopyMotorSwitchTimes(table, 2, 9);
    EXPECT_EQ(table.entry(3, 9, 5), Stored(99, 7, true));
    EXPECT_EQ(table.entry(3, 9, 1).TimeCode, 0);
    int modified = 0;
    for (int d = 0; d < 7; ++d)
        for (int s = 0; s < 8; ++s) {
            EXPECT_TRUE(table.entry(d, 9, s).Modified);
            modified += table.entry(d, 2, s).Modified;
        }
    EXPECT_EQ(modified, 0);  // the source keeps its flags
}

TEST(CopyMotor, OntoItselfOnlyMarks) {
    SwitchTimeTable table;
    for (SwitchTime& e : table)
        e.Modified = false;
    table.entry(1, 3, 0) = Stored(700, 5);
    SwitchTimeTable expected = table;
    for (int d = 0; d < 7; ++d)
        for (int s = 0; s < 8; ++s)
            expected.entry(d, 3, s).Modified = true;
    CopyMotorSwitchTimes(table, 3, 3);
    EXPECT_EQ(table, expected);
    CopyMotorSwitchTimes(table, 3, -1);
    CopyMotorSwitchTimes(table, 32, 3);
    EXPECT_EQ(table, expected);
}

}  // namespace
}  // namespace veltrano
