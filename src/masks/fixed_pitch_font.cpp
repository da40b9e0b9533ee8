#include "masks/fixed_pitch_font.h"

#include <QFontDatabase>
#include <QFontInfo>

namespace veltrano {

QFont FixedPitchListFont() {
    // Font substitution may land on a proportional font, and then the
    // columns no longer line up: take the first candidate that is fixed-pitch.
    const QFont candidates[] = {QFont("Courier New", 8), QFont("DejaVu Sans Mono", 8),
                                QFont("Liberation Mono", 8),
                                QFontDatabase::systemFont(QFontDatabase::FixedFont)};
    for (QFont font : candidates) {
        font.setPointSize(8);
        if (QFontInfo(font).fixedPitch()) return font;
    }
    QFont font("Courier New", 8);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

}  // namespace veltrano
