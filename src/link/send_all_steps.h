// The step table of "PC --> Steuerung": the numbers of the steps (fixed, the
// user sees them in error reports), their captions, and which step follows
// which for a given Controller.
#pragma once

#include <string_view>

#include "link/controller_identity.h"

namespace veltrano {

enum SendStepNumber : int {
    kStepSwitchTimes = 0,  // one day per acknowledgement, then the end record
    kStepMotorNames = 1,
    kStepHolidays = 101,
    kStepGroups = 2,
    kStepReverse = 21,
    kStepShading = 3,
    kStepTwilightMorning = 4,
    kStepTwilightEvening = 5,
    kStepWind = 6,
    kStepRain = 7,
    kStepOutsideOffset = 8,
    kStepWindDelay = 1001,
    kStepAlarm = 10,
    kStepProportionalTemp = 11,
    kStepInsideTemp = 12,
    kStepHeating = 121,
    kStepHeatingHysteresis = 122,
    kStepHumidity = 123,
    kStepOutsideTemp = 13,
    kStepInsideOffset = 15,
    kStepTouch = 16,
    kStepShadingHysteresis = 17,
    kStepRandomSpan = 171,
    kStepCompletion = 18,
};

// The Controller a transfer writes to, fixed when the transfer starts.
struct SendTarget {
    ControllerIdentity identity;
    int firmwareVersion = 0;
};

// Caption of a step in status panel 6 and row 6 of the motor list; empty
// for the switching times (their caption names the day) and the completion.
std::string_view SendStepCaption(int step);

// The step that follows a step other than the switching times and the
// completion. Firmware 7500..7503 has no holiday block and 7500..7512 no
// wind-delay block: those steps are left out, so no step ever repeats.
int NextSendStep(int step, const SendTarget& target);

// Progress units of a step: per motor (names included) when it counts per
// motor, else once.
// The switching times count 27 per entry written; the completion nothing.
int SendStepProgressUnits(int step);
bool SendStepCountsPerMotor(int step);

// Maximum of the progress bar for the family.
int SendProgressMaximum(const ControllerIdentity& identity);

// "Montag    " .. "Sonntag   " (ten characters) for day 1..7.
std::string_view SendDayName(int day);

}  // namespace veltrano
