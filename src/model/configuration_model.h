// The in-memory copy of everything the Controller stores. One instance lives
// in the main window; it is a plain value, so a reader can fill a copy and
// hand it over whole. Every setting is a code (see motor_records.h and
// value_scales.h); the link and the backup file convert codes to their own
// numbers.
//
// A freshly constructed model holds the start values: the same state as
// ResetToDefaults() leaves, with every switching-time direction up.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "free_switch_time_memory.h"
#include "general_parameters.h"
#include "model_codes.h"
#include "motor_records.h"
#include "motor_table.h"
#include "switch_time_table.h"

namespace veltrano {

// "Motor 1" .. "Motor 32".
std::string DefaultMotorName(int motorNumber);

// Group central control: per bank (eight motors) and group one byte whose
// bit n means motor 8 x (bank - 1) + n + 1 belongs to the group.
using GroupMaskTable = std::array<std::array<std::uint8_t, kGroupCount>, kBankCount>;

struct ConfigurationModel {
    ConfigurationModel();

    SwitchTimeTable SwitchTimes;
    MotorTable<std::string> MotorNames;  // UTF-8; free text, any length

    MotorTable<ShadingSettings> Shading;
    MotorTable<TwilightMorningSettings> TwilightMorning;
    MotorTable<TwilightEveningSettings> TwilightEvening;
    MotorTable<WindSettings> Wind;
    MotorTable<RainSettings> Rain;
    MotorTable<ReverseSettings> Reverse;
    MotorTable<TouchSettings> Touch;
    MotorTable<ProportionalTempSettings> ProportionalTemp;
    MotorTable<InsideTempSettings> InsideTemp;
    MotorTable<HeatingSettings> Heating;
    MotorTable<HumiditySettings> Humidity;
    MotorTable<OutsideTempSettings> OutsideTemp;

    MotorTable<std::int32_t> AlarmPatterns;  // kAlarmUp / kAlarmNoAction / kAlarmDown
    // Last reported manual-drive state (kManualUp / kManualOff / kManualDown);
    // never saved or sent.
    MotorTable<std::int32_t> ManualStates;

    GeneralParameters Parameters;
    GroupMaskTable GroupMasks{};                    // [bank - 1][group - 1]
    std::array<Holiday, kHolidayCount> Holidays{};  // [number - 1]

    // 1-based accessors; each throws std::out_of_range for a number outside its range.
    ShadingSettings& shading(int motor) { return Shading.motor(motor); }
    const ShadingSettings& shading(int motor) const { return Shading.motor(motor); }
    TwilightMorningSettings& twilightMorning(int motor) { return TwilightMorning.motor(motor); }
    const TwilightMorningSettings& twilightMorning(int motor) const {
        return TwilightMorning.motor(motor);
    }
    TwilightEveningSettings& twilightEvening(int motor) { return TwilightEvening.motor(motor); }
    const TwilightEveningSettings& twilightEvening(int motor) const {
        return TwilightEvening.motor(motor);
    }
    WindSettings& wind(int motor) { return Wind.motor(motor); }
    const WindSettings& wind(int motor) const { return Wind.motor(motor); }
    RainSettings& rain(int motor) { return Rain.motor(motor); }
    const RainSettings& rain(int motor) const { return Rain.motor(motor); }
    ReverseSettings& reverse(int motor) { return Reverse.motor(motor); }
    const ReverseSettings& reverse(int motor) const { return Reverse.motor(motor); }
    TouchSettings& touch(int motor) { return Touch.motor(motor); }
    const TouchSettings& touch(int motor) const { return Touch.motor(motor); }
    ProportionalTempSettings& proportionalTemp(int motor) { return ProportionalTemp.motor(motor); }
    const ProportionalTempSettings& proportionalTemp(int motor) const {
        return ProportionalTemp.motor(motor);
    }
    InsideTempSettings& insideTemp(int motor) { return InsideTemp.motor(motor); }
    const InsideTempSettings& insideTemp(int motor) const { return InsideTemp.motor(motor); }
    HeatingSettings& heating(int motor) { return Heating.motor(motor); }
    const HeatingSettings& heating(int motor) const { return Heating.motor(motor); }
    HumiditySettings& humidity(int motor) { return Humidity.motor(motor); }
    const HumiditySettings& humidity(int motor) const { return Humidity.motor(motor); }
    OutsideTempSettings& outsideTemp(int motor) { return OutsideTemp.motor(motor); }
    const OutsideTempSettings& outsideTemp(int motor) const { return OutsideTemp.motor(motor); }
    std::string& motorName(int motor) { return MotorNames.motor(motor); }
    const std::string& motorName(int motor) const { return MotorNames.motor(motor); }
    std::int32_t& alarmPattern(int motor) { return AlarmPatterns.motor(motor); }
    std::int32_t alarmPattern(int motor) const { return AlarmPatterns.motor(motor); }
    std::int32_t& manualState(int motor) { return ManualStates.motor(motor); }
    std::int32_t manualState(int motor) const { return ManualStates.motor(motor); }
    Holiday& holiday(int number);  // 1..15
    const Holiday& holiday(int number) const;
    std::uint8_t& groupMask(int bank, int group);  // bank 1..4, group 1..4
    std::uint8_t groupMask(int bank, int group) const;
    // Day, motor and slot zero-based, as EntryIndex.
    SwitchTime& switchTime(int day, int motor, int slot) {
        return SwitchTimes.entry(day, motor, slot);
    }
    const SwitchTime& switchTime(int day, int motor, int slot) const {
        return SwitchTimes.entry(day, motor, slot);
    }

    // Start-up values: every switching time empty with run time 39, day group
    // 1, function normal, modified (its Direction is left as it is); every
    // per-motor record its defaults and modified; default motor names; alarm
    // patterns and manual states 1; general parameters as in their struct;
    // group masks 0; every holiday 1 January.
    void ResetToDefaults();
    // Start of a read-all: every switching time zeroed (run time 0, day
    // group 1) and not modified. Nothing else is touched.
    void ClearSwitchTimes();
    // The Controller opens its switching-time list: every switching time
    // empty, direction up, run time 39, day group 1, function normal, modified.
    void ResetSwitchTimesForRead();
    // Every switching time and every per-motor record to be sent (port change, link loss).
    void MarkAllModified();
    // Every switching time and every per-motor record in step with the Controller.
    void ClearAllModified();

    FreeMemoryFigure FreeSwitchTimeMemory() const;

    // Group 1..4 -> 32-bit motor mask, bit m - 1 = motor m (bank 1 in bits 0..7).
    std::uint32_t GroupMotorMask(int group) const;
    // The inverse: splits the mask into the four bank bytes of the group.
    void SetGroupMotorMask(int group, std::uint32_t mask);

    bool operator==(const ConfigurationModel&) const = default;
};

}  // namespace veltrano
