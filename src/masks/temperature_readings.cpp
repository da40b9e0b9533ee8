#include "masks/temperature_readings.h"

#include <QGroupBox>
#include <QRect>

#include "masks/mask_controls.h"

namespace veltrano {

void MakeTemperatureReadings(QWidget* sheet, const TemperatureReadingNames& names, QPoint topLeft) {
    auto* group = new QGroupBox(names.caption, sheet);
    group->setObjectName(names.group);
    group->setGeometry(QRect(topLeft, QSize(188, 56)));
    MakeCaption(group, names.label, "Min    Aktuell   Max", QRect(8, 14, 160, 14));
    MakeField(group, names.min, "Min-Wert der letzten 24 Stunden", QRect(8, 30, 40, 18));
    MakeField(group, names.now, nullptr, QRect(52, 30, 52, 18));
    MakeField(group, names.max, "Max-Wert der letzten 24 Stunden", QRect(108, 30, 40, 18));
}

}  // namespace veltrano
