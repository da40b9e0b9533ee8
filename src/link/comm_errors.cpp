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
    return ECommError("Specified device not found (" + deviceName + ").");
}

ECommError CannotOpenError(const std::string& deviceName, int error) {
    std::string hint;
    if (error == EBUSY) hint = kBusyHint;
    if (error == EACCES || error == EPERM) hint = kPermissionHint;
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
    return ECommError(WithCode("Read error (", error, "), "));
}

}  // namespace veltrano::comm
