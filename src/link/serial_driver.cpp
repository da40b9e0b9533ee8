#include "link/serial_driver.h"

#include <linux/serial.h>
#include <sys/ioctl.h>

namespace veltrano::comm {

std::optional<LineErrorCounters> ReadDriverCounters(int fd) {
    serial_icounter_struct raw{};
    if (::ioctl(fd, TIOCGICOUNT, &raw) != 0) return std::nullopt;
    LineErrorCounters counters;
    counters.frame = static_cast<std::uint32_t>(raw.frame);
    counters.overrun = static_cast<std::uint32_t>(raw.overrun);
    counters.parity = static_cast<std::uint32_t>(raw.parity);
    counters.brk = static_cast<std::uint32_t>(raw.brk);
    counters.bufOverrun = static_cast<std::uint32_t>(raw.buf_overrun);
    return counters;
}

int DriverOutputQueue(int fd) {
    int pending = 0;
    if (::ioctl(fd, TIOCOUTQ, &pending) != 0) return 0;
    return pending;
}

std::size_t DriverInputQueue(int fd) {
    int waiting = 0;
    if (::ioctl(fd, FIONREAD, &waiting) != 0 || waiting < 0) return 0;
    return static_cast<std::size_t>(waiting);
}

// Counters only grow, but wrap around; any change is a new error.
unsigned LineErrorBits(const LineErrorCounters& before, const LineErrorCounters& now) {
    unsigned bits = 0;
    if (now.frame != before.frame) bits |= CE_FRAME;
    if (now.overrun != before.overrun || now.bufOverrun != before.bufOverrun) bits |= CE_OVERRUN;
    if (now.parity != before.parity) bits |= CE_RXPARITY;
    if (now.brk != before.brk) bits |= CE_BREAK;
    return bits;
}

}  // namespace veltrano::comm
