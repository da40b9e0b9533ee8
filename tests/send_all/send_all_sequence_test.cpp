// The send-all step machine: which blocks go in which order for each kind of
// Controller, byte by byte where it matters, and how it reports and ends.
#include <gtest/gtest.h>

#include "send_all_support.h"

namespace veltrano {
namespace {

using testing::Conservatory;
using testing::RollerShutter;
using testing::SendAllRig;
using testing::SunProtection;
using testing::Writes;
using namespace std::chrono_literals;

const std::string kRow = "   S e n d e  Daten zur Steuerung ...  ";

SwitchTime Entry(int timeCode, int direction, int duration, int group, int function) {
    SwitchTime e;
    e.TimeCode = timeCode;
    e.Direction = direction;
    e.DurationCode = duration;
    e.DayGroup = group;
    e.Function = function;
    return e;
}

Writes Concat(std::initializer_list<Writes> parts) {
    Writes out;
    for (const Writes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

const Writes kEndOfDay = {" rfs", "255\r", "0\r", "0\r", "0\r",  "0\r",
                          "0\r",  "0\r",   "0\r", "0\r", "255\r"};

Writes DefaultNames() {
    Writes w;
    for (int m = 1; m <= 32; ++m) {
        std::string name = "Motor " + std::to_string(m);
        name.resize(12, ' ');
        w.insert(w.end(), {" rmn", std::to_string(m) + "\r", name + "\r", name + "\r"});
    }
    return w;
}

Writes DefaultHolidays() {
    Writes w;
    for (int n = 1; n <= 15; ++n)
        w.insert(w.end(),
                 {" rft", std::to_string(n) + "\r", "1\r", "1\r", std::to_string(n + 2) + "\r"});
    return w;
}

// --- Step order per Controller -------------------------------------------------

TEST(SendAllOrderTest, RollerShutter7014WithoutGroupsOrTouch) {
    SendAllRig rig;
    rig.model.ClearAllModified();
    rig.Target(RollerShutter(), 7014);
    EXPECT_EQ(SendAllRig::Summary(rig.Start()), "rfs:1");
    EXPECT_EQ(rig.RunToEnd(),
              (std::vector<std::string>{"rfs:1", "rfs:1", "rfs:1", "rfs:1", "rfs:1", "rfs:1",
                                        "rfs:1", "rfs:1", "rmn:32", "rft:15", "rjp:1", "rta:1",
                                        "rbh:1", "rzz:1", ""}));
    EXPECT_EQ(rig.ends, (std::vector<SendAllEnd>{SendAllEnd::Completed}));
}

TEST(SendAllOrderTest, SunProtection7514WithGroups) {
    SendAllRig rig;
    rig.model.ClearAllModified();
    rig.Target(SunProtection(true, false), 7514);
    rig.Start();
    const std::vector<std::string> days(8, "rfs:1");
    std::vector<std::string> expected = days;
    for (const char* s : {"rmn:32", "rft:15", "rgz:1", "rjp:1", "rbp:1", "rdm:1", "rda:1", "rwp:1",
                          "rrp:1", "roa:1", "raw:1", "ras:1", "rbh:1", "rzz:1", ""})
        expected.push_back(s);
    EXPECT_EQ(rig.RunToEnd(), expected);

    SendAllRig touch;
    touch.model.ClearAllModified();
    touch.Target(SunProtection(true, true), 7514);
    touch.Start();
    const auto steps = touch.RunToEnd();
    ASSERT_EQ(steps.size(), expected.size() + 1);
    EXPECT_EQ(steps[19], "ras:1");
    EXPECT_EQ(steps[20], "rta:1");
    EXPECT_EQ(steps[21], "rbh:1");
}

TEST(SendAllOrderTest, ConservatoryWithEverything) {
    SendAllRig rig;
    rig.model.ClearAllModified();
    rig.Target(Conservatory(), 7514);
    rig.Start();
    std::vector<std::string> expected(8, "rfs:1");
    for (const char* s : {"rmn:32", "rft:15", "rgz:1", "rjp:1", "rbp:1", "rdm:1", "rda:1", "rwp:1",
                          "rrp:1",  "roa:1",  "raw:1", "ras:1", "rpp:1", "rip:1", "rhp:1", "rhh:1",
                          "rfp:1",  "rap:1",  "roi:1", "rta:1", "rbh:1", "rzz:1", ""})
        expected.push_back(s);
    EXPECT_EQ(rig.RunToEnd(), expected);
}

TEST(SendAllOrderTest, ConservatoryWithoutGroupsStillSendsTouchRecords) {
    SendAllRig rig;
    rig.model.ClearAllModified();
    ControllerIdentity id = Conservatory();
    id.GroupCentralAvailable = false;
    id.TouchAutomationAvailable = false;
    rig.Target(id, 7014);
    rig.Start();
    const auto steps = rig.RunToEnd();
    ASSERT_EQ(steps.size(), 30u);
    EXPECT_EQ(steps[9], "rft:15");
    EXPECT_EQ(steps[10], "rjp:1");
    EXPECT_EQ(steps[26], "rta:1");
}

// --- Byte-exact streams ----------------------------------------------------------

TEST(SendAllWireTest, RollerShutterStreamByteForByte) {
    SendAllRig rig;
    rig.Target(RollerShutter(), 7014);
    ConfigurationModel& m = rig.model;
    for (int d = 0; d < 5; ++d)
        m.switchTime(d, 0, 0) = Entry(391, kUp, 39, kDayGroupWeekdays, 0);  // 06:30 Mon-Fri
    for (int d = 5; d < 7; ++d)
        m.switchTime(d, 1, 2) = Entry(481, kDown, 20, kDayGroupWeekend, 1);  // 08:00 Sat+Sun
    m.switchTime(6, 31, 7) = Entry(1440, kDown, 126, 1, 2);                  // the 258 example
    m.ClearAllModified();

    Writes all = rig.Start();
    while (rig.sequence.Running()) {
        const Writes w = rig.Ack();
        all.insert(all.end(), w.begin(), w.end());
    }

    const Writes expected = Concat({
        {" rfs", "0\r", "1\r", "1\r", "0\r", "24\r", "0\r", "40\r", "1\r", "0\r", "67\r"},
        {" rfs", "1\r", "1\r", "1\r", "1\r", "6\r", "30\r", "39\r", "5\r", "0\r", "84\r"},
        kEndOfDay,
        kEndOfDay,
        kEndOfDay,
        kEndOfDay,
        kEndOfDay,
        {" rfs", "6\r", "2\r", "3\r", "0\r", "8\r", "0\r", "20\r", "2\r", "1\r", "42\r"},
        kEndOfDay,
        {" rfs", "7\r", "32\r", "8\r", "0\r", "23\r", "59\r", "126\r", "1\r", "2\r", "2\r"},
        kEndOfDay,
        {" rfs", "8\r", "0\r", "0\r", "0\r", "0\r", "0\r", "0\r", "0\r", "0\r", "8\r"},
        DefaultNames(),
        DefaultHolidays(),
        {" rjp", "32\r", "0\r", "4\r", "6\r", "42\r"},
        {" rta ", "32\r", "0\r", "22\r", "54\r"},
        {" rbh", "10\r", "10\r"},
        {" rzz", "30\r", "30\r"},
    });
    EXPECT_EQ(all, expected);
    // 24 for the erase, 27 per switching time, 22 per name, 5 for the
    // holidays, 19 and 12 per motor, 10 and 10.
    EXPECT_EQ(rig.state.TxCount, 24 + 3 * 27 + 32 * 22 + 5 + 32 * 19 + 32 * 12 + 10 + 10);
}

TEST(SendAllWireTest, SunProtectionBlocksAfterTheHolidays) {
    SendAllRig rig;
    rig.model.ClearAllModified();
    rig.model.SetGroupMotorMask(1, 0xFFFFFFFFu);
    rig.model.SetGroupMotorMask(3, 0x00010001u);
    rig.model.alarmPattern(32) = kAlarmDown;
    rig.Target(SunProtection(true, false), 7514);
    rig.Start();
    for (int i = 0; i < 10; ++i)
        rig.Ack();  // seven days, end, names, holidays
    const std::vector<Writes> expected = {
        {" rgz", "4294967295\r", "0\r", "65537\r", "0\r", "22\r"},
        {" rjp", "32\r", "0\r", "4\r", "6\r", "42\r"},
        {" rbp", "32\r", "0\r", "122\r", "10\r", "20\r", "186\r", "10\r", "380\r"},
        {" rdm", "32\r", "0\r", "8\r", "29\r", "40\r", "109\r"},
        {" rda", "32\r", "0\r", "19\r", "29\r", "40\r", "120\r"},
        {" rwp", "32\r", "0\r", "30\r", "62\r"},
        {" rrp", "32\r", "0\r", "1\r", "33\r"},
        {" roa", "100\r", "100\r"},
        {" raw", "0\r", "0\r"},
        {" ras", "0\r", "2147483648\r", "22\r"},
        {" rbh", "10\r", "10\r"},
        {" rzz", "30\r", "30\r"},
        {},
    };
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(rig.Ack(), expected[i]) << i;
    EXPECT_FALSE(rig.sequence.Running());
}

TEST(SendAllWireTest, ConservatoryTemperatureBlocks) {
    SendAllRig rig;
    rig.model.ClearAllModified();
    rig.Target(Conservatory(), 7514);
    rig.Start();
    for (int i = 0; i < 20; ++i)
        rig.Ack();  // up to and including the alarm set-up
    const std::vector<Writes> expected = {
        {" rpp", "32\r", "0\r", "10\r", "22\r", "123\r", "1\r", "3\r", "40\r", "6\r", "237\r"},
        {" rip", "32\r", "0\r", "1\r", "122\r", "1\r", "120\r", "40\r", "8\r", "21\r", "345\r"},
        {" rhp", "32\r", "0\r", "1\r", "1\r", "170\r", "140\r", "344\r"},
        {" rhh", "3\r", "3\r"},
        {" rfp", "32\r", "0\r", "1\r", "76\r", "66\r", "40\r", "8\r", "21\r", "244\r"},
        {" rap", "32\r", "0\r", "102\r", "0\r", "105\r", "40\r", "279\r"},
        {" roi", "100\r", "100\r"},
        {" rta ", "32\r", "0\r", "22\r", "54\r"},
    };
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(rig.Ack(), expected[i]) << i;
}

TEST(SendAllWireTest, RadioVariantTouchRunTimesCarry48) {
    SendAllRig rig;
    rig.model.ClearAllModified();
    ControllerIdentity id = RollerShutter();
    id.RadioVariant = true;
    rig.Target(id, 7014);
    rig.Start();
    for (int i = 0; i < 11; ++i)
        rig.Ack();
    EXPECT_EQ(rig.Ack(), (Writes{" rta ", "32\r", "0\r", "70\r", "102\r"}));
}

// --- Which records go -------------------------------------------------------------

TEST(SendAllRecordsTest, WithNothingModifiedOnlyMotor32GoesAndTheModelIsUntouched) {
    SendAllRig rig;
    rig.model.ClearAllModified();
    rig.Target(Conservatory(), 7514);
    rig.Start();
    const auto steps = rig.RunToEnd();
    for (const std::string& s : steps) {
        if (s.rfind("rfs", 0) == 0 || s.rfind("rmn", 0) == 0 || s.rfind("rft", 0) == 0) continue;
        EXPECT_TRUE(s.empty() || s.ends_with(":1")) << s;
    }
    // Only the completion clears the flags; motor 32's were never set.
    EXPECT_FALSE(rig.model.shading(32).Modified);
}

TEST(SendAllRecordsTest, ModifiedRecordsGoInMotorOrderFollowedByMotor32) {
    SendAllRig rig;
    rig.model.ClearAllModified();
    rig.model.reverse(5).Modified = true;
    rig.model.reverse(17).Modified = true;
    rig.model.reverse(17).Off = kOn;
    rig.Target(RollerShutter(), 7014);
    rig.Start();
    for (int i = 0; i < 10; ++i)
        rig.Ack();
    EXPECT_EQ(rig.Ack(), (Writes{" rjp", "5\r", "0\r", "4\r", "6\r", "15\r",   //
                                 " rjp", "17\r", "1\r", "4\r", "6\r", "28\r",  //
                                 " rjp", "32\r", "0\r", "4\r", "6\r", "42\r"}));
}

TEST(SendAllRecordsTest, EveryRecordGoesWhenAllAreModified) {
    SendAllRig rig;  // a fresh model: everything modified
    rig.Target(Conservatory(), 7514);
    rig.Start();
    const auto steps = rig.RunToEnd();
    EXPECT_EQ(steps[10], "rgz:1");
    EXPECT_EQ(steps[11], "rjp:32");
    EXPECT_EQ(steps[12], "rbp:32");
    EXPECT_EQ(steps[27], "rta:32");
}

TEST(SendAllRecordsTest, GroupCheckBoxesAreStoredBeforeTheGroupBlock) {
    SendAllRig rig;
    rig.model.ClearAllModified();
    rig.hooks.StoreGroupCheckBoxes = [&] { rig.model.groupMask(2, 3) = 129; };
    rig.Target(SunProtection(true, false), 7514);
    rig.Start();
    for (int i = 0; i < 10; ++i)
        rig.Ack();
    EXPECT_EQ(rig.Ack(), (Writes{" rgz", "0\r", "0\r", "33024\r", "0\r", "22\r"}));
}

TEST(SendAllRecordsTest, ManualStatesAndTheReservedParameterAreNeverWritten) {
    SendAllRig a, b;
    for (SendAllRig* rig : {&a, &b})
        rig->Target(Conservatory(), 7514);
    b.model.manualState(3) = kManualDown;
    b.model.Parameters.ReservedParameterCode = 77;
    auto stream = [](SendAllRig& rig) {
        Writes all = rig.Start();
        while (rig.sequence.Running()) {
            const Writes w = rig.Ack();
            all.insert(all.end(), w.begin(), w.end());
        }
        return all;
    };
    EXPECT_EQ(stream(a), stream(b));
}

// --- Captions, progress, completion --------------------------------------------------

TEST(SendAllProgressTest, StartPreparesTheListAndWritesTheEraseRecord) {
    SendAllRig rig;
    rig.Target(SunProtection(false, false), 7514);
    rig.state.RxCount = 500;
    rig.state.TxCount = 900;
    rig.panels[5] = "alt";
    const Writes w = rig.Start();
    EXPECT_EQ(w.size(), 11u);
    EXPECT_TRUE(rig.state.SendInProgress);
    EXPECT_TRUE(rig.sequence.Running());
    EXPECT_EQ(rig.state.RxCount, 0);
    EXPECT_EQ(rig.state.TxCount, 24);
    EXPECT_EQ(rig.positions, (std::vector<int>{24}));
    EXPECT_EQ(rig.sequence.ProgressMaximum(), 14472);
    EXPECT_EQ(rig.panels[6], " Bestehende Daten löschen ");
    EXPECT_EQ(rig.row6, (std::vector<std::string>{kRow + "Initialisiere Schaltzeiten-Speicher"}));
    EXPECT_EQ(rig.calls, (std::vector<std::string>{"BlankMotorListForSend"}));
    EXPECT_EQ(rig.sequence.SendStep(), 0);
    EXPECT_EQ(rig.sequence.SendDay(), 0);
    // A second start while running changes nothing.
    EXPECT_TRUE(rig.Start().empty());
}

TEST(SendAllProgressTest, ProgressMaximumByFamily) {
    EXPECT_EQ(SendProgressMaximum(SunProtection(false, false)), 14472);
    EXPECT_EQ(SendProgressMaximum(Conservatory()), 16006);
    EXPECT_EQ(SendProgressMaximum(RollerShutter()), 5280);
}

TEST(SendAllProgressTest, DayCaptionsThenTheFreeMemoryThenStepCaptions) {
    SendAllRig rig;
    rig.model.ClearAllModified();
    for (int d = 0; d < 7; ++d)
        rig.model.switchTime(d, 0, 0) = Entry(100, kUp, 1, kDayGroupWholeWeek, 0);
    rig.Target(RollerShutter(), 7014);
    rig.Start();
    rig.row6.clear();
    const char* days[] = {"Montag    ", "Dienstag  ", "Mittwoch  ", "Donnerstag",
                          "Freitag   ", "Samstag   ", "Sonntag   "};
    for (int d = 1; d <= 7; ++d) {
        rig.Ack();
        EXPECT_EQ(rig.panels[6], std::string("Schaltzeiten ") + days[d - 1]);
        EXPECT_EQ(rig.row6.back(), kRow + "Schaltzeiten " + days[d - 1]);
        EXPECT_EQ(rig.sequence.SendDay(), d);
    }
    EXPECT_EQ(rig.state.TxCount, 24 + 27);  // the whole-week entry counts once
    rig.calls.clear();
    rig.Ack();  // end of the switching times: no caption, the free memory instead
    EXPECT_EQ(rig.row6.size(), 7u);
    EXPECT_EQ(rig.panels[6], "Freier Schaltzeiten-Speicher: 99%");
    EXPECT_EQ(rig.calls, (std::vector<std::string>{"MemoryWarning hidden"}));
    EXPECT_EQ(rig.sequence.SendStep(), 1);
    rig.Ack();
    EXPECT_EQ(rig.panels[6], "Motor-Namen");
    EXPECT_EQ(rig.row6.back(), kRow + "Motor-Namen");
    EXPECT_EQ(rig.panels[5], "7014");  // the firmware, until the reverse block
    rig.Ack();
    EXPECT_EQ(rig.panels[6], "Feiertage");
    EXPECT_EQ(rig.panels[5], "7014");
    rig.Ack();
    EXPECT_EQ(rig.panels[6], "Jalousie-Parameter");
    EXPECT_EQ(rig.panels[5], "");
}

TEST(SendAllProgressTest, InsufficientMemoryShowsTheWarning) {
    SendAllRig rig;
    for (int m = 0; m < 30; ++m)
        for (int s = 0; s < 8; ++s)
            rig.model.switchTime(0, m, s) = Entry(100, kUp, 1, 1, 0);
    rig.Target(RollerShutter(), 7014);
    rig.Start();
    for (int i = 0; i < 8; ++i)
        rig.Ack();
    EXPECT_EQ(rig.panels[6], "Freier Schaltzeiten-Speicher: 0%");
    EXPECT_EQ(rig.calls.back(), "MemoryWarning shown");
}

TEST(SendAllProgressTest, CaptionsOfEveryConservatoryStep) {
    SendAllRig rig;
    rig.Target(Conservatory(), 7514);
    rig.Start();
    for (int i = 0; i < 8; ++i)
        rig.Ack();
    std::vector<std::string> captions;
    std::vector<int> steps;
    while (rig.sequence.Running()) {
        steps.push_back(rig.sequence.SendStep());
        rig.Ack();
        captions.push_back(rig.panels[6]);
        EXPECT_EQ(rig.row6.back(), kRow + captions.back());
    }
    EXPECT_EQ(steps, (std::vector<int>{1,  101, 2,   21,  3,   4,  5,  6,  7,  8,   1001, 10,
                                       11, 12,  121, 122, 123, 13, 15, 16, 17, 171, 18}));
    EXPECT_EQ(captions, (std::vector<std::string>{"Motor-Namen",
                                                  "Feiertage",
                                                  "GruppenZentralStrg.",
                                                  "Jalousie-Parameter",
                                                  "Beschattungsparameter",
                                                  "Dämmerungssteuerung Morgen",
                                                  "Dämmerungssteuerung Abend",
                                                  "Wind-Parameter",
                                                  "Regen-Parameter",
                                                  "Offset Außentemperatur",
                                                  "Auslöseverzögerung Wind",
                                                  "Alarm-Setup",
                                                  "Proportionale Temperatur-Strg.",
                                                  "Innentemperatur-Strg.",
                                                  "Heizungs-Steuerung",
                                                  "Heiz-Hysterese",
                                                  "Luftfeuchtigkeit",
                                                  "Außentemperatur-Strg.",
                                                  "Offset Innentemp.",
                                                  "Tast-Automatik-Parameter",
                                                  "Beschattungs-Hysterese",
                                                  "Zufalls-Zeitspanne",
                                                  ""}));
    // Units: 24 erase, 0 switching times, 22 x 32 names, 5, 8, per motor 19,
    // 30, 23, 23, 18, 15, then 12, 12, 11, per motor 37, 28, 18, then 8,
    // per motor 20, 28, then 8, per motor 12, then 10 and 10.
    const int expected = 24 + 22 * 32 + 5 + 8 + 32 * (19 + 30 + 23 + 23 + 18 + 15) + 12 + 12 + 11 +
                         32 * (37 + 28 + 18) + 8 + 32 * (20 + 28) + 8 + 32 * 12 + 10 + 10;
    EXPECT_EQ(rig.state.TxCount, expected);
    EXPECT_EQ(rig.positions.back(), std::min(expected, 16006));
}

TEST(SendAllProgressTest, ProgressPositionNeverExceedsTheMaximum) {
    SendAllRig rig;
    for (int d = 0; d < 7; ++d)
        for (int m = 0; m < 32; ++m)
            for (int s = 0; s < 8; ++s)
                rig.model.switchTime(d, m, s) = Entry(100, kUp, 1, 1, 0);
    rig.Target(RollerShutter(), 7014);
    rig.Start();
    rig.RunToEnd();
    EXPECT_GT(rig.state.TxCount, 5280);
    for (int p : rig.positions)
        EXPECT_LE(p, 5280);
    EXPECT_EQ(rig.positions.back(), 5280);
}

TEST(SendAllProgressTest, CompletionClearsTheFlagsAndHandsTheWindowBack) {
    SendAllRig rig;
    rig.Target(RollerShutter(), 7014);
    rig.Start();
    rig.state.RxCount = 300;
    for (int i = 0; i < 14; ++i)
        rig.Ack();
    EXPECT_TRUE(rig.state.SendInProgress);
    EXPECT_TRUE(rig.model.reverse(1).Modified);
    rig.calls.clear();
    EXPECT_TRUE(rig.Ack().empty());
    EXPECT_FALSE(rig.state.SendInProgress);
    EXPECT_FALSE(rig.sequence.Running());
    EXPECT_EQ(rig.panels[6], "");
    EXPECT_EQ(rig.row6.back(), kRow);
    EXPECT_EQ(rig.state.RxCount, 301);
    EXPECT_EQ(rig.calls, (std::vector<std::string>{"OnFinished", "RebuildSwitchTimeLists"}));
    EXPECT_EQ(rig.ends, (std::vector<SendAllEnd>{SendAllEnd::Completed}));
    for (const SwitchTime& e : rig.model.SwitchTimes)
        ASSERT_FALSE(e.Modified);
    EXPECT_FALSE(rig.model.reverse(1).Modified);
    EXPECT_FALSE(rig.model.outsideTemp(32).Modified);
    EXPECT_EQ(rig.sequence.SendStep(), 18);
}

// --- Refusals ---------------------------------------------------------------------

TEST(SendAllRefusalTest, ARefusedBlockNamesTheNextStepAndTheTransferGoesOn) {
    SendAllRig rig;
    rig.model.ClearAllModified();
    rig.Target(SunProtection(false, false), 7514);
    rig.Start();
    for (int i = 0; i < 12; ++i)
        rig.Ack();  // days, end, names, holidays, reverse, shading
    ASSERT_EQ(rig.sequence.SendStep(), 4);
    const Writes w = rig.Ack("1,");  // the shading block was refused
    EXPECT_EQ(rig.panels[5], "Fehler 4");
    EXPECT_EQ(SendAllRig::Summary(w), "rdm:1");
    rig.RunToEnd();
    EXPECT_EQ(rig.panels[5], "Fehler 4");  // kept to the end
    EXPECT_EQ(rig.ends, (std::vector<SendAllEnd>{SendAllEnd::Completed}));
}

TEST(SendAllRefusalTest, ARefusedEraseOrDayShowsStepZeroAndIsNotWipedLater) {
    SendAllRig rig;
    rig.Target(RollerShutter(), 7014);
    rig.Start();
    EXPECT_EQ(SendAllRig::Summary(rig.Ack("3,")), "rfs:1");
    EXPECT_EQ(rig.panels[5], "Fehler 0");
    for (int i = 0; i < 10; ++i)
        rig.Ack();  // names would show the firmware, the reverse block clear it
    EXPECT_EQ(rig.sequence.SendStep(), 16);
    EXPECT_EQ(rig.panels[5], "Fehler 0");
}

TEST(SendAllRefusalTest, RefusedHolidaysWithoutGroupsShowStep21) {
    SendAllRig rig;
    rig.Target(RollerShutter(), 7014);
    rig.Start();
    for (int i = 0; i < 10; ++i)
        rig.Ack();
    ASSERT_EQ(rig.sequence.SendStep(), 21);
    rig.Ack("-1,");
    EXPECT_EQ(rig.panels[5], "Fehler 21");
}

TEST(SendAllRefusalTest, AnUnreadableAcknowledgementCountsAsRefusal) {
    SendAllRig rig;
    rig.Target(RollerShutter(), 7014);
    rig.Start();
    EXPECT_EQ(SendAllRig::Summary(rig.Ack("x7,")), "rfs:1");
    EXPECT_EQ(rig.panels[5], "Fehler 0");
    EXPECT_EQ(rig.sequence.SendDay(), 1);
}

TEST(SendAllRefusalTest, AcknowledgementsWithoutNumbersOrWithTrailingTextAreAccepted) {
    SendAllRig rig;
    rig.Target(RollerShutter(), 7014);
    rig.Start();
    rig.Ack("");
    rig.Ack("0,1,2,rest");
    EXPECT_EQ(rig.panels[5], "");
    EXPECT_EQ(rig.sequence.SendDay(), 2);
}

// --- Firmware 7.500 -------------------------------------------------------------------

TEST(SendAllFirmwareTest, Firmware7500SkipsHolidaysAndWindDelay) {
    SendAllRig rig;
    rig.model.ClearAllModified();
    rig.Target(SunProtection(true, false), 7500);
    rig.Start();
    std::vector<std::string> expected(8, "rfs:1");
    for (const char* s : {"rmn:32", "rgz:1", "rjp:1", "rbp:1", "rdm:1", "rda:1", "rwp:1", "rrp:1",
                          "roa:1", "ras:1", "rbh:1", "rzz:1", ""})
        expected.push_back(s);
    EXPECT_EQ(rig.RunToEnd(), expected);
    EXPECT_EQ(rig.ends, (std::vector<SendAllEnd>{SendAllEnd::Completed}));
}

TEST(SendAllFirmwareTest, Firmware7500WithoutGroupsGoesFromNamesToReverse) {
    SendAllRig rig;
    rig.Target(RollerShutter(), 7500);
    rig.Start();
    for (int i = 0; i < 9; ++i)
        rig.Ack();
    EXPECT_EQ(rig.sequence.SendStep(), 21);
    const auto rest = rig.RunToEnd();
    EXPECT_EQ(rest.front(), "rjp:32");
    EXPECT_EQ(rest.size(), 5u);
}

TEST(SendAllFirmwareTest, NextStepsAtTheFirmwareBoundaries) {
    SendTarget t{SunProtection(true, false), 0};
    auto after = [&t](int step, int firmware) {
        t.firmwareVersion = firmware;
        return NextSendStep(step, t);
    };
    EXPECT_EQ(after(kStepMotorNames, 7499), kStepHolidays);
    EXPECT_EQ(after(kStepMotorNames, 7500), kStepGroups);
    EXPECT_EQ(after(kStepMotorNames, 7503), kStepGroups);
    EXPECT_EQ(after(kStepMotorNames, 7504), kStepHolidays);
    EXPECT_EQ(after(kStepOutsideOffset, 7014), kStepWindDelay);
    EXPECT_EQ(after(kStepOutsideOffset, 7500), kStepAlarm);
    EXPECT_EQ(after(kStepOutsideOffset, 7512), kStepAlarm);
    EXPECT_EQ(after(kStepOutsideOffset, 7513), kStepWindDelay);
    EXPECT_EQ(after(kStepRandomSpan, 7514), kStepCompletion);
    EXPECT_EQ(after(4711, 7514), kStepCompletion);
}

TEST(SendAllFirmwareTest, NoStepEverFollowsItselfForAnyControllerOrFirmware) {
    const int steps[] = {1,  101, 2,  21,  3,   4,   5,  6,  7,  8,  1001,
                         10, 11,  12, 121, 122, 123, 13, 15, 16, 17, 171};
    for (int firmware : {7014, 7499, 7500, 7503, 7504, 7512, 7513, 7514, 9999})
        for (int bits = 0; bits < 32; ++bits) {
            ControllerIdentity id;
            id.SunProtectionFamily = bits & 1;
            id.ConservatoryFamily = bits & 2;
            id.TouchAutomationAvailable = bits & 4;
            id.GroupCentralAvailable = bits & 8;
            id.RadioVariant = bits & 16;
            const SendTarget t{id, firmware};
            for (int s : steps)
                EXPECT_NE(NextSendStep(s, t), s) << s << " " << firmware;
        }
}

TEST(SendAllFirmwareTest, TheControllerIsFixedWhenTheTransferStarts) {
    SendAllRig rig;
    rig.model.ClearAllModified();
    rig.Target(RollerShutter(), 7014);
    rig.Start();
    rig.Target(Conservatory(), 7500);  // a late identity frame
    const auto steps = rig.RunToEnd();
    EXPECT_EQ(steps.size(), 15u);
    EXPECT_EQ(steps[9], "rft:15");
}

// --- Stray acknowledgements ---------------------------------------------------------

TEST(SendAllStrayTest, AnAcknowledgementWithoutATransferIsIgnored) {
    SendAllRig rig;
    rig.model.ClearAllModified();
    EXPECT_TRUE(rig.Ack().empty());
    EXPECT_TRUE(rig.Ack("1,").empty());
    EXPECT_FALSE(rig.state.SendInProgress);
    EXPECT_TRUE(rig.calls.empty());
    EXPECT_TRUE(rig.ends.empty());
    for (const std::string& p : rig.panels)
        EXPECT_EQ(p, "");
    EXPECT_FALSE(rig.model.reverse(1).Modified);
}

TEST(SendAllStrayTest, ALateAcknowledgementAfterTheCompletionDoesNothing) {
    SendAllRig rig;
    rig.Target(RollerShutter(), 7014);
    rig.Start();
    rig.RunToEnd();
    ASSERT_EQ(rig.ends.size(), 1u);
    rig.model.reverse(3).Modified = true;
    rig.calls.clear();
    const int rx = rig.state.RxCount;
    EXPECT_TRUE(rig.Ack().empty());
    EXPECT_EQ(rig.ends.size(), 1u);
    EXPECT_TRUE(rig.calls.empty());
    EXPECT_EQ(rig.state.RxCount, rx);
    EXPECT_TRUE(rig.model.reverse(3).Modified);
}

TEST(SendAllStrayTest, ASecondTransferStartsAfreshFromTheErase) {
    SendAllRig rig;
    rig.Target(RollerShutter(), 7014);
    rig.Start();
    rig.Ack("1,");
    rig.RunToEnd();
    EXPECT_EQ(rig.Start().size(), 11u);
    EXPECT_EQ(rig.sequence.SendStep(), 0);
    EXPECT_EQ(rig.sequence.SendDay(), 0);
    rig.panels[5] = "";
    for (int i = 0; i < 9; ++i)
        rig.Ack();
    EXPECT_EQ(rig.panels[5], "7014");  // no refusal in this run
}

}  // namespace
}  // namespace veltrano
