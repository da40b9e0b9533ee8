// The serial port to the Controller: POSIX termios, 9600 8N1 with XON/XOFF,
// an event thread and a write thread. Events reach the user-interface thread
// through the dispatcher the owner supplies, one at a time and synchronously:
// the event thread waits until the handler has returned (or the port closed).
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace veltrano {

class ProtocolTrace;

// Raised by the port operations; what() is the port layer's own text.
// hint() is an optional plain German sentence for the user (busy port,
// missing permission), shown below the port text.
class ECommError : public std::runtime_error {
  public:
    explicit ECommError(const std::string& text, std::string hint = {}, bool deviceMissing = false)
        : std::runtime_error(text), hint_(std::move(hint)), deviceMissing_(deviceMissing) {}
    const std::string& hint() const { return hint_; }
    // No device stands behind the port (yet): plugging one in may help.
    bool deviceMissing() const { return deviceMissing_; }

  private:
    std::string hint_;
    bool deviceMissing_ = false;
};

// Bits of the error mask handed to OnError.
enum CommErrorBits : unsigned {
    CE_FRAME = 0x0008,
    CE_OVERRUN = 0x0002,
    CE_RXPARITY = 0x0004,
    CE_BREAK = 0x0010,
    CE_DEVICE_LOST = 0x8000,  // hang-up, EIO, device pulled: the port now behaves as closed
    CE_WRITE = 0x4000,        // a write failed
};

// Cumulative line-error counters of the driver (TIOCGICOUNT).
struct LineErrorCounters {
    std::uint32_t frame = 0, overrun = 0, parity = 0, brk = 0, bufOverrun = 0;
    bool operator==(const LineErrorCounters&) const = default;
};

// Runs a task on the user-interface thread, later (a queued call); callable
// from any thread, must not wait for the task. A task may be run after the
// port was closed or destroyed, or never: it then does nothing. In the Qt
// window: QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection).
using UiDispatcher = std::function<void(std::function<void()>)>;
// Maps a port number to a device path.
using DeviceResolver = std::function<std::string(int portNum)>;
// Reads the driver's line-error counters; std::nullopt when the driver has none.
using CounterSource = std::function<std::optional<LineErrorCounters>(int fd)>;
// Bytes the driver still holds for sending (TIOCOUTQ); 0 or less means none.
using OutputQueueSource = std::function<int(int fd)>;
// Decides from the characters not yet handed over whether they go to the UI
// thread now or may wait for more (see SetReceiveBatching).
using ReceiveBatchComplete = std::function<bool(std::string_view pending)>;

// COMn in the working directory if it exists, else /dev/ttyUSB{n-1}, else /dev/ttyS{n-1}.
std::string DefaultDeviceForPort(int portNum);

class TCommPort {
  public:
    explicit TCommPort(UiDispatcher dispatcher);
    ~TCommPort();
    TCommPort(const TCommPort&) = delete;
    TCommPort& operator=(const TCommPort&) = delete;

    // Fails with "Can't perform this operation while port is open" while open.
    void SetPortNum(int portNum);
    int PortNum() const;
    // "COM" + port number, or the device path when one was given.
    std::string DeviceName() const;
    // Opens this device instead of the one the port number leads to, and
    // names it by its path; empty: the port number's device again.
    void SetDevicePath(std::string path);

    // Line settings: stored; applied at once if open. Only 9600 8N1 is used.
    void SetBaudrate(int baud);
    void SetDatabits(int bits);
    void SetParity(char parity);  // 'N'
    void SetStopbits(int bits);

    // Throws ECommError. Also re-opens after the device was lost.
    void Open();
    // No effect when closed. Safe from inside a handler; once it returned no
    // handler of this port starts (a handler running on another thread has
    // finished). Discards output not yet sent.
    void Close();
    // False when closed and after the device was lost (OnError with
    // CE_DEVICE_LOST); the port number may be changed then.
    bool IsOpen() const;

    // Queues the bytes; false (no error) when closed or the device was lost.
    // Throws "Output buffer is full. Please check comm status." when the queue
    // has no room within the write time-out.
    bool WriteText(std::string_view text);
    // All bytes waiting in the input queue (empty when none or closed).
    std::string ReadText();
    // Bytes written earlier have not all left the port yet: the write
    // thread's queue or the driver's output queue holds some (XOFF held, a
    // slow adapter). False when closed or the device was lost.
    bool OutputPending() const;

    // Handlers, run on the user-interface thread through the dispatcher.
    // OnRxChar and OnError: the event thread waits until they returned;
    // characters of one wake come before its line errors.
    std::function<void(int count)> OnRxChar;
    std::function<void(unsigned errors)> OnError;
    // The program queue is empty and the driver's output queue (TIOCOUTQ) is 0.
    // Posted without waiting; not raised when more was queued meanwhile.
    std::function<void()> OnOutputDrained;
    // An exception escaped a handler; text of the exception. The port goes on.
    std::function<void(const std::string& text)> OnHandlerException;

    // Receive batching: characters that arrive one by one at the line's pace
    // would each cost the UI thread a hand-over. With batching on, they are
    // handed over together: at once when complete(pending) is true or the
    // read-ahead is full, else at the latest maxDelay after the first of
    // them arrived. Off (every arrival handed over at once) by default; takes
    // effect at the next Open().
    void SetReceiveBatching(ReceiveBatchComplete complete, std::chrono::milliseconds maxDelay);
    // With batching on: after a wake that left characters waiting for the
    // rest of their batch, the event thread looks at the line again only
    // after this pause, reading what came meanwhile at once (fewer wakes on
    // an idle line). 0 (the default): at every character, for the shortest
    // delay. Takes effect at once, also while open.
    void SetReceivePause(std::chrono::milliseconds pause);
    // How often the event thread has woken, over the port's life.
    std::uint64_t EventThreadWakeups() const;

    // Records the bytes of every WriteText call that queued them (one line
    // each) and of every ReadText call that handed bytes out (one line per
    // receive event) in the trace; nullptr ends the recording. Takes effect
    // at once; any thread.
    void SetTrace(std::shared_ptr<ProtocolTrace> trace);

    // Seams for tests.
    void SetDeviceResolver(DeviceResolver resolver);
    void SetCounterSource(CounterSource source);
    void SetWriteTimeout(std::chrono::milliseconds timeout);
    void SetOutputQueueSource(OutputQueueSource source);

    static constexpr std::size_t kWriteQueueSize = 24096;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace veltrano
