// Receive batching: characters that arrive piece by piece reach the handler
// together, at once when the owner's predicate says they are complete, else
// after the longest delay.
#include "port_fixture.h"

namespace veltrano::testing {
namespace {

using namespace std::chrono_literals;

bool EndsWithBang(std::string_view pending) {
    return pending.find('!') != std::string_view::npos;
}

TEST_F(PortTest, BatchWaitsForItsCompletionAndArrivesAsOneEvent) {
    port.SetReceiveBatching(EndsWithBang, 10s);
    port.Open();
    ASSERT_TRUE(peer.Send("ab"));
    // Nothing may reach the handler while the batch is incomplete.
    EXPECT_FALSE(RunUntil([&] { return !counts.empty(); }, 100ms));
    ASSERT_TRUE(peer.Send("c!"));
    ASSERT_TRUE(RunUntil([&] { return received == "abc!"; }));
    EXPECT_EQ(counts.size(), 1u);
}

TEST_F(PortTest, IncompleteBatchIsHandedOverAfterTheLongestDelay) {
    port.SetReceiveBatching(EndsWithBang, 30ms);
    port.Open();
    ASSERT_TRUE(peer.Send("xyz"));
    ASSERT_TRUE(RunUntil([&] { return received == "xyz"; }));
    EXPECT_EQ(counts.size(), 1u);
    // The next batch starts afresh.
    ASSERT_TRUE(peer.Send("1!"));
    ASSERT_TRUE(RunUntil([&] { return received == "xyz1!"; }));
}

TEST_F(PortTest, WithoutBatchingEveryArrivalIsHandedOver) {
    port.Open();
    ASSERT_TRUE(peer.Send("a"));
    ASSERT_TRUE(RunUntil([&] { return received == "a"; }));
    ASSERT_TRUE(peer.Send("b"));
    ASSERT_TRUE(RunUntil([&] { return received == "ab"; }));
    EXPECT_EQ(counts.size(), 2u);
}

TEST_F(PortTest, PendingBatchIsDeliveredBeforeTheDeviceIsLost) {
    port.SetReceiveBatching(EndsWithBang, 10s);
    port.Open();
    ASSERT_TRUE(peer.Send("last words"));
    EXPECT_FALSE(RunUntil([&] { return !counts.empty(); }, 50ms));
    peer.HangUp();
    ASSERT_TRUE(RunUntil([&] { return !errors.empty(); }));
    EXPECT_EQ(received, "last words");
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0] & CE_DEVICE_LOST);
}

TEST_F(PortTest, CloseWhileABatchWaitsIsPrompt) {
    port.SetReceiveBatching(EndsWithBang, 10s);
    port.Open();
    ASSERT_TRUE(peer.Send("pending"));
    EXPECT_FALSE(RunUntil([&] { return !counts.empty(); }, 50ms));
    const auto start = std::chrono::steady_clock::now();
    port.Close();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    EXPECT_TRUE(counts.empty());
}

}  // namespace
}  // namespace veltrano::testing
