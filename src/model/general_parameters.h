// Controller-wide settings and the holidays.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "value_scales.h"

namespace veltrano {

// Codes are item indexes of the parameter lists of value_scales.h; the
// member initialisers are the start-up defaults.
struct GeneralParameters {
    std::int32_t RandomSpanCode = 28;        // RandomSpanItems: ± (code + 2) min (± 30 min)
    std::int32_t ShadingHysteresisCode = 8;  // ShadingHysteresisItems: code + 2 (10)
    std::int32_t OutsideTempOffsetCode = 5;  // TemperatureOffsetItems: code - 5 °C (0 °C)
    std::int32_t InsideTempOffsetCode = 5;   // TemperatureOffsetItems
    // No control, no wire block, never written; only a backup file can set it.
    std::int32_t ReservedParameterCode = 0;
    std::int32_t HeatingHysteresisCode = 2;  // HeatingHysteresisItems: ± (code + 1) x 0,1 °C
    std::int32_t WindDelayCode = 0;          // WindDelayItems: code seconds
    // Soft group central control ("Soft-GZS aktiv"); travels with the shading hysteresis.
    bool SoftGzsActive = false;
    bool operator==(const GeneralParameters&) const = default;
};

// One parameter with a box of its own on the parameter sheet: the box's
// caption, its item list and the member it edits.
struct GeneralParameterField {
    std::string_view caption;
    const ItemList& (*items)();
    std::int32_t GeneralParameters::*code;
};

// In the order in which entering the sheet sets them: random span, shading
// hysteresis, outside offset, inside offset, heating hysteresis, wind delay.
inline constexpr std::array<GeneralParameterField, 6> kGeneralParameterFields = {{
    {"Zufalls-Zeitspanne", RandomSpanItems, &GeneralParameters::RandomSpanCode},
    {"Beschattungs-Hysterese", ShadingHysteresisItems, &GeneralParameters::ShadingHysteresisCode},
    {"Offset Außentemperatur", TemperatureOffsetItems, &GeneralParameters::OutsideTempOffsetCode},
    {"Offset Innentemperatur", TemperatureOffsetItems, &GeneralParameters::InsideTempOffsetCode},
    {"Schalt-Hysterese Heizung", HeatingHysteresisItems, &GeneralParameters::HeatingHysteresisCode},
    {"Auslöseverzögerung Wind", WindDelayItems, &GeneralParameters::WindDelayCode},
}};

// A holiday recurs every year; the year is not kept.
struct Holiday {
    std::int32_t Day = 1;    // 1..31
    std::int32_t Month = 1;  // 1..12
    bool operator==(const Holiday&) const = default;
};

// The text of a holiday's edit field: seven blanks, two-digit day, ".",
// two-digit month, "." ("       24.12.").
std::string HolidayFieldText(const Holiday& holiday);

}  // namespace veltrano
