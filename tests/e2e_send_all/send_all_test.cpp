// "PC --> Steuerung" through the real window, offscreen, into the simulated
// Controller: a configuration read, edited and sent lands in the
// Controller's memory field by field; also after a round trip through a
// Controller of another family; a refused block, a Controller falling
// silent, a stray acknowledgement.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <chrono>
#include <set>
#include <string>
#include <vector>

#include "e2e_memory.h"
#include "e2e_simulator.h"
#include "e2e_window.h"
#include "e2e_wire.h"
#include "temp_workdir.h"

namespace veltrano {
namespace {

using namespace std::chrono_literals;
using testing::E2eSimulator;
using testing::E2eWindow;
using testing::TempWorkDir;

constexpr int kFirmware = 7514;  // the simulator's default "7.514"

sim::ModelFeatures FeaturesOf(const std::vector<std::string>& args) {
    std::string error;
    const auto options = sim::ParseOptions(args, &error);
    return options ? options->config.identity.features : sim::ModelFeatures{};
}

testing::SimulatorSetup RichSetup(const std::vector<std::string>& args, std::uint64_t seed,
                                  const char* link = "COM1") {
    testing::SimulatorSetup setup = testing::Setup(args, link);
    setup.memory = testing::RichMemory(FeaturesOf(args), seed);
    return setup;
}

// A slot of this motor that is empty on every one of the days (0-based).
int FreeSlot(const ConfigurationModel& m, int motor, const std::vector<int>& days, int slotCount) {
    for (int slot = slotCount - 1; slot >= 0; --slot) {
        bool free = true;
        for (int d : days)
            free = free && m.switchTime(d, motor, slot).TimeCode == 0;
        if (free) return slot;
    }
    return -1;
}

void PutEntry(ConfigurationModel& m, const std::vector<int>& days, int motor, int slot,
              const SwitchTime& entry) {
    for (int d : days) {
        SwitchTime& e = m.switchTime(d, motor, slot);
        e = entry;
        e.Modified = true;
    }
}

// Edits as a user would make them in the masks, for a Controller with these
// features: switching times added, changed and deleted (with day groups),
// names (umlauts, the euro sign, too long, empty, a character the code page
// lacks), per-motor records of every block, alarm, groups, holidays and the
// single parameters. Records of motor 5 change without being marked, so the
// send-all must leave them out.
void EditLikeAUser(ConfigurationModel& m, const sim::ModelFeatures& f) {
    const int slotCount = f.slotsPerDay;
    const std::vector<int> weekdays = {0, 1, 2, 3, 4}, weekend = {5, 6};
    const int motorA = 2, motorB = f.motors - 1;  // 0-based
    const int s1 = FreeSlot(m, motorA, weekdays, slotCount);
    ASSERT_GE(s1, 0);
    PutEntry(m, weekdays, motorA, s1, {kDown, 17 * 60 + 31, 128, 5, kFunctionAstro, true});
    const int s2 = FreeSlot(m, motorB, weekend, slotCount);
    ASSERT_GE(s2, 0);
    PutEntry(m, weekend, motorB, s2, {kUp, 1, 0, 2, kFunctionRandom, true});

    bool changed = false, deleted = false;
    for (int slot = 0; slot < slotCount; ++slot) {
        for (int motor = 0; motor < f.motors; ++motor) {
            for (int d = kDayCount - 1; d >= 0 && !changed; --d) {
                SwitchTime& e = m.switchTime(d, motor, slot);
                if (e.TimeCode > 0 && e.DayGroup == 1 && e.TimeCode != 1440) {
                    e = {e.Direction == kUp ? kDown : kUp, 1440, 100, 1, kFunctionNormal, true};
                    changed = true;
                }
            }
            if (!deleted && m.switchTime(0, motor, slot).DayGroup == 7 &&
                m.switchTime(0, motor, slot).TimeCode > 0) {
                for (int d = 0; d < kDayCount; ++d) {
                    m.switchTime(d, motor, slot).TimeCode = 0;
                    m.switchTime(d, motor, slot).Modified = true;
                }
                deleted = true;
            }
        }
    }
    EXPECT_TRUE(changed);
    EXPECT_TRUE(deleted);

    m.motorName(1) = "Wohnküche Süd";  // 13 characters: cut to 12
    m.motorName(2) = "Bad";
    m.motorName(3) = "";
    m.motorName(4) = "€uro „Büro“";
    m.motorName(5) = "ÄÖÜäöüßŠšŽžŸ";
    m.motorName(6) = "Ω-Raum";  // no Windows-1252 byte: "?"
    m.motorName(7) = "Tab\tXOFF\x13XON\x11";
    m.motorName(32) = "Œ™…–—‘’•ˆ˜‰";

    testing::TestRandom random(99);
    for (const testing::BlockRule& rule : testing::BlockRules()) {
        const sim::MotorBlockLayout& layout = sim::LayoutOf(rule.block);
        for (int motor : {1, 3, 5, f.motors}) {
            std::vector<std::int32_t> codes;
            for (std::size_t i = 0; i < rule.fields.size(); ++i) {
                sim::WireRange range = layout.fields[i];
                if (rule.block == sim::MotorBlock::Touch && i == 1 && f.radio) range = {49, 135};
                std::int32_t wire = random.Between(range.min, range.max);
                if (rule.block == sim::MotorBlock::Wind && i == 1) wire = wire / 5 * 5;
                codes.push_back(static_cast<std::int32_t>(
                    testing::CodeFromWire(rule.fields[i], wire, f.radio)));
            }
            const bool wasModified = rule.Modified(m, motor);
            rule.Set(m, motor, codes);
            rule.SetModified(m, motor, motor == 5 ? wasModified : true);
        }
    }

    m.alarmPattern(1) = kAlarmDown;
    m.alarmPattern(2) = kAlarmUp;
    m.alarmPattern(3) = kAlarmNoAction;
    m.alarmPattern(32) = kAlarmUp;
    m.groupMask(1, 1) = 0xA5;
    m.groupMask(4, 4) = 0x80;
    m.groupMask(2, 3) = 0x00;
    m.holiday(1) = {29, 2};
    m.holiday(15) = {24, 12};
    m.Parameters.RandomSpanCode = 252;
    m.Parameters.ShadingHysteresisCode = 48;
    m.Parameters.SoftGzsActive = !m.Parameters.SoftGzsActive;
    m.Parameters.OutsideTempOffsetCode = 0;
    m.Parameters.InsideTempOffsetCode = 10;
    m.Parameters.HeatingHysteresisCode = 8;
    m.Parameters.WindDelayCode = 20;
}

// The edits, with the group check boxes ticked to match: they are the
// parameter sheet's buffer of one bank, which the send-all takes over.
void EditInWindow(E2eWindow& window, const sim::ModelFeatures& f) {
    EditLikeAUser(window->Model(), f);
    window->Hooks().LoadGroupCheckBoxes();
}

// The window after a send-all, completed or abandoned: usable again.
void ExpectWindowBack(E2eWindow& window) {
    TQuorvan& w = *window;
    EXPECT_FALSE(w.State().SendInProgress);
    EXPECT_TRUE(window.TimersRanAfterTransfer());
    EXPECT_TRUE(w.findChild<QTabWidget*>("Parameter_Maske")->isEnabled());
    EXPECT_TRUE(w.findChild<QComboBox*>("Combo_PortNum")->isEnabled());
    EXPECT_TRUE(w.findChild<QProgressBar*>("ProgressBar")->isHidden());
    EXPECT_FALSE(w.SendAllWatchdog()->isActive());
    const bool ws = w.State().Identity.ConservatoryFamily;
    for (const char* name :
         {"Send_Button_WS", "Read_Button_WS", "Send_Button_RS", "Read_Button_RS"}) {
        const bool pair = std::string(name).ends_with(ws ? "_WS" : "_RS");
        EXPECT_EQ(w.findChild<QPushButton*>(name)->isHidden(), !pair) << name;
        if (pair) {
            EXPECT_TRUE(w.findChild<QPushButton*>(name)->isEnabled()) << name;
        }
    }
}

void ExpectSent(const sim::SimMemory& after, const sim::SimMemory& before,
                const ConfigurationModel& sent, const sim::ModelFeatures& f,
                const std::set<std::string>& refused = {}) {
    const testing::Mismatches mismatches =
        testing::SendAllMismatches(after, before, sent, f, kFirmware, refused);
    EXPECT_TRUE(mismatches.Empty()) << mismatches.Count() << " differences:\n" << mismatches.Text();
}

struct SendCase {
    const char* name;
    std::vector<std::string> args;
};
void PrintTo(const SendCase& c, std::ostream* out) {
    *out << c.name;
}

class SendAllFamilyTest : public ::testing::TestWithParam<SendCase> {};

TEST_P(SendAllFamilyTest, TheControllerHoldsTheEditedConfiguration) {
    TempWorkDir work;
    E2eSimulator sim(work.path(), RichSetup(GetParam().args, 21));
    E2eWindow window(work.path());
    ASSERT_TRUE(window.Connect());
    ASSERT_TRUE(window.ReadAll());
    const sim::SimMemory before = sim.Dump();
    EditInWindow(window, sim.Features());
    const ConfigurationModel sent = window->Model();

    ASSERT_TRUE(window.SendAll());
    ExpectSent(sim.Dump(), before, sent, sim.Features());
    // A read-all granted the overwrite: nobody was asked.
    EXPECT_TRUE(window.log.questions.isEmpty());
    EXPECT_TRUE(window.log.errors.isEmpty()) << window.log.errors.join("|").toStdString();
    EXPECT_EQ(window->PanelText(5), "Senden beendet");
    EXPECT_EQ(testing::ModifiedCount(window->Model()), 0);
    ExpectWindowBack(window);

    // Read back, the Controller gives what was sent.
    const sim::SimMemory after = sim.Dump();
    const ConfigurationModel beforeReread = window->Model();
    ASSERT_TRUE(window.ReadAll());
    const testing::Mismatches reread =
        testing::ReadAllMismatches(window->Model(), beforeReread, after, sim.Features());
    EXPECT_TRUE(reread.Empty()) << reread.Count() << " differences:\n" << reread.Text();
}

INSTANTIATE_TEST_SUITE_P(
    Families, SendAllFamilyTest,
    ::testing::Values(
        SendCase{"Conservatory32TouchGroups", {"--family", "conservatory", "--touch", "--groups"}},
        SendCase{"SunProtection8Groups", {"--family", "sun", "--motors", "8", "--groups"}},
        SendCase{"SunProtection32RadioGroups",
                 {"--family", "sun", "--radio", "--touch", "--groups"}},
        SendCase{"RollerShutter8With4Slots",
                 {"--family", "roller", "--motors", "8", "--slots", "4"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct RoundTripCase {
    const char* name;
    std::vector<std::string> from, to;
};
void PrintTo(const RoundTripCase& c, std::ostream* out) {
    *out << c.name;
}

class SendAllRoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(SendAllRoundTripTest, WhatWasReadFromOneFamilyReachesAControllerOfAnother) {
    TempWorkDir work;
    E2eSimulator source(work.path(), RichSetup(GetParam().from, 31));
    E2eSimulator target(work.path(), GetParam().to, "COM2");
    E2eWindow window(work.path());
    ASSERT_TRUE(window.Connect());
    ASSERT_TRUE(window.ReadAll());
    const sim::SimMemory read = source.Dump();

    window.ChangePort(2);
    ASSERT_TRUE(window.Connect());
    ASSERT_EQ(window->PanelText(0).toStdString(), target.ModelText());
    const sim::SimMemory before = target.Dump();
    const ConfigurationModel sent = window->Model();
    ASSERT_EQ(testing::ModifiedCount(sent), testing::kModifiableCount);  // the port changed
    ASSERT_TRUE(window.SendAll());

    const sim::SimMemory after = target.Dump();
    ExpectSent(after, before, sent, target.Features());
    EXPECT_TRUE(window.log.errors.isEmpty()) << window.log.errors.join("|").toStdString();
    EXPECT_EQ(window->PanelText(5), "Senden beendet");
    ExpectWindowBack(window);
    // What both families hold went across unchanged.
    EXPECT_EQ(after.switchTimes, read.switchTimes);
    EXPECT_EQ(after.names, read.names);
    EXPECT_EQ(after.holidays, read.holidays);
    EXPECT_EQ(after.randomSpan, read.randomSpan);
    EXPECT_EQ(after.shadingHysteresis, read.shadingHysteresis);
}

INSTANTIATE_TEST_SUITE_P(
    Families, SendAllRoundTripTest,
    ::testing::Values(RoundTripCase{"ConservatoryToSunProtection",
                                    {"--family", "conservatory", "--touch", "--groups"},
                                    {"--family", "sun", "--touch", "--groups"}},
                      RoundTripCase{"RollerShutterToConservatory",
                                    {"--family", "roller", "--touch", "--groups"},
                                    {"--family", "conservatory"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
    const char* word;   // the command word the Controller refuses
    const char* panel;  // status panel 5 at the end
};
void PrintTo(const RefusalCase& c, std::ostream* out) {
    *out << c.word;
}

class SendAllRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

// A refusal names the step after the refused one, and the transfer goes on.
TEST_P(SendAllRefusalTest, ARefusedStepShowsItsNumberAndTheTransferGoesOn) {
    TempWorkDir work;
    E2eSimulator sim(work.path(), RichSetup({"--family", "conservatory", "--touch", "--groups",
                                             "--refuse", GetParam().word},
                                            41));
    E2eWindow window(work.path());
    ASSERT_TRUE(window.Connect());
    ASSERT_TRUE(window.ReadAll());
    const sim::SimMemory before = sim.Dump();
    EditInWindow(window, sim.Features());
    const ConfigurationModel sent = window->Model();

    ASSERT_TRUE(window.SendAll());
    EXPECT_EQ(window->PanelText(5).toStdString(), GetParam().panel);
    ExpectSent(sim.Dump(), before, sent, sim.Features(), {GetParam().word});
    EXPECT_TRUE(window.log.errors.isEmpty()) << window.log.errors.join("|").toStdString();
    ExpectWindowBack(window);
}

INSTANTIATE_TEST_SUITE_P(Steps, SendAllRefusalTest,
                         ::testing::Values(RefusalCase{"rbp", "Fehler 4"},
                                           // The erase and every day: 0; the end record: 1.
                                           RefusalCase{"rfs", "Fehler 1"},
                                           RefusalCase{"rmn", "Fehler 101"},
                                           RefusalCase{"rta", "Fehler 17"},
                                           RefusalCase{"rzz", "Fehler 18"}),
                         [](const auto& info) { return std::string(info.param.word); });

// Firmware 7.500 has neither the holiday block nor the wind trigger delay:
// the transfer leaves them out and still ends.
TEST(SendAllTest, Firmware7500GetsNoHolidaysAndNoWindDelayAndTheTransferEnds) {
    TempWorkDir work;
    E2eSimulator sim(
        work.path(),
        RichSetup({"--family", "sun", "--touch", "--groups", "--firmware", "7.500"}, 45));
    E2eWindow window(work.path());
    ASSERT_TRUE(window.Connect());
    ASSERT_EQ(window->State().FirmwareVersion, 7500);
    ASSERT_TRUE(window.ReadAll());
    const sim::SimMemory before = sim.Dump();
    EditInWindow(window, sim.Features());
    const ConfigurationModel sent = window->Model();

    ASSERT_TRUE(window.SendAll());
    const sim::SimMemory after = sim.Dump();
    const testing::Mismatches mismatches =
        testing::SendAllMismatches(after, before, sent, sim.Features(), 7500);
    EXPECT_TRUE(mismatches.Empty()) << mismatches.Count() << " differences:\n" << mismatches.Text();
    EXPECT_EQ(after.holidays, before.holidays);
    EXPECT_EQ(after.windDelay, before.windDelay);
    EXPECT_EQ(window->PanelText(5), "Senden beendet");
    EXPECT_TRUE(window.log.errors.isEmpty()) << window.log.errors.join("|").toStdString();
    ExpectWindowBack(window);
}

TEST(SendAllTest, AControllerFallingSilentIsEndedByTheWatchdogAndEverythingStaysToBeSent) {
    TempWorkDir work;
    E2eSimulator sim(work.path(), RichSetup({"--family", "conservatory", "--touch", "--groups",
                                             "--silent-after-acks", "3"},
                                            51));
    E2eWindow window(work.path());
    ASSERT_TRUE(window.Connect());
    ASSERT_TRUE(window.ReadAll());
    ASSERT_EQ(testing::ModifiedCount(window->Model()), 0);

    auto now = std::chrono::steady_clock::time_point{} + 1h;
    SendAllSequence& sendAll = window->SendAll();
    sendAll.SetClock([&] { return now; });
    sendAll.SetAckTimeout(3s);
    window->Send_ButtonClick();
    ASSERT_TRUE(window->State().SendInProgress);
    // The third acknowledgement makes Wednesday go out; its own never comes.
    ASSERT_TRUE(testing::WaitFor([&] { return sendAll.SendDay() == 3 && sendAll.AckDeadline(); }));
    ASSERT_EQ(*sendAll.AckDeadline(), now + 3s);
    now += 2999ms;
    window->SendAllWatchdogTimer();
    ASSERT_TRUE(window->State().SendInProgress);
    now += 1ms;
    window->SendAllWatchdogTimer();
    window.NoteAndStopTimers();

    EXPECT_EQ(window.log.errors,
              QStringList{QString::fromUtf8(SendAllSequence::kTimeoutMessage.data(),
                                            SendAllSequence::kTimeoutMessage.size())});
    EXPECT_EQ(window->PanelText(5), "Zeitüberschreitung beim Senden");
    EXPECT_EQ(testing::ModifiedCount(window->Model()), testing::kModifiableCount);
    ExpectWindowBack(window);
}

TEST(SendAllTest, AnUndecodedRadioClockSendsNothing) {
    TempWorkDir work;
    E2eSimulator sim(work.path(), {"--family", "sun", "--groups", "--date-unset"});
    E2eWindow window(work.path());
    ASSERT_TRUE(window.Connect());
    ASSERT_EQ(window->PanelText(2), "01.01.00");
    const sim::SimMemory before = sim.Dump();
    EXPECT_FALSE(window.SendAll());
    EXPECT_EQ(window.log.messages,
              QStringList{"Bitte warten Sie, bis das Funk-Zeitsignal (DCF77) entschlüsselt wurde. "
                          "Erst wenn Datum und Uhrzeit richtig angezeigt werden, ist es möglich, "
                          "die Daten zur Steuerung zu senden."});
    EXPECT_TRUE(window.log.questions.isEmpty());
    EXPECT_TRUE(sim.Dump() == before);
}

TEST(SendAllTest, AtTheRealPaceOfTheLineTheStartValuesReachTheController) {
    TempWorkDir work;
    testing::SimulatorSetup setup =
        testing::Setup({"--family", "conservatory", "--touch", "--groups"});
    setup.fast = false;
    E2eSimulator sim(work.path(), setup);
    E2eWindow window(work.path());
    ASSERT_TRUE(window.Connect());
    const sim::SimMemory before = sim.Dump();
    // Without a read-all: the start values, every record to be sent.
    ConfigurationModel& m = window->Model();
    PutEntry(m, {0, 1, 2, 3, 4, 5, 6}, 31, 7, {kDown, 1440, 126, 7, kFunctionRandom, true});
    PutEntry(m, {2}, 0, 0, {kUp, 1, 0, 1, kFunctionNormal, true});
    const ConfigurationModel sent = m;

    ASSERT_TRUE(window.SendAll());
    EXPECT_EQ(window.log.questions,
              QStringList{"Alle Daten in der Steuerung werden überschrieben. Fortfahren?"});
    ExpectSent(sim.Dump(), before, sent, sim.Features());
    EXPECT_EQ(window->PanelText(5), "Senden beendet");
    EXPECT_TRUE(window.log.errors.isEmpty()) << window.log.errors.join("|").toStdString();
    ExpectWindowBack(window);
}

TEST(SendAllTest, AStrayAcknowledgementAfterTheEndChangesNothing) {
    TempWorkDir work;
    E2eSimulator sim(work.path(),
                     RichSetup({"--family", "conservatory", "--touch", "--groups"}, 61));
    E2eWindow window(work.path());
    ASSERT_TRUE(window.Connect());
    ASSERT_TRUE(window.ReadAll());
    ASSERT_TRUE(window.SendAll());
    const sim::SimMemory sent = sim.Dump();

    // Edits made after the transfer are still to be sent.
    window->Model().shading(3).Modified = true;
    window->Model().switchTime(4, 7, 2).Modified = true;
    const ConfigurationModel model = window->Model();
    const QString panel5 = window->PanelText(5), panel6 = window->PanelText(6);
    const int txCount = window->State().TxCount;
    const int step = window->SendAll().SendStep();

    // An end-of-day record the Controller acknowledges (it stores nothing).
    const int frames = window.Frames();
    window->Comm1().WriteText(" rfs255\r0\r0\r0\r0\r0\r0\r0\r0\r255\r");
    ASSERT_TRUE(window.WaitForFrames(frames + 1));
    ASSERT_EQ(window.FrameTexts().back(), "stc  0,");

    EXPECT_TRUE(window->Model() == model);
    EXPECT_FALSE(window->State().SendInProgress);
    EXPECT_EQ(window->SendAll().SendStep(), step);
    EXPECT_EQ(window->PanelText(5), panel5);
    EXPECT_EQ(window->PanelText(6), panel6);
    EXPECT_EQ(window->State().TxCount, txCount);
    EXPECT_FALSE(window->Timer1()->isActive());
    EXPECT_FALSE(window->SendAllWatchdog()->isActive());
    EXPECT_TRUE(sim.Dump() == sent);
    EXPECT_TRUE(window.log.errors.isEmpty()) << window.log.errors.join("|").toStdString();
}

}  // namespace
}  // namespace veltrano
