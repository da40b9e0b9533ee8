// Closing: from inside handlers, with events still queued for the UI thread,
// with the port object gone, while data flows and while stopped by XOFF.
#include <sys/ioctl.h>

#include <atomic>
#include <thread>

#include "port_fixture.h"

namespace veltrano::testing {
namespace {

using namespace std::chrono_literals;

auto Elapsed(std::chrono::steady_clock::time_point since) {
    return std::chrono::steady_clock::now() - since;
}

// Waits, without running anything, until count tasks wait for the UI thread.
bool WaitForQueued(const UiLoop& ui, std::size_t count) {
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (ui.pending() < count) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

TEST_F(PortTest, CloseFromInsideOnRxChar) {
    int calls = 0;
    std::chrono::steady_clock::duration closing{};
    port.OnRxChar = [&](int) {
        ++calls;
        received += port.ReadText();
        const auto start = std::chrono::steady_clock::now();
        port.Close();
        closing = Elapsed(start);
        EXPECT_FALSE(port.IsOpen());
        EXPECT_EQ(port.ReadText(), "");
        EXPECT_FALSE(port.WriteText("x"));
    };
    port.Open();
    ASSERT_TRUE(peer.Send("abc"));
    ASSERT_TRUE(RunUntil([&] { return calls == 1; }));
    EXPECT_LT(closing, 1s);
    EXPECT_EQ(received, "abc");
    EXPECT_TRUE(peer.Send("more"));
    ui.runPending();
    EXPECT_EQ(calls, 1);
}

TEST_F(PortTest, CloseInOnRxCharSkipsErrorOfSameEvent) {
    std::atomic<bool> rise{false};
    port.SetCounterSource([&](int) { return LineErrorCounters{rise ? 1u : 0u, 0, 0, 0, 0}; });
    port.OnRxChar = [&](int) { port.Close(); };
    port.Open();
    rise = true;
    ASSERT_TRUE(peer.Send("x"));
    ASSERT_TRUE(RunUntil([&] { return !port.IsOpen(); }));
    ui.runPending();
    EXPECT_TRUE(errors.empty());
}

TEST_F(PortTest, CloseFromInsideOnError) {
    port.OnError = [&](unsigned bits) {
        errors.push_back(bits);
        port.Close();
    };
    port.Open();
    peer.HangUp();
    ASSERT_TRUE(RunUntil([&] { return !errors.empty(); }));
    ui.runPending();
    EXPECT_EQ(errors, std::vector<unsigned>{CE_DEVICE_LOST});
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(PortTest, ReopenFromInsideHandler) {
    int calls = 0;
    port.OnRxChar = [&](int) {
        received += port.ReadText();
        if (++calls == 1) {
            port.Close();
            port.Open();
        }
    };
    port.Open();
    ASSERT_TRUE(peer.Send("a"));
    ASSERT_TRUE(RunUntil([&] { return calls == 1; }));
    ASSERT_TRUE(peer.Send("b"));
    EXPECT_TRUE(ReceivedAtLeast(2));
    EXPECT_EQ(received, "ab");
    EXPECT_EQ(calls, 2);
}

TEST_F(PortTest, QueuedEventAfterCloseRunsNoHandler) {
    int calls = 0;
    port.OnRxChar = [&](int) { ++calls; };
    port.Open();
    ASSERT_TRUE(peer.Send("a"));
    // The event thread has posted and waits for the UI thread, which is busy.
    ASSERT_TRUE(WaitForQueued(ui, 1));
    const auto start = std::chrono::steady_clock::now();
    port.Close();
    EXPECT_LT(Elapsed(start), 1s);
    EXPECT_EQ(ui.runPending(), 1u);
    EXPECT_EQ(calls, 0);
    // A new open period is not disturbed by the old task.
    port.Open();
    ASSERT_TRUE(peer.Send("b"));
    EXPECT_TRUE(RunUntil([&] { return calls == 1; }));
}

TEST(CommPortLifetime, PortDestroyedWhileEventQueued) {
    TempWorkDir dir;
    UiLoop ui;
    PtyPeer peer;
    bool called = false;
    {
        TCommPort port(ui.dispatcher());
        port.SetDeviceResolver([&](int) { return peer.slavePath(); });
        port.OnRxChar = [&](int) { called = true; };
        port.Open();
        ASSERT_TRUE(peer.Send("a"));
        ASSERT_TRUE(WaitForQueued(ui, 1));
    }
    EXPECT_EQ(ui.runPending(), 1u);
    EXPECT_FALSE(called);
}

TEST(CommPortLifetime, DispatcherRunningTasksDirectlyStillCloses) {
    // Not how the program wires it, but a handler closing the port on the
    // worker thread itself must not deadlock or join a thread from itself.
    TempWorkDir dir;
    PtyPeer peer;
    std::atomic<int> calls{0};
    TCommPort port([](std::function<void()> task) { task(); });
    port.SetDeviceResolver([&](int) { return peer.slavePath(); });
    port.OnRxChar = [&](int) {
        ++calls;
        port.Close();
    };
    port.Open();
    ASSERT_TRUE(peer.Send("a"));
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (port.IsOpen() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::yield();
    }
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(calls, 1);
}

TEST_F(PortTest, CloseFromOtherThreadWaitsForRunningHandler) {
    std::atomic<bool> inHandler{false};
    std::atomic<bool> handlerDone{false};
    port.OnRxChar = [&](int) {
        inHandler = true;
        // Stay until the other thread is inside Close(), and a little longer.
        while (port.IsOpen())
            std::this_thread::yield();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        handlerDone = true;
    };
    port.Open();
    ASSERT_TRUE(peer.Send("a"));
    std::atomic<bool> closed{false};
    std::atomic<bool> doneAtClose{false};
    std::thread closer([&] {
        while (!inHandler)
            std::this_thread::yield();
        port.Close();
        doneAtClose = handlerDone.load();
        closed = true;
    });
    EXPECT_TRUE(RunUntil([&] { return closed.load(); }));
    closer.join();
    EXPECT_TRUE(doneAtClose);
}

TEST_F(PortTest, CloseWhileDataFlowsBothWays) {
    port.Open();
    std::atomic<bool> stop{false};
    std::thread far([&] {
        const std::string chunk = Pattern(512);
        while (!stop) {
            peer.Send(chunk, 20ms);
            peer.ReceiveAvailable();
            peer.TakeData();
        }
    });
    const std::string big = Pattern(TCommPort::kWriteQueueSize);
    ASSERT_TRUE(port.WriteText(big));
    ASSERT_TRUE(ReceivedAtLeast(4096));
    const auto start = std::chrono::steady_clock::now();
    port.Close();
    EXPECT_LT(Elapsed(start), 1s);
    stop = true;
    far.join();
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(PortTest, CloseWhileStoppedByXoffWithFullQueue) {
    port.SetWriteTimeout(20ms);
    port.Open();
    ASSERT_TRUE(peer.Send("\x13"));
    ASSERT_TRUE(peer.WaitForStatus(TIOCPKT_STOP));
    ASSERT_TRUE(port.WriteText(Pattern(TCommPort::kWriteQueueSize)));
    EXPECT_THROW(port.WriteText("x"), ECommError);
    const auto start = std::chrono::steady_clock::now();
    port.Close();
    EXPECT_LT(Elapsed(start), 1s);
    // Nothing of the discarded queue leaks out once the peer lets go.
    ASSERT_TRUE(peer.Send("\x11"));
    peer.ReceiveAvailable();
    EXPECT_EQ(peer.Data(), "");
}

TEST_F(PortTest, CloseWakesWriterWaitingForRoom) {
    port.SetWriteTimeout(10s);
    port.Open();
    ASSERT_TRUE(peer.Send("\x13"));
    ASSERT_TRUE(peer.WaitForStatus(TIOCPKT_STOP));
    ASSERT_TRUE(port.WriteText(Pattern(TCommPort::kWriteQueueSize)));
    std::atomic<int> result{-1};
    std::thread writer([&] { result = port.WriteText("waits") ? 1 : 0; });
    // Give the writer no fixed time: closing must end its wait whenever it began.
    const auto start = std::chrono::steady_clock::now();
    port.Close();
    writer.join();
    EXPECT_LT(Elapsed(start), 2s);
    EXPECT_EQ(result, 0);
}

}  // namespace
}  // namespace veltrano::testing
