// The window's client font: a sans-serif face whose widths come close to
// those the fixed layout was drawn for, at a small size.
#pragma once

#include <QFont>

namespace veltrano {

inline constexpr const char* kClientFontFamily = "Liberation Sans";
inline constexpr double kClientFontPointSize = 8;

QFont ClientFont();

}  // namespace veltrano
