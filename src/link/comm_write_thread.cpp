// The write thread: drains the output queue into the device, waits for the
// device to take more (XOFF, full driver queue) and reports when everything
// has left the port.
#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "link/comm_session.h"

namespace veltrano::comm {

void Session::WriteLoop() {
    std::string chunk;
    bool outstanding = false;  // bytes went to the driver since the last drained report
    while (!stopping_ && !lost_) {
        if (output_.Peek(chunk, kWriteChunk) > 0) {
            const ssize_t n = ::write(fd_, chunk.data(), chunk.size());
            if (n > 0) {
                output_.Consume(static_cast<std::size_t>(n));
                outstanding = true;
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && errno != EAGAIN) {
                MarkLost(errno == EIO ? 0u : static_cast<unsigned>(CE_WRITE));
                return;
            }
            WaitForWriteWake(true, -1);
            continue;
        }
        if (outstanding) {
            if (seams_.outputQueue(fd_) > 0) {
                WaitForWriteWake(false, kDrainCheckMs);
                continue;
            }
            outstanding = false;
            PostDrained(output_.Taken());
            continue;
        }
        WaitForWriteWake(false, -1);
    }
}

// Waits for the wake-up signal, a time-out, and with forDevice for room in
// the device. The device is left out otherwise: a hung-up descriptor is
// always ready and would make the wait spin.
void Session::WaitForWriteWake(bool forDevice, int timeoutMs) {
    pollfd fds[2] = {{forDevice ? fd_ : -1, POLLOUT, 0}, {writeWakeup_.fd(), POLLIN, 0}};
    if (::poll(fds, 2, timeoutMs) < 0) {
        if (errno != EINTR) MarkLost(CE_WRITE);
        return;
    }
    if (fds[1].revents & POLLIN) writeWakeup_.Clear();
    if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) MarkLost(0);
}

}  // namespace veltrano::comm
