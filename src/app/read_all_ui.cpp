// "Steuerung --> PC": the read-all transfer as the window starts and ends it.
#include "app/tquorvan.h"

namespace veltrano {

void TQuorvan::Read_ButtonClick() {
    if (state_.LinkDown) return;
}

}  // namespace veltrano
