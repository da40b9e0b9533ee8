// A thread that drives the port without a window: the port's events wait
// here as tasks and run on the thread that calls RunUntil(), as the window's
// event loop runs them on its thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include "link/comm_port.h"

namespace veltrano {

class TaskQueue {
  public:
    using Clock = std::chrono::steady_clock;

    // Callable from any thread; never waits for the task.
    void Post(std::function<void()> task);
    // Hands this queue's Post to a port.
    UiDispatcher Dispatcher();

    // Runs the posted tasks until done() holds or the deadline passed, and
    // tick() at least every tickInterval meanwhile (the watchdogs). True
    // when done() holds.
    bool RunUntil(const std::function<bool()>& done, Clock::time_point deadline,
                  std::chrono::milliseconds tickInterval, const std::function<void()>& tick);

  private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> tasks_;
};

}  // namespace veltrano
