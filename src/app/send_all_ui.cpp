// "PC --> Steuerung": the send-all transfer as the window starts and ends it.
#include "app/tquorvan.h"

namespace veltrano {

void TQuorvan::Send_ButtonClick() {
    if (state_.LinkDown) return;
}

}  // namespace veltrano
