#include "link/task_queue.h"

#include <algorithm>

namespace veltrano {

void TaskQueue::Post(std::function<void()> task) {
    {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    posted_.notify_one();
}

UiDispatcher TaskQueue::Dispatcher() {
    return [this](std::function<void()> task) { Post(std::move(task)); };
}

bool TaskQueue::RunUntil(const std::function<bool()>& done, Clock::time_point deadline,
                         std::chrono::milliseconds tickInterval,
                         const std::function<void()>& tick) {
    auto nextTick = Clock::now() + tickInterval;
    while (!done()) {
        const auto now = Clock::now();
        if (now >= deadline) return false;
        if (now >= nextTick) {
            if (tick) tick();
            nextTick = now + tickInterval;
            continue;
        }
        std::function<void()> task;
        {
            std::unique_lock lock(mutex_);
            posted_.wait_until(lock, std::min(deadline, nextTick),
                               [this] { return !tasks_.empty(); });
            if (tasks_.empty()) continue;
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        task();
    }
    return true;
}

}  // namespace veltrano
