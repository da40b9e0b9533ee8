// The hand-over of port events to the user-interface thread.
//
// A worker thread posts a task through the owner's UiDispatcher. The task
// holds a shared HandOver, never the port itself, so it may outlive the port
// object while it waits in the UI queue. Cancel() marks the HandOver: a task
// that runs afterwards does nothing, and a worker waiting in PostAndWait()
// returns at once. Qt's blocking queued call cannot be cancelled like this,
// which is why the wait is built here from a condition variable.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace veltrano::comm {

using Dispatcher = std::function<void(std::function<void()>)>;

class HandOver : public std::enable_shared_from_this<HandOver> {
  public:
    static std::shared_ptr<HandOver> Create() { return std::shared_ptr<HandOver>(new HandOver); }

    // Worker side: posts work and waits until it has run on the UI thread.
    // False when cancelled (before or during the wait) or the dispatcher failed.
    bool PostAndWait(const Dispatcher& dispatcher, std::function<void()> work);
    // Worker side: posts work without waiting for it.
    void Post(const Dispatcher& dispatcher, std::function<void()> work);

    // UI side: false once cancelled. Work checks this after every handler it
    // called, because a handler may have closed the port.
    bool Live() const;

    // After Cancel() returns no posted work starts, and work running on
    // another thread has finished. Work running further up this thread's own
    // stack (Close() from inside a handler) is not waited for.
    void Cancel();

  private:
    HandOver() = default;
    void Run(std::uint64_t ticket, bool awaited, const std::function<void()>& work);

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool cancelled_ = false;
    std::uint64_t lastTicket_ = 0;
    std::uint64_t lastAwaitedDone_ = 0;
    int running_ = 0;
    std::thread::id runningOn_;
};

}  // namespace veltrano::comm
