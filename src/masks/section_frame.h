// The frame of a mask section on an automation sheet: its group box with
// the help button, and its 32-row list with the heading above it.
#pragma once

#include <QRect>

class QGroupBox;
class QWidget;

namespace veltrano {

class FixedRowListBox;

// The section's group box on `sheet`, the help button `help` in its corner.
QGroupBox* MakeSectionGroup(QWidget* sheet, const char* name, const char* caption, QRect geometry,
                            const char* help);

// The heading `heading` and below it the list XX_Liste of the 32 motors,
// both on `sheet`; the list's hint says what its clicks do.
FixedRowListBox* MakeSectionList(QWidget* sheet, const char* listName, const char* headingName,
                                 const char* heading, QRect headingGeometry, QRect listGeometry);

}  // namespace veltrano
