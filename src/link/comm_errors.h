// The port layer's exception texts and the German hints shown below them.
#pragma once

#include <string>

#include "link/comm_port.h"

namespace veltrano::comm {

// strerror text of an errno value, thread-safe.
std::string SystemErrorText(int error);

// "Can't perform this operation while port is open"
ECommError PortIsOpenError();
// "Specified device not found (COMn).", with a hint naming the places looked at.
ECommError DeviceNotFoundError(const std::string& deviceName);
// "Can't open specified device COMn (Error %d, %s)", with a hint for a busy
// port, missing permission or a folder in the device's place (path).
ECommError CannotOpenError(const std::string& deviceName, int error, const std::string& path = {});
// "Error writing dcb (25), Inappropriate ioctl for device": path is no
// terminal (a regular file, say), with a hint saying so.
ECommError NotASerialDeviceError(const std::string& path);
// "Error writing dcb (%d), %s"
ECommError LineSettingsError(int error);
// "Error initializing buffers (%d), %s"
ECommError BuffersError(int error);
// " Error setting EventMask (%d), %s"
ECommError EventMaskError(int error);
// "Output buffer is full. Please check comm status."
ECommError OutputBufferFullError();
// "Read error (%d), %s"; a vanished device gets the hint that the port is
// opened again by itself.
ECommError ReadError(int error);

inline constexpr const char* kDeviceLostHint =
    "Die Verbindung zum Adapter ist abgebrochen (Adapter gezogen?). Veltrano öffnet den Port "
    "wieder, sobald das Gerät wieder angeschlossen ist.";
inline constexpr const char* kBusyHint =
    "Die Schnittstelle wird bereits von einem anderen Programm benutzt.";
inline constexpr const char* kPermissionHint =
    "Keine Berechtigung für die Schnittstelle. Der Benutzer muss Mitglied der Gruppe "
    "\"dialout\" sein.";

}  // namespace veltrano::comm
