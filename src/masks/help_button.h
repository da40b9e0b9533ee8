// The "?" button of a group box: it shows the box's help topic.
#pragma once

class QPushButton;
class QWidget;

namespace veltrano {

// A "?" button named `name` in the top right corner of groupBox (whose
// geometry must be set), hint "Hilfe", help cursor. The help viewer finds
// it by its name and connects it.
QPushButton* MakeHelpButton(QWidget* groupBox, const char* name);

}  // namespace veltrano
