// The list lines of shading, morning and evening twilight, and the coupling
// of the shading period's two boxes.
#include <gtest/gtest.h>

#include <string>

#include "masks/shading_lines.h"

namespace veltrano {
namespace {

ShadingSettings Shading(int temperature, int from, int to, int brightness, int duration) {
    ShadingSettings r;
    r.Off = kOn;
    r.TemperatureCode = temperature;
    r.FromCode = from;
    r.ToCode = to;
    r.BrightnessCode = brightness;
    r.DurationCode = duration;
    return r;
}

struct ShadingCase {
    const char* what;
    std::string name;
    ShadingSettings record;
    std::string line;
};

TEST(ShadingLineTest, Columns) {
    ShadingSettings off = Shading(32, 5, 15, 149, 9);
    off.Off = kOff;
    const ShadingCase cases[] = {
        {"demo", "Wohnzimmer", Shading(34, 4, 14, 113, 11),
         "Wohnzimmer    EIN  24°C  09:00 - 19:00  240 k    12s"},
        {"-10: one blank", "Motor 1", Shading(0, 0, 17, 0, 0),
         "Motor 1       EIN -10°C  05:00 - 22:00  1 k    1s"},
        {"5: three blanks", "Motor 1", Shading(15, 0, 1, 188, 189),
         "Motor 1       EIN   5°C  05:00 - 06:00  990 k    999s"},
        {"35", "Motor 1", Shading(45, 0, 1, 99, 99),
         "Motor 1       EIN  35°C  05:00 - 06:00  100 k    100s"},
        {"AUS ends the line", "Motor 1", off, "Motor 1       AUS"},
        {"codes outside their lists show empty", "Motor 1", Shading(200, 18, -1, 189, 190),
         "Motor 1       EIN    °C   -" + std::string(7, ' ')},
        {"negative codes", "Motor 1", Shading(-1, -5, 3, -1, -1),
         "Motor 1       EIN    °C   - 08:00      "},
        {"15 characters cut to 12", "Schlafzimmer OG", Shading(32, 5, 15, 149, 9),
         "Schlafzimmer  EIN  22°C  10:00 - 20:00  600 k    10s"},
        {"umlauts count as one character", "Küche", Shading(32, 5, 15, 149, 9),
         "Küche         EIN  22°C  10:00 - 20:00  600 k    10s"},
        {"an empty name leaves eleven blanks", "", off, std::string(13, ' ') + "AUS"},
    };
    for (const ShadingCase& c : cases)
        EXPECT_EQ(ShadingLine(c.name, c.record), c.line) << c.what;
}

struct TwilightCase {
    const char* what;
    std::string name;
    int off, from, brightness, duration;
    std::string morning, evening;
};

TEST(TwilightLineTest, Columns) {
    const TwilightCase cases[] = {
        {"200 is followed by the separator", "Motor 1", kOn, 5, 28, 39,
         "Motor 1       EIN    08:00   200     40s", "Motor 1       EIN   19:00   200     40s"},
        {"Nr. 3 / 14:00 and 990 k", "Küche", kOn, 8, 224, 59,
         "Küche         EIN    Nr. 3   990 k    60s", "Küche         EIN   22:00   990 k    60s"},
        {"Nr. 4 and Dauer", "Motor 2", kOn, 9, 0, 190, "Motor 2       EIN       0,1     Dauer",
         "Motor 2       EIN   Nr. 4   0,1     Dauer"},
        {"AUS", "Motor 3", kOff, 5, 28, 39, "Motor 3       AUS", "Motor 3       AUS"},
        {"outside the lists", "Motor 4", kOn, 10, 225, 191,
         "Motor 4       EIN" + std::string(11, ' '), "Motor 4       EIN" + std::string(10, ' ')},
        {"a 15-character name", "Gaestezimmer-WC", kOff, 0, 0, 0, "Gaestezimmer  AUS",
         "Gaestezimmer  AUS"},
    };
    for (const TwilightCase& c : cases) {
        TwilightMorningSettings morning;
        morning.Off = c.off;
        morning.FromCode = c.from;
        morning.BrightnessCode = c.brightness;
        morning.DurationCode = c.duration;
        TwilightEveningSettings evening;
        evening.Off = c.off;
        evening.FromCode = c.from;
        evening.BrightnessCode = c.brightness;
        evening.DurationCode = c.duration;
        EXPECT_EQ(TwilightMorningLine(c.name, morning), c.morning) << c.what;
        EXPECT_EQ(TwilightEveningLine(c.name, evening), c.evening) << c.what;
    }
}

struct PeriodCase {
    const char* what;
    bool startChosen;  // else the end
    int from, to;      // the boxes after the choice, -1 without an item
    ShadingPeriod stored;
};

TEST(ShadingPeriodTest, ChoosingStartOrEndKeepsThePeriodInOrder) {
    const PeriodCase cases[] = {
        {"start 22:00 with end 20:00", true, 17, 15, {16, 17}},
        {"start 21:00", true, 16, 17, {16, 17}},
        {"start 21:00 with end 20:00", true, 16, 15, {16, 17}},
        {"start before the end stays", true, 3, 14, {3, 14}},
        {"start equal to the end", true, 6, 6, {6, 7}},
        {"start with an end box without an item", true, 3, -1, {3, 4}},
        {"end 05:00", false, 5, 0, {0, 1}},
        {"end after the start stays", false, 3, 14, {3, 14}},
        {"end 10:00 with start 12:00", false, 7, 5, {4, 5}},
        {"end with a start box without an item", false, -1, 14, {13, 14}},
        {"end 05:00 with a start box without an item", false, -1, 0, {0, 1}},
    };
    for (const PeriodCase& c : cases) {
        const ShadingPeriod p =
            c.startChosen ? ShadingStartChosen(c.from, c.to) : ShadingEndChosen(c.from, c.to);
        EXPECT_EQ(p, c.stored) << c.what << ": " << p.from << "-" << p.to;
    }
}

}  // namespace
}  // namespace veltrano
