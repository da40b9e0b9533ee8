#include "configuration_model.h"

#include <stdexcept>

namespace veltrano {

namespace {

// Runs `action` on every record of the twelve per-motor tables.
template <typename Model, typename Action>
void ForEachMotorRecord(Model& model, Action action) {
    auto each = [&](auto& table) {
        for (auto& record : table)
            action(record);
    };
    each(model.Shading);
    each(model.TwilightMorning);
    each(model.TwilightEvening);
    each(model.Wind);
    each(model.Rain);
    each(model.Reverse);
    each(model.Touch);
    each(model.ProportionalTemp);
    each(model.InsideTemp);
    each(model.Heating);
    each(model.Humidity);
    each(model.OutsideTemp);
}

template <typename Table>
void ResetRecords(Table& table) {
    for (auto& record : table)
        record = {};
}

void CheckRange(int value, int last, const char* what) {
    if (value < 1 || value > last)
        throw std::out_of_range(std::string(what) + " " + std::to_string(value) + " outside 1.." +
                                std::to_string(last));
}

}  // namespace

std::string DefaultMotorName(int motorNumber) {
    return "Motor " + std::to_string(motorNumber);
}

ConfigurationModel::ConfigurationModel() {
    ResetToDefaults();
}

void ConfigurationModel::ResetToDefaults() {
    for (SwitchTime& entry : SwitchTimes) {
        entry.TimeCode = kEmptyTimeCode;
        entry.DurationCode = kDefaultSwitchTimeDurationCode;
        entry.DayGroup = kDayGroupSingleDay;
        entry.Function = kFunctionNormal;
        entry.Modified = true;
    }
    for (int motor = 1; motor <= kMotorCount; ++motor)
        MotorNames.motor(motor) = DefaultMotorName(motor);
    ResetRecords(Shading);
    ResetRecords(TwilightMorning);
    ResetRecords(TwilightEvening);
    ResetRecords(Wind);
    ResetRecords(Rain);
    ResetRecords(Reverse);
    ResetRecords(Touch);
    ResetRecords(ProportionalTemp);
    ResetRecords(InsideTemp);
    ResetRecords(Heating);
    ResetRecords(Humidity);
    ResetRecords(OutsideTemp);
    AlarmPatterns.fill(kAlarmNoAction);
    ManualStates.fill(kManualOff);
    Parameters = {};
    for (auto& bank : GroupMasks)
        bank.fill(0);
    Holidays.fill(Holiday{});
}

void ConfigurationModel::ClearSwitchTimes() {
    for (SwitchTime& entry : SwitchTimes) {
        entry = SwitchTime{};
        entry.DurationCode = 0;
        entry.Modified = false;
    }
}

void ConfigurationModel::ResetSwitchTimesForRead() {
    SwitchTimes = SwitchTimeTable{};
}

void ConfigurationModel::MarkAllModified() {
    for (SwitchTime& entry : SwitchTimes)
        entry.Modified = true;
    ForEachMotorRecord(*this, [](auto& record) { record.Modified = true; });
}

void ConfigurationModel::ClearAllModified() {
    for (SwitchTime& entry : SwitchTimes)
        entry.Modified = false;
    ForEachMotorRecord(*this, [](auto& record) { record.Modified = false; });
}

FreeMemoryFigure ConfigurationModel::FreeSwitchTimeMemory() const {
    return veltrano::FreeSwitchTimeMemory(SwitchTimes);
}

Holiday& ConfigurationModel::holiday(int number) {
    CheckRange(number, kHolidayCount, "holiday");
    return Holidays[number - 1];
}

const Holiday& ConfigurationModel::holiday(int number) const {
    CheckRange(number, kHolidayCount, "holiday");
    return Holidays[number - 1];
}

std::uint8_t& ConfigurationModel::groupMask(int bank, int group) {
    CheckRange(bank, kBankCount, "bank");
    CheckRange(group, kGroupCount, "group");
    return GroupMasks[bank - 1][group - 1];
}

std::uint8_t ConfigurationModel::groupMask(int bank, int group) const {
    CheckRange(bank, kBankCount, "bank");
    CheckRange(group, kGroupCount, "group");
    return GroupMasks[bank - 1][group - 1];
}

std::uint32_t ConfigurationModel::GroupMotorMask(int group) const {
    std::uint32_t mask = 0;
    for (int bank = 1; bank <= kBankCount; ++bank)
        mask |= static_cast<std::uint32_t>(groupMask(bank, group)) << (8 * (bank - 1));
    return mask;
}

void ConfigurationModel::SetGroupMotorMask(int group, std::uint32_t mask) {
    CheckRange(group, kGroupCount, "group");
    for (int bank = 1; bank <= kBankCount; ++bank)
        groupMask(bank, group) = static_cast<std::uint8_t>((mask >> (8 * (bank - 1))) & 0xFFu);
}

}  // namespace veltrano
