#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <string>
#include <vector>

#include "link/block_decoders.h"
#include "link/read_all.h"
#include "link/receive_handler.h"

namespace veltrano {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class ReadAllSequenceTest : public ::testing::Test {
  protected:
    ReadAllSequenceTest() {
        readAll.WriteText = [this](std::string_view bytes) { writes.emplace_back(bytes); };
        readAll.OnCompleted = [this](const ReadAllResult&) { ++completions; };
        readAll.OnAbandoned = [this](ReadAllEnd) { ++timeouts; };
        readAll.SetClock([this] { return now; });
    }

    LinkState state;
    ConfigurationModel model;
    ReadAllSequence readAll{state, model};
    std::vector<std::string> writes;
    int completions = 0;
    int timeouts = 0;
    Clock::time_point now{};
};

TEST_F(ReadAllSequenceTest, StartClearsSwitchTimesResetsCountersAndWritesOnce) {
    state.RxCount = 1234;
    state.TxCount = 567;
    model.switchTime(3, 4, 5).TimeCode = 100;
    model.shading(1).Modified = true;
    ControllerIdentity id;
    id.SunProtectionFamily = true;
    readAll.Start(id);
    EXPECT_TRUE(state.ReadAllInProgress);
    EXPECT_TRUE(readAll.Running());
    EXPECT_EQ(state.RxCount, 0);
    EXPECT_EQ(state.TxCount, 0);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0], ReadAllRequests(id));
    for (const SwitchTime& e : model.SwitchTimes) {
        ASSERT_EQ(e.TimeCode, 0);
        ASSERT_EQ(e.DurationCode, 0);
        ASSERT_EQ(e.DayGroup, 1);
        ASSERT_FALSE(e.Modified);
    }
    EXPECT_TRUE(model.shading(1).Modified) << "only the switching times are cleared";
}

TEST_F(ReadAllSequenceTest, FinishCompletesOnlyARunningRead) {
    model.MarkAllModified();
    readAll.Finish();
    EXPECT_EQ(completions, 0);
    EXPECT_TRUE(model.shading(5).Modified);

    readAll.Start(ControllerIdentity{});
    model.MarkAllModified();
    state.RxCount = 300;
    readAll.Finish();
    EXPECT_EQ(completions, 1);
    EXPECT_FALSE(state.ReadAllInProgress);
    EXPECT_EQ(state.RxCount, 301);
    EXPECT_FALSE(model.shading(5).Modified);
    EXPECT_FALSE(model.outsideTemp(32).Modified);
    EXPECT_FALSE(model.switchTime(6, 31, 7).Modified);

    readAll.Finish();
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(state.RxCount, 301);
}

TEST_F(ReadAllSequenceTest, CompletionCallbackSeesTheReadFinished) {
    readAll.OnCompleted = [this](const ReadAllResult&) {
        EXPECT_FALSE(state.ReadAllInProgress);
        EXPECT_FALSE(model.switchTime(0, 0, 0).Modified);
        ++completions;
    };
    readAll.Start(ControllerIdentity{});
    readAll.Finish();
    EXPECT_EQ(completions, 1);
}

TEST_F(ReadAllSequenceTest, WatchdogDefaultsToTenSeconds) {
    ReadAllSequence fresh{state, model};
    EXPECT_EQ(fresh.Timeout(), 10s);
}

TEST_F(ReadAllSequenceTest, WatchdogAbandonsAReadAfterTenSilentSeconds) {
    state.OverwriteConfirmed = true;
    readAll.Start(ControllerIdentity{});
    model.ClearAllModified();
    now += 9999ms;
    EXPECT_FALSE(readAll.CheckWatchdog());
    EXPECT_TRUE(state.ReadAllInProgress);
    now += 1ms;
    EXPECT_TRUE(readAll.CheckWatchdog());
    EXPECT_EQ(timeouts, 1);
    EXPECT_FALSE(state.ReadAllInProgress);
    EXPECT_FALSE(state.OverwriteConfirmed);
    EXPECT_TRUE(model.switchTime(2, 2, 2).Modified);
    EXPECT_TRUE(model.heating(3).Modified);

    now += 60s;
    EXPECT_FALSE(readAll.CheckWatchdog()) << "nothing left to abandon";
    EXPECT_EQ(timeouts, 1);
    readAll.Finish();
    EXPECT_EQ(completions, 0) << "a late closing frame completes nothing";
}

TEST_F(ReadAllSequenceTest, ArrivingCharactersKeepTheReadAlive) {
    readAll.Start(ControllerIdentity{});
    for (int i = 0; i < 10; ++i) {
        now += 8s;
        state.RxCount += 50;
        EXPECT_FALSE(readAll.CheckWatchdog()) << i;
    }
    now += 9s;
    EXPECT_FALSE(readAll.CheckWatchdog());
    now += 1s;
    EXPECT_TRUE(readAll.CheckWatchdog());
    EXPECT_EQ(timeouts, 1);
}

TEST_F(ReadAllSequenceTest, WatchdogIdlesOutsideARead) {
    now += 1h;
    EXPECT_FALSE(readAll.CheckWatchdog());
    EXPECT_EQ(timeouts, 0);
}

TEST_F(ReadAllSequenceTest, ShorterTimeoutAndANewReadRestartTheWatch) {
    readAll.SetTimeout(50ms);
    readAll.Start(ControllerIdentity{});
    now += 49ms;
    EXPECT_FALSE(readAll.CheckWatchdog());
    readAll.Finish();
    now += 1s;
    readAll.Start(ControllerIdentity{});  // the watch starts again from here
    now += 49ms;
    EXPECT_FALSE(readAll.CheckWatchdog());
    now += 1ms;
    EXPECT_TRUE(readAll.CheckWatchdog());
}

// A whole read through the receive handler, as the Controller streams it.
TEST_F(ReadAllSequenceTest, StreamedAnswersFillTheModelAndTheClosingFrameEndsTheRead) {
    WindowHooks hooks;
    std::array<std::string, 14> panels{};
    std::vector<int> progress;
    hooks.SetPanelText = [&](int n, const std::string& t) { panels.at(n) = t; };
    hooks.SetProgressPosition = [&](int p) { progress.push_back(p); };
    ReceiveHandler handler{state, hooks};
    RegisterBlockDecoders(handler, model, state, hooks, readAll);

    ControllerIdentity id;
    id.SunProtectionFamily = true;
    readAll.Start(id);
    EXPECT_FALSE(state.OverwriteConfirmed);
    const std::string stream =
        "start_sbp3,1,122,8,19,40,10,203,ende_"
        "start_smn03,Bad ende_"
        "start_sfs0,0,0,0,0,0,0,0,0,0,ende_"
        "start_sfs1,2,1,1,6,30,10,5,0,56,ende_"
        "start_sfs255,0,0,0,0,0,0,0,0,255,ende_";
    // The Controller's answers arrive in small pieces.
    for (std::size_t i = 0; i < stream.size(); i += 7)
        handler.OnReceive(stream.substr(i, 7));

    EXPECT_EQ(completions, 1);
    EXPECT_FALSE(state.ReadAllInProgress);
    EXPECT_TRUE(state.OverwriteConfirmed);
    EXPECT_EQ(model.shading(3).TemperatureCode, 32);
    EXPECT_EQ(model.motorName(3), "Bad ");
    for (int day = 0; day < 5; ++day)
        EXPECT_EQ(model.switchTime(day, 2, 0).TimeCode, 391) << day;
    EXPECT_TRUE(model.switchTime(5, 2, 0).IsEmpty());
    for (const SwitchTime& e : model.SwitchTimes)
        ASSERT_FALSE(e.Modified);
    // The progress bar followed every event up to the closing one.
    ASSERT_FALSE(progress.empty());
    const std::size_t lastEvent = (stream.size() - 1) / 7 * 7;
    EXPECT_EQ(progress.back(), static_cast<int>(lastEvent));
    EXPECT_EQ(state.RxCount, static_cast<int>(stream.size()) + 1);
}

}  // namespace
}  // namespace veltrano
