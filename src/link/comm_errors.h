// The port layer's exception texts and the German hints shown below them.
#pragma once

#include <string>

#include "link/comm_port.h"

namespace veltrano::comm {

// strerror text of an errno value, thread-safe.
std::string SystemErrorText(int error);

// "Can't perform this operation while port is open"
ECommError PortIsOpenError();
// "Specified device not found (COMn)."
ECommError DeviceNotFoundError(const std::string& deviceName);
// "Can't open specified device COMn (Error %d, %s)", with a hint for a busy
// port or missing permission.
ECommError CannotOpenError(const std::string& deviceName, int error);
// "Error writing dcb (%d), %s"
ECommError LineSettingsError(int error);
// "Error initializing buffers (%d), %s"
ECommError BuffersError(int error);
// " Error setting EventMask (%d), %s"
ECommError EventMaskError(int error);
// "Output buffer is full. Please check comm status."
ECommError OutputBufferFullError();
// "Read error (%d), %s"
ECommError ReadError(int error);

inline constexpr const char* kBusyHint =
    "Die Schnittstelle wird bereits von einem anderen Programm benutzt.";
inline constexpr const char* kPermissionHint =
    "Keine Berechtigung für die Schnittstelle. Der Benutzer muss Mitglied der Gruppe "
    "\"dialout\" sein.";

}  // namespace veltrano::comm
