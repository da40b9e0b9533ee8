// Controller-wide settings and the holidays.
#pragma once

#include <cstdint>
#include <string>

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
