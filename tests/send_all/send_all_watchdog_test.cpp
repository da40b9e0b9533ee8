// The acknowledgement watchdog of send-all and the end of a transfer whose
// bytes the port refuses.
#include <gtest/gtest.h>

#include <stdexcept>

#include "send_all_support.h"

namespace veltrano {
namespace {

using testing::RollerShutter;
using testing::SendAllRig;
using testing::Writes;
using namespace std::chrono_literals;

class WatchdogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        rig.Target(RollerShutter(), 7014);
        rig.model.ClearAllModified();
        rig.Start();
    }
    SendAllRig rig;
};

TEST_F(WatchdogTest, TheClockStartsOnlyWhenTheStepsBytesHaveLeftThePort) {
    EXPECT_TRUE(rig.sequence.AwaitingDrain());
    EXPECT_FALSE(rig.sequence.AckDeadline());
    // Bytes still in the adapter, or held by XOFF for a while: no time-out
    // within the drain bound.
    rig.now += 29999ms;
    EXPECT_FALSE(rig.sequence.CheckAckTimeout());
    EXPECT_TRUE(rig.sequence.Running());

    rig.sequence.OutputDrained();
    ASSERT_TRUE(rig.sequence.AckDeadline());
    EXPECT_EQ(*rig.sequence.AckDeadline(), rig.now + 15s);
    rig.now += 14999ms;
    EXPECT_FALSE(rig.sequence.CheckAckTimeout());
    EXPECT_TRUE(rig.sequence.Running());
    rig.now += 1ms;
    EXPECT_TRUE(rig.sequence.CheckAckTimeout());
    EXPECT_FALSE(rig.sequence.Running());
}

TEST_F(WatchdogTest, ATimeOutEndsTheTransferAndMarksEverythingForTheNextOne) {
    rig.Ack();
    rig.Ack();
    rig.sequence.OutputDrained();
    rig.now += 15s;
    rig.calls.clear();
    ASSERT_TRUE(rig.sequence.CheckAckTimeout());
    EXPECT_FALSE(rig.state.SendInProgress);
    EXPECT_EQ(rig.panels[5], "Zeitüberschreitung beim Senden");
    EXPECT_EQ(rig.panels[6], "");
    EXPECT_EQ(rig.ends, (std::vector<SendAllEnd>{SendAllEnd::TimedOut}));
    EXPECT_EQ(rig.calls, (std::vector<std::string>{"RebuildSwitchTimeLists", "OnFinished"}));
    for (const SwitchTime& e : rig.model.SwitchTimes)
        ASSERT_TRUE(e.Modified);
    EXPECT_TRUE(rig.model.reverse(1).Modified);
    EXPECT_TRUE(rig.model.touch(32).Modified);

    // At rest: late acknowledgements, drain reports and checks do nothing.
    EXPECT_TRUE(rig.Ack().empty());
    rig.sequence.OutputDrained();
    rig.now += 1h;
    EXPECT_FALSE(rig.sequence.CheckAckTimeout());
    EXPECT_EQ(rig.ends.size(), 1u);
    EXPECT_FALSE(rig.state.SendInProgress);
}

TEST_F(WatchdogTest, AnAcknowledgementStopsTheClockUntilTheNextStepHasDrained) {
    rig.sequence.OutputDrained();
    rig.now += 10s;
    rig.Ack();
    EXPECT_FALSE(rig.sequence.AckDeadline());
    EXPECT_TRUE(rig.sequence.AwaitingDrain());
    rig.now += 10s;  // past the first deadline
    EXPECT_FALSE(rig.sequence.CheckAckTimeout());
    rig.sequence.OutputDrained();
    EXPECT_EQ(*rig.sequence.AckDeadline(), rig.now + 15s);
}

TEST_F(WatchdogTest, ALaterDrainReportDoesNotPushTheDeadline) {
    rig.sequence.OutputDrained();
    const auto deadline = *rig.sequence.AckDeadline();
    rig.now += 5s;
    rig.sequence.OutputDrained();
    EXPECT_EQ(*rig.sequence.AckDeadline(), deadline);
}

TEST_F(WatchdogTest, TheTimeOutIsAdjustable) {
    rig.sequence.SetAckTimeout(200ms);
    rig.sequence.OutputDrained();
    rig.now += 199ms;
    EXPECT_FALSE(rig.sequence.CheckAckTimeout());
    rig.now += 1ms;
    EXPECT_TRUE(rig.sequence.CheckAckTimeout());
}

TEST_F(WatchdogTest, TheCompletionStopsTheClock) {
    while (rig.sequence.SendStep() != kStepCompletion)
        rig.Ack();
    rig.sequence.OutputDrained();
    rig.Ack();
    EXPECT_FALSE(rig.sequence.AckDeadline());
    EXPECT_FALSE(rig.sequence.AwaitingDrain());
    rig.sequence.OutputDrained();
    rig.now += 1h;
    EXPECT_FALSE(rig.sequence.CheckAckTimeout());
    EXPECT_EQ(rig.ends, (std::vector<SendAllEnd>{SendAllEnd::Completed}));
}

TEST_F(WatchdogTest, ANewTransferAfterATimeOutRunsNormally) {
    rig.sequence.OutputDrained();
    rig.now += 20s;
    ASSERT_TRUE(rig.sequence.CheckAckTimeout());
    EXPECT_EQ(rig.Start().size(), 11u);
    EXPECT_TRUE(rig.state.SendInProgress);
    EXPECT_FALSE(rig.sequence.AckDeadline());
    rig.RunToEnd();
    EXPECT_EQ(rig.ends, (std::vector<SendAllEnd>{SendAllEnd::TimedOut, SendAllEnd::Completed}));
}

TEST(SendAllWriteFailureTest, APortThatRefusesTheBytesEndsTheTransfer) {
    SendAllRig rig;
    rig.Target(RollerShutter(), 7014);
    rig.Start();
    rig.model.ClearAllModified();
    int writes = 0;
    rig.sequence.SetWriteFunction([&](std::string_view) {
        if (++writes == 5)
            throw std::runtime_error("Output buffer is full. Please check comm status.");
    });
    EXPECT_THROW(rig.sequence.Acknowledge("0,"), std::runtime_error);
    EXPECT_FALSE(rig.sequence.Running());
    EXPECT_FALSE(rig.state.SendInProgress);
    EXPECT_EQ(rig.panels[5], "Fehler beim Senden");
    EXPECT_EQ(rig.ends, (std::vector<SendAllEnd>{SendAllEnd::WriteFailed}));
    EXPECT_TRUE(rig.model.reverse(4).Modified);
    EXPECT_NO_THROW(rig.sequence.Acknowledge("0,"));
}

TEST(SendAllWriteFailureTest, AFailingEraseRecordEndsTheTransferAtOnce) {
    SendAllRig rig;
    rig.Target(RollerShutter(), 7014);
    rig.sequence.SetWriteFunction([](std::string_view) { throw std::runtime_error("weg"); });
    EXPECT_THROW(rig.sequence.Start(), std::runtime_error);
    EXPECT_FALSE(rig.sequence.Running());
    EXPECT_FALSE(rig.state.SendInProgress);
    EXPECT_EQ(rig.ends, (std::vector<SendAllEnd>{SendAllEnd::WriteFailed}));
}

}  // namespace
}  // namespace veltrano
