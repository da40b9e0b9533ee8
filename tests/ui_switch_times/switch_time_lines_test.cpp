// The text of the switching-time lists, character for character.
#include <gtest/gtest.h>

#include <string>

#include "masks/switch_time_lines.h"
#include "model/configuration_model.h"

namespace veltrano {
namespace {

const std::string kEmptySlot = "        |  ";  // five blanks, blank, blank, blank, |, two blanks

SwitchTime Entry(int timeCode, int direction) {
    SwitchTime e;
    e.TimeCode = timeCode;
    e.Direction = direction;
    return e;
}

TEST(SwitchTimeLines, ExampleLineMotorOneOnMonday) {
    SwitchTime slots[kSlotCount];
    slots[0] = Entry(6 * 60 + 30 + 1, kUp);     // 06:30 up
    slots[1] = Entry(20 * 60 + 15 + 1, kDown);  // 20:15 down
    const std::string line = SwitchTimeListLine("Mo", "Motor 1", slots);

    std::string expected = "Mo  Motor 1         ";  // Mo, two blanks, name, nine blanks
    expected += "06:30 ^ |  ";
    expected += "20:15 v |  ";
    for (int i = 0; i < 6; ++i)
        expected += std::string(8, ' ') + "|  ";
    EXPECT_EQ(line, expected);
    EXPECT_EQ(line.size(), 108u);
    EXPECT_EQ(kListLineLength, 108);
}

TEST(SwitchTimeLines, SeparatorLineByteForByte) {
    const std::string expected =
        "----------------------------+----------+----------+----------+----------+----------+"
        "----------+---------";
    EXPECT_EQ(SwitchTimeSeparatorLine(), expected);
    EXPECT_EQ(SwitchTimeSeparatorLine().size(), 104u);
    // The "+" signs stand under the "|" of the slot columns.
    SwitchTime slots[kSlotCount];
    const std::string line = SwitchTimeListLine("Di", "X", slots);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (expected[i] == '+') {
            EXPECT_EQ(line[i], '|') << i;
        }
    }
}

TEST(SwitchTimeLines, NamesAreCutOrPaddedToTwelveCharacters) {
    SwitchTime slots[kSlotCount];
    EXPECT_EQ(SwitchTimeListLine("So", "Wohnzimmer Süd", slots).substr(0, 20),
              "So  Wohnzimmer S    ");
    EXPECT_EQ(SwitchTimeListLine("So", "", slots).substr(0, 20),
              std::string("So") + std::string(18, ' '));
    // Characters, not bytes: umlauts take one column each.
    const std::string line = SwitchTimeListLine("Sa", "ÄÖÜäöüßÄÖÜäöüß", slots);
    EXPECT_EQ(line.substr(0, 4), "Sa  ");
    EXPECT_EQ(line.find("ÄÖÜäöüßÄÖÜäö    "), 4u);
    EXPECT_EQ(line.find("ÄÖÜäöüßÄÖÜäöü"), std::string::npos);
}

TEST(SwitchTimeLines, EmptyAndOddSlots) {
    SwitchTime slots[kSlotCount];
    slots[0] = Entry(0, kDown);              // empty whatever the direction
    slots[1] = Entry(-5, kUp);               // below zero: empty as well
    slots[2] = Entry(1, kUp);                // 00:00
    slots[3] = Entry(kLastTimeCode, 1);      // 23:59
    slots[4] = Entry(kLastTimeCode + 1, 0);  // beyond the list: keeps its columns
    slots[5] = Entry(100, 7);                // any direction but 0 shows down
    const std::string line = SwitchTimeListLine("Mi", "M", slots);
    ASSERT_EQ(line.size(), 108u);
    EXPECT_EQ(line.substr(20, 11), kEmptySlot);
    EXPECT_EQ(line.substr(31, 11), kEmptySlot);
    EXPECT_EQ(line.substr(42, 11), "00:00 ^ |  ");
    EXPECT_EQ(line.substr(53, 11), "23:59 v |  ");
    EXPECT_EQ(line.substr(64, 11), "??:?? ^ |  ");
    EXPECT_EQ(line.substr(75, 11), "01:39 v |  ");
}

TEST(SwitchTimeLines, RowsOfBothListsAndTheirSeparators) {
    ConfigurationModel model;
    model.motorName(32) = "Letzter";
    model.switchTime(6, 31, 7) = Entry(721, kDown);
    const auto day = DayListLines(model);
    const auto motor = MotorListLines(model);
    ASSERT_EQ(day.size(), 230u);
    ASSERT_EQ(motor.size(), 255u);
    for (int d = 0; d < 6; ++d)
        EXPECT_EQ(day[33 * d + 32], SwitchTimeSeparatorLine()) << d;
    for (int m = 0; m < 31; ++m)
        EXPECT_EQ(motor[8 * m + 7], SwitchTimeSeparatorLine()) << m;
    EXPECT_EQ(day[229].substr(0, 20), "So  Letzter         ");
    EXPECT_EQ(day[229], motor[254]);
    EXPECT_EQ(day[229].substr(97, 11), "12:00 v |  ");
    EXPECT_EQ(day[DayListRow(3, 5)], motor[MotorListRow(5, 3)]);
    EXPECT_EQ(day[DayListRow(3, 5)].substr(0, 20), "Do  Motor 6         ");

    EXPECT_TRUE(IsDayListSeparator(32));
    EXPECT_TRUE(IsDayListSeparator(197));
    EXPECT_FALSE(IsDayListSeparator(229));
    EXPECT_TRUE(IsMotorListSeparator(7));
    EXPECT_TRUE(IsMotorListSeparator(247));
    EXPECT_FALSE(IsMotorListSeparator(254));
}

TEST(SwitchTimeLines, HeadingsStandOverTheSlotColumns) {
    const std::string numbers = SwitchTimeNumberHeading();
    EXPECT_EQ(numbers.find("Nr. 1"), 20u);
    EXPECT_EQ(numbers.find("Nr. 2"), 31u);
    EXPECT_EQ(numbers.find("Nr. 8"), 97u);
    EXPECT_EQ(SwitchTimeCaptionHeading().find("Schaltzeit"), 20u);
}

}  // namespace
}  // namespace veltrano
