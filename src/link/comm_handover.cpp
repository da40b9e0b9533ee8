#include "link/comm_handover.h"

namespace veltrano::comm {

bool HandOver::PostAndWait(const Dispatcher& dispatcher, std::function<void()> work) {
    std::uint64_t ticket;
    {
        std::lock_guard lock(mutex_);
        if (cancelled_) return false;
        ticket = ++lastTicket_;
    }
    try {
        dispatcher([self = shared_from_this(), ticket, work = std::move(work)] {
            self->Run(ticket, true, work);
        });
    } catch (...) {
        return false;
    }
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return cancelled_ || lastAwaitedDone_ >= ticket; });
    return !cancelled_;
}

void HandOver::Post(const Dispatcher& dispatcher, std::function<void()> work) {
    std::uint64_t ticket;
    {
        std::lock_guard lock(mutex_);
        if (cancelled_) return;
        ticket = ++lastTicket_;
    }
    try {
        dispatcher([self = shared_from_this(), ticket, work = std::move(work)] {
            self->Run(ticket, false, work);
        });
    } catch (...) {
        // Nothing to hand over to; the event is dropped like a cancelled one.
    }
}

void HandOver::Run(std::uint64_t ticket, bool awaited, const std::function<void()>& work) {
    {
        std::lock_guard lock(mutex_);
        if (cancelled_) return;
        ++running_;
        runningOn_ = std::this_thread::get_id();
    }
    try {
        work();
    } catch (...) {
        // Work reports its handlers' exceptions itself; nothing may escape
        // into the UI loop.
    }
    {
        std::lock_guard lock(mutex_);
        --running_;
        if (awaited && ticket > lastAwaitedDone_) lastAwaitedDone_ = ticket;
    }
    changed_.notify_all();
}

bool HandOver::Live() const {
    std::lock_guard lock(mutex_);
    return !cancelled_;
}

void HandOver::Cancel() {
    std::unique_lock lock(mutex_);
    cancelled_ = true;
    changed_.notify_all();
    if (runningOn_ != std::this_thread::get_id()) {
        changed_.wait(lock, [&] { return running_ == 0; });
    }
}

}  // namespace veltrano::comm
