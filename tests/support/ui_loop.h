// A single-threaded task queue standing in for the user-interface thread.
//
// Code under test posts tasks through dispatcher() from any thread; the test
// runs them on its own thread with runUntil() or runPending(), so the test
// thread plays the UI thread. The dispatcher keeps the queue alive by itself:
// posting after the UiLoop is gone is harmless (the task is never run).
//
//   UiLoop ui;
//   TCommPort port(ui.dispatcher());
//   ASSERT_TRUE(ui.runUntil([&] { return received.size() == 3; }));
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace veltrano::testing {

class UiLoop {
  public:
    using Task = std::function<void()>;
    using Dispatcher = std::function<void(Task)>;

    UiLoop() : queue_(std::make_shared<Queue>()) {}
    UiLoop(const UiLoop&) = delete;
    UiLoop& operator=(const UiLoop&) = delete;

    // Posts into this loop; callable from any thread, never runs the task itself.
    Dispatcher dispatcher() const {
        return [queue = queue_](Task task) {
            {
                std::lock_guard lock(queue->mutex);
                queue->tasks.push_back(std::move(task));
                ++queue->posted;
            }
            queue->posted_cv.notify_all();
        };
    }

    // Runs queued tasks on the calling thread until done() holds; false when
    // it still does not hold after timeout. done() is checked before and after
    // every task and at least every few milliseconds, so it may also watch
    // state that other threads change.
    bool runUntil(const std::function<bool()>& done,
                  std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!done()) {
            if (std::chrono::steady_clock::now() >= deadline) return false;
            if (Task task = take(std::chrono::milliseconds(2))) task();
        }
        return true;
    }

    // Runs the tasks queued right now (and any they post meanwhile); returns
    // how many ran.
    std::size_t runPending() {
        std::size_t ran = 0;
        while (Task task = take(std::chrono::milliseconds(0))) {
            task();
            ++ran;
        }
        return ran;
    }

    // Tasks waiting to run.
    std::size_t pending() const {
        std::lock_guard lock(queue_->mutex);
        return queue_->tasks.size();
    }

    // Tasks ever posted.
    std::size_t posted() const {
        std::lock_guard lock(queue_->mutex);
        return queue_->posted;
    }

    // Drops every waiting task without running it (as a UI that quits would).
    void discardPending() {
        std::deque<Task> dropped;
        {
            std::lock_guard lock(queue_->mutex);
            dropped.swap(queue_->tasks);
        }
    }

  private:
    struct Queue {
        std::mutex mutex;
        std::condition_variable posted_cv;
        std::deque<Task> tasks;
        std::size_t posted = 0;
    };

    // The next task, waiting up to wait for one; empty when none came.
    Task take(std::chrono::milliseconds wait) {
        std::unique_lock lock(queue_->mutex);
        queue_->posted_cv.wait_for(lock, wait, [&] { return !queue_->tasks.empty(); });
        if (queue_->tasks.empty()) return {};
        Task task = std::move(queue_->tasks.front());
        queue_->tasks.pop_front();
        return task;
    }

    std::shared_ptr<Queue> queue_;
};

}  // namespace veltrano::testing
