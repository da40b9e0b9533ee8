#include "model/compare.h"

#include <gtest/gtest.h>

#include <functional>

namespace veltrano {
namespace {

constexpr CompareFeatures kEverything{.SunProtectionFamily = false,
                                      .ConservatoryFamily = true,
                                      .TouchAutomationAvailable = true,
                                      .GroupCentralAvailable = true,
                                      .RadioVariant = false};
constexpr CompareFeatures kSun{.SunProtectionFamily = true};
constexpr CompareFeatures kRoller{};
constexpr CompareFeatures kRadio{
    .SunProtectionFamily = true, .TouchAutomationAvailable = true, .RadioVariant = true};

CompareScope Scope(const CompareFeatures& features, int motors = kMotorCount,
                   int slots = kSlotCount) {
    CompareScope scope;
    scope.identity = features;
    scope.motorCount = motors;
    scope.slotCount = slots;
    return scope;
}

constexpr int TimeCode(int hour, int minute) {
    return hour * 60 + minute + 1;
}

// Motor 3 "Küche" with a Monday-to-Friday switching time 06:30 up as its
// second of Monday, a shading temperature of 24 °C, and 24 December as holiday 3.
ConfigurationModel Base() {
    ConfigurationModel model;
    model.motorName(3) = "Küche  ";  // the Controller's trailing blanks
    SwitchTime& entry = model.switchTime(0, 2, 1);
    entry.TimeCode = TimeCode(6, 30);
    entry.DayGroup = kDayGroupWeekdays;
    model.shading(3).TemperatureCode = 34;
    model.holiday(3) = {24, 12};
    return model;
}

struct Case {
    const char* what;
    CompareScope scope;
    std::function<void(ConfigurationModel&)> change;
    const char* group;  // nullptr: left out, no difference
    const char* text;
};

TEST(CompareConfigurations, OneChangeGivesExactlyItsLine) {
    const CompareScope all = Scope(kEverything);
    const CompareScope eight = Scope(kEverything, 8, 4);
    const CompareScope sun = Scope(kSun);
    const Case cases[] = {
        {"motor name", all, [](auto& m) { m.motorName(3) = "Bad"; }, "Motornamen",
         "Motor 3: \"Küche  \" → \"Bad\""},
        {"switching time changed", all,
         [](auto& m) { m.switchTime(0, 2, 1).TimeCode = TimeCode(7, 0); }, "Schaltzeiten",
         "Motor 3 Küche, Montag, Nr. 2: 06:30 ↑ Mo - Fr → 07:00 ↑ Mo - Fr"},
        {"switching time added", all,
         [](auto& m) {
             SwitchTime& e = m.switchTime(1, 2, 0);
             e.TimeCode = TimeCode(8, 0);
             e.Direction = kDown;
             e.DurationCode = 10;
         },
         "Schaltzeiten", "Motor 3 Küche, Dienstag, Nr. 1: leer → 08:00 ↓, Laufzeit 10s"},
        {"switching time removed", all,
         [](auto& m) { m.switchTime(0, 2, 1).TimeCode = kEmptyTimeCode; }, "Schaltzeiten",
         "Motor 3 Küche, Montag, Nr. 2: 06:30 ↑ Mo - Fr, Laufzeit 39s → leer"},
        {"switching time run time and function", all,
         [](auto& m) {
             m.switchTime(0, 2, 1).DurationCode = 126;
             m.switchTime(0, 2, 1).Function = kFunctionAstro;
         },
         "Schaltzeiten",
         "Motor 3 Küche, Montag, Nr. 2: 06:30 ↑ Mo - Fr, Funktion -, Laufzeit 39s → "
         "06:30 ↑ Mo - Fr, Funktion Astro, Laufzeit Dau"},
        {"time code outside the list", all, [](auto& m) { m.switchTime(0, 2, 1).TimeCode = 1500; },
         "Schaltzeiten", "Motor 3 Küche, Montag, Nr. 2: 06:30 ↑ Mo - Fr → 1500 ↑ Mo - Fr"},
        {"an empty slot's other fields", all,
         [](auto& m) { m.switchTime(4, 2, 0).Direction = kDown; }, nullptr, nullptr},
        {"record field with unit", all, [](auto& m) { m.shading(3).TemperatureCode = 36; },
         "Beschattungsautomatik", "Beschattungsautomatik, Motor 3 Küche: Temperatur 24°C → 26°C"},
        {"record code outside its list", all, [](auto& m) { m.shading(3).TemperatureCode = 99; },
         "Beschattungsautomatik", "Beschattungsautomatik, Motor 3 Küche: Temperatur 24°C → 99"},
        {"item with trailing blank", all, [](auto& m) { m.twilightMorning(3).BrightnessCode = 27; },
         "Dämmerungsautomatik Morgen",
         "Dämmerungsautomatik Morgen, Motor 3 Küche: Grenz-Lux-Wert 200 → 100"},
        {"on and off", sun, [](auto& m) { m.wind(3).Off = kOn; }, "Einfahren bei Wind",
         "Einfahren bei Wind, Motor 3 Küche: Ein/Aus AUS → EIN"},
        {"unit after a bare number", all, [](auto& m) { m.wind(3).SpeedCode = 6; },
         "Einfahren bei Wind", "Einfahren bei Wind, Motor 3 Küche: bei v > 30 km/h → 35 km/h"},
        {"three-way direction", all, [](auto& m) { m.outsideTemp(3).Direction = kDeactivated; },
         "Außen-Temperatursteuerung",
         "Außen-Temperatursteuerung, Motor 3 Küche: Auf, Ab, deaktiv ↓ → DEAKTIV"},
        {"touch run time", all, [](auto& m) { m.touch(3).DurationCode = 22; }, "Tast-Automatik",
         "Tast-Automatik, Motor 3 Küche: Aktivierungszeit 22s → 23s"},
        {"touch run time of a radio variant", Scope(kRadio),
         [](auto& m) { m.touch(3).DurationCode = 22; }, "Tast-Automatik",
         "Tast-Automatik, Motor 3 Küche: Aktivierungszeit 56s → 01:00"},
        {"reverse", Scope(kRoller), [](auto& m) { m.reverse(3).AtUp = 10; }, "Reversier-Automatik",
         "Reversier-Automatik, Motor 3 Küche: Rückl. nach AUF 0,4 s → 1,0 s"},
        {"parameter", all, [](auto& m) { m.Parameters.RandomSpanCode = 38; }, "Parameter",
         "Zufalls-Zeitspanne: ± 30 min → ± 40 min"},
        {"alarm pattern", all, [](auto& m) { m.alarmPattern(3) = kAlarmDown; }, "Alarm-Setup",
         "Motor 3 Küche: – → ↓"},
        {"group", all, [](auto& m) { m.SetGroupMotorMask(2, 1u << 2); }, "Gruppen-Zentralsteuerung",
         "Gruppe 2, Motor 3 Küche: nicht enthalten → enthalten"},
        {"Soft-GZS", all, [](auto& m) { m.Parameters.SoftGzsActive = true; }, "Soft-GZS",
         "Soft-GZS aktiv: nein → ja"},
        {"holiday", all, [](auto& m) { m.holiday(3).Day = 25; }, "Feiertage",
         "Feiertag 3: 24.12. → 25.12."},
        // What the Controller does not have, and what is never saved or sent.
        {"motor 9 of eight", eight, [](auto& m) { m.motorName(9) = "Bad"; }, nullptr, nullptr},
        {"slot 5 of four", eight, [](auto& m) { m.switchTime(0, 2, 4).TimeCode = 1; }, nullptr,
         nullptr},
        {"shading of a roller-shutter Controller", Scope(kRoller),
         [](auto& m) { m.shading(3).TemperatureCode = 36; }, nullptr, nullptr},
        {"humidity of a sun-protection Controller", sun, [](auto& m) { m.humidity(3).Off = kOn; },
         nullptr, nullptr},
        {"inside offset of a sun-protection Controller", sun,
         [](auto& m) { m.Parameters.InsideTempOffsetCode = 0; }, nullptr, nullptr},
        {"touch without touch automation", sun, [](auto& m) { m.touch(3).Off = kOn; }, nullptr,
         nullptr},
        {"alarm of a radio variant", Scope(kRadio), [](auto& m) { m.alarmPattern(3) = kAlarmDown; },
         nullptr, nullptr},
        {"reverse not read from the Controller", Scope(CompareFeatures{.ReverseRead = false}),
         [](auto& m) { m.reverse(3).AtUp = 10; }, nullptr, nullptr},
        {"groups without group central control", sun,
         [](auto& m) { m.Parameters.SoftGzsActive = true; }, nullptr, nullptr},
        {"bookkeeping", all,
         [](auto& m) {
             m.ClearAllModified();
             m.manualState(3) = kManualDown;
             m.Parameters.ReservedParameterCode = 7;
         },
         nullptr, nullptr},
    };
    const ConfigurationModel base = Base();
    EXPECT_TRUE(CompareConfigurations(base, base, all).empty());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ConfigurationModel changed = base;
        c.change(changed);
        const std::vector<Difference> found = CompareConfigurations(base, changed, c.scope);
        if (!c.group) {
            EXPECT_TRUE(found.empty()) << found.front().text;
            continue;
        }
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0].group, c.group);
        EXPECT_EQ(found[0].text, c.text);
    }
}

TEST(CompareConfigurations, EightMotorControllerLeavesOutMotorsNineToThirtyTwo) {
    const ConfigurationModel base = Base();
    ConfigurationModel changed = base;
    for (int m = 9; m <= kMotorCount; ++m) {
        changed.motorName(m) = "Raum " + std::to_string(m);
        changed.switchTime(2, m - 1, 0).TimeCode = TimeCode(12, 0);
        changed.shading(m).Off = kOn;
        changed.heating(m).Mode = kCooling;
        changed.alarmPattern(m) = kAlarmUp;
    }
    changed.SetGroupMotorMask(1, 0xFFFFFF00u);
    EXPECT_TRUE(CompareConfigurations(base, changed, Scope(kEverything, 8, 8)).empty());
    // The same changes all count on a 32-motor Controller: 24 motors x 5, 24 group members.
    EXPECT_EQ(CompareConfigurations(base, changed, Scope(kEverything)).size(), 24u * 6);
}

}  // namespace
}  // namespace veltrano
