#include "link/twilight_morning_rows.h"

#include "decoder_fixture.h"

namespace veltrano {
namespace {

using testing::DecoderTest;
using testing::WithChecksum;

TEST(ReceivedTwilightMorningLine, OffShowsNameAndAusOnly) {
    TwilightMorningSettings r;
    r.Off = kOff;
    EXPECT_EQ(ReceivedTwilightMorningLine("Motor 1", r), "Motor 1       AUS");
}

TEST(ReceivedTwilightMorningLine, OnAppendsHourBrightnessAndRunTime) {
    TwilightMorningSettings r;
    r.Off = kOn;
    r.FromCode = 5;         // "08:00"
    r.BrightnessCode = 28;  // "200 "
    r.DurationCode = 39;    // "40s"
    EXPECT_EQ(ReceivedTwilightMorningLine("Motor 1", r),
              "Motor 1       EIN    08:00   200       40s");
    r.FromCode = 8;          // "Nr. 3"
    r.BrightnessCode = 135;  // "100 k"
    r.DurationCode = 190;    // "Dauer"
    EXPECT_EQ(ReceivedTwilightMorningLine("Motor 1", r),
              "Motor 1       EIN    Nr. 3   100 k      Dauer");
}

TEST(ReceivedTwilightMorningLine, NameIsCutOrPaddedToTwelveCharacters) {
    TwilightMorningSettings r;
    EXPECT_EQ(ReceivedTwilightMorningLine("Schlafzimmer links", r), "Schlafzimmer  AUS");
    EXPECT_EQ(ReceivedTwilightMorningLine("Küche", r), "Küche         AUS");
    EXPECT_EQ(ReceivedTwilightMorningLine("Größenwahnsinn", r), "Größenwahnsi  AUS");
    // An empty name gets only the eleven blanks.
    EXPECT_EQ(ReceivedTwilightMorningLine("", r), std::string(13, ' ') + "AUS");
}

TEST(ReceivedTwilightMorningLine, CodesOutsideTheirListsShowEmpty) {
    TwilightMorningSettings r;
    r.Off = kOn;
    r.FromCode = 9;
    r.BrightnessCode = -1;
    r.DurationCode = 191;
    EXPECT_EQ(ReceivedTwilightMorningLine("M", r),
              "M" + std::string(13, ' ') + "EIN" + std::string(13, ' '));
    r.Off = 5;  // neither item: no parameter texts
    EXPECT_EQ(ReceivedTwilightMorningLine("M", r), "M" + std::string(13, ' '));
}

TEST_F(DecoderTest, MorningBlockWritesRowsOfMotorsOneToEight) {
    model.motorName(2) = "Bad";
    Receive("sdm", WithChecksum({2, 1, 8, 29, 40}));
    ASSERT_EQ(window.morningRows.size(), 1u);
    const std::vector<std::string> rows = window.morningRows[0];
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(rows[0], "Motor 1       AUS");
    EXPECT_EQ(rows[1], "Bad           EIN    08:00   200       40s");
    EXPECT_EQ(rows[7], "Motor 8       AUS");

    // A record of motor 9 or above changes the model but no row shows it.
    Receive("sdm", WithChecksum({9, 1, 8, 29, 40}));
    EXPECT_EQ(model.twilightMorning(9).Off, kOn);
    EXPECT_EQ(window.morningRows[1], rows);
}

}  // namespace
}  // namespace veltrano
