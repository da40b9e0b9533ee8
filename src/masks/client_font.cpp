#include "masks/client_font.h"

namespace veltrano {

QFont ClientFont() {
    QFont font(kClientFontFamily);
    font.setPointSizeF(kClientFontPointSize);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}  // namespace veltrano
