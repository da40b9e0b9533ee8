#include "decoder_fixture.h"

namespace veltrano {
namespace {

using testing::DecoderTest;
using testing::WithChecksum;

class SwitchTimeFrameTest : public DecoderTest {
  protected:
    // day, motor 0..31, slot 1..8, direction, hour, minute, run time, day group, function
    void Entry(std::int64_t day, std::int64_t motor, std::int64_t slot, std::int64_t direction,
               std::int64_t hour, std::int64_t minute, std::int64_t duration, std::int64_t dayGroup,
               std::int64_t function, std::int64_t checksumError = 0) {
        Receive("sfs", WithChecksum({day, motor, slot, direction, hour, minute, duration, dayGroup,
                                     function},
                                    checksumError));
    }
    void Opening() { Entry(0, 0, 0, 0, 0, 0, 0, 0, 0); }
    void Closing(std::int64_t checksumError = 0) {
        Entry(255, 0, 0, 0, 0, 0, 0, 0, 0, checksumError);
    }
    void StartReading() {
        readAll.OnCompleted = [this](const ReadAllResult&) { ++completions; };
        readAll.Start(ControllerIdentity{});
    }
    int completions = 0;
};

TEST_F(SwitchTimeFrameTest, OpeningFrameResetsTheTableForReading) {
    model.ClearSwitchTimes();
    Opening();
    for (const SwitchTime& e : model.SwitchTimes) {
        ASSERT_EQ(e, SwitchTime{});  // empty, up, run time 39, day group 1, normal, modified
    }
    EXPECT_EQ(window.panels[6], "Schaltzeiten ");
    EXPECT_EQ(window.row6.back(), "    Lese Daten von Steuerung ... Schaltzeiten ");
}

TEST_F(SwitchTimeFrameTest, EntryConvertsItsFields) {
    model.ClearSwitchTimes();  // every entry not modified
    Entry(3, 31, 8, 1, 23, 59, 126, 1, 2);
    const SwitchTime& e = model.switchTime(2, 31, 7);
    EXPECT_EQ(e.Direction, kUp);
    EXPECT_EQ(e.TimeCode, 1440);
    EXPECT_EQ(e.DurationCode, 126);
    EXPECT_EQ(e.DayGroup, 1);
    EXPECT_EQ(e.Function, kFunctionRandom);
    EXPECT_FALSE(e.Modified) << "a received entry keeps its flag";
    EXPECT_EQ(window.panels[6], "Schaltzeiten Mi");
    EXPECT_EQ(window.row6.back(), "    Lese Daten von Steuerung ... Schaltzeiten Mi");

    Entry(1, 0, 1, 0, 0, 0, 0, 1, 0);
    const SwitchTime& first = model.switchTime(0, 0, 0);
    EXPECT_EQ(first.Direction, kDown);
    EXPECT_EQ(first.TimeCode, 1);
    EXPECT_EQ(window.panels[6], "Schaltzeiten Mo");

    Entry(7, 5, 4, 2, 6, 30, 10, 1, 1);
    EXPECT_EQ(model.switchTime(6, 5, 3).Direction, kDown);
    EXPECT_EQ(model.switchTime(6, 5, 3).TimeCode, 391);
    EXPECT_EQ(window.panels[6], "Schaltzeiten So");
}

TEST_F(SwitchTimeFrameTest, HourTwentyFourIsAnEmptySlotWhateverTheMinute) {
    Entry(2, 4, 2, 1, 24, 37, 10, 1, 0);
    EXPECT_EQ(model.switchTime(1, 4, 1).TimeCode, kEmptyTimeCode);
    EXPECT_EQ(model.switchTime(1, 4, 1).DurationCode, 10);
}

TEST_F(SwitchTimeFrameTest, WeekdayGroupIsWrittenIntoMondayToFriday) {
    model.ClearSwitchTimes();
    const ConfigurationModel before = model;
    Entry(3, 2, 1, 1, 7, 15, 20, 5, 0);
    for (int day = 0; day < 5; ++day) {
        const SwitchTime& e = model.switchTime(day, 2, 0);
        EXPECT_EQ(e.TimeCode, 7 * 60 + 15 + 1) << day;
        EXPECT_EQ(e.DayGroup, kDayGroupWeekdays) << day;
        EXPECT_EQ(e.DurationCode, 20) << day;
    }
    // Nothing else changed.
    ConfigurationModel others = model;
    for (int day = 0; day < 5; ++day)
        others.switchTime(day, 2, 0) = before.switchTime(day, 2, 0);
    EXPECT_EQ(others, before);
}

TEST_F(SwitchTimeFrameTest, WeekendGroupNamedOnMondayIsWrittenIntoTheWeekendOnly) {
    model.ClearSwitchTimes();
    Entry(1, 9, 3, 0, 9, 0, 15, 2, 0);
    EXPECT_TRUE(model.switchTime(0, 9, 2).IsEmpty()) << "not Monday";
    for (int day : {5, 6}) {
        EXPECT_EQ(model.switchTime(day, 9, 2).TimeCode, 541) << day;
        EXPECT_EQ(model.switchTime(day, 9, 2).DayGroup, kDayGroupWeekend) << day;
    }
    for (int day = 1; day < 5; ++day)
        EXPECT_TRUE(model.switchTime(day, 9, 2).IsEmpty()) << day;
}

TEST_F(SwitchTimeFrameTest, WholeWeekGroupIsWrittenIntoEveryDay) {
    model.ClearSwitchTimes();
    Entry(6, 0, 8, 1, 12, 0, 30, 7, 1);
    for (int day = 0; day < 7; ++day) {
        EXPECT_EQ(model.switchTime(day, 0, 7).TimeCode, 721) << day;
        EXPECT_EQ(model.switchTime(day, 0, 7).Function, kFunctionAstro) << day;
    }
}

TEST_F(SwitchTimeFrameTest, UnknownDayGroupIsStoredOnItsOwnDay) {
    model.ClearSwitchTimes();
    Entry(4, 1, 1, 1, 8, 0, 10, 3, 0);
    EXPECT_EQ(model.switchTime(3, 1, 0).TimeCode, 481);
    EXPECT_EQ(model.switchTime(3, 1, 0).DayGroup, 3);
    for (int day : {0, 1, 2, 4, 5, 6})
        EXPECT_TRUE(model.switchTime(day, 1, 0).IsEmpty()) << day;
}

TEST_F(SwitchTimeFrameTest, BadChecksumChangesNothing) {
    const ConfigurationModel before = model;
    Entry(3, 2, 1, 1, 7, 15, 20, 5, 0, 1);
    EXPECT_EQ(model, before);
    EXPECT_EQ(window.panels[5], "Fehler Schalt 3");
    EXPECT_EQ(window.panels[6], "Schaltzeiten Mi");

    Entry(0, 0, 0, 0, 0, 0, 0, 0, 0, 1);
    EXPECT_EQ(model, before) << "an invalid opening frame does not reset the table";
    EXPECT_EQ(window.panels[5], "Fehler Schalt 0");
}

TEST_F(SwitchTimeFrameTest, MotorSlotOrDayOutsideTheTableIsNotStored) {
    const ConfigurationModel before = model;
    struct Bad {
        std::int64_t day, motor, slot;
        const char* error;
    };
    for (const Bad& b :
         {Bad{3, 32, 1, "Fehler Schalt 3"}, Bad{3, -1, 1, "Fehler Schalt 3"},
          Bad{2, 0, 0, "Fehler Schalt 2"}, Bad{2, 0, 9, "Fehler Schalt 2"},
          Bad{8, 0, 1, "Fehler Schalt 8"}, Bad{-1, 0, 1, "Fehler Schalt -1"},
          Bad{254, 0, 1, "Fehler Schalt 254"}, Bad{256, 0, 1, "Fehler Schalt 256"}}) {
        SCOPED_TRACE(b.error);
        window.panels[5].clear();
        Entry(b.day, b.motor, b.slot, 1, 6, 0, 10, 7, 0);
        EXPECT_EQ(model, before);
        EXPECT_EQ(window.panels[5], b.error);
    }
    EXPECT_EQ(window.panels[6], "Schaltzeiten ");
}

TEST_F(SwitchTimeFrameTest, WeekdayTextComesFromTheWeekdayBoxWhenConnected) {
    window.hooks.WeekdayItemText = [](int index) { return "T" + std::to_string(index); };
    Entry(5, 0, 1, 1, 6, 0, 10, 1, 0);
    EXPECT_EQ(window.panels[6], "Schaltzeiten T4");
}

TEST_F(SwitchTimeFrameTest, ClosingFrameCompletesARunningRead) {
    StartReading();
    state.RxCount = 500;
    Opening();
    Entry(1, 0, 1, 1, 6, 0, 10, 1, 0);
    const int rx = state.RxCount;
    Closing();
    EXPECT_EQ(completions, 1);
    EXPECT_FALSE(state.ReadAllInProgress);
    // The event's own characters are counted after the decoders ran; the
    // completion adds one more.
    EXPECT_EQ(state.RxCount,
              rx + 1 + static_cast<int>(testing::Frame("sfs", "255,0,0,0,0,0,0,0,0,255,").size()));
    for (const SwitchTime& e : model.SwitchTimes)
        ASSERT_FALSE(e.Modified);
    for (const ShadingSettings& r : model.Shading)
        ASSERT_FALSE(r.Modified);
    EXPECT_EQ(window.panels[6], "Schaltzeiten ");
}

TEST_F(SwitchTimeFrameTest, InvalidClosingFrameDoesNotComplete) {
    StartReading();
    Closing(1);
    EXPECT_EQ(completions, 0);
    EXPECT_TRUE(state.ReadAllInProgress);
    EXPECT_EQ(window.panels[5], "Fehler Schalt 255");
    EXPECT_FALSE(state.OverwriteConfirmed);
}

TEST_F(SwitchTimeFrameTest, ClosingFrameOutsideAReadCompletesNothing) {
    readAll.OnCompleted = [this](const ReadAllResult&) { ++completions; };
    const ConfigurationModel before = model;
    Closing();
    EXPECT_EQ(completions, 0);
    EXPECT_EQ(model, before) << "no Modified flag cleared";
    EXPECT_FALSE(state.OverwriteConfirmed);
}

TEST_F(SwitchTimeFrameTest, ValidFramesOfAReadGrantTheOverwriteConfirmation) {
    Entry(1, 0, 1, 1, 6, 0, 10, 1, 0);
    EXPECT_FALSE(state.OverwriteConfirmed) << "no read running";
    StartReading();
    Entry(1, 0, 1, 1, 6, 0, 10, 1, 0, 1);
    EXPECT_FALSE(state.OverwriteConfirmed) << "invalid frame";
    Opening();
    EXPECT_TRUE(state.OverwriteConfirmed);
    state.OverwriteConfirmed = false;
    Entry(1, 0, 1, 1, 6, 0, 10, 1, 0);
    EXPECT_TRUE(state.OverwriteConfirmed);
}

}  // namespace
}  // namespace veltrano
