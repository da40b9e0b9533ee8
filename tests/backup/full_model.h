// A model in which every saved field differs from its start value and from
// motor to motor, with motor names in Windows-1252 range (umlauts, ß, €).
#pragma once

#include <string>

#include "model/configuration_model.h"

namespace veltrano::testing {

inline std::string FullModelName(int m) {
    switch (m) {
        case 1:
            return "Gästezimmer Öst";  // 15 characters
        case 2:
            return "Küche Süd";
        case 3:
            return "Büro=Straße";  // "=" inside a name
        case 4:
            return "";
        case 5:
            return "Wintergarten 5 €";
        default:
            return "Raum " + std::to_string(m) + " äöüÄÖÜß";
    }
}

// Every code is a small value that still fits its item list where the file
// can carry it, so reading back gives the same model; only switching-time
// run times above 129 come back as 43.
inline ConfigurationModel FullModel() {
    ConfigurationModel model;
    int i = 0;
    for (SwitchTime& e : model.SwitchTimes) {
        e.Direction = i % 2;
        e.TimeCode = (i * 37) % 1441;  // 0 (empty) .. 1440
        e.DurationCode = i % 135;      // 0 .. 134: every conversion rule
        const int groups[] = {1, 2, 5, 7};
        e.DayGroup = groups[i % 4];
        e.Function = i % 3;
        e.Modified = i % 5 == 0;
        ++i;
    }
    for (int m = 1; m <= kMotorCount; ++m) {
        model.motorName(m) = FullModelName(m);
        model.shading(m) = {m % 2,         m % 46,        m % 18, (m + 3) % 18,
                            (m * 5) % 189, (m * 6) % 190, false};
        model.twilightMorning(m) = {(m + 1) % 2, m % 9, (m * 7) % 225, (m * 5) % 191, false};
        model.twilightEvening(m) = {m % 2, m % 10, (m * 3) % 225, (m * 6) % 191, false};
        model.wind(m) = {(m + 1) % 2, m % 19, false};
        model.rain(m) = {m % 2, (m / 2) % 2, false};
        model.reverse(m) = {(m + 1) % 2, m % 41, (m + 20) % 41, false};
        model.touch(m) = {m % 2, (m * 3) % 191, false};
        model.proportionalTemp(m) = {m % 2, m % 24,        (m + 5) % 24, m % 50, (m / 3) % 2,
                                     m % 9, (m * 4) % 190, m % 8,        false};
        model.insideTemp(m) = {(m + 1) % 2,   m % 2,  m % 60,       (m / 2) % 2, (m + 30) % 60,
                               (m * 5) % 191, m % 24, (m + 7) % 24, false};
        model.heating(m) = {m % 2, (m / 2) % 2, (m / 4) % 2, m * 7, 255 - m, false};
        model.humidity(m) = {m % 2,         (m + 1) % 2, m % 99,        (m * 3) % 99,
                             (m * 2) % 191, m % 24,      (m + 11) % 24, false};
        model.outsideTemp(m) = {(m + 1) % 2, m % 60, m % 3, (m * 2) % 60, (m * 4) % 191, false};
        model.alarmPattern(m) = m % 3;
    }
    model.Parameters.RandomSpanCode = 252;
    model.Parameters.ShadingHysteresisCode = 0;
    model.Parameters.OutsideTempOffsetCode = 0;
    model.Parameters.InsideTempOffsetCode = 10;
    model.Parameters.HeatingHysteresisCode = 8;
    model.Parameters.WindDelayCode = 20;
    model.Parameters.SoftGzsActive = true;
    for (int b = 1; b <= kBankCount; ++b)
        for (int g = 1; g <= kGroupCount; ++g)
            model.groupMask(b, g) = static_cast<std::uint8_t>((b * 61 + g * 17) % 256);
    model.groupMask(4, 4) = 255;
    for (int n = 1; n <= kHolidayCount; ++n)
        model.holiday(n) = {n * 2, (n % 12) + 1};
    return model;
}

}  // namespace veltrano::testing
