// Building blocks of the automation sheets' controls: captions, drop-down
// boxes filled from an item list, the motor selector, and clicks on fields
// that have no click of their own.
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>

#include "model/value_scales.h"

class QComboBox;
class QLabel;
class QWidget;

namespace veltrano {

// A caption: left-aligned at its bottom, wrapped onto a second line when
// wider than the geometry.
QLabel* MakeCaption(QWidget* parent, const char* name, const QString& text, QRect geometry);

// A read-only field: a sunken label the program writes.
QLabel* MakeField(QWidget* parent, const char* name, const char* hint, QRect geometry);

// The texts of an item list, for a drop-down list.
QStringList ItemTexts(const ItemList& items);

// A drop-down list (not editable) of `items`, wheel-safe (WheelOnlyWhenFocused).
QComboBox* MakeItemBox(QWidget* parent, const char* name, const ItemList& items, const char* hint,
                       QRect geometry);

// A turn of the mouse wheel over the box (a drop-down list, a date box)
// changes it only while it has the keyboard focus, so scrolling the window
// past a box never picks an item.
void WheelOnlyWhenFocused(QWidget* box);

// Runs onClick for every completed left click (press and release inside the
// widget), so a double-click counts as two.
void OnClick(QWidget* widget, std::function<void()> onClick);

}  // namespace veltrano
