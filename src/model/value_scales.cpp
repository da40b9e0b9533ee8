#include "value_scales.h"

#include <string>

namespace veltrano {

namespace {

// `count` items, item i being textOf(i).
template <typename TextOf>
ItemList Build(int count, TextOf textOf) {
    ItemList items;
    items.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        items.push_back(textOf(i));
    return items;
}

ItemList Concat(ItemList items, const ItemList& tail) {
    items.insert(items.end(), tail.begin(), tail.end());
    return items;
}

std::string TwoDigits(int value) {
    std::string text = std::to_string(value);
    if (value >= 0 && value < 10) text.insert(text.begin(), '0');
    return text;
}

std::string HourText(int hour) {
    return TwoDigits(hour) + ":00";
}

// Tenths with a decimal comma: 45 -> "4,5".
std::string DecimalComma(int tenths) {
    return std::to_string(tenths / 10) + "," + std::to_string(tenths % 10);
}

// Seconds of a run-time code 0..189.
int RunTimeSeconds(int code) {
    if (code <= 98) return code + 1;
    if (code <= 188) return (code - 89) * 10;
    return 999;
}

// Lux figure texts of the brightness scale from "1 k" on: 1 k .. 100 k in
// steps of 1 k, then 110 k .. 990 k in steps of 10 k.
ItemList KiloLuxItems() {
    ItemList steps1k = Build(100, [](int i) { return std::to_string(i + 1) + " k"; });
    return Concat(steps1k, Build(89, [](int i) { return std::to_string(110 + 10 * i) + " k"; }));
}

// Brightness codes 0..35: nine steps per decade, 0,1 .. 0,9, 1 .. 9, 10 .. 90,
// 100 .. 900, each with one trailing blank.
std::string SubKiloLuxText(int code) {
    const int digit = code % 9 + 1;
    const int decade = code / 9;
    if (decade == 0) return "0," + std::to_string(digit) + " ";
    int value = digit;
    for (int d = 1; d < decade; ++d)
        value *= 10;
    return std::to_string(value) + " ";
}

// Below 60 s seconds with "s"; below an hour mm:ss; else h:mm:ss.
std::string RadioRunTimeText(int seconds) {
    if (seconds < 60) return std::to_string(seconds) + "s";
    if (seconds < 3600) return TwoDigits(seconds / 60) + ":" + TwoDigits(seconds % 60);
    return std::to_string(seconds / 3600) + ":" + TwoDigits(seconds / 60 % 60) + ":" +
           TwoDigits(seconds % 60);
}

std::string SignedOffsetText(int degrees) {
    if (degrees < 0) return "- " + std::to_string(-degrees) + " °C";
    if (degrees > 0) return "+ " + std::to_string(degrees) + " °C";
    return "0 °C";
}

}  // namespace

std::string ItemText(const ItemList& items, int code) {
    if (code < 0 || static_cast<std::size_t>(code) >= items.size()) return {};
    return items[static_cast<std::size_t>(code)];
}

const ItemList& OnOffItems() {
    static const ItemList items{"EIN", "AUS"};
    return items;
}

const ItemList& RunTimeItems() {
    static const ItemList items =
        Build(190, [](int code) { return std::to_string(RunTimeSeconds(code)) + "s"; });
    return items;
}

const ItemList& RunTimeOrContinuousItems() {
    static const ItemList items = Concat(RunTimeItems(), {"Dauer"});
    return items;
}

const ItemList& BrightnessItems() {
    static const ItemList items = Concat(Build(36, SubKiloLuxText), KiloLuxItems());
    return items;
}

const ItemList& ShadingBrightnessItems() {
    static const ItemList items = KiloLuxItems();
    return items;
}

const ItemList& ThresholdTemperatureItems() {
    static const ItemList items =
        Build(60, [](int code) { return std::to_string(code - 9) + "°"; });
    return items;
}

const ItemList& ShadingTemperatureItems() {
    static const ItemList items = Build(46, [](int code) { return std::to_string(code - 10); });
    return items;
}

const ItemList& SetpointTemperatureItems() {
    static const ItemList items =
        Build(50, [](int code) { return std::to_string(code + 1) + "°"; });
    return items;
}

const ItemList& HeatingTemperatureItems() {
    static const ItemList items =
        Build(256, [](int code) { return DecimalComma(40 + code) + "°C"; });
    return items;
}

const ItemList& HourItems() {
    static const ItemList items = Build(24, HourText);
    return items;
}

const ItemList& ShadingHourItems() {
    static const ItemList items = Build(18, [](int code) { return HourText(code + 5); });
    return items;
}

const ItemList& MorningHourItems() {
    static const ItemList items =
        Concat(Build(8, [](int code) { return HourText(code + 3); }), {"Nr. 3"});
    return items;
}

const ItemList& EveningHourItems() {
    static const ItemList items =
        Concat(Build(9, [](int code) { return HourText(code + 14); }), {"Nr. 4"});
    return items;
}

const ItemList& WindSpeedItems() {
    static const ItemList items =
        Build(19, [](int code) { return std::to_string((code + 1) * 5); });
    return items;
}

const ItemList& ReverseTimeItems() {
    static const ItemList items = Build(41, DecimalComma);
    return items;
}

const ItemList& HumidityItems() {
    static const ItemList items =
        Build(99, [](int code) { return std::to_string(code + 1) + "%"; });
    return items;
}

const ItemList& ControlRangeItems() {
    static const ItemList items = Build(9, [](int code) { return std::to_string(code + 1) + "°"; });
    return items;
}

const ItemList& StepsItems() {
    static const ItemList items = Build(8, [](int code) { return std::to_string(code + 2); });
    return items;
}

const ItemList& RadioRunTimeItems() {
    static const ItemList items = [] {
        ItemList list;
        for (int seconds = 2; seconds <= 32; seconds += 2)
            list.push_back(RadioRunTimeText(seconds));
        // Group g: 32 x 2^g + j x 4 x 2^g seconds, j = 1..8; the last group stops at j = 7.
        for (int g = 0; g <= 8; ++g) {
            const int scale = 1 << g;
            const int lastJ = g == 8 ? 7 : 8;
            for (int j = 1; j <= lastJ; ++j)
                list.push_back(RadioRunTimeText(32 * scale + j * 4 * scale));
        }
        return list;
    }();
    return items;
}

const ItemList& TemperatureComparisonItems() {
    static const ItemList items{"T>", "T<"};
    return items;
}

const ItemList& HumidityComparisonItems() {
    static const ItemList items{"F>", "F<"};
    return items;
}

const ItemList& DayNightItems() {
    static const ItemList items{"Tag", "Nacht"};
    return items;
}

const ItemList& DirectionItems() {
    static const ItemList items{"\u2191", "\u2193"};
    return items;
}

const ItemList& OutsideDirectionItems() {
    static const ItemList items{"\u2191", "\u2193", "DEAKTIV"};
    return items;
}

const ItemList& HeatingModeItems() {
    static const ItemList items{"Heizbetrieb", "Kühlbetrieb"};
    return items;
}

const ItemList& WeekdayItems() {
    static const ItemList items{"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};
    return items;
}

const ItemList& SlotNumberItems() {
    static const ItemList items{"1", "2", "3", "4", "5", "6", "7", "8", " "};
    return items;
}

const ItemList& TimeOfDayItems() {
    static const ItemList items =
        Concat({"     "}, Build(1440, [](int minute) {
                   return TwoDigits(minute / 60) + ":" + TwoDigits(minute % 60);
               }));
    return items;
}

const ItemList& SwitchTimeRunTimeItems() {
    static const ItemList items =
        Concat(Concat(Build(100, [](int code) { return std::to_string(code) + "s"; }),
                      Build(26, [](int i) { return std::to_string(100 + 10 * i); })),
               {"Dau"});
    return items;
}

const ItemList& FunctionItems() {
    static const ItemList items{"-", "Astro", "Zufall"};
    return items;
}

const ItemList& DayGroupItems(int day) {
    static const ItemList weekday{"-", "Mo - Fr", "Mo - So"};
    static const ItemList weekend{"-", "Sa - So", "Mo - So"};
    return day >= 5 ? weekend : weekday;
}

const ItemList& RandomSpanItems() {
    static const ItemList items =
        Build(253, [](int code) { return "± " + std::to_string(code + 2) + " min"; });
    return items;
}

const ItemList& ShadingHysteresisItems() {
    static const ItemList items = Build(49, [](int code) { return std::to_string(code + 2); });
    return items;
}

const ItemList& TemperatureOffsetItems() {
    static const ItemList items = Build(11, [](int code) { return SignedOffsetText(code - 5); });
    return items;
}

const ItemList& HeatingHysteresisItems() {
    static const ItemList items =
        Build(9, [](int code) { return "± " + DecimalComma(code + 1) + " °C"; });
    return items;
}

const ItemList& WindDelayItems() {
    static const ItemList items = Build(21, [](int code) { return std::to_string(code) + " s"; });
    return items;
}

const ItemList& AlarmPatternItems() {
    static const ItemList items{"\u2191", "\u2013", "\u2193"};
    return items;
}

}  // namespace veltrano
