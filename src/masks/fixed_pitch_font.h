// The font of the lists whose columns must line up.
#pragma once

#include <QFont>

namespace veltrano {

// Courier New at 8 points where the machine has it (or a font it maps to
// that is fixed-pitch), else the system's fixed-pitch font at that size.
QFont FixedPitchListFont();

}  // namespace veltrano
