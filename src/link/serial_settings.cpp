#include "link/serial_settings.h"

#include <array>
#include <utility>

namespace veltrano::comm {

namespace {

std::optional<speed_t> SpeedCode(int baud) {
    static constexpr std::array<std::pair<int, speed_t>, 18> kSpeeds{{
        {50, B50},
        {75, B75},
        {110, B110},
        {134, B134},
        {150, B150},
        {200, B200},
        {300, B300},
        {600, B600},
        {1200, B1200},
        {1800, B1800},
        {2400, B2400},
        {4800, B4800},
        {9600, B9600},
        {19200, B19200},
        {38400, B38400},
        {57600, B57600},
        {115200, B115200},
        {230400, B230400},
    }};
    for (const auto& [rate, code] : kSpeeds) {
        if (rate == baud) return code;
    }
    return std::nullopt;
}

std::optional<tcflag_t> SizeFlag(int databits) {
    switch (databits) {
        case 5:
            return CS5;
        case 6:
            return CS6;
        case 7:
            return CS7;
        case 8:
            return CS8;
        default:
            return std::nullopt;
    }
}

// The control-mode bits this layer decides; drivers may keep others.
constexpr tcflag_t kDecidedControlBits =
    CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS | HUPCL | CLOCAL | CREAD;

}  // namespace

std::optional<termios> MakeTerminalSettings(const termios& original, const LineSettings& line) {
    const auto speed = SpeedCode(line.baud);
    const auto size = SizeFlag(line.databits);
    if (!speed || !size) return std::nullopt;
    if (line.parity != 'N' && line.parity != 'E' && line.parity != 'O') return std::nullopt;
    if (line.stopbits != 1 && line.stopbits != 2) return std::nullopt;

    termios t = original;
    cfmakeraw(&t);
    t.c_iflag &= ~(IXANY | INPCK | IUCLC | IMAXBEL);
    t.c_iflag |= IXON | IXOFF;
    t.c_oflag = 0;
    t.c_lflag = 0;
    t.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS | HUPCL);
    t.c_cflag |= CLOCAL | CREAD | *size;
    if (line.parity != 'N') t.c_cflag |= PARENB;
    if (line.parity == 'O') t.c_cflag |= PARODD;
    if (line.stopbits == 2) t.c_cflag |= CSTOPB;
    t.c_cc[VSTART] = kXon;
    t.c_cc[VSTOP] = kXoff;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    if (cfsetispeed(&t, *speed) != 0 || cfsetospeed(&t, *speed) != 0) return std::nullopt;
    return t;
}

bool TerminalSettingsTookEffect(const termios& wanted, const termios& actual) {
    // An input speed of 0 means "same as the output speed".
    const speed_t actualInput = cfgetispeed(&actual);
    return actual.c_iflag == wanted.c_iflag && actual.c_oflag == wanted.c_oflag &&
           actual.c_lflag == wanted.c_lflag &&
           (actual.c_cflag & kDecidedControlBits) == (wanted.c_cflag & kDecidedControlBits) &&
           actual.c_cc[VSTART] == wanted.c_cc[VSTART] && actual.c_cc[VSTOP] == wanted.c_cc[VSTOP] &&
           actual.c_cc[VMIN] == wanted.c_cc[VMIN] && actual.c_cc[VTIME] == wanted.c_cc[VTIME] &&
           cfgetospeed(&actual) == cfgetospeed(&wanted) &&
           (actualInput == cfgetispeed(&wanted) || actualInput == 0);
}

}  // namespace veltrano::comm
