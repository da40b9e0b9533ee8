#include "link/comm_session.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "link/comm_errors.h"
#include "link/serial_driver.h"

namespace veltrano::comm {

namespace {

// A thread cannot join itself; that happens only when a dispatcher runs tasks
// directly on the worker thread and a handler closes the port. The thread
// keeps its session alive and ends on its own.
void JoinOrDetach(std::thread& thread) {
    if (!thread.joinable()) return;
    if (thread.get_id() == std::this_thread::get_id()) {
        thread.detach();
    } else {
        thread.join();
    }
}

}  // namespace

Session::Session(TCommPort& owner, std::unique_ptr<SerialDevice> device, SessionSeams seams)
    : owner_(owner), seams_(std::move(seams)), device_(std::move(device)), fd_(device_->fd()) {}

Session::~Session() {
    Shutdown();
}

void Session::Start() {
    lastCounters_ = seams_.counters(fd_);
    try {
        eventThread_ = std::thread([self = shared_from_this()] { self->EventLoop(); });
        writeThread_ = std::thread([self = shared_from_this()] { self->WriteLoop(); });
    } catch (...) {
        Shutdown();
        throw;
    }
}

void Session::Shutdown() {
    stopping_ = true;
    output_.Close();
    eventWakeup_.Signal();
    writeWakeup_.Signal();
    handOver_->Cancel();
    JoinOrDetach(eventThread_);
    JoinOrDetach(writeThread_);
    std::lock_guard lock(deviceMutex_);
    input_.clear();
    device_.reset();
}

OutputQueue::AppendResult Session::Write(std::string_view text, std::chrono::milliseconds timeout) {
    return output_.Append(text, timeout, [this] { writeWakeup_.Signal(); });
}

// Takes what is waiting now, no more: a peer that keeps sending must not
// keep the caller reading.
std::string Session::Read() {
    std::lock_guard lock(deviceMutex_);
    if (!device_ || lost_) return {};
    const bool wasFull = input_.size() >= kInputLimit;
    std::size_t waiting = DriverInputQueue(fd_);
    char buffer[4096];
    while (waiting > 0) {
        const ssize_t n = ::read(fd_, buffer, std::min(sizeof buffer, waiting));
        if (n > 0) {
            input_.append(buffer, static_cast<std::size_t>(n));
            waiting -= static_cast<std::size_t>(n);
            continue;
        }
        // End of file and EIO mean hang-up; the event thread reports that.
        if (n == 0 || errno == EAGAIN || errno == EIO) break;
        if (errno == EINTR) continue;
        throw ReadError(errno);
    }
    std::string text;
    text.swap(input_);
    // The event thread stopped reading ahead at the limit; let it go on.
    if (wasFull) eventWakeup_.Signal();
    return text;
}

void Session::Apply(const LineSettings& line) {
    std::lock_guard lock(deviceMutex_);
    if (device_) device_->Apply(line);
}

bool Session::OutputPending() {
    if (output_.Size() > 0) return true;
    std::lock_guard lock(deviceMutex_);
    return device_ && !lost_ && seams_.outputQueue(fd_) > 0;
}

void Session::MarkLost(unsigned extraBits) {
    lostBits_ |= extraBits;
    lost_ = true;
    output_.Close();
    eventWakeup_.Signal();
    writeWakeup_.Signal();
}

// --- user-interface thread ---

template <typename... Params, typename... Args>
void Session::CallHandler(const std::function<void(Params...)>& handler, Args... args) {
    // A copy, because the handler may replace itself while it runs.
    const auto call = handler;
    if (!call) return;
    std::string failure;
    try {
        call(args...);
        return;
    } catch (const std::exception& e) {
        failure = e.what();
    } catch (...) {
        failure = "unknown exception";
    }
    if (!handOver_->Live()) return;
    const auto report = owner_.OnHandlerException;
    if (!report) return;
    try {
        report(failure);
    } catch (...) {
        // Nowhere left to report to; the port goes on.
    }
}

std::size_t Session::WaitingCount() {
    std::lock_guard lock(deviceMutex_);
    if (!device_ || lost_) return 0;
    return input_.size() + DriverInputQueue(fd_);
}

// Characters first, then line errors, as the device reported them. A handler
// may close the port; nothing of the port is touched after that.
void Session::Deliver(const PortEvent& event) {
    if (event.received) {
        const std::size_t count = WaitingCount();
        if (count > 0) CallHandler(owner_.OnRxChar, static_cast<int>(count));
        if (!handOver_->Live()) return;
    }
    if (event.errors != 0) CallHandler(owner_.OnError, event.errors);
}

void Session::DeliverDrained(std::uint64_t mark) {
    // Bytes queued since the write thread saw the queue empty: a later report follows.
    if (lost_ || output_.Accepted() != mark) return;
    CallHandler(owner_.OnOutputDrained);
}

bool Session::HandOverEvent(PortEvent event) {
    return handOver_->PostAndWait(seams_.dispatcher, [weak = weak_from_this(), event] {
        if (const auto self = weak.lock()) self->Deliver(event);
    });
}

void Session::PostDrained(std::uint64_t mark) {
    handOver_->Post(seams_.dispatcher, [weak = weak_from_this(), mark] {
        if (const auto self = weak.lock()) self->DeliverDrained(mark);
    });
}

}  // namespace veltrano::comm
