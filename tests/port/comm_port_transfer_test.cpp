// Bytes through the port in both directions: byte-exact, complete and in
// order, under XOFF, with a full queue, and the drained notification.
#include <sys/ioctl.h>

#include <atomic>
#include <thread>

#include "port_fixture.h"

namespace veltrano::testing {
namespace {

using namespace std::chrono_literals;

TEST_F(PortTest, EveryByteValueReachesPeerUnchanged) {
    port.Open();
    const std::string bytes = AllBytesButXonXoff();
    ASSERT_TRUE(port.WriteText(bytes));
    ASSERT_TRUE(peer.ReceiveAtLeast(bytes.size()));
    EXPECT_EQ(peer.Data(), bytes);  // no CR added before LF, nothing else changed
}

TEST_F(PortTest, EveryByteValueFromPeerArrivesUnchangedWithoutEcho) {
    port.Open();
    const std::string bytes = AllBytesButXonXoff();
    ASSERT_TRUE(peer.Send(bytes));
    ASSERT_TRUE(ReceivedAtLeast(bytes.size()));
    EXPECT_EQ(received, bytes);  // CR stays CR, no signal or line editing characters
    // An echo would have been queued for the peer before the port read the bytes.
    EXPECT_EQ(peer.Pending(), 0);
    peer.ReceiveAvailable();
    EXPECT_EQ(peer.Data(), "");
}

TEST_F(PortTest, TextLongerThanQueueArrivesCompleteAndInOrder) {
    port.Open();
    const std::string text = Pattern(2 * TCommPort::kWriteQueueSize + 1234);
    std::string got;
    std::thread reader([&] {
        PtyPeer& p = peer;
        p.ReceiveAtLeast(text.size(), 10s);
        got = p.Data();
    });
    EXPECT_TRUE(port.WriteText(text));
    reader.join();
    EXPECT_EQ(got.size(), text.size());
    EXPECT_TRUE(got == text);
}

TEST_F(PortTest, XoffFillsQueueUntilFullThenXonDeliversEveryAcceptedByte) {
    port.SetWriteTimeout(50ms);
    port.Open();
    ASSERT_TRUE(peer.Send("\x13"));
    ASSERT_TRUE(peer.WaitForStatus(TIOCPKT_STOP));

    const std::string all = Pattern(3 * TCommPort::kWriteQueueSize);
    std::size_t accepted = 0;
    std::string failure;
    auto started = std::chrono::steady_clock::now();
    auto cpuAtStart = ProcessCpuTime();
    while (accepted < all.size()) {
        started = std::chrono::steady_clock::now();
        cpuAtStart = ProcessCpuTime();
        try {
            ASSERT_TRUE(port.WriteText(std::string_view(all).substr(accepted, 1000)));
        } catch (const ECommError& e) {
            failure = e.what();
            break;
        }
        accepted += 1000;
    }
    EXPECT_GE(std::chrono::steady_clock::now() - started, 50ms);
    // Neither the waiting caller nor the stopped write thread spins meanwhile.
    EXPECT_LT(ProcessCpuTime() - cpuAtStart, 25ms);
    EXPECT_EQ(failure, "Output buffer is full. Please check comm status.");
    EXPECT_GE(accepted, TCommPort::kWriteQueueSize - 1000);
    EXPECT_LT(accepted, all.size());

    ASSERT_TRUE(peer.Send("\x11"));
    ASSERT_TRUE(peer.ReceiveAtLeast(accepted));
    EXPECT_TRUE(RunUntil([&] { return drained > 0; }));
    peer.ReceiveAvailable();
    EXPECT_EQ(peer.Data().size(), accepted);
    EXPECT_TRUE(peer.Data() == all.substr(0, accepted));
}

TEST_F(PortTest, DrainedAfterWrite) {
    port.Open();
    ASSERT_TRUE(port.WriteText("sfi\r"));
    ASSERT_TRUE(peer.ReceiveAtLeast(4));
    EXPECT_TRUE(RunUntil([&] { return drained == 1; }));
    EXPECT_EQ(peer.Data(), "sfi\r");
}

TEST_F(PortTest, DrainedOnlyWhenDriverQueueEmpty) {
    std::atomic<int> driverHolds{7};
    std::atomic<int> asked{0};
    port.SetOutputQueueSource([&](int) {
        ++asked;
        return driverHolds.load();
    });
    port.Open();
    ASSERT_TRUE(port.WriteText("sdt\r"));
    ASSERT_TRUE(peer.ReceiveAtLeast(4));
    // The write thread keeps looking while the driver reports bytes.
    ASSERT_TRUE(RunUntil([&] { return asked >= 3; }));
    ui.runPending();
    EXPECT_EQ(drained, 0);
    driverHolds = 0;
    EXPECT_TRUE(RunUntil([&] { return drained == 1; }));
}

TEST_F(PortTest, NothingDrainedWhileStoppedByXoff) {
    port.Open();
    ASSERT_TRUE(peer.Send("\x13"));
    ASSERT_TRUE(peer.WaitForStatus(TIOCPKT_STOP));
    ASSERT_TRUE(port.WriteText("smo\r"));
    EXPECT_FALSE(RunUntil([&] { return drained > 0; }, 100ms));
    ASSERT_TRUE(peer.Send("\x11"));
    ASSERT_TRUE(peer.ReceiveAtLeast(4));
    EXPECT_TRUE(RunUntil([&] { return drained == 1; }));
    EXPECT_EQ(peer.Data(), "smo\r");
}

TEST_F(PortTest, OneDrainedForABurstOfCommands) {
    port.Open();
    for (const char* command : {"sfi\r", "sdt\r", "sti\r", "skd\r", "smo\r"}) {
        ASSERT_TRUE(port.WriteText(command));
    }
    ASSERT_TRUE(peer.ReceiveAtLeast(20));
    ASSERT_TRUE(RunUntil([&] { return drained >= 1; }));
    ui.runPending();
    // Several reports may be posted, but only one describes the state when it runs.
    EXPECT_EQ(drained, 1);
}

}  // namespace
}  // namespace veltrano::testing
