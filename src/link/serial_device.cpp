#include "link/serial_device.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

#include "link/comm_errors.h"

namespace veltrano::comm {

std::unique_ptr<SerialDevice> SerialDevice::Open(const std::string& path,
                                                 const std::string& deviceName,
                                                 const LineSettings& line) {
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENODEV) throw DeviceNotFoundError(deviceName);
        throw CannotOpenError(deviceName, error, path);
    }
    if (!::isatty(fd)) {
        ::close(fd);
        throw NotASerialDeviceError(path);
    }
    // From here on the destructor gives back whatever a failing step leaves.
    std::unique_ptr<SerialDevice> device;
    try {
        device.reset(new SerialDevice(fd));
    } catch (...) {
        ::close(fd);
        throw;
    }
    device->Lock(deviceName);
    device->SaveSettings();
    device->MakeExclusive(deviceName);
    device->Apply(line);
    device->FlushQueues();
    device->DropModemLines();
    return device;
}

SerialDevice::~SerialDevice() {
    if (fd_ < 0) return;
    // Unsent output would otherwise hold close() for the driver's closing
    // delay, e.g. when the peer stopped us with XOFF.
    ::tcflush(fd_, TCOFLUSH);
    if (exclusive_) ::ioctl(fd_, TIOCNXCL);
    if (original_) ::tcsetattr(fd_, TCSANOW, &*original_);
    if (locked_) ::flock(fd_, LOCK_UN);
    ::close(fd_);
}

// The advisory lock also holds against root, which TIOCEXCL does not stop.
void SerialDevice::Lock(const std::string& deviceName) {
    int rc;
    do {
        rc = ::flock(fd_, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        // Report a held lock like a busy device, whichever step noticed it.
        throw CannotOpenError(deviceName, errno == EWOULDBLOCK ? EBUSY : errno);
    }
    locked_ = true;
}

void SerialDevice::SaveSettings() {
    termios t{};
    if (::tcgetattr(fd_, &t) != 0) throw LineSettingsError(errno);
    original_ = t;
}

void SerialDevice::MakeExclusive(const std::string& deviceName) {
    if (::ioctl(fd_, TIOCEXCL) != 0) throw CannotOpenError(deviceName, errno);
    exclusive_ = true;
}

void SerialDevice::Apply(const LineSettings& line) {
    termios current{};
    if (::tcgetattr(fd_, &current) != 0) throw LineSettingsError(errno);
    const auto wanted = MakeTerminalSettings(current, line);
    if (!wanted) throw LineSettingsError(EINVAL);
    if (::tcsetattr(fd_, TCSANOW, &*wanted) != 0) throw LineSettingsError(errno);
    // tcsetattr succeeds when any part took; read back to see all of it did.
    termios actual{};
    if (::tcgetattr(fd_, &actual) != 0) throw LineSettingsError(errno);
    if (!TerminalSettingsTookEffect(*wanted, actual)) throw LineSettingsError(EINVAL);
}

void SerialDevice::FlushQueues() {
    if (::tcflush(fd_, TCIOFLUSH) != 0) throw BuffersError(errno);
}

// A pseudo-terminal or an adapter without modem lines answers ENOTTY/EINVAL;
// that is no reason to refuse the line.
void SerialDevice::DropModemLines() {
    int lines = TIOCM_DTR | TIOCM_RTS;
    if (::ioctl(fd_, TIOCMBIC, &lines) != 0 && errno != ENOTTY && errno != EINVAL) {
        throw LineSettingsError(errno);
    }
}

}  // namespace veltrano::comm
