#include "model/switch_time_table.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace veltrano {
namespace {

TEST(EntryIndex, DayMotorSlotLayout) {
    EXPECT_EQ(EntryIndex(0, 0, 0), 0);
    EXPECT_EQ(EntryIndex(0, 0, 7), 7);
    EXPECT_EQ(EntryIndex(0, 1, 0), 8);
    EXPECT_EQ(EntryIndex(0, 31, 7), 255);
    EXPECT_EQ(EntryIndex(1, 0, 0), 256);
    EXPECT_EQ(EntryIndex(2, 5, 3), 2 * 256 + 5 * 8 + 3);
    EXPECT_EQ(EntryIndex(6, 31, 7), 1791);
    static_assert(EntryIndex(6, 31, 7) + 1 == kSwitchTimeCount);
}

TEST(EntryIndex, ControllerNumberingIsOneBased) {
    // The Controller's day 1..7, motor 1..32, slot 1..8 name the same entry.
    auto oneBased = [](int day, int motor, int slot) {
        return (day - 1) * 256 + (motor - 1) * 8 + (slot - 1);
    };
    EXPECT_EQ(EntryIndex(6, 31, 7), oneBased(7, 32, 8));
    EXPECT_EQ(EntryIndex(0, 0, 0), oneBased(1, 1, 1));
}

TEST(EntryIndex, EveryEntryHasItsOwnIndex) {
    std::vector<int> seen(kSwitchTimeCount, 0);
    for (int day = 0; day < kDayCount; ++day)
        for (int motor = 0; motor < kMotorCount; ++motor)
            for (int slot = 0; slot < kSlotCount; ++slot)
                ++seen.at(EntryIndex(day, motor, slot));
    for (int count : seen)
        EXPECT_EQ(count, 1);
}

TEST(SwitchTimeTable, NewEntriesHoldStartValues) {
    SwitchTimeTable table;
    EXPECT_EQ(table.size(), 1792);
    for (const SwitchTime& entry : table) {
        EXPECT_EQ(entry.Direction, 0);
        EXPECT_EQ(entry.TimeCode, 0);
        EXPECT_EQ(entry.DurationCode, 39);
        EXPECT_EQ(entry.DayGroup, 1);
        EXPECT_EQ(entry.Function, 0);
        EXPECT_TRUE(entry.Modified);
        EXPECT_TRUE(entry.IsEmpty());
    }
}

TEST(SwitchTimeTable, EntryAndAtAddressTheSameElement) {
    SwitchTimeTable table;
    table.entry(3, 17, 5).TimeCode = 391;
    EXPECT_EQ(table.at(EntryIndex(3, 17, 5)).TimeCode, 391);
    EXPECT_EQ(&table.entry(3, 17, 5), &*(table.begin() + EntryIndex(3, 17, 5)));
    const SwitchTimeTable& constTable = table;
    EXPECT_EQ(constTable.entry(3, 17, 5).TimeCode, 391);
}

TEST(SwitchTimeTable, RejectsAddressesOutsideTheTable) {
    SwitchTimeTable table;
    EXPECT_THROW(table.entry(7, 0, 0), std::out_of_range);
    EXPECT_THROW(table.entry(-1, 0, 0), std::out_of_range);
    EXPECT_THROW(table.entry(0, 32, 0), std::out_of_range);
    EXPECT_THROW(table.entry(0, -1, 0), std::out_of_range);
    EXPECT_THROW(table.entry(0, 0, 8), std::out_of_range);
    EXPECT_THROW(table.entry(0, 0, -1), std::out_of_range);
    EXPECT_THROW(table.at(1792), std::out_of_range);
    EXPECT_THROW(table.at(-1), std::out_of_range);
    // A slot past the end must not wrap into the next motor.
    EXPECT_FALSE(IsValidEntry(0, 0, 8));
    EXPECT_TRUE(IsValidEntry(6, 31, 7));
}

TEST(SwitchTime, EmptyWhateverTheOtherFields) {
    SwitchTime entry;
    entry.Direction = 1;
    entry.DurationCode = 100;
    entry.DayGroup = 7;
    entry.Function = 2;
    EXPECT_TRUE(entry.IsEmpty());
    entry.TimeCode = -5;
    EXPECT_TRUE(entry.IsEmpty());
    entry.TimeCode = 1;
    EXPECT_FALSE(entry.IsEmpty());
}

}  // namespace
}  // namespace veltrano
