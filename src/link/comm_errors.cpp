#include "link/comm_errors.h"

#include <cerrno>
#include <cstring>

namespace veltrano::comm {

namespace {

// strerror_r comes in two flavours (GNU returns the text, XSI fills the buffer).
[[maybe_unused]] const char* PickText(const char* gnuResult, const char*) {
    return gnuResult;
}
[[maybe_unused]] const char* PickText(int xsiResult, const char* buffer) {
    return xsiResult == 0 ? buffer : "Unknown error";
}

std::string WithCode(const char* prefix, int error, const char* middle) {
    return prefix + std::to_string(error) + middle + SystemErrorText(error);
}

}  // namespace

std::string SystemErrorText(int error) {
    char buffer[256] = {};
    return PickText(strerror_r(error, buffer, sizeof buffer), buffer);
}

ECommError PortIsOpenError() {
    return ECommError("Can't perform this operation while port is open");
}

ECommError DeviceNotFoundError(const std::string& deviceName) {
    if (deviceName.rfind("COM", 0) != 0) {
        return ECommError("Specified device not found (" + deviceName + ").",
                          "Unter " + deviceName +
                              " ist kein Gerät angeschlossen. Bitte den Adapter einstecken oder "
                              "einen anderen Port angeben.",
                          true);
    }
    // The port number is what follows "COM"; the places are those a port
    // number leads to (see DefaultDeviceForPort).
    const std::string number = deviceName.size() > 3 ? deviceName.substr(3) : "?";
    int index = 0;
    for (char c : number)
        index = c >= '0' && c <= '9' ? index * 10 + (c - '0') : index;
    const std::string tail = std::to_string(index > 0 ? index - 1 : 0);
    return ECommError("Specified device not found (" + deviceName + ").",
                      "An " + deviceName + " ist kein Gerät angeschlossen. Gesucht wurden ./" +
                          deviceName + ", /dev/ttyUSB" + tail + " und /dev/ttyS" + tail +
                          ". Bitte den Adapter einstecken oder einen anderen Port wählen.",
                      true);
}

namespace {

std::string NotASerialDeviceHint(const std::string& path, const char* what) {
    return path + " ist keine serielle Schnittstelle, sondern " + what +
           ". Bitte einen anderen Port wählen.";
}

}  // namespace

ECommError NotASerialDeviceError(const std::string& path) {
    return ECommError(LineSettingsError(ENOTTY).what(),
                      NotASerialDeviceHint(path, "eine gewöhnliche Datei"));
}

ECommError CannotOpenError(const std::string& deviceName, int error, const std::string& path) {
    std::string hint;
    if (error == EBUSY) hint = kBusyHint;
    if (error == EACCES || error == EPERM) hint = kPermissionHint;
    if (error == EISDIR)
        hint = NotASerialDeviceHint(path.empty() ? deviceName : path, "ein Ordner");
    return ECommError("Can't open specified device " + deviceName + " (Error " +
                          std::to_string(error) + ", " + SystemErrorText(error) + ")",
                      std::move(hint));
}

ECommError LineSettingsError(int error) {
    return ECommError(WithCode("Error writing dcb (", error, "), "));
}

ECommError BuffersError(int error) {
    return ECommError(WithCode("Error initializing buffers (", error, "), "));
}

ECommError EventMaskError(int error) {
    return ECommError(WithCode(" Error setting EventMask (", error, "), "));
}

ECommError OutputBufferFullError() {
    return ECommError("Output buffer is full. Please check comm status.");
}

ECommError ReadError(int error) {
    const bool vanished = error == EIO || error == ENXIO || error == ENODEV;
    return ECommError(WithCode("Read error (", error, "), "), vanished ? kDeviceLostHint : "");
}

}  // namespace veltrano::comm
