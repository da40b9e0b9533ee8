#include "masks/section_frame.h"

#include <QGroupBox>
#include <QLabel>

#include "masks/fixed_row_list_box.h"
#include "masks/help_button.h"
#include "model/model_codes.h"

namespace veltrano {

QGroupBox* MakeSectionGroup(QWidget* sheet, const char* name, const char* caption, QRect geometry,
                            const char* help) {
    auto* group = new QGroupBox(caption, sheet);
    group->setObjectName(name);
    group->setGeometry(geometry);
    MakeHelpButton(group, help);
    return group;
}

FixedRowListBox* MakeSectionList(QWidget* sheet, const char* listName, const char* headingName,
                                 const char* heading, QRect headingGeometry, QRect listGeometry) {
    auto* title = new QLabel(heading, sheet);
    title->setObjectName(headingName);
    title->setGeometry(headingGeometry);
    auto* list = new FixedRowListBox(listName, kMotorCount, sheet);
    list->setToolTip(
        "Anklicken überträgt Werte in Eingabemasken (links), Doppel-Klick für EIN / AUS");
    list->setGeometry(listGeometry);
    return list;
}

}  // namespace veltrano
