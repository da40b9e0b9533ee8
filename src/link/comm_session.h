// One open period of the port: the device, the event thread, the write thread
// and the hand-over of their events to the user-interface thread.
//
// Tasks posted to the UI thread hold the HandOver and a weak reference to the
// session, never the port: they may wait in the UI queue after the port is
// closed or destroyed, and then do nothing.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "link/comm_handover.h"
#include "link/comm_output_queue.h"
#include "link/comm_port.h"
#include "link/comm_wakeup.h"
#include "link/serial_device.h"

namespace veltrano::comm {

// What one wake of the event thread found.
struct PortEvent {
    bool received = false;  // new bytes arrived
    unsigned errors = 0;    // CommErrorBits
};

// How often the event thread looks at the line, shared by the port and its
// sessions so a change takes effect at once; and how often it woke.
struct ReceivePacing {
    // After a wake that left characters waiting for the rest of their batch,
    // the line is looked at again only after this many milliseconds (0: at
    // every character).
    std::atomic<int> pauseMs{0};
    std::atomic<std::uint64_t> wakeups{0};
};

struct SessionSeams {
    UiDispatcher dispatcher;
    CounterSource counters;
    OutputQueueSource outputQueue;
    // Receive batching; no predicate: every arrival is handed over at once.
    ReceiveBatchComplete batchComplete;
    std::chrono::milliseconds batchDelay{0};
    std::shared_ptr<ReceivePacing> pacing = std::make_shared<ReceivePacing>();
};

class Session : public std::enable_shared_from_this<Session> {
  public:
    // Bytes the event thread reads ahead before it waits for ReadText().
    static constexpr std::size_t kInputLimit = 4096;
    // Largest single write to the device.
    static constexpr std::size_t kWriteChunk = 4096;
    // Interval of the TIOCOUTQ check while the driver still holds bytes.
    static constexpr int kDrainCheckMs = 10;

    Session(TCommPort& owner, std::unique_ptr<SerialDevice> device, SessionSeams seams);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Starts the event thread, then the write thread.
    void Start();
    // Cancels the hand-over, stops and joins both threads, closes the device.
    // Safe from inside a handler; a second call does nothing.
    void Shutdown();

    // False once shut down or the device was lost.
    bool Usable() const { return !stopping_ && !lost_; }

    OutputQueue::AppendResult Write(std::string_view text, std::chrono::milliseconds timeout);
    std::string Read();
    void Apply(const LineSettings& line);
    // The write thread's queue or the driver's output queue holds bytes.
    bool OutputPending();

  private:
    struct ReadOutcome {
        bool gotBytes = false;
        bool hangUp = false;
    };

    // Event thread.
    void EventLoop();
    ReadOutcome FillInput();
    unsigned NewLineErrors();
    bool HandOverEvent(PortEvent event);
    // True while the characters read ahead may wait for more of their batch.
    bool BatchMayWait();

    // Write thread.
    void WriteLoop();
    void WaitForWriteWake(bool forDevice, int timeoutMs);
    void PostDrained(std::uint64_t mark);

    // Either thread: the device is gone; the event thread reports it once.
    void MarkLost(unsigned extraBits);

    // User-interface thread.
    void Deliver(const PortEvent& event);
    void DeliverDrained(std::uint64_t mark);
    std::size_t WaitingCount();
    template <typename... Params, typename... Args>
    void CallHandler(const std::function<void(Params...)>& handler, Args... args);

    TCommPort& owner_;
    const SessionSeams seams_;
    const std::shared_ptr<HandOver> handOver_ = HandOver::Create();
    Wakeup eventWakeup_;
    Wakeup writeWakeup_;
    OutputQueue output_{TCommPort::kWriteQueueSize};
    std::atomic<bool> stopping_{false};
    std::atomic<bool> lost_{false};
    std::atomic<unsigned> lostBits_{CE_DEVICE_LOST};

    // Guards the device's life, the read-ahead input and reads from the device.
    std::mutex deviceMutex_;
    std::unique_ptr<SerialDevice> device_;
    const int fd_;
    std::string input_;

    std::optional<LineErrorCounters> lastCounters_;  // event thread only after Start()
    std::thread eventThread_;
    std::thread writeThread_;
};

}  // namespace veltrano::comm
