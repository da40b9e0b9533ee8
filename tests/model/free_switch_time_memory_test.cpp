#include <gtest/gtest.h>

#include "model/configuration_model.h"

namespace veltrano {
namespace {

// Fills `count` single-day entries, walking through the table from index 0.
void FillSingleDayEntries(SwitchTimeTable& table, int count) {
    for (int i = 0; i < count; ++i) {
        table.at(i).TimeCode = 1 + i % 1440;
        table.at(i).DayGroup = kDayGroupSingleDay;
    }
}

// Stores one group entry in every day of its group, as the editor does.
void PutGroupEntry(SwitchTimeTable& table, int motor, int slot, std::int32_t dayGroup) {
    int first = 0, last = 6;
    if (dayGroup == kDayGroupWeekdays) last = 4;
    if (dayGroup == kDayGroupWeekend) first = 5;
    for (int day = first; day <= last; ++day) {
        table.entry(day, motor, slot).TimeCode = 600;
        table.entry(day, motor, slot).DayGroup = dayGroup;
    }
}

TEST(FreeSwitchTimeMemory, EmptyTableIsAllFree) {
    const FreeMemoryFigure figure = FreeSwitchTimeMemory(SwitchTimeTable{});
    EXPECT_EQ(figure.percent, 100);
    EXPECT_FALSE(figure.insufficient);
    EXPECT_EQ(figure.panelText, "Freier Schaltzeiten-Speicher: 100%");
}

TEST(FreeSwitchTimeMemory, FifteenSinglesAndOneWeekEntryLeave93Percent) {
    SwitchTimeTable table;
    FillSingleDayEntries(table, 15);
    PutGroupEntry(table, 31, 7, kDayGroupWholeWeek);
    const FreeMemoryFigure figure = FreeSwitchTimeMemory(table);
    EXPECT_EQ(figure.percent, 93);
    EXPECT_FALSE(figure.insufficient);
    EXPECT_EQ(figure.panelText, "Freier Schaltzeiten-Speicher: 93%");
}

TEST(FreeSwitchTimeMemory, FullMemoryShowsTheWarning) {
    SwitchTimeTable table;
    FillSingleDayEntries(table, 240);
    const FreeMemoryFigure figure = FreeSwitchTimeMemory(table);
    EXPECT_EQ(figure.percent, 0);
    EXPECT_TRUE(figure.insufficient);
    EXPECT_EQ(figure.panelText, "Freier Schaltzeiten-Speicher: 0%");
}

TEST(FreeSwitchTimeMemory, OneEntryShortOfFullShowsZeroPercentWithoutWarning) {
    SwitchTimeTable table;
    FillSingleDayEntries(table, 239);
    const FreeMemoryFigure figure = FreeSwitchTimeMemory(table);
    EXPECT_EQ(figure.percent, 0);
    EXPECT_FALSE(figure.insufficient);
}

TEST(FreeSwitchTimeMemory, OverfullMemoryShowsZeroNotANegativeFigure) {
    SwitchTimeTable table;
    FillSingleDayEntries(table, 300);
    const FreeMemoryFigure figure = FreeSwitchTimeMemory(table);
    EXPECT_EQ(figure.percent, 0);
    EXPECT_TRUE(figure.insufficient);
    EXPECT_EQ(figure.panelText, "Freier Schaltzeiten-Speicher: 0%");

    FillSingleDayEntries(table, kSwitchTimeCount);
    EXPECT_EQ(FreeSwitchTimeMemory(table).percent, 0);
    EXPECT_TRUE(FreeSwitchTimeMemory(table).insufficient);
}

TEST(FreeSwitchTimeMemory, EachGroupCountsOnceForAllItsCopies) {
    for (std::int32_t group : {kDayGroupWeekend, kDayGroupWeekdays, kDayGroupWholeWeek}) {
        SwitchTimeTable table;
        PutGroupEntry(table, 0, 0, group);
        // One entry of 240: 99,58 % -> 99.
        EXPECT_EQ(FreeSwitchTimeMemory(table).percent, 99) << "group " << group;
    }
}

TEST(FreeSwitchTimeMemory, WholeGroupsSumExactlyAtPercentBoundaries) {
    // 24 week entries use exactly 10 %: the figure must read 90, not 89.
    SwitchTimeTable table;
    for (int i = 0; i < 24; ++i)
        PutGroupEntry(table, i, 0, kDayGroupWholeWeek);
    EXPECT_EQ(FreeSwitchTimeMemory(table).percent, 90);

    // 240 week entries fill the memory exactly.
    SwitchTimeTable full;
    for (int i = 0; i < 240; ++i)
        PutGroupEntry(full, i / 8, i % 8, kDayGroupWholeWeek);
    EXPECT_EQ(FreeSwitchTimeMemory(full).percent, 0);
    EXPECT_TRUE(FreeSwitchTimeMemory(full).insufficient);

    // 48 Monday-to-Friday entries use 20 %.
    SwitchTimeTable weekdays;
    for (int i = 0; i < 48; ++i)
        PutGroupEntry(weekdays, i / 8, i % 8, kDayGroupWeekdays);
    EXPECT_EQ(FreeSwitchTimeMemory(weekdays).percent, 80);
}

TEST(FreeSwitchTimeMemory, PartOfAGroupCountsItsShare) {
    // A weekday entry found on only two days (e.g. after a partial load)
    // counts two fifths.
    SwitchTimeTable table;
    for (int i = 0; i < 60; ++i) {
        table.entry(0, i / 8, i % 8) = {0, 10, 39, kDayGroupWeekdays, 0, true};
        table.entry(1, i / 8, i % 8) = {0, 10, 39, kDayGroupWeekdays, 0, true};
    }
    // 60 x 2/5 = 24 entries: 90 %.
    EXPECT_EQ(FreeSwitchTimeMemory(table).percent, 90);
}

TEST(FreeSwitchTimeMemory, UnknownDayGroupsAndEmptySlotsDoNotCount) {
    SwitchTimeTable table;
    for (int i = 0; i < 1792; ++i) {
        SwitchTime& entry = table.at(i);
        entry.TimeCode = 100;
        entry.DayGroup = (i % 2 == 0) ? 3 : (i % 3 == 0 ? 0 : -1);
    }
    // Empty slots with a known group count nothing either.
    table.at(5) = {0, 0, 39, kDayGroupSingleDay, 0, true};
    table.at(7) = {0, -3, 39, kDayGroupSingleDay, 0, true};
    const FreeMemoryFigure figure = FreeSwitchTimeMemory(table);
    EXPECT_EQ(figure.percent, 100);
    EXPECT_FALSE(figure.insufficient);
}

TEST(FreeSwitchTimeMemory, ModelOperationUsesItsTable) {
    ConfigurationModel model;
    FillSingleDayEntries(model.SwitchTimes, 24);
    EXPECT_EQ(model.FreeSwitchTimeMemory().percent, 90);
    EXPECT_EQ(model.FreeSwitchTimeMemory().panelText, "Freier Schaltzeiten-Speicher: 90%");
}

}  // namespace
}  // namespace veltrano
