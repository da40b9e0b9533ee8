// The blocks of a send-all, write by write.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/send_all_blocks.h"

namespace veltrano {
namespace {

using Writes = std::vector<std::string>;

class BlockTest : public ::testing::Test {
  protected:
    WireWrite record = [this](std::string_view bytes) { writes.emplace_back(bytes); };
    WireWriter w{record};
    Writes writes;
    ConfigurationModel model;
};

SwitchTime Entry(int timeCode, int direction, int duration, int group, int function) {
    SwitchTime e;
    e.TimeCode = timeCode;
    e.Direction = direction;
    e.DurationCode = duration;
    e.DayGroup = group;
    e.Function = function;
    return e;
}

TEST_F(BlockTest, NumbersAreSeparateWritesEndedByCarriageReturn) {
    w.Word(" rzz");
    w.Number(0);
    w.Number(-5);
    w.Number(4294967295LL);
    EXPECT_EQ(writes, (Writes{" rzz", "0\r", "-5\r", "4294967295\r"}));
}

TEST_F(BlockTest, EraseEndOfDayAndEndOfSwitchTimesRecords) {
    WriteEraseRecord(w);
    EXPECT_EQ(writes, (Writes{" rfs", "0\r", "1\r", "1\r", "0\r", "24\r", "0\r", "40\r", "1\r",
                              "0\r", "67\r"}));
    writes.clear();
    WriteEndOfDayRecord(w);
    EXPECT_EQ(writes, (Writes{" rfs", "255\r", "0\r", "0\r", "0\r", "0\r", "0\r", "0\r", "0\r",
                              "0\r", "255\r"}));
    writes.clear();
    WriteEndOfSwitchTimesRecord(w);
    EXPECT_EQ(writes, (Writes{" rfs", "8\r", "0\r", "0\r", "0\r", "0\r", "0\r", "0\r", "0\r", "0\r",
                              "8\r"}));
}

TEST_F(BlockTest, SwitchTimeChecksumIsReducedBelow256) {
    // Sunday, motor 32, slot 8, down, 23:59, run time 126, single day, random.
    WriteSwitchTime(w, 7, 32, 8, Entry(1440, kDown, 126, 1, 2));
    EXPECT_EQ(writes, (Writes{" rfs", "7\r", "32\r", "8\r", "0\r", "23\r", "59\r", "126\r", "1\r",
                              "2\r", "2\r"}));
    EXPECT_EQ(SwitchTimeChecksum(255), 255);
    EXPECT_EQ(SwitchTimeChecksum(256), 0);
    EXPECT_EQ(SwitchTimeChecksum(258), 2);
    EXPECT_EQ(SwitchTimeChecksum(511), 255);
    EXPECT_EQ(SwitchTimeChecksum(512), 0);
    EXPECT_EQ(SwitchTimeChecksum(767), 255);
}

TEST_F(BlockTest, SwitchTimeAtMidnightGoesUpAsHourZero) {
    WriteSwitchTime(w, 1, 1, 1, Entry(1, kUp, 0, 1, 0));
    EXPECT_EQ(writes, (Writes{" rfs", "1\r", "1\r", "1\r", "1\r", "0\r", "0\r", "0\r", "1\r", "0\r",
                              "5\r"}));
}

TEST_F(BlockTest, DayGroupEntriesAreWrittenOnceFromTheFirstDayOfTheirGroup) {
    const SwitchTime weekdays = Entry(6 * 60 + 30 + 1, kUp, 39, kDayGroupWeekdays, 0);
    const SwitchTime weekend = Entry(8 * 60 + 1, kDown, 20, kDayGroupWeekend, 1);
    const SwitchTime week = Entry(20 * 60 + 1, kDown, 10, kDayGroupWholeWeek, 0);
    for (int d = 0; d < 5; ++d)
        model.switchTime(d, 0, 0) = weekdays;
    for (int d = 5; d < 7; ++d)
        model.switchTime(d, 1, 2) = weekend;
    for (int d = 0; d < 7; ++d)
        model.switchTime(d, 2, 7) = week;
    model.switchTime(2, 3, 0) = Entry(100, kUp, 1, 3, 0);  // names no days
    model.switchTime(3, 3, 1) = Entry(0, kUp, 1, 1, 0);    // empty slot

    std::vector<int> perDay;
    for (int day = 1; day <= 7; ++day)
        perDay.push_back(WriteSwitchTimesOfDay(w, model.SwitchTimes, day));
    EXPECT_EQ(perDay, (std::vector<int>{2, 0, 0, 0, 0, 1, 0}));

    const Writes expected = {
        // Monday: motor 1 slot 1 (Monday to Friday), motor 3 slot 8 (whole week)
        " rfs", "1\r",   "1\r", "1\r", "1\r", "6\r",  "30\r", "39\r", "5\r", "0\r", "84\r",  //
        " rfs", "1\r",   "3\r", "8\r", "0\r", "20\r", "0\r",  "10\r", "7\r", "0\r", "49\r",  //
        " rfs", "255\r", "0\r", "0\r", "0\r", "0\r",  "0\r",  "0\r",  "0\r", "0\r", "255\r"};
    ASSERT_GE(writes.size(), expected.size());
    EXPECT_EQ(Writes(writes.begin(), writes.begin() + 33), expected);
    // Saturday: motor 2 slot 3 (Saturday and Sunday), after four empty days.
    const Writes saturday = {" rfs", "6\r",  "2\r", "3\r", "0\r", "8\r",
                             "0\r",  "20\r", "2\r", "1\r", "42\r"};
    EXPECT_EQ(Writes(writes.begin() + 33 + 4 * 11, writes.begin() + 33 + 5 * 11), saturday);
    EXPECT_EQ(writes.size(), 33u + 4 * 11 + 22 + 11);
}

TEST_F(BlockTest, SwitchTimesAreWrittenInMotorThenSlotOrderWhateverTheirFlags) {
    model.ClearAllModified();
    model.switchTime(0, 4, 1) = Entry(61, kUp, 1, 1, 0);
    model.switchTime(0, 4, 1).Modified = false;
    model.switchTime(0, 1, 6) = Entry(62, kUp, 1, 1, 0);
    WriteSwitchTimesOfDay(w, model.SwitchTimes, 1);
    ASSERT_EQ(writes.size(), 33u);
    EXPECT_EQ(writes[2], "2\r");   // motor 2 first
    EXPECT_EQ(writes[3], "7\r");   // slot 7
    EXPECT_EQ(writes[13], "5\r");  // then motor 5
    EXPECT_EQ(writes[14], "2\r");
}

TEST_F(BlockTest, MotorNamesArePaddedOrCutToTwelveCharactersAndSentTwice) {
    WriteMotorName(w, 7, "Wohnzimmer");
    EXPECT_EQ(writes, (Writes{" rmn", "7\r", "Wohnzimmer  \r", "Wohnzimmer  \r"}));
    EXPECT_EQ(MotorNameWireText("Schlafzimmer Ost"), "Schlafzimmer");
    EXPECT_EQ(MotorNameWireText(""), std::string(12, ' '));
    EXPECT_EQ(MotorNameWireText("exakt12Zeich"), "exakt12Zeich");
}

TEST_F(BlockTest, UmlautsCountAsOneCharacterAndTravelAsOneByte) {
    EXPECT_EQ(MotorNameWireText("Küche Süd"),
              "K\xFC"
              "che S\xFC"
              "d   ");
    // Twelve characters of which four are umlauts: cut after the twelfth.
    EXPECT_EQ(MotorNameWireText("ÄÖÜßäöüabcdefgh"),
              "\xC4\xD6\xDC\xDF\xE4\xF6\xFC"
              "abcde");
    EXPECT_EQ(MotorNameWireText("Bad € 2").size(), 12u);
    EXPECT_EQ(MotorNameWireText("Bad € 2")[4], '\x80');
    // Without a Windows-1252 byte: one question mark, still one position.
    EXPECT_EQ(MotorNameWireText("Ωmega"), "?mega       ");
}

TEST_F(BlockTest, ControlCharactersInANameBecomeBlanks) {
    EXPECT_EQ(MotorNameWireText("Flur\r 1\nOG\t"), "Flur  1 OG  ");
    EXPECT_EQ(MotorNameWireText(std::string("A\0B", 3)), "A B         ");
}

TEST_F(BlockTest, HolidayCarriesItsSum) {
    WriteHoliday(w, 15, Holiday{24, 12});
    EXPECT_EQ(writes, (Writes{" rft", "15\r", "24\r", "12\r", "51\r"}));
}

TEST_F(BlockTest, GroupMasksAreUnsignedDecimalsFollowedBy22) {
    model.SetGroupMotorMask(1, 0xFFFFFFFFu);
    model.SetGroupMotorMask(2, 0x80000001u);
    model.SetGroupMotorMask(4, 0x00000100u);
    WriteGroupBlock(w, model);
    EXPECT_EQ(writes, (Writes{" rgz", "4294967295\r", "2147483649\r", "0\r", "256\r", "22\r"}));
}

TEST_F(BlockTest, AlarmMasksHoldTheUpAndTheDownMotors) {
    model.alarmPattern(1) = kAlarmUp;
    model.alarmPattern(2) = kAlarmDown;
    model.alarmPattern(3) = kAlarmDown;
    model.alarmPattern(32) = kAlarmUp;
    WriteAlarmBlock(w, model);
    EXPECT_EQ(writes, (Writes{" ras", "2147483649\r", "6\r", "22\r"}));
}

TEST_F(BlockTest, SingleParametersAreWrittenTwice) {
    GeneralParameters p;
    p.OutsideTempOffsetCode = 0;
    p.InsideTempOffsetCode = 10;
    p.HeatingHysteresisCode = 8;
    p.WindDelayCode = 20;
    p.ShadingHysteresisCode = 8;
    p.SoftGzsActive = true;
    p.RandomSpanCode = 252;
    EXPECT_EQ(OutsideTempOffsetNumber(p), 95);
    EXPECT_EQ(InsideTempOffsetNumber(p), 105);
    EXPECT_EQ(HeatingHysteresisNumber(p), 9);
    EXPECT_EQ(WindDelayNumber(p), 20);
    EXPECT_EQ(ShadingHysteresisNumber(p), 138);
    EXPECT_EQ(RandomSpanNumber(p), 254);
    p.SoftGzsActive = false;
    EXPECT_EQ(ShadingHysteresisNumber(p), 10);
    WriteSingleParameter(w, kWordShadingHysteresis, ShadingHysteresisNumber(p));
    EXPECT_EQ(writes, (Writes{" rbh", "10\r", "10\r"}));
}

// Writes one per-motor record the way the step machine does.
Writes Record(std::string_view word, const RecordNumbers& n) {
    Writes out;
    WireWrite rec = [&](std::string_view b) { out.emplace_back(b); };
    WireWriter w(rec);
    w.Word(word);
    w.NumbersWithSum(n.values.data(), n.count);
    return out;
}

TEST(PerMotorRecordTest, DefaultRecordsOfMotor32) {
    const ConfigurationModel m;
    EXPECT_EQ(Record(kWordShading, ShadingNumbers(32, m.shading(32))),
              (Writes{" rbp", "32\r", "0\r", "122\r", "10\r", "20\r", "186\r", "10\r", "380\r"}));
    EXPECT_EQ(Record(kWordTwilightMorning, TwilightMorningNumbers(32, m.twilightMorning(32))),
              (Writes{" rdm", "32\r", "0\r", "8\r", "29\r", "40\r", "109\r"}));
    EXPECT_EQ(Record(kWordTwilightEvening, TwilightEveningNumbers(32, m.twilightEvening(32))),
              (Writes{" rda", "32\r", "0\r", "19\r", "29\r", "40\r", "120\r"}));
    EXPECT_EQ(Record(kWordWind, WindNumbers(32, m.wind(32))),
              (Writes{" rwp", "32\r", "0\r", "30\r", "62\r"}));
    EXPECT_EQ(Record(kWordRain, RainNumbers(32, m.rain(32))),
              (Writes{" rrp", "32\r", "0\r", "1\r", "33\r"}));
    EXPECT_EQ(Record(kWordReverse, ReverseNumbers(32, m.reverse(32))),
              (Writes{" rjp", "32\r", "0\r", "4\r", "6\r", "42\r"}));
    EXPECT_EQ(Record(kWordTouch, TouchNumbers(32, m.touch(32), false)),
              (Writes{" rta ", "32\r", "0\r", "22\r", "54\r"}));
    EXPECT_EQ(Record(kWordProportionalTemp, ProportionalTempNumbers(32, m.proportionalTemp(32))),
              (Writes{" rpp", "32\r", "0\r", "10\r", "22\r", "123\r", "1\r", "3\r", "40\r", "6\r",
                      "237\r"}));
    EXPECT_EQ(Record(kWordInsideTemp, InsideTempNumbers(32, m.insideTemp(32))),
              (Writes{" rip", "32\r", "0\r", "1\r", "122\r", "1\r", "120\r", "40\r", "8\r", "21\r",
                      "345\r"}));
    EXPECT_EQ(Record(kWordHeating, HeatingNumbers(32, m.heating(32))),
              (Writes{" rhp", "32\r", "0\r", "1\r", "1\r", "170\r", "140\r", "344\r"}));
    EXPECT_EQ(
        Record(kWordHumidity, HumidityNumbers(32, m.humidity(32))),
        (Writes{" rfp", "32\r", "0\r", "1\r", "76\r", "66\r", "40\r", "8\r", "21\r", "244\r"}));
    EXPECT_EQ(Record(kWordOutsideTemp, OutsideTempNumbers(32, m.outsideTemp(32))),
              (Writes{" rap", "32\r", "0\r", "102\r", "0\r", "105\r", "40\r", "279\r"}));
}

TEST(PerMotorRecordTest, OnAndTheTwoValuedFieldsAreInvertedOnTheWire) {
    ShadingSettings s;
    s.Off = kOn;
    s.TemperatureCode = 32;
    s.FromCode = 3;
    s.ToCode = 14;
    s.BrightnessCode = 3;
    s.DurationCode = 9;
    // The same numbers a read-all receives for motor 3: 3, 1, 122, 8, 19, 40, 10 and 203.
    EXPECT_EQ(Record(kWordShading, ShadingNumbers(3, s)),
              (Writes{" rbp", "3\r", "1\r", "122\r", "8\r", "19\r", "40\r", "10\r", "203\r"}));
    RainSettings r;
    r.Off = 7;  // any non-zero value is off
    r.Direction = kDown;
    EXPECT_EQ(RainNumbers(1, r).values[1], 0);
    EXPECT_EQ(RainNumbers(1, r).values[2], 0);
    HeatingSettings h;
    h.DayNight = kNight;
    h.Mode = kCooling;
    EXPECT_EQ(HeatingNumbers(1, h).values[2], 0);
    EXPECT_EQ(HeatingNumbers(1, h).values[3], 0);
    InsideTempSettings i;
    i.Comparison = kBelowThreshold;
    i.Direction = kDown;
    EXPECT_EQ(InsideTempNumbers(1, i).values[2], 0);
    EXPECT_EQ(InsideTempNumbers(1, i).values[4], 0);
}

TEST(PerMotorRecordTest, OutsideTemperatureDirectionKeepsDeactivated) {
    OutsideTempSettings o;
    o.Direction = kUp;
    EXPECT_EQ(OutsideTempNumbers(1, o).values[3], 1);
    o.Direction = kDown;
    EXPECT_EQ(OutsideTempNumbers(1, o).values[3], 0);
    o.Direction = kDeactivated;
    EXPECT_EQ(OutsideTempNumbers(1, o).values[3], 2);
}

TEST(PerMotorRecordTest, TouchRunTimeOnARadioVariantIsOffsetBy48) {
    TouchSettings t;
    t.Off = kOn;
    t.DurationCode = 0;
    EXPECT_EQ(Record(kWordTouch, TouchNumbers(9, t, true)),
              (Writes{" rta ", "9\r", "1\r", "49\r", "59\r"}));
}

TEST(PerMotorRecordTest, ExtremeCodesDoNotOverflow) {
    ShadingSettings s;
    s.TemperatureCode = 2147483647;
    EXPECT_EQ(ShadingNumbers(1, s).values[2], 2147483737LL);
    WindSettings wind;
    wind.SpeedCode = 2147483647;
    EXPECT_EQ(WindNumbers(1, wind).values[2], 10737418240LL);
}

}  // namespace
}  // namespace veltrano
