#include "link/send_all_steps.h"

#include <array>

namespace veltrano {
namespace {

// Firmware without the holiday block, and without the wind-delay block.
bool LacksHolidayBlock(int firmware) {
    return firmware >= 7500 && firmware <= 7503;
}
bool LacksWindDelayBlock(int firmware) {
    return firmware >= 7500 && firmware <= 7512;
}

int AfterHolidays(const ControllerIdentity& id) {
    return id.GroupCentralAvailable ? kStepGroups : kStepReverse;
}

struct StepRow {
    int step;
    std::string_view caption;
    int units;  // progress units, per motor where perMotor
    bool perMotor;
};

constexpr std::array<StepRow, 23> kSteps = {{
    {kStepSwitchTimes, {}, 27, false},  // 27 per switching time written
    {kStepMotorNames, "Motor-Namen", 22, true},
    {kStepHolidays, "Feiertage", 5, false},
    {kStepGroups, "GruppenZentralStrg.", 8, false},
    {kStepReverse, "Jalousie-Parameter", 19, true},
    {kStepShading, "Beschattungsparameter", 30, true},
    {kStepTwilightMorning, "Dämmerungssteuerung Morgen", 23, true},
    {kStepTwilightEvening, "Dämmerungssteuerung Abend", 23, true},
    {kStepWind, "Wind-Parameter", 18, true},
    {kStepRain, "Regen-Parameter", 15, true},
    {kStepOutsideOffset, "Offset Außentemperatur", 12, false},
    {kStepWindDelay, "Auslöseverzögerung Wind", 12, false},
    {kStepAlarm, "Alarm-Setup", 11, false},
    {kStepProportionalTemp, "Proportionale Temperatur-Strg.", 37, true},
    {kStepInsideTemp, "Innentemperatur-Strg.", 28, true},
    {kStepHeating, "Heizungs-Steuerung", 18, true},
    {kStepHeatingHysteresis, "Heiz-Hysterese", 8, false},
    {kStepHumidity, "Luftfeuchtigkeit", 20, true},
    {kStepOutsideTemp, "Außentemperatur-Strg.", 28, true},
    {kStepInsideOffset, "Offset Innentemp.", 8, false},
    {kStepTouch, "Tast-Automatik-Parameter", 12, true},
    {kStepShadingHysteresis, "Beschattungs-Hysterese", 10, false},
    {kStepRandomSpan, "Zufalls-Zeitspanne", 10, false},
}};

const StepRow* FindStep(int step) {
    for (const StepRow& row : kSteps) {
        if (row.step == step) return &row;
    }
    return nullptr;
}

}  // namespace

std::string_view SendStepCaption(int step) {
    const StepRow* row = FindStep(step);
    return row ? row->caption : std::string_view();
}

int NextSendStep(int step, const SendTarget& target) {
    const ControllerIdentity& id = target.identity;
    switch (step) {
        case kStepSwitchTimes:
            return kStepMotorNames;
        case kStepMotorNames:
            return LacksHolidayBlock(target.firmwareVersion) ? AfterHolidays(id) : kStepHolidays;
        case kStepHolidays:
            return AfterHolidays(id);
        case kStepGroups:
            return kStepReverse;
        case kStepReverse:
            return id.SunProtectionFamily || id.ConservatoryFamily ? kStepShading : kStepTouch;
        case kStepShading:
            return kStepTwilightMorning;
        case kStepTwilightMorning:
            return kStepTwilightEvening;
        case kStepTwilightEvening:
            return kStepWind;
        case kStepWind:
            return kStepRain;
        case kStepRain:
            return kStepOutsideOffset;
        case kStepOutsideOffset:
            return LacksWindDelayBlock(target.firmwareVersion) ? kStepAlarm : kStepWindDelay;
        case kStepWindDelay:
            return kStepAlarm;
        case kStepAlarm:
            if (id.ConservatoryFamily) return kStepProportionalTemp;
            return id.TouchAutomationAvailable ? kStepTouch : kStepShadingHysteresis;
        case kStepProportionalTemp:
            return kStepInsideTemp;
        case kStepInsideTemp:
            return kStepHeating;
        case kStepHeating:
            return kStepHeatingHysteresis;
        case kStepHeatingHysteresis:
            return kStepHumidity;
        case kStepHumidity:
            return kStepOutsideTemp;
        case kStepOutsideTemp:
            return kStepInsideOffset;
        case kStepInsideOffset:
            return kStepTouch;
        case kStepTouch:
            return kStepShadingHysteresis;
        case kStepShadingHysteresis:
            return kStepRandomSpan;
        default:
            return kStepCompletion;  // the random span, and anything unknown
    }
}

int SendStepProgressUnits(int step) {
    const StepRow* row = FindStep(step);
    return row ? row->units : 0;
}

bool SendStepCountsPerMotor(int step) {
    const StepRow* row = FindStep(step);
    return row && row->perMotor;
}

int SendProgressMaximum(const ControllerIdentity& identity) {
    if (identity.SunProtectionFamily) return 14472;
    if (identity.ConservatoryFamily) return 16006;
    return 5280;
}

std::string_view SendDayName(int day) {
    static constexpr std::array<std::string_view, 7> kNames = {
        "Montag    ", "Dienstag  ", "Mittwoch  ", "Donnerstag",
        "Freitag   ", "Samstag   ", "Sonntag   "};
    if (day < 1 || day > 7) return {};
    return kNames[static_cast<std::size_t>(day - 1)];
}

}  // namespace veltrano
