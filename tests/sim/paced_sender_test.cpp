// Pacing of the transmit side, on an injected clock.
#include <gtest/gtest.h>

#include "paced_sender.h"

namespace veltrano::sim {
namespace {

using Clock = PacedSender::Clock;
using std::chrono::microseconds;
using std::chrono::milliseconds;
using std::chrono::seconds;

const Clock::time_point kT0 = Clock::time_point(seconds(1000));

// Writes whatever is due at each wake-up; returns the bytes written.
std::size_t DrainAt(PacedSender& sender, Clock::time_point now) {
    std::size_t total = 0;
    for (;;) {
        const auto due = sender.Due(now);
        if (due.empty()) return total;
        sender.Written(due.size(), now);
        total += due.size();
    }
}

TEST(PacedSender, LetsOut960CharactersPerSecondWithoutDrift) {
    PacedSender sender(false);
    sender.Enqueue({std::string(20000, 'x')}, kT0);
    std::size_t written = 0;
    // A writer that wakes at uneven moments, often late.
    Clock::time_point now = kT0;
    for (int i = 0; now < kT0 + seconds(20); ++i) {
        written += DrainAt(sender, now);
        const long long expected = (now - kT0) / microseconds(1) * 960 / 1000000 + 1;
        ASSERT_EQ(static_cast<long long>(written), expected) << "at wake-up " << i;
        now += microseconds(700 + (i * 7919) % 9000);
    }
    EXPECT_GT(written, 19000u);
}

TEST(PacedSender, WaitNamesTheNextDeadline) {
    PacedSender sender(false);
    EXPECT_FALSE(sender.Wait(kT0).has_value());
    sender.Enqueue({"abc"}, kT0);
    EXPECT_EQ(sender.Wait(kT0), Clock::duration::zero());
    EXPECT_EQ(sender.Due(kT0), "a");
    sender.Written(1, kT0);
    EXPECT_EQ(sender.Due(kT0), "");
    const auto wait = sender.Wait(kT0);
    ASSERT_TRUE(wait.has_value());
    EXPECT_NEAR(std::chrono::duration<double>(*wait).count(), 1.0 / 960, 1e-6);
    EXPECT_EQ(sender.Due(kT0 + *wait), "b");
}

TEST(PacedSender, AnIdleLineStartsAFreshBurst) {
    PacedSender sender(false);
    sender.Enqueue({"ab"}, kT0);
    DrainAt(sender, kT0 + seconds(1));
    EXPECT_TRUE(sender.Empty());
    // Long idle: the next frame does not get a catch-up burst beyond its first byte.
    sender.Enqueue({"cdef"}, kT0 + seconds(10));
    EXPECT_EQ(DrainAt(sender, kT0 + seconds(10)), 1u);
}

TEST(PacedSender, BusyLineKeepsItsDeadlinesAcrossFrames) {
    PacedSender sender(false);
    sender.Enqueue({"abcd"}, kT0);
    EXPECT_EQ(DrainAt(sender, kT0), 1u);
    // The next frame arrives while the line is still busy.
    sender.Enqueue({"efgh"}, kT0 + milliseconds(1));
    EXPECT_EQ(DrainAt(sender, kT0 + milliseconds(5)), 4u);  // bytes 1..4 due by 4.2 ms
}

TEST(PacedSender, NeverWritesAcrossAPieceBoundary) {
    PacedSender sender(true);
    sender.Enqueue({"start_", "smo", "ende_"}, kT0);
    EXPECT_EQ(sender.Due(kT0), "start_");
    sender.Written(6, kT0);
    EXPECT_EQ(sender.Due(kT0), "smo");
    sender.Written(2, kT0);
    EXPECT_EQ(sender.Due(kT0), "o");
    sender.Written(1, kT0);
    EXPECT_EQ(sender.Due(kT0), "ende_");
    EXPECT_EQ(sender.QueuedBytes(), 5u);
}

TEST(PacedSender, PieceGapSeparatesSplitPieces) {
    PacedSender sender(true, milliseconds(2));
    sender.Enqueue({"sta", "rt_"}, kT0);
    EXPECT_EQ(sender.Due(kT0), "sta");
    sender.Written(3, kT0);
    EXPECT_EQ(sender.Due(kT0 + milliseconds(1)), "");
    EXPECT_EQ(sender.Wait(kT0 + milliseconds(1)), Clock::duration(milliseconds(1)));
    EXPECT_EQ(sender.Due(kT0 + milliseconds(2)), "rt_");
}

TEST(PacedSender, XoffPausesAndXonResumesWithoutCatchUp) {
    PacedSender sender(false);
    sender.Enqueue({std::string(100, 'x')}, kT0);
    DrainAt(sender, kT0);
    sender.Pause();
    EXPECT_EQ(sender.Due(kT0 + seconds(1)), "");
    EXPECT_FALSE(sender.Wait(kT0 + seconds(1)).has_value());
    sender.Resume(kT0 + seconds(1));
    EXPECT_EQ(DrainAt(sender, kT0 + seconds(1)), 1u);
}

TEST(FlowControl, XoffAndXonAreTakenOutOfTheInput) {
    PacedSender sender(true);
    sender.Enqueue({"frame"}, kT0);
    EXPECT_EQ(TakeFlowControl("sm\x13o\r", sender, kT0), "smo\r");
    EXPECT_TRUE(sender.Paused());
    EXPECT_EQ(sender.Due(kT0), "");
    EXPECT_EQ(TakeFlowControl("\x11", sender, kT0), "");
    EXPECT_FALSE(sender.Paused());
    EXPECT_EQ(sender.Due(kT0), "frame");
    EXPECT_EQ(TakeFlowControl("\x13\x11sfi\r", sender, kT0), "sfi\r");
    EXPECT_FALSE(sender.Paused());
}

TEST(PacedSender, ClearDropsEverything) {
    PacedSender sender(true);
    sender.Enqueue({"abc", "def"}, kT0);
    sender.Written(1, kT0);
    sender.Clear();
    EXPECT_TRUE(sender.Empty());
    EXPECT_EQ(sender.QueuedBytes(), 0u);
    EXPECT_EQ(sender.Due(kT0), "");
}

}  // namespace
}  // namespace veltrano::sim
