#include "masks/switch_time_help_buttons.h"

#include <QGroupBox>
#include <QPushButton>
#include <array>

#include "masks/help_button.h"

namespace veltrano {
namespace {

enum class Corner {
    TopRight,     // the usual place
    OnTheFrame,   // top right, raised onto the frame line: controls begin at the caption's foot
    BottomRight,  // the caption runs across the whole top
};

struct Placement {
    const char* groupBox;
    const char* button;
    Corner corner;
};

constexpr std::array<Placement, 5> kPlacements = {{
    {"GroupBox_Schaltzeiten", "Help_FS", Corner::OnTheFrame},
    {"GroupBox_Kopieren", "Help_SchZeitCopy", Corner::TopRight},
    {"GroupBox_Port", "Help_Port", Corner::OnTheFrame},
    {"GroupBox_Datenaustausch", "Help_Datenaustausch", Corner::OnTheFrame},
    {"GroupBox_Sicherung", "Help_Sicherung", Corner::BottomRight},
}};

}  // namespace

void PlaceSwitchTimeSheetHelpButtons(QWidget* sheet) {
    for (const Placement& p : kPlacements) {
        auto* box = sheet->findChild<QGroupBox*>(p.groupBox);
        if (!box) continue;
        QPushButton* button = MakeHelpButton(box, p.button);
        switch (p.corner) {
            case Corner::TopRight:
                break;
            case Corner::OnTheFrame:
                button->move(button->x(), 0);
                break;
            case Corner::BottomRight:
                button->move(button->x(), box->height() - button->height() - 2);
                break;
        }
    }
}

}  // namespace veltrano
