#include "model/configuration_model.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "model/value_scales.h"

namespace veltrano {
namespace {

// Motors whose records the default checks look at: the ends and one between.
constexpr int kSampleMotors[] = {1, 8, 9, 32};

TEST(ModelDefaults, ShadingAndTwilight) {
    const ConfigurationModel model;
    for (int motor : kSampleMotors) {
        const ShadingSettings& s = model.shading(motor);
        EXPECT_EQ(s.Off, 1);
        EXPECT_EQ(s.TemperatureCode, 32);
        EXPECT_EQ(ItemText(ShadingTemperatureItems(), s.TemperatureCode), "22");
        EXPECT_EQ(s.FromCode, 5);
        EXPECT_EQ(ItemText(ShadingHourItems(), s.FromCode), "10:00");
        EXPECT_EQ(s.ToCode, 15);
        EXPECT_EQ(ItemText(ShadingHourItems(), s.ToCode), "20:00");
        EXPECT_EQ(s.BrightnessCode, 149);
        EXPECT_EQ(s.DurationCode, 9);
        EXPECT_EQ(ItemText(RunTimeItems(), s.DurationCode), "10s");
        EXPECT_TRUE(s.Modified);

        const TwilightMorningSettings& m = model.twilightMorning(motor);
        EXPECT_EQ(m.Off, 1);
        EXPECT_EQ(m.FromCode, 5);
        EXPECT_EQ(ItemText(MorningHourItems(), m.FromCode), "08:00");
        EXPECT_EQ(m.BrightnessCode, 28);
        EXPECT_EQ(ItemText(BrightnessItems(), m.BrightnessCode), "200 ");
        EXPECT_EQ(m.DurationCode, 39);
        EXPECT_EQ(ItemText(RunTimeOrContinuousItems(), m.DurationCode), "40s");
        EXPECT_TRUE(m.Modified);

        const TwilightEveningSettings& e = model.twilightEvening(motor);
        EXPECT_EQ(e.Off, 1);
        EXPECT_EQ(e.FromCode, 5);
        EXPECT_EQ(ItemText(EveningHourItems(), e.FromCode), "19:00");
        EXPECT_EQ(e.BrightnessCode, 28);
        EXPECT_EQ(e.DurationCode, 39);
        EXPECT_TRUE(e.Modified);
    }
}

TEST(ModelDefaults, WindRainReverseTouch) {
    const ConfigurationModel model;
    for (int motor : kSampleMotors) {
        EXPECT_EQ(model.wind(motor).Off, 1);
        EXPECT_EQ(model.wind(motor).SpeedCode, 5);
        EXPECT_EQ(ItemText(WindSpeedItems(), model.wind(motor).SpeedCode), "30");
        EXPECT_TRUE(model.wind(motor).Modified);

        EXPECT_EQ(model.rain(motor).Off, 1);
        EXPECT_EQ(model.rain(motor).Direction, 0);
        EXPECT_TRUE(model.rain(motor).Modified);

        EXPECT_EQ(model.reverse(motor).Off, 1);
        EXPECT_EQ(model.reverse(motor).AtUp, 4);
        EXPECT_EQ(ItemText(ReverseTimeItems(), model.reverse(motor).AtUp), "0,4");
        EXPECT_EQ(model.reverse(motor).AtDown, 6);
        EXPECT_EQ(ItemText(ReverseTimeItems(), model.reverse(motor).AtDown), "0,6");
        EXPECT_TRUE(model.reverse(motor).Modified);

        EXPECT_EQ(model.touch(motor).Off, 1);
        EXPECT_EQ(model.touch(motor).DurationCode, 21);
        EXPECT_TRUE(model.touch(motor).Modified);
    }
}

TEST(ModelDefaults, TemperatureHeatingHumidity) {
    const ConfigurationModel model;
    for (int motor : kSampleMotors) {
        const ProportionalTempSettings& p = model.proportionalTemp(motor);
        EXPECT_EQ(p.Off, 1);
        EXPECT_EQ(p.From, 10);
        EXPECT_EQ(p.To, 22);
        EXPECT_EQ(p.SetpointCode, 22);
        EXPECT_EQ(ItemText(SetpointTemperatureItems(), p.SetpointCode), "23°");
        EXPECT_EQ(p.Direction, 0);
        EXPECT_EQ(p.ControlRangeCode, 2);
        EXPECT_EQ(ItemText(ControlRangeItems(), p.ControlRangeCode), "3°");
        EXPECT_EQ(p.MaxTravelCode, 39);
        EXPECT_EQ(p.StepsCode, 4);
        EXPECT_EQ(ItemText(StepsItems(), p.StepsCode), "6");
        EXPECT_TRUE(p.Modified);

        const InsideTempSettings& i = model.insideTemp(motor);
        EXPECT_EQ(i.Off, 1);
        EXPECT_EQ(i.Comparison, 0);
        EXPECT_EQ(i.Threshold1Code, 31);
        EXPECT_EQ(ItemText(ThresholdTemperatureItems(), i.Threshold1Code), "22°");
        EXPECT_EQ(i.Direction, 0);
        EXPECT_EQ(i.Threshold2Code, 29);
        EXPECT_EQ(ItemText(ThresholdTemperatureItems(), i.Threshold2Code), "20°");
        EXPECT_EQ(i.DurationCode, 39);
        EXPECT_EQ(i.From, 8);
        EXPECT_EQ(i.To, 21);
        EXPECT_TRUE(i.Modified);

        const HeatingSettings& h = model.heating(motor);
        EXPECT_EQ(h.Off, 1);
        EXPECT_EQ(h.DayNight, 0);
        EXPECT_EQ(h.Mode, 0);
        EXPECT_EQ(h.DayTempCode, 170);
        EXPECT_EQ(ItemText(HeatingTemperatureItems(), h.DayTempCode), "21,0°C");
        EXPECT_EQ(h.NightTempCode, 140);
        EXPECT_EQ(ItemText(HeatingTemperatureItems(), h.NightTempCode), "18,0°C");
        EXPECT_TRUE(h.Modified);

        const HumiditySettings& f = model.humidity(motor);
        EXPECT_EQ(f.Off, 1);
        EXPECT_EQ(f.Comparison, 0);
        EXPECT_EQ(f.Threshold1Code, 75);
        EXPECT_EQ(ItemText(HumidityItems(), f.Threshold1Code), "76%");
        EXPECT_EQ(f.Threshold2Code, 65);
        EXPECT_EQ(ItemText(HumidityItems(), f.Threshold2Code), "66%");
        EXPECT_EQ(f.DurationCode, 39);
        EXPECT_EQ(f.From, 8);
        EXPECT_EQ(f.To, 21);
        EXPECT_TRUE(f.Modified);

        const OutsideTempSettings& o = model.outsideTemp(motor);
        EXPECT_EQ(o.Off, 1);
        EXPECT_EQ(o.Threshold1Code, 11);
        EXPECT_EQ(ItemText(ThresholdTemperatureItems(), o.Threshold1Code), "2°");
        EXPECT_EQ(o.Direction, 1);
        EXPECT_EQ(o.Threshold2Code, 14);
        EXPECT_EQ(ItemText(ThresholdTemperatureItems(), o.Threshold2Code), "5°");
        EXPECT_EQ(o.DurationCode, 39);
        EXPECT_TRUE(o.Modified);
    }
}

TEST(ModelDefaults, NamesPatternsParametersGroupsHolidays) {
    const ConfigurationModel model;
    EXPECT_EQ(model.motorName(1), "Motor 1");
    EXPECT_EQ(model.motorName(9), "Motor 9");
    EXPECT_EQ(model.motorName(32), "Motor 32");
    for (int motor = 1; motor <= 32; ++motor) {
        EXPECT_EQ(model.alarmPattern(motor), 1);
        EXPECT_EQ(model.manualState(motor), 1);
    }
    const GeneralParameters& p = model.Parameters;
    EXPECT_EQ(p.RandomSpanCode, 28);
    EXPECT_EQ(ItemText(RandomSpanItems(), p.RandomSpanCode), "± 30 min");
    EXPECT_EQ(p.ShadingHysteresisCode, 8);
    EXPECT_EQ(ItemText(ShadingHysteresisItems(), p.ShadingHysteresisCode), "10");
    EXPECT_EQ(p.OutsideTempOffsetCode, 5);
    EXPECT_EQ(ItemText(TemperatureOffsetItems(), p.OutsideTempOffsetCode), "0 °C");
    EXPECT_EQ(p.InsideTempOffsetCode, 5);
    EXPECT_EQ(p.ReservedParameterCode, 0);
    EXPECT_EQ(p.HeatingHysteresisCode, 2);
    EXPECT_EQ(ItemText(HeatingHysteresisItems(), p.HeatingHysteresisCode), "± 0,3 °C");
    EXPECT_EQ(p.WindDelayCode, 0);
    EXPECT_FALSE(p.SoftGzsActive);
    for (int group = 1; group <= 4; ++group)
        EXPECT_EQ(model.GroupMotorMask(group), 0u);
    for (int number = 1; number <= 15; ++number) {
        EXPECT_EQ(model.holiday(number).Day, 1);
        EXPECT_EQ(model.holiday(number).Month, 1);
        EXPECT_EQ(HolidayFieldText(model.holiday(number)), "       01.01.");
    }
}

TEST(ModelDefaults, FreshModelShowsAllMemoryFree) {
    const ConfigurationModel model;
    EXPECT_EQ(model.FreeSwitchTimeMemory().panelText, "Freier Schaltzeiten-Speicher: 100%");
    EXPECT_FALSE(model.FreeSwitchTimeMemory().insufficient);
}

// Puts a value other than its default into every field the operations touch.
ConfigurationModel EditedModel() {
    ConfigurationModel model;
    for (SwitchTime& entry : model.SwitchTimes) {
        entry = {1, 500, 7, 5, 2, false};
    }
    model.motorName(3) = "Küche";
    model.shading(3) = {0, 1, 2, 3, 4, 5, false};
    model.twilightMorning(4).FromCode = 8;
    model.twilightEvening(5).BrightnessCode = 224;
    model.wind(6).SpeedCode = 18;
    model.rain(7).Direction = 1;
    model.reverse(8).AtUp = 40;
    model.touch(9).DurationCode = 86;
    model.proportionalTemp(10).StepsCode = 7;
    model.insideTemp(11).Comparison = 1;
    model.heating(12).Mode = 1;
    model.humidity(13).To = 23;
    model.outsideTemp(32).Direction = 2;
    for (int motor = 1; motor <= 32; ++motor) {
        model.alarmPattern(motor) = 2;
        model.manualState(motor) = 0;
    }
    model.Parameters = {200, 48, 0, 10, 3, 8, 20, true};
    model.SetGroupMotorMask(2, 0xDEADBEEF);
    model.holiday(15) = {24, 12};
    return model;
}

TEST(ResetToDefaults, RestoresStartValuesButKeepsSwitchTimeDirections) {
    ConfigurationModel model = EditedModel();
    model.ClearAllModified();
    model.ResetToDefaults();

    ConfigurationModel expected;
    for (SwitchTime& entry : expected.SwitchTimes)
        entry.Direction = 1;
    EXPECT_EQ(model, expected);
    EXPECT_EQ(model.switchTime(6, 31, 7).Direction, 1);
    EXPECT_TRUE(model.switchTime(6, 31, 7).Modified);
    EXPECT_TRUE(model.outsideTemp(32).Modified);
    EXPECT_EQ(model.motorName(3), "Motor 3");
}

TEST(ResetToDefaults, FreshModelEqualsResetModelWithDirectionsUp) {
    ConfigurationModel model = EditedModel();
    for (SwitchTime& entry : model.SwitchTimes)
        entry.Direction = 0;
    model.ResetToDefaults();
    EXPECT_EQ(model, ConfigurationModel{});
}

TEST(ClearSwitchTimes, ZeroesOnlyTheTable) {
    ConfigurationModel model = EditedModel();
    ConfigurationModel before = model;
    model.MarkAllModified();
    model.ClearSwitchTimes();
    for (const SwitchTime& entry : model.SwitchTimes) {
        EXPECT_EQ(entry, (SwitchTime{0, 0, 0, 1, 0, false}));
    }
    // Everything else as it was (the records were only marked modified).
    before.SwitchTimes = model.SwitchTimes;
    before.MarkAllModified();
    for (SwitchTime& entry : before.SwitchTimes)
        entry.Modified = false;
    EXPECT_EQ(model, before);
}

TEST(ResetSwitchTimesForRead, EmptiesTheTableWithRunTime39AndMarksIt) {
    ConfigurationModel model = EditedModel();
    model.ResetSwitchTimesForRead();
    for (const SwitchTime& entry : model.SwitchTimes) {
        EXPECT_EQ(entry, (SwitchTime{0, 0, 39, 1, 0, true}));
    }
    EXPECT_EQ(model.shading(3), (ShadingSettings{0, 1, 2, 3, 4, 5, false}));
    EXPECT_EQ(model.motorName(3), "Küche");
}

TEST(ModifiedFlags, MarkAndClearReachEveryRecordAndEntry) {
    ConfigurationModel model = EditedModel();
    model.MarkAllModified();
    auto allFlags = [&](bool expected) {
        for (const SwitchTime& entry : model.SwitchTimes)
            ASSERT_EQ(entry.Modified, expected);
        for (int motor = 1; motor <= 32; ++motor) {
            ASSERT_EQ(model.shading(motor).Modified, expected) << motor;
            ASSERT_EQ(model.twilightMorning(motor).Modified, expected) << motor;
            ASSERT_EQ(model.twilightEvening(motor).Modified, expected) << motor;
            ASSERT_EQ(model.wind(motor).Modified, expected) << motor;
            ASSERT_EQ(model.rain(motor).Modified, expected) << motor;
            ASSERT_EQ(model.reverse(motor).Modified, expected) << motor;
            ASSERT_EQ(model.touch(motor).Modified, expected) << motor;
            ASSERT_EQ(model.proportionalTemp(motor).Modified, expected) << motor;
            ASSERT_EQ(model.insideTemp(motor).Modified, expected) << motor;
            ASSERT_EQ(model.heating(motor).Modified, expected) << motor;
            ASSERT_EQ(model.humidity(motor).Modified, expected) << motor;
            ASSERT_EQ(model.outsideTemp(motor).Modified, expected) << motor;
        }
    };
    allFlags(true);
    model.ClearAllModified();
    allFlags(false);
    model.MarkAllModified();
    allFlags(true);
}

TEST(ModifiedFlags, LeaveTheValuesAlone) {
    ConfigurationModel model = EditedModel();
    const ConfigurationModel before = model;
    model.ClearAllModified();
    model.MarkAllModified();
    EXPECT_EQ(model.shading(3).TemperatureCode, 1);
    EXPECT_EQ(model.outsideTemp(32).Direction, 2);
    EXPECT_EQ(model.switchTime(0, 0, 0).TimeCode, 500);
    EXPECT_EQ(model.Parameters, before.Parameters);
    EXPECT_EQ(model.GroupMasks, before.GroupMasks);
}

TEST(GroupMasks, BankOneIsTheLowestByte) {
    ConfigurationModel model;
    model.groupMask(1, 2) = 0x01;  // motor 1
    model.groupMask(2, 2) = 0x80;  // motor 16
    model.groupMask(4, 2) = 0x80;  // motor 32
    EXPECT_EQ(model.GroupMotorMask(2), 0x80008001u);
    EXPECT_EQ(model.GroupMotorMask(1), 0u);
    EXPECT_EQ(model.GroupMasks[3][1], 0x80);
}

TEST(GroupMasks, SetAndGetAreInverse) {
    ConfigurationModel model;
    model.SetGroupMotorMask(3, 0x12345678u);
    EXPECT_EQ(model.groupMask(1, 3), 0x78);
    EXPECT_EQ(model.groupMask(2, 3), 0x56);
    EXPECT_EQ(model.groupMask(3, 3), 0x34);
    EXPECT_EQ(model.groupMask(4, 3), 0x12);
    EXPECT_EQ(model.GroupMotorMask(3), 0x12345678u);
    model.SetGroupMotorMask(4, 0xFFFFFFFFu);
    EXPECT_EQ(model.GroupMotorMask(4), 0xFFFFFFFFu);
    // Other groups untouched.
    EXPECT_EQ(model.GroupMotorMask(1), 0u);
    EXPECT_EQ(model.GroupMotorMask(2), 0u);
}

TEST(GroupMasks, RejectGroupsAndBanksOutsideOneToFour) {
    ConfigurationModel model;
    EXPECT_THROW(model.GroupMotorMask(0), std::out_of_range);
    EXPECT_THROW(model.GroupMotorMask(5), std::out_of_range);
    EXPECT_THROW(model.SetGroupMotorMask(5, 1), std::out_of_range);
    EXPECT_THROW(model.groupMask(0, 1), std::out_of_range);
    EXPECT_THROW(model.groupMask(1, 5), std::out_of_range);
}

TEST(MotorAccessors, MotorNumbersAreOneBasedAndRowsZeroBased) {
    ConfigurationModel model;
    model.shading(1).TemperatureCode = 7;
    model.shading(32).TemperatureCode = 9;
    EXPECT_EQ(model.Shading.row(0).TemperatureCode, 7);
    EXPECT_EQ(model.Shading.row(31).TemperatureCode, 9);
    EXPECT_EQ(model.Shading.begin()->TemperatureCode, 7);
    EXPECT_THROW(model.shading(0), std::out_of_range);
    EXPECT_THROW(model.shading(33), std::out_of_range);
    EXPECT_THROW(model.Shading.row(32), std::out_of_range);
    EXPECT_THROW(model.Shading.row(-1), std::out_of_range);
    EXPECT_THROW(model.motorName(0), std::out_of_range);
    EXPECT_THROW(model.alarmPattern(33), std::out_of_range);
    EXPECT_THROW(model.holiday(0), std::out_of_range);
    EXPECT_THROW(model.holiday(16), std::out_of_range);
    EXPECT_THROW(model.switchTime(7, 0, 0), std::out_of_range);
}

TEST(ConfigurationModel, IsAValue) {
    ConfigurationModel original;
    ConfigurationModel copy = original;
    copy.shading(5).Off = 0;
    copy.switchTime(1, 2, 3).TimeCode = 100;
    EXPECT_EQ(original.shading(5).Off, 1);
    EXPECT_EQ(original.switchTime(1, 2, 3).TimeCode, 0);
    EXPECT_NE(original, copy);
    original = copy;
    EXPECT_EQ(original, copy);
}

TEST(HolidayFieldText, SevenBlanksAndTwoDigitFields) {
    EXPECT_EQ(HolidayFieldText({24, 12}), "       24.12.");
    EXPECT_EQ(HolidayFieldText({1, 1}), "       01.01.");
    EXPECT_EQ(HolidayFieldText({9, 10}), "       09.10.");
}

}  // namespace
}  // namespace veltrano
