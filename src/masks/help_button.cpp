#include "masks/help_button.h"

#include <QPushButton>

namespace veltrano {

QPushButton* MakeHelpButton(QWidget* groupBox, const char* name) {
    constexpr int kSize = 17;
    auto* button = new QPushButton("?", groupBox);
    button->setObjectName(name);
    button->setToolTip("Hilfe");
    button->setCursor(Qt::WhatsThisCursor);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(groupBox->width() - kSize - 4, 2, kSize, kSize);
    return button;
}

}  // namespace veltrano
