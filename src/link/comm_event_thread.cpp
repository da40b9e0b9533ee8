// The event thread: waits for the device, reads ahead what arrived, compares
// the line-error counters and hands each finding to the UI thread, waiting
// until the handler has run.
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>

#include "link/comm_session.h"
#include "link/serial_driver.h"

namespace veltrano::comm {

void Session::EventLoop() {
    ReceivePacing& pacing = *seams_.pacing;
    // While characters wait for more of their batch: when the first came.
    bool batching = false;
    std::chrono::steady_clock::time_point batchSince;
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
        // While characters wait for the rest of their batch, a pause lets
        // the line gather more before the thread reads again: one wake for
        // many characters instead of one each.
        const int pauseMs = pacing.pauseMs.load();
        const bool pausing = batching && pauseMs > 0;
        pollfd fds[2] = {{fd_, static_cast<short>(inputHasRoom && !pausing ? POLLIN : 0), 0},
                         {eventWakeup_.fd(), POLLIN, 0}};
        int timeoutMs = -1;
        if (batching) {
            const auto left = batchSince + seams_.batchDelay - std::chrono::steady_clock::now();
            timeoutMs = static_cast<int>(std::max<std::int64_t>(
                0, std::chrono::ceil<std::chrono::milliseconds>(left).count()));
            if (pausing) timeoutMs = std::min(timeoutMs, pauseMs);
        }
        const int ready = ::poll(fds, 2, timeoutMs);
        ++pacing.wakeups;
        if (ready < 0) {
            if (errno != EINTR) MarkLost(0);
            continue;
        }
        if (fds[1].revents & POLLIN) eventWakeup_.Clear();
        if (stopping_) return;
        // The batch waited long enough.
        const bool batchDue =
            batching && std::chrono::steady_clock::now() >= batchSince + seams_.batchDelay;

        ReadOutcome outcome;
        if ((fds[0].revents & POLLIN) || (pausing && inputHasRoom)) outcome = FillInput();
        const bool hangUp = outcome.hangUp || (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL));
        const unsigned errors = NewLineErrors();
        const bool pending = outcome.gotBytes || batching;
        if (pending && errors == 0 && !hangUp && !batchDue && BatchMayWait()) {
            if (!batching) batchSince = std::chrono::steady_clock::now();
            batching = true;
            continue;
        }
        batching = false;
        if ((pending || errors != 0) && !HandOverEvent({pending, errors})) {
            return;
        }
        if (hangUp) MarkLost(0);
    }
}

bool Session::BatchMayWait() {
    if (!seams_.batchComplete || seams_.batchDelay.count() <= 0) return false;
    std::lock_guard lock(deviceMutex_);
    if (input_.size() >= kInputLimit) return false;
    return !seams_.batchComplete(input_);
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
