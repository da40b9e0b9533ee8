// The per-motor automation records. Each field holds the item index ("code")
// of the combo box that edits it; the comment names the item list of
// value_scales.h and the physical meaning. The member initialisers are the
// start-up defaults. `Modified` = changed since the Controller last confirmed
// the record, i.e. to be sent.
#pragma once

#include <cstdint>

#include "model_codes.h"

namespace veltrano {

struct ShadingSettings {
    std::int32_t Off = kOff;            // OnOffItems
    std::int32_t TemperatureCode = 32;  // ShadingTemperatureItems: code - 10 °C (22 °C)
    std::int32_t FromCode = 5;          // ShadingHourItems: hour = code + 5 (10:00)
    std::int32_t ToCode = 15;           // ShadingHourItems (20:00)
    std::int32_t BrightnessCode = 149;  // ShadingBrightnessItems = BrightnessItems code + 36
    std::int32_t DurationCode = 9;      // RunTimeItems (10 s)
    bool Modified = true;
    bool operator==(const ShadingSettings&) const = default;
};

struct TwilightMorningSettings {
    std::int32_t Off = kOff;           // OnOffItems
    std::int32_t FromCode = 5;         // MorningHourItems: hour = code + 3 (08:00); 8 = "Nr. 3"
    std::int32_t BrightnessCode = 28;  // BrightnessItems ("200 ")
    std::int32_t DurationCode = 39;    // RunTimeOrContinuousItems (40 s); 190 = continuous
    bool Modified = true;
    bool operator==(const TwilightMorningSettings&) const = default;
};

struct TwilightEveningSettings {
    std::int32_t Off = kOff;           // OnOffItems
    std::int32_t FromCode = 5;         // EveningHourItems: hour = code + 14 (19:00); 9 = "Nr. 4"
    std::int32_t BrightnessCode = 28;  // BrightnessItems ("200 ")
    std::int32_t DurationCode = 39;    // RunTimeOrContinuousItems (40 s)
    bool Modified = true;
    bool operator==(const TwilightEveningSettings&) const = default;
};

// Wind has no direction of its own: it uses RainSettings::Direction of the same motor.
struct WindSettings {
    std::int32_t Off = kOff;     // OnOffItems
    std::int32_t SpeedCode = 5;  // WindSpeedItems: (code + 1) x 5 km/h (30 km/h)
    bool Modified = true;
    bool operator==(const WindSettings&) const = default;
};

struct RainSettings {
    std::int32_t Off = kOff;       // OnOffItems
    std::int32_t Direction = kUp;  // direction the drive moves on rain and wind
    bool Modified = true;
    bool operator==(const RainSettings&) const = default;
};

struct ReverseSettings {
    std::int32_t Off = kOff;  // OnOffItems
    std::int32_t AtUp = 4;    // ReverseTimeItems: slat return after an up run, code x 0,1 s
    std::int32_t AtDown = 6;  // ReverseTimeItems: after a down run
    bool Modified = true;
    bool operator==(const ReverseSettings&) const = default;
};

struct TouchSettings {
    std::int32_t Off = kOff;  // OnOffItems
    std::int32_t DurationCode =
        21;  // RunTimeOrContinuousItems, RadioRunTimeItems on a radio variant
    bool Modified = true;
    bool operator==(const TouchSettings&) const = default;
};

struct ProportionalTempSettings {
    std::int32_t Off = kOff;            // OnOffItems
    std::int32_t From = 10;             // HourItems: hour = code
    std::int32_t To = 22;               // HourItems
    std::int32_t SetpointCode = 22;     // SetpointTemperatureItems: code + 1 °C (23 °C)
    std::int32_t Direction = kUp;       // direction on exceeding the setpoint
    std::int32_t ControlRangeCode = 2;  // ControlRangeItems: code + 1 K (3 K)
    std::int32_t MaxTravelCode = 39;    // RunTimeItems: zero position to maximum opening (40 s)
    std::int32_t StepsCode = 4;         // StepsItems: code + 2 opening positions (6)
    bool Modified = true;
    bool operator==(const ProportionalTempSettings&) const = default;
};

struct InsideTempSettings {
    std::int32_t Off = kOff;                    // OnOffItems
    std::int32_t Comparison = kAboveThreshold;  // TemperatureComparisonItems: 0 "T>", 1 "T<"
    std::int32_t Threshold1Code = 31;           // ThresholdTemperatureItems: code - 9 °C (22 °C)
    std::int32_t Direction = kUp;               // direction at threshold 1
    std::int32_t Threshold2Code = 29;           // ThresholdTemperatureItems (20 °C)
    std::int32_t DurationCode = 39;             // RunTimeOrContinuousItems (40 s)
    std::int32_t From = 8;                      // HourItems
    std::int32_t To = 21;                       // HourItems
    bool Modified = true;
    bool operator==(const InsideTempSettings&) const = default;
};

struct HeatingSettings {
    std::int32_t Off = kOff;         // OnOffItems
    std::int32_t DayNight = kDay;    // DayNightItems: 0 "Tag", 1 "Nacht"
    std::int32_t Mode = kHeating;    // HeatingModeItems: 0 heating, 1 cooling
    std::int32_t DayTempCode = 170;  // HeatingTemperatureItems: 4,0 °C + code x 0,1 °C (21,0 °C)
    std::int32_t NightTempCode = 140;  // HeatingTemperatureItems (18,0 °C)
    bool Modified = true;
    bool operator==(const HeatingSettings&) const = default;
};

struct HumiditySettings {
    std::int32_t Off = kOff;                    // OnOffItems
    std::int32_t Comparison = kAboveThreshold;  // HumidityComparisonItems: 0 "F>", 1 "F<"
    std::int32_t Threshold1Code = 75;           // HumidityItems: code + 1 % (76 %)
    std::int32_t Threshold2Code = 65;           // HumidityItems (66 %)
    std::int32_t DurationCode = 39;             // RunTimeOrContinuousItems (40 s)
    std::int32_t From = 8;                      // HourItems
    std::int32_t To = 21;                       // HourItems
    bool Modified = true;
    bool operator==(const HumiditySettings&) const = default;
};

struct OutsideTempSettings {
    std::int32_t Off = kOff;           // OnOffItems
    std::int32_t Threshold1Code = 11;  // ThresholdTemperatureItems: code - 9 °C (2 °C)
    // Below threshold 1: 0 up, 1 down, 2 drive deactivated.
    std::int32_t Direction = kDown;
    std::int32_t Threshold2Code = 14;  // ThresholdTemperatureItems (5 °C)
    std::int32_t DurationCode = 39;    // RunTimeOrContinuousItems (40 s)
    bool Modified = true;
    bool operator==(const OutsideTempSettings&) const = default;
};

}  // namespace veltrano
