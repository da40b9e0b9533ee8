#include "model/value_scales.h"

#include <gtest/gtest.h>

#include <string>

namespace veltrano {
namespace {

// Checks the size and the items at the given codes.
void ExpectItems(const ItemList& items, std::size_t size,
                 std::initializer_list<std::pair<int, const char*>> expected) {
    ASSERT_EQ(items.size(), size);
    for (const auto& [code, text] : expected)
        EXPECT_EQ(items[code], text) << "code " << code;
}

TEST(ValueScales, RunTimeEndsAndSeams) {
    ExpectItems(RunTimeItems(), 190,
                {{0, "1s"},
                 {9, "10s"},
                 {39, "40s"},
                 {98, "99s"},
                 {99, "100s"},
                 {100, "110s"},
                 {188, "990s"},
                 {189, "999s"}});
}

TEST(ValueScales, RunTimeOrContinuousAppendsDauer) {
    ExpectItems(RunTimeOrContinuousItems(), 191, {{0, "1s"}, {189, "999s"}, {190, "Dauer"}});
    for (int code = 0; code < 190; ++code)
        EXPECT_EQ(RunTimeOrContinuousItems()[code], RunTimeItems()[code]);
}

TEST(ValueScales, BrightnessEndsAndSeams) {
    ExpectItems(BrightnessItems(), 225,
                {{0, "0,1 "},
                 {8, "0,9 "},
                 {9, "1 "},
                 {17, "9 "},
                 {18, "10 "},
                 {26, "90 "},
                 {27, "100 "},
                 {28, "200 "},
                 {35, "900 "},
                 {36, "1 k"},
                 {39, "4 k"},
                 {135, "100 k"},
                 {136, "110 k"},
                 {224, "990 k"}});
}

TEST(ValueScales, OnlyTheFirst36BrightnessItemsEndInABlank) {
    const ItemList& items = BrightnessItems();
    for (int code = 0; code < 225; ++code)
        EXPECT_EQ(items[code].back() == ' ', code < 36) << "code " << code;
}

TEST(ValueScales, ShadingBrightnessIsBrightnessFromOneKilolux) {
    ExpectItems(ShadingBrightnessItems(), 189,
                {{0, "1 k"}, {3, "4 k"}, {99, "100 k"}, {188, "990 k"}});
    for (int code = 0; code < 189; ++code)
        EXPECT_EQ(ShadingBrightnessItems()[code], BrightnessItems()[code + 36]);
}

TEST(ValueScales, Temperatures) {
    ExpectItems(ThresholdTemperatureItems(), 60,
                {{0, "-9°"}, {8, "-1°"}, {9, "0°"}, {31, "22°"}, {59, "50°"}});
    ExpectItems(ShadingTemperatureItems(), 46, {{0, "-10"}, {10, "0"}, {32, "22"}, {45, "35"}});
    ExpectItems(SetpointTemperatureItems(), 50, {{0, "1°"}, {22, "23°"}, {49, "50°"}});
    ExpectItems(HeatingTemperatureItems(), 256,
                {{0, "4,0°C"},
                 {1, "4,1°C"},
                 {6, "4,6°C"},
                 {140, "18,0°C"},
                 {170, "21,0°C"},
                 {175, "21,5°C"},
                 {255, "29,5°C"}});
    ExpectItems(ControlRangeItems(), 9, {{0, "1°"}, {2, "3°"}, {8, "9°"}});
}

TEST(ValueScales, DegreeSignIsUtf8) {
    EXPECT_EQ(ThresholdTemperatureItems()[0], "-9\xC2\xB0");
    EXPECT_EQ(HeatingTemperatureItems()[0],
              "4,0\xC2\xB0"
              "C");
}

TEST(ValueScales, Hours) {
    ExpectItems(HourItems(), 24, {{0, "00:00"}, {9, "09:00"}, {10, "10:00"}, {23, "23:00"}});
    ExpectItems(ShadingHourItems(), 18, {{0, "05:00"}, {4, "09:00"}, {5, "10:00"}, {17, "22:00"}});
    ExpectItems(MorningHourItems(), 9, {{0, "03:00"}, {5, "08:00"}, {7, "10:00"}, {8, "Nr. 3"}});
    ExpectItems(EveningHourItems(), 10, {{0, "14:00"}, {5, "19:00"}, {8, "22:00"}, {9, "Nr. 4"}});
}

TEST(ValueScales, WindReverseHumiditySteps) {
    ExpectItems(WindSpeedItems(), 19, {{0, "5"}, {1, "10"}, {5, "30"}, {18, "95"}});
    ExpectItems(ReverseTimeItems(), 41,
                {{0, "0,0"}, {4, "0,4"}, {10, "1,0"}, {15, "1,5"}, {40, "4,0"}});
    ExpectItems(HumidityItems(), 99, {{0, "1%"}, {75, "76%"}, {98, "99%"}});
    ExpectItems(StepsItems(), 8, {{0, "2"}, {4, "6"}, {7, "9"}});
}

TEST(ValueScales, RadioRunTimeFollowsItsDoublingRule) {
    ExpectItems(RadioRunTimeItems(), 87,
                {{0, "2s"},
                 {15, "32s"},
                 {16, "36s"},
                 {21, "56s"},
                 {22, "01:00"},
                 {23, "01:04"},
                 {24, "01:12"},
                 {31, "02:08"},
                 {32, "02:24"},
                 {69, "59:44"},
                 {70, "1:04:00"},
                 {71, "1:08:16"},
                 {79, "2:16:32"},
                 {85, "3:58:56"},
                 {86, "4:16:00"}});
}

// Reads "56s", "59:44" or "1:04:00" back as seconds.
int RadioSeconds(const std::string& text) {
    if (text.back() == 's') return std::stoi(text.substr(0, text.size() - 1));
    int seconds = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t colon = text.find(':', start);
        seconds = seconds * 60 + std::stoi(text.substr(start, colon - start));
        if (colon == std::string::npos) return seconds;
        start = colon + 1;
    }
}

TEST(ValueScales, RadioRunTimeStepDoublesEveryEightItems) {
    const ItemList& items = RadioRunTimeItems();
    for (int code = 1; code < 16; ++code)
        EXPECT_EQ(RadioSeconds(items[code]) - RadioSeconds(items[code - 1]), 2) << code;
    for (int code = 16; code < 87; ++code) {
        const int group = (code - 16) / 8;
        EXPECT_EQ(RadioSeconds(items[code]) - RadioSeconds(items[code - 1]), 4 << group) << code;
    }
    EXPECT_EQ(RadioSeconds(items[86]), 15360);
}

TEST(ValueScales, SwitchTimeLists) {
    ExpectItems(SwitchTimeRunTimeItems(), 127,
                {{0, "0s"},
                 {1, "1s"},
                 {39, "39s"},
                 {99, "99s"},
                 {100, "100"},
                 {101, "110"},
                 {125, "350"},
                 {126, "Dau"}});
    ExpectItems(TimeOfDayItems(), 1441,
                {{0, "     "},
                 {1, "00:00"},
                 {2, "00:01"},
                 {60, "00:59"},
                 {61, "01:00"},
                 {391, "06:30"},
                 {1216, "20:15"},
                 {1440, "23:59"}});
    ExpectItems(WeekdayItems(), 7,
                {{0, "Mo"}, {1, "Di"}, {2, "Mi"}, {3, "Do"}, {4, "Fr"}, {5, "Sa"}, {6, "So"}});
    ExpectItems(SlotNumberItems(), 9, {{0, "1"}, {7, "8"}, {8, " "}});
    ExpectItems(FunctionItems(), 3, {{0, "-"}, {1, "Astro"}, {2, "Zufall"}});
}

TEST(ValueScales, DayGroupItemsDependOnTheDay) {
    for (int day = 0; day <= 4; ++day)
        ExpectItems(DayGroupItems(day), 3, {{0, "-"}, {1, "Mo - Fr"}, {2, "Mo - So"}});
    for (int day = 5; day <= 6; ++day)
        ExpectItems(DayGroupItems(day), 3, {{0, "-"}, {1, "Sa - So"}, {2, "Mo - So"}});
}

TEST(ValueScales, ShortFixedLists) {
    ExpectItems(OnOffItems(), 2, {{0, "EIN"}, {1, "AUS"}});
    ExpectItems(TemperatureComparisonItems(), 2, {{0, "T>"}, {1, "T<"}});
    ExpectItems(HumidityComparisonItems(), 2, {{0, "F>"}, {1, "F<"}});
    ExpectItems(DayNightItems(), 2, {{0, "Tag"}, {1, "Nacht"}});
    ExpectItems(HeatingModeItems(), 2, {{0, "Heizbetrieb"}, {1, "Kühlbetrieb"}});
}

TEST(ValueScales, GeneralParameterLists) {
    ExpectItems(RandomSpanItems(), 253, {{0, "± 2 min"}, {28, "± 30 min"}, {252, "± 254 min"}});
    ExpectItems(ShadingHysteresisItems(), 49, {{0, "2"}, {8, "10"}, {48, "50"}});
    ExpectItems(TemperatureOffsetItems(), 11,
                {{0, "- 5 °C"}, {4, "- 1 °C"}, {5, "0 °C"}, {6, "+ 1 °C"}, {10, "+ 5 °C"}});
    ExpectItems(HeatingHysteresisItems(), 9, {{0, "± 0,1 °C"}, {2, "± 0,3 °C"}, {8, "± 0,9 °C"}});
    ExpectItems(WindDelayItems(), 21, {{0, "0 s"}, {1, "1 s"}, {20, "20 s"}});
}

TEST(ValueScales, ListsAreBuiltOnce) {
    EXPECT_EQ(&BrightnessItems(), &BrightnessItems());
    EXPECT_EQ(&RadioRunTimeItems(), &RadioRunTimeItems());
}

TEST(ItemText, ReturnsTheItemInsideTheList) {
    EXPECT_EQ(ItemText(BrightnessItems(), 0), "0,1 ");
    EXPECT_EQ(ItemText(BrightnessItems(), 224), "990 k");
    EXPECT_EQ(ItemText(OnOffItems(), 1), "AUS");
}

TEST(ItemText, IsEmptyOutsideTheList) {
    EXPECT_EQ(ItemText(BrightnessItems(), 225), "");
    EXPECT_EQ(ItemText(BrightnessItems(), -1), "");
    EXPECT_EQ(ItemText(OnOffItems(), 2), "");
    EXPECT_EQ(ItemText(RunTimeItems(), 2147483647), "");
    EXPECT_EQ(ItemText(RunTimeItems(), -2147483647 - 1), "");
    EXPECT_EQ(ItemText(ItemList{}, 0), "");
}

}  // namespace
}  // namespace veltrano
