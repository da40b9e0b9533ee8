// The event thread: waits for the device, reads ahead what arrived, compares
// the line-error counters and hands each finding to the UI thread, waiting
// until the handler has run.
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "link/comm_session.h"
#include "link/serial_driver.h"

namespace veltrano::comm {

void Session::EventLoop() {
    while (!stopping_) {
        if (lost_) {
            // The one report of a lost device; after it the thread ends.
            HandOverEvent({false, lostBits_});
            return;
        }
        bool inputHasRoom;
        {
            std::lock_guard lock(deviceMutex_);
            inputHasRoom = input_.size() < kInputLimit;
        }
        pollfd fds[2] = {{fd_, static_cast<short>(inputHasRoom ? POLLIN : 0), 0},
                         {eventWakeup_.fd(), POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno != EINTR) MarkLost(0);
            continue;
        }
        if (fds[1].revents & POLLIN) eventWakeup_.Clear();
        if (stopping_) return;

        ReadOutcome outcome;
        if (fds[0].revents & POLLIN) outcome = FillInput();
        const bool hangUp = outcome.hangUp || (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL));
        const unsigned errors = NewLineErrors();
        if ((outcome.gotBytes || errors != 0) && !HandOverEvent({outcome.gotBytes, errors})) {
            return;
        }
        if (hangUp) MarkLost(0);
    }
}

Session::ReadOutcome Session::FillInput() {
    ReadOutcome outcome;
    std::lock_guard lock(deviceMutex_);
    if (!device_) return outcome;
    char buffer[kInputLimit];
    while (input_.size() < kInputLimit) {
        const ssize_t n = ::read(fd_, buffer, std::min(sizeof buffer, kInputLimit - input_.size()));
        if (n > 0) {
            input_.append(buffer, static_cast<std::size_t>(n));
            outcome.gotBytes = true;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        // With VMIN 1 an empty read only happens after hang-up; EIO and
        // anything but "nothing there" mean the device is gone.
        if (n == 0 || errno != EAGAIN) outcome.hangUp = true;
        break;
    }
    return outcome;
}

// Drivers without counters are asked once only.
unsigned Session::NewLineErrors() {
    if (!lastCounters_) return 0;
    const auto now = seams_.counters(fd_);
    if (!now) {
        lastCounters_.reset();
        return 0;
    }
    const unsigned bits = LineErrorBits(*lastCounters_, *now);
    lastCounters_ = now;
    return bits;
}

}  // namespace veltrano::comm
