// A group of temperature readings on an automation sheet: the lowest, the
// current and the highest value of the last 24 hours, which the status
// report fills.
#pragma once

#include <QPoint>

class QWidget;

namespace veltrano {

struct TemperatureReadingNames {
    const char* group;
    const char* caption;  // "Innentemperatur", "Außentemperatur"
    const char* label;    // the caption over the three fields
    const char* min;
    const char* now;
    const char* max;
};

// The group box with its caption and three fields at `topLeft` on `sheet`.
void MakeTemperatureReadings(QWidget* sheet, const TemperatureReadingNames& names, QPoint topLeft);

}  // namespace veltrano
