// The "?" buttons of the switching-time sheet's group boxes.
#pragma once

class QWidget;

namespace veltrano {

// Places Help_FS, Help_SchZeitCopy, Help_Port, Help_Datenaustausch and
// Help_Sicherung in their group boxes on `sheet`; a box that does not exist
// is skipped.
void PlaceSwitchTimeSheetHelpButtons(QWidget* sheet);

}  // namespace veltrano
