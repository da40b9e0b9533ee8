#include "link/comm_output_queue.h"

#include <algorithm>

namespace veltrano::comm {

OutputQueue::AppendResult OutputQueue::Append(std::string_view text,
                                              std::chrono::milliseconds timeout,
                                              const std::function<void()>& onQueued) {
    {
        std::lock_guard lock(mutex_);
        if (closed_) return AppendResult::Closed;
    }
    while (!text.empty()) {
        {
            std::unique_lock lock(mutex_);
            const std::size_t piece = std::min(text.size(), capacity_);
            const bool roomMade = room_.wait_for(
                lock, timeout, [&] { return closed_ || bytes_.size() + piece <= capacity_; });
            if (closed_) return AppendResult::Closed;
            if (!roomMade) return AppendResult::TimedOut;
            bytes_.append(text.substr(0, piece));
            accepted_ += piece;
            text.remove_prefix(piece);
        }
        if (onQueued) onQueued();
    }
    return AppendResult::Queued;
}

std::size_t OutputQueue::Peek(std::string& out, std::size_t max) const {
    std::lock_guard lock(mutex_);
    out.assign(bytes_, 0, std::min(max, bytes_.size()));
    return out.size();
}

void OutputQueue::Consume(std::size_t n) {
    {
        std::lock_guard lock(mutex_);
        n = std::min(n, bytes_.size());
        bytes_.erase(0, n);
        taken_ += n;
    }
    room_.notify_all();
}

void OutputQueue::Close() {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
    }
    room_.notify_all();
}

std::size_t OutputQueue::Size() const {
    std::lock_guard lock(mutex_);
    return bytes_.size();
}

std::uint64_t OutputQueue::Accepted() const {
    std::lock_guard lock(mutex_);
    return accepted_;
}

std::uint64_t OutputQueue::Taken() const {
    std::lock_guard lock(mutex_);
    return taken_;
}

}  // namespace veltrano::comm
