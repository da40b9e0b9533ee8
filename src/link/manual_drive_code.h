// The confirmation code the Controller expects after each manual-drive
// direction word. One build-time constant, shared by the program and the
// simulated Controller.
#pragma once

#ifndef VELTRANO_MANUAL_DRIVE_CODE
#define VELTRANO_MANUAL_DRIVE_CODE "417"
#endif

namespace veltrano {
inline constexpr const char* kManualDriveConfirmationCode = VELTRANO_MANUAL_DRIVE_CODE;
}
