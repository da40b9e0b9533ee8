// A wheel turn over a box the user has not focused changes nothing: the
// page scrolls past it instead of silently editing a setting.
#pragma once

class QWidget;

namespace veltrano {

// The box takes the focus by click or tab only, and ignores the wheel while
// it has no focus.
void IgnoreWheelUnlessFocused(QWidget* box);

}  // namespace veltrano
