#include "switch_time_table.h"

#include <stdexcept>
#include <string>

namespace veltrano {

namespace {

int CheckedEntryIndex(int day, int motor, int slot) {
    if (!IsValidEntry(day, motor, slot))
        throw std::out_of_range("switching time day " + std::to_string(day) + ", motor " +
                                std::to_string(motor) + ", slot " + std::to_string(slot) +
                                " outside the table");
    return EntryIndex(day, motor, slot);
}

void CheckIndex(int index) {
    if (index < 0 || index >= kSwitchTimeCount)
        throw std::out_of_range("switching time index " + std::to_string(index) +
                                " outside the table");
}

}  // namespace

SwitchTime& SwitchTimeTable::entry(int day, int motor, int slot) {
    return entries_[CheckedEntryIndex(day, motor, slot)];
}

const SwitchTime& SwitchTimeTable::entry(int day, int motor, int slot) const {
    return entries_[CheckedEntryIndex(day, motor, slot)];
}

SwitchTime& SwitchTimeTable::at(int index) {
    CheckIndex(index);
    return entries_[index];
}

const SwitchTime& SwitchTimeTable::at(int index) const {
    CheckIndex(index);
    return entries_[index];
}

}  // namespace veltrano
