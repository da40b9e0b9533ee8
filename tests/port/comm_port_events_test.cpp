// Receive and error events on the UI thread: counts, order, nothing lost or
// doubled, line errors from the driver counters, hang-up, handler exceptions.
#include <sys/ioctl.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "port_fixture.h"

namespace veltrano::testing {
namespace {

using namespace std::chrono_literals;

TEST_F(PortTest, CountIsNumberOfBytesWaiting) {
    port.Open();
    ASSERT_TRUE(peer.Send("0123456789"));
    ASSERT_TRUE(ReceivedAtLeast(10));
    EXPECT_EQ(received, "0123456789");
    int total = 0;
    for (int count : counts)
        total += count;
    EXPECT_EQ(total, 10);
}

TEST_F(PortTest, UnreadBytesAreCountedAgainWithTheNextOnes) {
    std::vector<int> seen;
    port.OnRxChar = [&](int count) { seen.push_back(count); };
    port.Open();
    ASSERT_TRUE(peer.Send("abcde"));
    ASSERT_TRUE(RunUntil([&] { return !seen.empty() && seen.back() == 5; }));
    ASSERT_TRUE(peer.Send("fgh"));
    ASSERT_TRUE(RunUntil([&] { return seen.back() == 8; }));
    EXPECT_EQ(port.ReadText(), "abcdefgh");
    EXPECT_EQ(port.ReadText(), "");
}

TEST_F(PortTest, BytesArrivingDuringHandlerComeWithNextEvent) {
    // The peer sends each next record while a handler runs; the handlers
    // read either before or after it was sent.
    constexpr int kRecords = 200;
    const std::string all = Pattern(kRecords * 8);
    std::atomic<int> sent{0};
    std::atomic<bool> cue{false};  // a handler waits for exactly one record
    std::atomic<std::size_t> delivered{0};
    int calls = 0;
    port.OnRxChar = [&](int) {
        const bool readFirst = ++calls % 2 == 0;
        if (readFirst) received += port.ReadText();
        const int atEntry = sent;
        cue = true;
        const auto deadline = std::chrono::steady_clock::now() + 1s;
        while (sent == atEntry && sent < kRecords && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::yield();
        }
        if (!readFirst) received += port.ReadText();
        delivered = received.size();
    };
    port.Open();
    std::thread sender([&] {
        for (int i = 0; i < kRecords; ++i) {
            // Sent on a handler's cue, or when everything so far was read
            // inside the handler itself and no further event will come.
            const auto deadline = std::chrono::steady_clock::now() + 1s;
            while (!cue && delivered < 8u * i && std::chrono::steady_clock::now() < deadline) {
                std::this_thread::yield();
            }
            cue = false;
            peer.Send(all.substr(8 * i, 8));
            ++sent;
        }
    });
    const bool complete = ReceivedAtLeast(all.size());
    sender.join();
    ASSERT_TRUE(complete) << received.size();
    ui.runPending();
    EXPECT_EQ(received.size(), all.size());
    EXPECT_TRUE(received == all);
    EXPECT_GT(calls, kRecords / 2);
}

TEST_F(PortTest, StreamWithoutPauseArrivesExactlyOnce) {
    port.Open();
    const std::string all = Pattern(100000);
    std::thread sender([&] { peer.Send(all, 10s); });
    const bool complete = ReceivedAtLeast(all.size());
    sender.join();
    ASSERT_TRUE(complete) << received.size();
    ui.runPending();
    EXPECT_EQ(received.size(), all.size());
    EXPECT_TRUE(received == all);
}

TEST_F(PortTest, ReadTextTakesWhatIsWaitingNotWhatKeepsComing) {
    std::size_t largest = 0;
    port.OnRxChar = [&](int) {
        const std::string chunk = port.ReadText();
        largest = std::max(largest, chunk.size());
        received += chunk;
    };
    port.Open();
    std::atomic<bool> stop{false};
    std::thread sender([&] {
        const std::string chunk = Pattern(4096);
        while (!stop)
            peer.Send(chunk, 20ms);
    });
    const bool enough = ReceivedAtLeast(1 << 20);
    stop = true;
    sender.join();
    ASSERT_TRUE(enough);
    // Read-ahead plus the driver's own queue, never the whole stream.
    EXPECT_LE(largest, 4u * 4096);
}

TEST_F(PortTest, SlowReaderGetsEverythingInOrder) {
    // The handler leaves the bytes waiting; the port must neither lose them
    // nor read ahead without bound.
    int largest = 0;
    port.OnRxChar = [&](int count) { largest = std::max(largest, count); };
    port.Open();
    const std::string all = Pattern(20000);
    std::thread sender([&] { peer.Send(all, 10s); });
    ASSERT_TRUE(RunUntil([&] { return largest >= 4096; }));
    std::string got;
    EXPECT_TRUE(RunUntil([&] {
        got += port.ReadText();
        return got.size() >= all.size();
    }));
    sender.join();
    EXPECT_TRUE(got == all);
}

TEST_F(PortTest, HandlerExceptionIsReportedAndPortGoesOn) {
    port.OnRxChar = [&](int) {
        received += port.ReadText();
        if (received == "a") throw std::runtime_error("Ungültige Antwort");
    };
    port.Open();
    ASSERT_TRUE(peer.Send("a"));
    ASSERT_TRUE(RunUntil([&] { return exceptions.size() == 1; }));
    EXPECT_EQ(exceptions[0], "Ungültige Antwort");
    ASSERT_TRUE(peer.Send("b"));
    EXPECT_TRUE(ReceivedAtLeast(2));
    EXPECT_EQ(received, "ab");
    EXPECT_TRUE(port.IsOpen());
}

TEST_F(PortTest, HandlerExceptionWithoutReporterIsSwallowed) {
    port.OnHandlerException = nullptr;
    port.OnRxChar = [&](int) {
        received += port.ReadText();
        throw 42;
    };
    port.Open();
    ASSERT_TRUE(peer.Send("a"));
    ASSERT_TRUE(ReceivedAtLeast(1));
    ASSERT_TRUE(peer.Send("b"));
    EXPECT_TRUE(ReceivedAtLeast(2));
}

// --- line errors through the driver counters ---

class LineErrorTest : public PortTest {
  protected:
    LineErrorTest() {
        port.SetCounterSource([this](int) -> std::optional<LineErrorCounters> {
            ++asked;
            std::lock_guard lock(mutex);
            if (unsupported) return std::nullopt;
            return counters;
        });
        port.OnRxChar = [this](int count) {
            log.push_back("rx " + std::to_string(count));
            received += port.ReadText();
        };
        port.OnError = [this](unsigned bits) { log.push_back("error " + std::to_string(bits)); };
    }
    void Change(void (*change)(LineErrorCounters&)) {
        std::lock_guard lock(mutex);
        change(counters);
    }

    std::mutex mutex;
    LineErrorCounters counters{3, 4, 5, 6, 7};
    bool unsupported = false;
    std::atomic<int> asked{0};
    std::vector<std::string> log;
};

TEST_F(LineErrorTest, RisingCounterGivesOneErrorAfterTheCharacters) {
    port.Open();
    Change([](LineErrorCounters& c) { ++c.frame; });
    ASSERT_TRUE(peer.Send("x"));
    ASSERT_TRUE(RunUntil([&] { return log.size() >= 2; }));
    EXPECT_EQ(log, (std::vector<std::string>{"rx 1", "error 8"}));

    Change([](LineErrorCounters& c) {
        c.parity += 2;
        ++c.brk;
    });
    ASSERT_TRUE(peer.Send("yz"));
    ASSERT_TRUE(RunUntil([&] { return log.size() >= 4; }));
    EXPECT_EQ(log[2], "rx 2");
    EXPECT_EQ(log[3], "error " + std::to_string(CE_RXPARITY | CE_BREAK));

    Change([](LineErrorCounters& c) { ++c.bufOverrun; });
    ASSERT_TRUE(peer.Send("w"));
    ASSERT_TRUE(RunUntil([&] { return log.size() >= 6; }));
    EXPECT_EQ(log[5], "error " + std::to_string(CE_OVERRUN));

    // Unchanged counters: characters only.
    ASSERT_TRUE(peer.Send("v"));
    ASSERT_TRUE(RunUntil([&] { return received.size() == 5; }));
    ui.runPending();
    EXPECT_EQ(log.size(), 7u);
    EXPECT_EQ(received, "xyzwv");
}

TEST_F(LineErrorTest, DriverWithoutCountersIsAskedOnce) {
    {
        std::lock_guard lock(mutex);
        unsupported = true;
    }
    port.Open();
    for (const std::string text : {"a", "b", "c"}) {
        ASSERT_TRUE(peer.Send(text));
        ASSERT_TRUE(ReceivedAtLeast(log.size() + 1));
    }
    ASSERT_TRUE(ReceivedAtLeast(3));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"rx 1", "rx 1", "rx 1"}));
}

TEST_F(PortTest, PseudoTerminalHasNoCountersAndGivesNoErrors) {
    port.Open();
    ASSERT_TRUE(peer.Send("abc"));
    ASSERT_TRUE(ReceivedAtLeast(3));
    ui.runPending();
    EXPECT_TRUE(errors.empty());
}

// --- the far end goes away ---

TEST_F(PortTest, HangUpGivesOneDeviceLostAndThreadsEnd) {
    const std::size_t threadsBefore = ThreadCount();
    port.Open();
    EXPECT_EQ(ThreadCount(), threadsBefore + 2);
    peer.HangUp();
    ASSERT_TRUE(RunUntil([&] { return !errors.empty(); }));
    EXPECT_EQ(errors, std::vector<unsigned>{CE_DEVICE_LOST});
    // Both threads stop by themselves: nothing can spin on the dead descriptor.
    EXPECT_TRUE(RunUntil([&] { return ThreadCount() == threadsBefore; }));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(port.WriteText("sfi\r"));
    EXPECT_EQ(port.ReadText(), "");
    ui.runPending();
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(ui.pending(), 0u);

    const std::size_t descriptors = OpenDescriptorCount();
    port.Close();
    EXPECT_LT(OpenDescriptorCount(), descriptors);
}

TEST_F(PortTest, HangUpWhileWritingIsReportedOnce) {
    port.Open();
    ASSERT_TRUE(port.WriteText(Pattern(TCommPort::kWriteQueueSize)));
    peer.HangUp();
    ASSERT_TRUE(RunUntil([&] { return !errors.empty(); }));
    EXPECT_TRUE(RunUntil([&] { return !port.WriteText("x"); }));
    ui.runPending();
    EXPECT_EQ(errors, std::vector<unsigned>{CE_DEVICE_LOST});
}

TEST_F(PortTest, OpenAfterLostDeviceTakesNewDevice) {
    port.Open();
    peer.HangUp();
    ASSERT_TRUE(RunUntil([&] { return !errors.empty(); }));
    PtyPeer replacement;
    port.SetPortNum(2);  // allowed: the port behaves as closed
    port.SetDeviceResolver([&](int) { return replacement.slavePath(); });
    port.Open();
    ASSERT_TRUE(port.WriteText("ok"));
    ASSERT_TRUE(replacement.ReceiveAtLeast(2));
    EXPECT_EQ(replacement.Data(), "ok");
}

}  // namespace
}  // namespace veltrano::testing
