// The port's building blocks on their own: output queue, hand-over, error
// texts, line-error comparison.
#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <thread>

#include "link/comm_errors.h"
#include "link/comm_handover.h"
#include "link/comm_output_queue.h"
#include "link/serial_driver.h"
#include "ui_loop.h"

namespace veltrano::testing {
namespace {

using namespace std::chrono_literals;
using comm::OutputQueue;
using Result = OutputQueue::AppendResult;

// --- output queue ---

TEST(OutputQueue, TextThatDoesNotFitTimesOutAndQueuesNothing) {
    OutputQueue queue(10);
    ASSERT_EQ(queue.Append("12345678", 0ms, {}), Result::Queued);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(queue.Append("abc", 30ms, {}), Result::TimedOut);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 30ms);
    EXPECT_EQ(queue.Size(), 8u);
    EXPECT_EQ(queue.Append("ab", 0ms, {}), Result::Queued);
    std::string front;
    queue.Peek(front, 100);
    EXPECT_EQ(front, "12345678ab");
}

TEST(OutputQueue, WaitingWriterGetsInWhenRoomIsMade) {
    OutputQueue queue(10);
    ASSERT_EQ(queue.Append("0123456789", 0ms, {}), Result::Queued);
    std::atomic<int> result{-1};
    std::thread writer([&] { result = static_cast<int>(queue.Append("abcd", 5s, {})); });
    queue.Consume(4);
    writer.join();
    EXPECT_EQ(result, static_cast<int>(Result::Queued));
    std::string front;
    queue.Peek(front, 100);
    EXPECT_EQ(front, "456789abcd");
    EXPECT_EQ(queue.Accepted(), 14u);
    EXPECT_EQ(queue.Taken(), 4u);
}

TEST(OutputQueue, LongTextGoesInPiecesAsTheQueueDrains) {
    OutputQueue queue(4);
    std::string drained;
    std::atomic<bool> done{false};
    std::thread drainer([&] {
        std::string chunk;
        while (!done || queue.Size() > 0) {
            if (queue.Peek(chunk, 3) > 0) {
                drained += chunk;
                queue.Consume(chunk.size());
            } else {
                std::this_thread::yield();
            }
        }
    });
    int pieces = 0;
    EXPECT_EQ(queue.Append("abcdefghijk", 5s, [&] { ++pieces; }), Result::Queued);
    done = true;
    drainer.join();
    EXPECT_EQ(drained, "abcdefghijk");
    EXPECT_EQ(pieces, 3);
}

TEST(OutputQueue, CloseReleasesWaitingWriterAndRefusesMore) {
    OutputQueue queue(2);
    ASSERT_EQ(queue.Append("xy", 0ms, {}), Result::Queued);
    std::atomic<int> result{-1};
    std::thread writer([&] { result = static_cast<int>(queue.Append("z", 10s, {})); });
    queue.Close();
    writer.join();
    EXPECT_EQ(result, static_cast<int>(Result::Closed));
    EXPECT_EQ(queue.Append("", 0ms, {}), Result::Closed);
}

// --- hand-over ---

TEST(HandOver, PostAndWaitReturnsAfterWorkRanOnUiThread) {
    UiLoop ui;
    const auto handOver = comm::HandOver::Create();
    std::thread::id ranOn;
    std::atomic<bool> returned{false};
    std::thread worker([&] {
        EXPECT_TRUE(
            handOver->PostAndWait(ui.dispatcher(), [&] { ranOn = std::this_thread::get_id(); }));
        returned = true;
    });
    EXPECT_TRUE(ui.runUntil([&] { return returned.load(); }));
    worker.join();
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST(HandOver, CancelReleasesWaitingWorkerAndQueuedWorkDoesNothing) {
    UiLoop ui;
    const auto handOver = comm::HandOver::Create();
    bool ran = false;
    std::atomic<int> result{-1};
    std::thread worker(
        [&] { result = handOver->PostAndWait(ui.dispatcher(), [&] { ran = true; }); });
    while (ui.pending() == 0)
        std::this_thread::yield();
    handOver->Cancel();
    worker.join();
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ui.runPending(), 1u);
    EXPECT_FALSE(ran);
    EXPECT_FALSE(handOver->PostAndWait(ui.dispatcher(), [] {}));
    handOver->Post(ui.dispatcher(), [&] { ran = true; });
    EXPECT_EQ(ui.pending(), 0u);
}

TEST(HandOver, CancelFromInsideWorkDoesNotWaitForItself) {
    UiLoop ui;
    const auto handOver = comm::HandOver::Create();
    bool liveAfterCancel = true;
    std::atomic<bool> returned{false};
    std::thread worker([&] {
        handOver->PostAndWait(ui.dispatcher(), [&] {
            handOver->Cancel();
            liveAfterCancel = handOver->Live();
        });
        returned = true;
    });
    EXPECT_TRUE(ui.runUntil([&] { return returned.load(); }));
    worker.join();
    EXPECT_FALSE(liveAfterCancel);
}

TEST(HandOver, ThrowingDispatcherCountsAsCancelled) {
    const auto handOver = comm::HandOver::Create();
    const comm::Dispatcher broken = [](std::function<void()>) { throw std::runtime_error("voll"); };
    EXPECT_FALSE(handOver->PostAndWait(broken, [] {}));
    EXPECT_NO_THROW(handOver->Post(broken, [] {}));
}

// --- texts ---

TEST(CommErrors, TextsAndHints) {
    EXPECT_STREQ(comm::DeviceNotFoundError("COM3").what(), "Specified device not found (COM3).");
    const ECommError denied = comm::CannotOpenError("COM1", EACCES);
    EXPECT_STREQ(denied.what(), "Can't open specified device COM1 (Error 13, Permission denied)");
    EXPECT_EQ(denied.hint(),
              "Keine Berechtigung für die Schnittstelle. Der Benutzer muss Mitglied der Gruppe "
              "\"dialout\" sein.");
    EXPECT_EQ(comm::CannotOpenError("COM1", EPERM).hint(), denied.hint());
    EXPECT_EQ(comm::CannotOpenError("COM8", EBUSY).hint(),
              "Die Schnittstelle wird bereits von einem anderen Programm benutzt.");
    EXPECT_EQ(comm::CannotOpenError("COM8", EIO).hint(), "");
    EXPECT_STREQ(comm::LineSettingsError(EINVAL).what(),
                 "Error writing dcb (22), Invalid argument");
    EXPECT_STREQ(comm::BuffersError(EIO).what(),
                 "Error initializing buffers (5), Input/output error");
    EXPECT_STREQ(comm::EventMaskError(EMFILE).what(),
                 " Error setting EventMask (24), Too many open files");
    EXPECT_STREQ(comm::ReadError(EIO).what(), "Read error (5), Input/output error");
    EXPECT_EQ(comm::ReadError(EIO).hint(), comm::kDeviceLostHint);
    EXPECT_EQ(comm::ReadError(EINVAL).hint(), "");
    EXPECT_EQ(comm::DeviceNotFoundError("COM3").hint(),
              "An COM3 ist kein Gerät angeschlossen. Gesucht wurden ./COM3, /dev/ttyUSB2 und "
              "/dev/ttyS2. Bitte den Adapter einstecken oder einen anderen Port wählen.");
    EXPECT_EQ(comm::CannotOpenError("COM2", EISDIR, "/w/COM2").hint(),
              "/w/COM2 ist keine serielle Schnittstelle, sondern ein Ordner. Bitte einen anderen "
              "Port wählen.");
    const ECommError plain = comm::NotASerialDeviceError("/w/plain");
    EXPECT_STREQ(plain.what(), "Error writing dcb (25), Inappropriate ioctl for device");
    EXPECT_EQ(plain.hint(),
              "/w/plain ist keine serielle Schnittstelle, sondern eine gewöhnliche Datei. Bitte "
              "einen anderen Port wählen.");
    EXPECT_STREQ(comm::OutputBufferFullError().what(),
                 "Output buffer is full. Please check comm status.");
    EXPECT_STREQ(comm::PortIsOpenError().what(), "Can't perform this operation while port is open");
}

// --- line errors ---

TEST(LineErrorBits, EachCounterHasItsBit) {
    const LineErrorCounters base{10, 20, 30, 40, 50};
    auto with = [&](void (*change)(LineErrorCounters&)) {
        LineErrorCounters now = base;
        change(now);
        return comm::LineErrorBits(base, now);
    };
    EXPECT_EQ(comm::LineErrorBits(base, base), 0u);
    EXPECT_EQ(with([](LineErrorCounters& c) { ++c.frame; }), unsigned{CE_FRAME});
    EXPECT_EQ(with([](LineErrorCounters& c) { ++c.overrun; }), unsigned{CE_OVERRUN});
    EXPECT_EQ(with([](LineErrorCounters& c) { ++c.bufOverrun; }), unsigned{CE_OVERRUN});
    EXPECT_EQ(with([](LineErrorCounters& c) { ++c.parity; }), unsigned{CE_RXPARITY});
    EXPECT_EQ(with([](LineErrorCounters& c) { ++c.brk; }), unsigned{CE_BREAK});
    // A counter that wrapped around still changed.
    const LineErrorCounters high{0xFFFFFFFFu, 0, 0, 0, 0};
    EXPECT_EQ(comm::LineErrorBits(high, LineErrorCounters{}), unsigned{CE_FRAME});
}

}  // namespace
}  // namespace veltrano::testing
