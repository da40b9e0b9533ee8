// The parameter sheet's rules, free of widgets: its six parameter boxes
// described once, the banks of eight motors, the group bytes as check marks,
// and which holidays a date picker can show.
#pragma once

#include <array>
#include <cstdint>

#include "link/window_hooks.h"
#include "model/general_parameters.h"
#include "model/model_codes.h"
#include "model/value_scales.h"

namespace veltrano {

// One drop-down list of the sheet and the general parameter it edits (its
// caption, items and member).
struct ParameterField {
    ParameterControl control;
    const char* name;         // the combo box
    const char* captionName;  // the label above it
    const char* hint;
    const GeneralParameterField& parameter;
};

// In the order in which entering the sheet sets them: random span, shading
// hysteresis, outside offset, inside offset, heating hysteresis, wind delay.
const std::array<ParameterField, 6>& ParameterFields();
const ParameterField& FieldOf(ParameterControl control);

// The item a code selects; -1 (no item) for a code outside a list of `count`.
int ItemForCode(int code, int count);

// Banks of eight motors: 1 -> 2 -> 3 -> 4 -> 1.
int NextBank(int bank);
// Motor 8 (bank - 1) + position, position 1..8.
int MotorOfBank(int bank, int position);

// Check marks of one group column, box i (1..8) at index i - 1, and the
// group byte they stand for: box i is bit i - 1.
using GroupColumn = std::array<bool, kMotorsPerBank>;
std::uint8_t GroupByte(const GroupColumn& ticked);
GroupColumn GroupTicks(std::uint8_t byte);

// Whether leaving the sheet starts the polling timer: never while a transfer
// holds the window (its end starts the timers), and a running timer is not
// restarted, which would postpone the next poll.
bool LeaveStartsPolling(bool windowHeld, bool pollingRunning);

// Whether a day and month is a date of the year (29 February only in leap
// years); a picker shows a holiday only then.
bool IsDateOfYear(int year, int month, int day);

}  // namespace veltrano
