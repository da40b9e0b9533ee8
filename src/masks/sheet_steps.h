// Enter and leave steps of a tab sheet: they follow the sheet's showing and
// hiding by a tab change (or by setTabVisible moving the current tab), not
// the spontaneous show and hide of minimising and restoring the window.
#pragma once

#include <functional>

class QWidget;

namespace veltrano {

// Runs enter on each non-spontaneous show of sheet and leave on each
// non-spontaneous hide. Qt hides the old page before it shows the new one,
// so a sheet's leave runs before the next sheet's enter. Either may be empty.
void ConnectSheetSteps(QWidget* sheet, std::function<void()> enter,
                       std::function<void()> leave = {});

}  // namespace veltrano
