// What a send-all keeps when it does not fully succeed: the blocks the
// Controller refused, names it could not store, and the ends of a transfer
// whose device is lost or whose bytes never leave the port.
#include <gtest/gtest.h>

#include <algorithm>

#include "link/wire_safe_names.h"
#include "send_all_support.h"

namespace veltrano {
namespace {

using testing::Conservatory;
using testing::SendAllRig;
using testing::SunProtection;
using testing::Writes;
using namespace std::chrono_literals;

// Acknowledges until the transfer ends; the acknowledgement that answers
// the block of `refused` (the step and, for switching times, the day) is a
// refusal.
void RunRefusing(SendAllRig& rig, RefusedStep refused) {
    RefusedStep written{kStepSwitchTimes, 0};  // the erase record
    for (int i = 0; i < 100 && rig.sequence.Running(); ++i) {
        // The block this acknowledgement makes the sequence write.
        const int step = rig.sequence.SendStep();
        const RefusedStep next{step, step == kStepSwitchTimes ? rig.sequence.SendDay() + 1 : 0};
        rig.Ack(written == refused ? "1," : "0,");
        written = next;
    }
}

TEST(SendAllIntegrityTest, ARefusedPerMotorBlockKeepsItsFlagsAndGoesAgain) {
    struct Case {
        RefusedStep refused;
        std::string panel5;
        bool shadingKept;
    };
    const std::vector<Case> cases = {
        {{kStepShading, 0}, "Fehler 4", true},      {{kStepSwitchTimes, 0}, "Fehler 0", false},
        {{kStepSwitchTimes, 3}, "Fehler 0", false}, {{kStepMotorNames, 0}, "Fehler 101", false},
        {{kStepWind, 0}, "Fehler 7", false},        {{kStepRandomSpan, 0}, "Fehler 18", false},
    };
    for (const Case& c : cases) {
        const std::string what = RefusedStepCaption(c.refused);
        SendAllRig rig;
        rig.Target(SunProtection(true, true), 7514);
        rig.model.ClearAllModified();
        rig.model.shading(3).Modified = rig.model.shading(5).Modified = true;
        rig.model.wind(7).Modified = true;
        rig.Start();
        RunRefusing(rig, c.refused);

        ASSERT_EQ(rig.results.size(), 1u) << what;
        EXPECT_EQ(rig.results[0].end, SendAllEnd::Completed) << what;
        EXPECT_EQ(rig.results[0].refused, std::vector<RefusedStep>{c.refused}) << what;
        EXPECT_EQ(rig.panels[5], c.panel5) << what;
        EXPECT_EQ(rig.model.shading(3).Modified, c.shadingKept) << what;
        EXPECT_EQ(rig.model.shading(5).Modified, c.shadingKept) << what;
        EXPECT_FALSE(rig.model.shading(1).Modified) << what << ": was not to be sent";
        EXPECT_FALSE(rig.model.shading(32).Modified) << what << ": went without its flag";
        // Refused as well: the wind block is kept where it was refused.
        EXPECT_EQ(rig.model.wind(7).Modified, c.refused.step == kStepWind) << what;
        EXPECT_FALSE(rig.model.switchTime(0, 0, 0).Modified) << what;

        // The next transfer sends what the Controller refused again.
        rig.Start();
        std::vector<std::string> steps = rig.RunToEnd();
        const bool again = std::find(steps.begin(), steps.end(), "rbp:3") != steps.end();
        EXPECT_EQ(again, c.shadingKept) << what;
    }
}

TEST(SendAllIntegrityTest, SkippedStepsOfFirmware7500AreNoRefusals) {
    SendAllRig rig;
    rig.Target(SunProtection(true, false), 7500);
    rig.Start();
    rig.RunToEnd();
    ASSERT_EQ(rig.results.size(), 1u);
    EXPECT_TRUE(rig.results[0].refused.empty());
    EXPECT_TRUE(SendAllEndMessage(rig.results[0], [](int) { return std::string(); }).empty());
}

TEST(SendAllIntegrityTest, TheEndMessageNamesRefusedBlocksAndRenamedMotors) {
    SendAllResult result;
    result.refused = {{kStepSwitchTimes, 0}, {kStepSwitchTimes, 4}, {kStepShading, 0}};
    result.renamedMotors = {3};
    const std::string text =
        SendAllEndMessage(result, [](int m) { return "Name " + std::to_string(m); });
    for (const char* part : {"Schaltzeiten (Löschen des Speichers)\n", "Schaltzeiten Donnerstag\n",
                             "Beschattungsparameter\n", "NICHT in der Steuerung gespeichert",
                             "erneut gesendet", "Motor 3: \"Name 3\""})
        EXPECT_NE(text.find(part), std::string::npos) << part;
}

TEST(SendAllIntegrityTest, NamesWithFrameMarkersAreChangedInTheModelAndOnTheWire) {
    struct Case {
        std::string name, stored;
    };
    const std::vector<Case> cases = {
        {"Legende_1", "Legende 1"}, {"start_", "start "},         {"ende_start_x", "ende start x"},
        {"Tab\there", "Tab here"},  {"Küche ende", "Küche ende"}, {"Büro", "Büro"},
    };
    SendAllRig rig;
    rig.Target(Conservatory(), 7514);
    std::vector<std::pair<int, std::string>> shown;
    rig.hooks.SetMotorNameItem = [&](int m, const std::string& n) { shown.emplace_back(m, n); };
    for (std::size_t i = 0; i < cases.size(); ++i)
        rig.model.motorName(static_cast<int>(i) + 1) = cases[i].name;
    rig.Start();
    std::string wire;
    while (rig.sequence.Running()) {
        for (const std::string& w : rig.Ack())
            wire += w;
    }
    std::vector<int> renamed;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const int motor = static_cast<int>(i) + 1;
        EXPECT_EQ(rig.model.motorName(motor), cases[i].stored) << cases[i].name;
        EXPECT_EQ(WireSafeMotorName(cases[i].name), cases[i].stored) << cases[i].name;
        if (cases[i].stored != cases[i].name) renamed.push_back(motor);
    }
    EXPECT_EQ(rig.results.at(0).renamedMotors, renamed);
    ASSERT_EQ(shown.size(), renamed.size());
    EXPECT_EQ(shown[0], (std::pair<int, std::string>{1, "Legende 1"}));
    EXPECT_EQ(wire.find("ende_"), std::string::npos);
    EXPECT_EQ(wire.find("start_"), std::string::npos);
    EXPECT_TRUE(ContainsFrameMarker("Legende_1"));
    EXPECT_FALSE(ContainsFrameMarker("Legende 1"));
}

TEST(SendAllIntegrityTest, ARadioControllerGetsOnlyRunTimesOfItsOwnList) {
    SendAllRig rig;
    ControllerIdentity radio = Conservatory();
    radio.RadioVariant = true;
    radio.ThirtyTwoMotors = false;
    rig.Target(radio, 7514);
    rig.model.ClearAllModified();
    rig.model.touch(32).DurationCode = 190;  // "Dauer" of an ordinary Controller linked before
    rig.model.touch(3).DurationCode = 86;    // the radio list's last item
    rig.model.touch(3).Modified = true;
    rig.model.touch(4).DurationCode = 120;  // not sent, left alone
    rig.Start();
    std::vector<std::string> touch;
    while (rig.sequence.Running()) {
        const Writes w = rig.Ack();
        for (std::size_t i = 0; i + 3 < w.size(); ++i)
            if (w[i] == " rta ") touch.push_back(w[i + 1] + w[i + 2] + w[i + 3]);
    }
    EXPECT_EQ(touch, (std::vector<std::string>{"3\r0\r135\r", "32\r0\r135\r"}));
    EXPECT_EQ(rig.model.touch(32).DurationCode, 86);
    EXPECT_EQ(rig.model.touch(4).DurationCode, 120);
}

TEST(SendAllIntegrityTest, ALostDeviceOrAStalledOutputEndsTheTransferAsFailed) {
    struct Case {
        SendAllEnd why;
        std::string panel5;
    };
    const std::vector<Case> cases = {
        {SendAllEnd::DeviceLost, "Verbindung unterbrochen"},
        {SendAllEnd::OutputStalled, "Die Steuerung nimmt keine Daten an (XOFF)."},
    };
    for (const Case& c : cases) {
        SendAllRig rig;
        rig.Target(Conservatory(), 7514);
        rig.state.OverwriteConfirmed = true;
        rig.Start();
        rig.Ack();
        rig.model.ClearAllModified();
        if (c.why == SendAllEnd::DeviceLost) {
            rig.sequence.Abort(SendAllEnd::DeviceLost);
        } else {
            // The day's records never leave the port: XOFF held.
            rig.now += 29999ms;
            EXPECT_FALSE(rig.sequence.CheckAckTimeout());
            rig.now += 1ms;
            EXPECT_TRUE(rig.sequence.CheckAckTimeout());
        }
        EXPECT_FALSE(rig.sequence.Running()) << c.panel5;
        EXPECT_FALSE(rig.state.SendInProgress) << c.panel5;
        EXPECT_EQ(rig.ends, std::vector<SendAllEnd>{c.why}) << c.panel5;
        EXPECT_EQ(rig.panels[5], c.panel5);
        EXPECT_TRUE(rig.model.heating(9).Modified) << c.panel5;
        EXPECT_TRUE(rig.model.switchTime(6, 31, 7).Modified) << c.panel5;
        EXPECT_FALSE(rig.state.OverwriteConfirmed) << c.panel5;
        rig.sequence.Abort(SendAllEnd::DeviceLost);
        EXPECT_EQ(rig.ends.size(), 1u) << "nothing runs any more";
    }
}

}  // namespace
}  // namespace veltrano
