// The list lines of wind, rain, humidity, proportional, inside- and
// outside-temperature control, the humidity indicators, and the two-box
// rules of thresholds and periods.
#include <gtest/gtest.h>

#include <string>

#include "masks/temperature_lines.h"
#include "masks/threshold_rules.h"
#include "masks/wind_rain_lines.h"

namespace veltrano {
namespace {

struct LineCase {
    const char* what;
    std::string line;
    std::string expected;
};

WindSettings Wind(int off, int speed) {
    WindSettings r;
    r.Off = off;
    r.SpeedCode = speed;
    return r;
}
RainSettings Rain(int off, int direction) {
    RainSettings r;
    r.Off = off;
    r.Direction = direction;
    return r;
}
HumiditySettings Humidity(int comparison, int t1, int t2, int duration, int from, int to) {
    return {kOn, comparison, t1, t2, duration, from, to, true};
}
ProportionalTempSettings Proportional(int from, int to, int setpoint, int direction, int range,
                                      int travel, int steps) {
    return {kOn, from, to, setpoint, direction, range, travel, steps, true};
}
InsideTempSettings Inside(int comparison, int t1, int direction, int t2, int duration, int from,
                          int to) {
    return {kOn, comparison, t1, direction, t2, duration, from, to, true};
}
OutsideTempSettings Outside(int t1, int direction, int t2, int duration) {
    return {kOn, t1, direction, t2, duration, true};
}

TEST(WindTemperatureLineTest, Columns) {
    ProportionalTempSettings ptOff;
    InsideTempSettings itOff;
    OutsideTempSettings atOff;
    HumiditySettings rfOff;
    const LineCase cases[] = {
        {"wind AUS", WindLine("Motor 3", Wind(kOff, 8), kDown), "Motor 3       AUS    "},
        {"wind EIN", WindLine("Motor 3", Wind(kOn, 8), kDown), "Motor 3       EIN    45km/h    v"},
        {"wind up", WindLine("Motor 3", Wind(kOn, 0), kUp), "Motor 3       EIN    5km/h    ^"},
        {"wind speed -1", WindLine("Motor 3", Wind(kOn, -1), kUp),
         "Motor 3       EIN    km/h    ^"},
        {"wind off code 7", WindLine("Motor 3", Wind(7, 3), kUp), "Motor 3           "},
        {"rain AUS", RainLine("Motor 3", Rain(kOff, kUp)), "Motor 3       AUS      "},
        {"rain EIN", RainLine("Motor 3", Rain(kOn, kUp)), "Motor 3       EIN      ^"},
        {"rain direction 5", RainLine("Motor 3", Rain(kOn, 5)), "Motor 3       EIN      "},
        {"name cut", RainLine("Wohnzimmer Süd", Rain(kOn, kDown)), "Wohnzimmer S  EIN      v"},
        {"humidity AUS", HumidityLine("Motor 1", rfOff), "Motor 1       AUS"},
        {"humidity F>", HumidityLine("Motor 1", Humidity(0, 75, 65, 39, 8, 21)),
         "Motor 1       EIN  08:00 - 21:00  F>76% ^    F<66% v    40s"},
        {"humidity F< all day, Dauer", HumidityLine("Motor 1", Humidity(1, 9, 20, 190, 5, 5)),
         "Motor 1       EIN    ganztägig    F<10% ^    F>21% -  Dauer"},
        {"humidity 999s", HumidityLine("Motor 1", Humidity(0, 75, 65, 189, 8, 21)),
         "Motor 1       EIN  08:00 - 21:00  F>76% ^    F<66% v   999s"},
        {"humidity 1s", HumidityLine("Motor 1", Humidity(0, 75, 65, 0, 8, 21)),
         "Motor 1       EIN  08:00 - 21:00  F>76% ^    F<66% v     1s"},
        {"humidity out of range", HumidityLine("Motor 1", Humidity(0, 99, 65, 200, 24, 21)),
         "Motor 1       EIN   - 21:00  F> ^    F<66% -       "},
        {"PT AUS", ProportionalTempLine("Motor 3", ptOff), "Motor 3       AUS"},
        {"PT example", ProportionalTempLine("Motor 3", Proportional(8, 18, 24, 0, 2, 59, 2)),
         "Motor 3       EIN  08:00 - 18:00  25°C  ^  3°C    60s    4"},
        {"PT 1° 999s", ProportionalTempLine("Motor 3", Proportional(8, 8, 0, 1, 0, 189, 7)),
         "Motor 3       EIN  08:00 - 08:00   1°C  v  1°C   999s    9"},
        {"IT AUS", InsideTempLine("Motor 1", itOff), "Motor 1       AUS"},
        {"IT all day", InsideTempLine("Motor 1", Inside(0, 31, 0, 29, 39, 8, 8)),
         "Motor 1       EIN    ganztägig    T>22°C ^   T<20°C v   40s"},
        {"IT T< down", InsideTempLine("Motor 1", Inside(1, 0, 1, 59, 190, 8, 21)),
         "Motor 1       EIN  08:00 - 21:00  T<-9°C v   T>50°C ^ Dauer"},
        {"AT AUS", OutsideTempLine("Motor 1", atOff), "Motor 1       AUS"},
        {"AT deaktiv", OutsideTempLine("Motor 1", Outside(11, 2, 14, 39)),
         "Motor 1       EIN   T<2°C        deaktiv! "},
        {"AT up", OutsideTempLine("Motor 1", Outside(11, 0, 14, 39)),
         "Motor 1       EIN   T<2°C ^   T>5°C v  40s"},
        {"AT down", OutsideTempLine("Motor 1", Outside(11, 1, 14, 189)),
         "Motor 1       EIN   T<2°C v   T>5°C ^  999s"},
        {"AT direction 3", OutsideTempLine("Motor 1", Outside(11, 3, 70, 39)),
         "Motor 1       EIN   T<2°C     T>C    40s"},
    };
    for (const LineCase& c : cases)
        EXPECT_EQ(c.line, c.expected) << c.what;
}

TEST(WindTemperatureLineTest, Indicators) {
    EXPECT_EQ(HumiditySecondComparison(0), "F<");
    EXPECT_EQ(HumiditySecondComparison(1), "F>");
    EXPECT_EQ(HumiditySecondComparison(4), "");
    EXPECT_EQ(HumiditySecondAction(0, 39), "\u2193");
    EXPECT_EQ(HumiditySecondAction(1, 39), "-");
    EXPECT_EQ(HumiditySecondAction(0, 190), "-");
    EXPECT_EQ(HumiditySecondAction(0, 200), "-");
    EXPECT_EQ(InsideSecondComparison(0), "T<");
    EXPECT_EQ(InsideSecondComparison(1), "T>");
    EXPECT_EQ(SecondDirectionArrow(0), "\u2193");
    EXPECT_EQ(SecondDirectionArrow(1), "\u2191");
    EXPECT_EQ(SecondDirectionArrow(2), "");
}

struct RuleCase {
    const char* what;
    IndexPair result;
    IndexPair expected;
};

TEST(ThresholdRuleTest, Corrections) {
    constexpr bool kBelow = true, kAbove = false;
    const RuleCase cases[] = {
        // Humidity (last index 98).
        {"F> 1% over 1%", FirstThresholdChosen(0, 0, kBelow, 98), {1, 0}},
        {"F< 99%", FirstThresholdChosen(98, 20, kAbove, 98), {97, 98}},
        {"F> to F<, 76/66", FirstThresholdChosen(75, 65, kAbove, 98), {75, 76}},
        {"F> in order", FirstThresholdChosen(75, 65, kBelow, 98), {75, 65}},
        {"F> T=97", FirstThresholdChosen(97, 97, kBelow, 98), {97, 96}},
        {"F< T2 0", SecondThresholdChosen(30, 0, kAbove, 98), {0, 1}},
        {"F> T2 98", SecondThresholdChosen(30, 98, kBelow, 98), {98, 97}},
        {"F> T2 97", SecondThresholdChosen(30, 97, kBelow, 98), {98, 97}},
        {"F< T2 in order", SecondThresholdChosen(30, 40, kAbove, 98), {30, 40}},
        // Temperature (last index 59).
        {"T< 50° over 21°", FirstThresholdChosen(59, 30, kAbove, 59), {58, 59}},
        {"T> -9°", FirstThresholdChosen(0, 29, kBelow, 59), {1, 0}},
        {"T> to T<, 30°/20°", FirstThresholdChosen(39, 29, kAbove, 59), {39, 40}},
        {"S1 59 below", FirstThresholdChosen(59, 10, kBelow, 59), {59, 10}},
        {"S2 0 above", SecondThresholdChosen(0, 0, kAbove, 59), {0, 1}},
        {"S2 0 below", SecondThresholdChosen(10, 0, kBelow, 59), {10, 0}},
        {"S2 59 below", SecondThresholdChosen(10, 59, kBelow, 59), {59, 58}},
        // A box without an item counts as out of order.
        {"empty S2", FirstThresholdChosen(20, -1, kAbove, 59), {20, 21}},
        {"empty S2 below", FirstThresholdChosen(20, -1, kBelow, 59), {20, 19}},
        {"empty S1", SecondThresholdChosen(-1, 20, kAbove, 59), {19, 20}},
        {"empty S1 below", SecondThresholdChosen(-1, 20, kBelow, 59), {21, 20}},
        {"comparison, empty S1", FirstThresholdChosen(-1, 20, kBelow, 59), {21, 20}},
        {"comparison, both empty", FirstThresholdChosen(-1, -1, kAbove, 59), {0, 1}},
    };
    for (const RuleCase& c : cases)
        EXPECT_EQ(c.result, c.expected) << c.what;
}

TEST(PeriodRuleTest, Coupling) {
    const RuleCase cases[] = {
        {"start after end", PeriodStartChosen(10, 8), {10, 10}},
        {"start before end", PeriodStartChosen(5, 8), {5, 8}},
        {"start, end empty", PeriodStartChosen(5, -1), {5, 5}},
        {"end before start", PeriodEndChosen(10, 8), {8, 8}},
        {"end after start", PeriodEndChosen(5, 8), {5, 8}},
        {"end, start empty", PeriodEndChosen(-1, 8), {8, 8}},
    };
    for (const RuleCase& c : cases)
        EXPECT_EQ(c.result, c.expected) << c.what;
}

}  // namespace
}  // namespace veltrano
