// The write thread's output queue: a bounded byte queue that callers fill and
// the write thread drains. Callers wait (never spin) for room.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

namespace veltrano::comm {

class OutputQueue {
  public:
    explicit OutputQueue(std::size_t capacity) : capacity_(capacity) {}

    enum class AppendResult { Queued, TimedOut, Closed };

    // Queues all of text. A text that fits the capacity goes in as one piece
    // once there is room for all of it; a longer one goes in capacity-sized
    // pieces as room becomes free. Each piece may wait up to timeout;
    // onQueued runs after every piece (outside the lock).
    AppendResult Append(std::string_view text, std::chrono::milliseconds timeout,
                        const std::function<void()>& onQueued);

    // Copies up to max bytes from the front into out (without removing them).
    std::size_t Peek(std::string& out, std::size_t max) const;
    // Removes n bytes from the front (after they went to the device).
    void Consume(std::size_t n);

    // Wakes all waiters; every later Append returns Closed.
    void Close();

    std::size_t Size() const;
    // Bytes ever queued; equal to Taken() exactly when the queue is empty.
    std::uint64_t Accepted() const;
    std::uint64_t Taken() const;

  private:
    const std::size_t capacity_;
    mutable std::mutex mutex_;
    std::condition_variable room_;
    std::string bytes_;
    std::uint64_t accepted_ = 0;
    std::uint64_t taken_ = 0;
    bool closed_ = false;
};

}  // namespace veltrano::comm
