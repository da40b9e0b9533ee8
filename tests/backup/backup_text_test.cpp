#include <gtest/gtest.h>

#include "backup/backup_text.h"
#include "backup/holiday_field.h"

namespace veltrano {
namespace {

using backup::From;
using backup::Mid;
using backup::ToInteger;

TEST(BackupTextTest, PositionsAreOneBasedAndCutAtTheEnd) {
    EXPECT_EQ(Mid("EinAus=Ein", 8, 3), "Ein");
    EXPECT_EQ(Mid("EinAus=Ei", 8, 3), "Ei");
    EXPECT_EQ(Mid("EinAus=", 8, 3), "");
    EXPECT_EQ(Mid("abc", 0, 2), "");
    EXPECT_EQ(From("Dauer=40", 7), "40");
    EXPECT_EQ(From("Dauer=", 7), "");
    EXPECT_EQ(From("Dauer", 7), "");
}

TEST(BackupTextTest, IntegersAsTheFileHoldsThem) {
    EXPECT_EQ(ToInteger("0"), 0);
    EXPECT_EQ(ToInteger("40"), 40);
    EXPECT_EQ(ToInteger("-9"), -9);
    EXPECT_EQ(ToInteger("+7"), 7);
    EXPECT_EQ(ToInteger("07"), 7);
    EXPECT_EQ(ToInteger("  12"), 12);  // leading blanks, as after "Key= "
    EXPECT_EQ(ToInteger("2147483647"), 2147483647);
    EXPECT_EQ(ToInteger("-2147483648"), -2147483647 - 1);
}

TEST(BackupTextTest, AnythingElseIsNoInteger) {
    for (const char* text :
         {"", " ", "-", "+", "= 10", "10 ", "1x", "x1", "1.5", "0x10", "--", "+-1", "-+1",
          "2147483648", "-2147483649", "99999999999999999999", "1\r", "\t1"}) {
        EXPECT_FALSE(ToInteger(text)) << '"' << text << '"';
    }
}

TEST(HolidayFieldTest, DayAndMonthFromTheirPositions) {
    EXPECT_EQ(HolidayFromFieldText("       24.12."), (Holiday{24, 12}));
    EXPECT_EQ(HolidayFromFieldText("       01.01."), (Holiday{1, 1}));
    EXPECT_EQ(HolidayFromFieldText("       05.03."), (Holiday{5, 3}));
}

TEST(HolidayFieldTest, TextsThatHoldNoDateGiveNothing) {
    EXPECT_FALSE(HolidayFromFieldText(""));
    EXPECT_FALSE(HolidayFromFieldText("24.12."));
    EXPECT_FALSE(HolidayFromFieldText("       xx.12."));
    EXPECT_FALSE(HolidayFromFieldText("       00.12."));
    EXPECT_FALSE(HolidayFromFieldText("       32.12."));
    EXPECT_FALSE(HolidayFromFieldText("       24.13."));
    EXPECT_FALSE(HolidayFromFieldText("       24."));
    // Only the field's own layout: "12" of a three-digit month is no December.
    for (const char* text : {"       05.123.", "       05.12.x", "      05.12.", "       5.12. ",
                             "       05-12.", "       05.12 ", "x      05.12.", "       +5.12."})
        EXPECT_FALSE(HolidayFromFieldText(text)) << '"' << text << '"';
}

}  // namespace
}  // namespace veltrano
