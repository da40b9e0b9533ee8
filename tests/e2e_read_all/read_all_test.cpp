// "Steuerung --> PC" through the real window, offscreen, from the simulated
// Controller: the model afterwards against the Controller's memory dump,
// compared field by field through the wire offsets; frames that fail their
// checksum; a Controller that falls silent half-way.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <chrono>
#include <optional>
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
using testing::DataFrame;
using testing::E2eSimulator;
using testing::E2eWindow;
using testing::TempWorkDir;

const char* const kTimedOutMessage =
    "Die Daten wurden nicht vollständig von der Steuerung gelesen.\n"
    "Bitte wiederholen Sie \"Steuerung --> PC\".";

sim::ModelFeatures FeaturesOf(const std::vector<std::string>& args) {
    std::string error;
    const auto options = sim::ParseOptions(args, &error);
    return options ? options->config.identity.features : sim::ModelFeatures{};
}

// The window after a read-all, completed or abandoned: usable again.
void ExpectWindowBack(E2eWindow& window) {
    TQuorvan& w = *window;
    EXPECT_FALSE(w.State().ReadAllInProgress);
    EXPECT_TRUE(window.TimersRanAfterTransfer());
    EXPECT_TRUE(w.findChild<QTabWidget*>("Parameter_Maske")->isEnabled());
    EXPECT_TRUE(w.findChild<QComboBox*>("Combo_PortNum")->isEnabled());
    EXPECT_TRUE(w.findChild<QProgressBar*>("ProgressBar")->isHidden());
    EXPECT_FALSE(w.ReadAllWatchdog()->isActive());
    const bool ws = w.State().Identity.ConservatoryFamily;
    for (const char* name : {"Send_Button_WS", "Read_Button_WS"}) {
        EXPECT_EQ(w.findChild<QPushButton*>(name)->isHidden(), !ws) << name;
        if (ws) {
            EXPECT_TRUE(w.findChild<QPushButton*>(name)->isEnabled()) << name;
        }
    }
    for (const char* name : {"Send_Button_RS", "Read_Button_RS"}) {
        EXPECT_EQ(w.findChild<QPushButton*>(name)->isHidden(), ws) << name;
        if (!ws) {
            EXPECT_TRUE(w.findChild<QPushButton*>(name)->isEnabled()) << name;
        }
    }
}

enum class Memory { Demo, Rich, RichWithOddities, Full };

struct ReadCase {
    const char* name;
    std::vector<std::string> args;
    Memory memory;
};
void PrintTo(const ReadCase& c, std::ostream* out) {
    *out << c.name;
}

class ReadAllFamilyTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadAllFamilyTest, TheModelHoldsEveryFieldTheControllerReported) {
    const ReadCase& c = GetParam();
    TempWorkDir work;
    testing::SimulatorSetup setup = testing::Setup(c.args);
    if (c.memory == Memory::Full) setup.memory = testing::FullMemory(FeaturesOf(c.args), 9);
    if (c.memory == Memory::Rich || c.memory == Memory::RichWithOddities)
        setup.memory =
            testing::RichMemory(FeaturesOf(c.args), 7, c.memory == Memory::RichWithOddities);
    E2eSimulator sim(work.path(), setup);
    E2eWindow window(work.path());
    ASSERT_TRUE(window.Connect());

    const ConfigurationModel before = window->Model();
    ASSERT_TRUE(window.ReadAll());
    const sim::SimMemory memory = sim.Dump();

    const testing::Mismatches mismatches =
        testing::ReadAllMismatches(window->Model(), before, memory, sim.Features());
    EXPECT_TRUE(mismatches.Empty()) << mismatches.Count() << " differences:\n" << mismatches.Text();
    EXPECT_EQ(testing::ModifiedCount(window->Model()), 0);
    EXPECT_TRUE(window->State().OverwriteConfirmed);
    EXPECT_EQ(window->PanelText(5), "Lesen beendet");
    EXPECT_TRUE(window.log.errors.isEmpty()) << window.log.errors.join("|").toStdString();
    ExpectWindowBack(window);
    const testing::FreeMemory free =
        testing::FreeMemoryOf(testing::TableFromList(memory.switchTimes));
    EXPECT_EQ(window->PanelText(6).toStdString(),
              "Freier Schaltzeiten-Speicher: " + std::to_string(free.percent) + "%");
    EXPECT_EQ(window->findChild<QLabel*>("Speicherplatz_Label")->isHidden(), !free.warning);
    if (c.memory == Memory::Full) {
        EXPECT_EQ(memory.switchTimes.size(), sim::kSwitchTimeCapacity);
        EXPECT_EQ(free.percent, 0);
        EXPECT_TRUE(free.warning);
    }
    // The switching-time editor offers the Controller's names.
    for (const char* name : {"CB_Raum", "CB_Copy_Raum"}) {
        auto* box = window->findChild<QComboBox*>(name);
        ASSERT_NE(box, nullptr) << name;
        ASSERT_GE(box->count(), sim.Features().motors) << name;
        for (int motor = 1; motor <= sim.Features().motors; ++motor) {
            EXPECT_EQ(box->itemText(motor - 1).toStdString(),
                      testing::Cp1252BytesToUtf8(memory.names[motor - 1]))
                << name << " motor " << motor;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Families, ReadAllFamilyTest,
    ::testing::Values(
        ReadCase{"Conservatory32TouchGroups",
                 {"--family", "conservatory", "--touch", "--groups"},
                 Memory::RichWithOddities},
        ReadCase{"Conservatory8", {"--family", "conservatory", "--motors", "8"}, Memory::Demo},
        ReadCase{"SunProtection32RadioGroups",
                 {"--family", "sun", "--radio", "--touch", "--groups"},
                 Memory::RichWithOddities},
        ReadCase{
            "SunProtection8Groups", {"--family", "sun", "--motors", "8", "--groups"}, Memory::Rich},
        ReadCase{"RollerShutter32TouchGroups",
                 {"--family", "roller", "--touch", "--groups"},
                 Memory::Rich},
        ReadCase{"RollerShutter8With4Slots",
                 {"--family", "roller", "--motors", "8", "--slots", "4"},
                 Memory::RichWithOddities},
        // Masks as signed 32-bit decimals: bit 31 arrives as a negative number.
        ReadCase{"Conservatory32SignedMasks",
                 {"--family", "conservatory", "--touch", "--groups", "--signed-masks"},
                 Memory::Rich},
        // Every switching time the Controller can store: 0 % free, the warning shows.
        ReadCase{"Conservatory32Full240",
                 {"--family", "conservatory", "--touch", "--groups"},
                 Memory::Full},
        // Frames cut into small pieces, each read on its own.
        ReadCase{"RollerShutter8SplitFrames",
                 {"--family", "roller", "--motors", "8", "--groups", "--split"},
                 Memory::Demo}),
    [](const auto& info) { return std::string(info.param.name); });

// After a 32-motor Controller, an 8-motor one on the other port: motors 9
// to 32 keep what the first one reported; the switching times are all new.
TEST(ReadAllTest, AnEightMotorControllerLeavesMotors9To32AsTheFirstOneReportedThem) {
    const std::vector<std::string> big = {"--family", "conservatory", "--touch", "--groups"};
    const std::vector<std::string> small = {"--family", "conservatory", "--motors", "8"};
    TempWorkDir work;
    testing::SimulatorSetup first = testing::Setup(big);
    first.memory = testing::RichMemory(FeaturesOf(big), 13);
    testing::SimulatorSetup second = testing::Setup(small, "COM2");
    second.memory = testing::RichMemory(FeaturesOf(small), 14, true);
    E2eSimulator bigSim(work.path(), first);
    E2eSimulator smallSim(work.path(), second);
    E2eWindow window(work.path());
    ASSERT_TRUE(window.Connect());
    ASSERT_TRUE(window.ReadAll());

    window.ChangePort(2);
    ASSERT_TRUE(window.Connect());
    ASSERT_FALSE(window->State().Identity.ThirtyTwoMotors);
    const ConfigurationModel before = window->Model();
    ASSERT_TRUE(window.ReadAll());
    const testing::Mismatches mismatches =
        testing::ReadAllMismatches(window->Model(), before, smallSim.Dump(), smallSim.Features());
    EXPECT_TRUE(mismatches.Empty()) << mismatches.Count() << " differences:\n" << mismatches.Text();
    const sim::SimMemory bigMemory = bigSim.Dump();
    EXPECT_EQ(window->Model().motorName(9), testing::Cp1252BytesToUtf8(bigMemory.names[8]));
    EXPECT_EQ(testing::ModifiedCount(window->Model()), 0);
    ExpectWindowBack(window);
}

TEST(ReadAllTest, FramesWithABadChecksumKeepThePreviousValuesAndShowTheBlocksErrorText) {
    const std::vector<std::string> args = {"--family", "conservatory", "--touch", "--groups"};
    const sim::ModelFeatures f = FeaturesOf(args);
    const sim::SimMemory memory = testing::RichMemory(f, 11);
    const std::vector<DataFrame> frames = testing::ReadAllDataFrames(memory, f);

    // Every 23rd frame with a checksum: every block is hit, the closing frame is not.
    constexpr int kEvery = 23;
    std::set<DataFrame> lost;
    std::vector<std::string> errorTexts;
    for (std::size_t i = kEvery - 1; i < frames.size(); i += kEvery) {
        lost.insert(frames[i]);
        errorTexts.push_back(testing::ErrorTextOf(frames[i], memory));
    }
    ASSERT_FALSE(lost.count(DataFrame{"sfs", DataFrame::kClosing}));
    std::set<std::string> tagsHit;
    for (const DataFrame& frame : lost)
        tagsHit.insert(frame.tag);
    ASSERT_EQ(tagsHit.size(), 14u);  // twelve blocks, holidays, switching times

    TempWorkDir work;
    testing::SimulatorSetup setup = testing::Setup(args);
    setup.args.insert(setup.args.end(), {"--bad-checksum", std::to_string(kEvery)});
    setup.memory = memory;
    E2eSimulator sim(work.path(), setup);
    E2eWindow window(work.path());
    ASSERT_TRUE(window.Connect());
    const ConfigurationModel before = window->Model();
    ASSERT_TRUE(window.ReadAll());

    const testing::Mismatches mismatches =
        testing::ReadAllMismatches(window->Model(), before, sim.Dump(), f, lost);
    EXPECT_TRUE(mismatches.Empty()) << mismatches.Count() << " differences:\n" << mismatches.Text();
    // The lost records really differ from what the Controller holds.
    const testing::Mismatches lostShown =
        testing::ReadAllMismatches(window->Model(), before, memory, f);
    EXPECT_GE(lostShown.Count(), lost.size() / 2) << lostShown.Text();

    std::vector<std::string> shown;
    for (const std::string& text : window.PanelWrites(5))
        if (!text.empty()) shown.push_back(text);
    EXPECT_EQ(shown, errorTexts);
    // The read lacks what was refused, and says so once it has ended.
    EXPECT_EQ(window->PanelText(5).toStdString(), "Unvollständig gelesen");
    EXPECT_TRUE(window->ReadIncomplete());
    ASSERT_TRUE(testing::WaitFor([&] { return !window.log.errors.isEmpty(); }));
    EXPECT_TRUE(window.log.errors[0].contains("Beschattungsparameter: Motor "));
    EXPECT_TRUE(window.log.errors[0].contains("Feiertage: Feiertag "));
    EXPECT_EQ(testing::ModifiedCount(window->Model()), 0);
    ExpectWindowBack(window);
}

// A closing frame that fails its check does not complete the read; the
// watchdog ends it once nothing more arrives.
TEST(ReadAllTest, ABadClosingFrameLeavesTheReadToTheWatchdog) {
    const std::vector<std::string> args = {"--family", "sun", "--motors", "8", "--groups"};
    const sim::ModelFeatures f = FeaturesOf(args);
    const sim::SimMemory memory = testing::RichMemory(f, 17);
    const std::size_t closing = testing::ReadAllDataFrames(memory, f).size();
    TempWorkDir work;
    testing::SimulatorSetup setup = testing::Setup(args);
    setup.args.insert(setup.args.end(), {"--bad-checksum", std::to_string(closing)});
    setup.memory = memory;
    E2eSimulator sim(work.path(), setup);
    E2eWindow window(work.path());
    ASSERT_TRUE(window.Connect());

    auto now = std::chrono::steady_clock::time_point{} + 1h;
    window->ReadAll().SetClock([&] { return now; });
    window->ReadAll().SetTimeout(5s);
    window->Read_ButtonClick();
    ASSERT_TRUE(testing::WaitFor([&] { return window->PanelText(5) == "Fehler Schalt 255"; }));
    EXPECT_TRUE(window->State().ReadAllInProgress);
    window->ReadAllWatchdogTimer();
    now += 5s;
    window->ReadAllWatchdogTimer();
    window.NoteAndStopTimers();
    EXPECT_EQ(window.log.errors, QStringList{kTimedOutMessage});
    ExpectWindowBack(window);
    // Everything before the closing frame arrived.
    const ConfigurationModel fresh;
    const testing::Mismatches mismatches =
        testing::ReadAllMismatches(window->Model(), fresh, memory, f);
    EXPECT_TRUE(mismatches.Empty()) << mismatches.Count() << " differences:\n" << mismatches.Text();
}

TEST(ReadAllTest, AControllerFallingSilentIsEndedByTheWatchdogWithAMessage) {
    // Connecting takes exactly two polls of five answers; the read then gets
    // the shading block and part of the morning twilight block.
    constexpr int kConnectFrames = 10;
    constexpr int kReadFrames = 40;
    TempWorkDir work;
    testing::SimulatorSetup setup =
        testing::Setup({"--family", "conservatory", "--touch", "--groups", "--silent-after-frames",
                        std::to_string(kConnectFrames + kReadFrames)});
    setup.memory = testing::RichMemory(FeaturesOf(setup.args), 5);
    E2eSimulator sim(work.path(), setup);
    E2eWindow window(work.path());
    ASSERT_TRUE(window.Connect());
    ASSERT_EQ(window.Frames(), kConnectFrames);
    window->Model().ClearAllModified();
    const ConfigurationModel before = window->Model();

    auto now = std::chrono::steady_clock::time_point{} + 1h;
    window->ReadAll().SetClock([&] { return now; });
    window->ReadAll().SetTimeout(2s);
    window->Read_ButtonClick();
    ASSERT_TRUE(window->State().ReadAllInProgress);
    ASSERT_TRUE(window.WaitForFrames(kConnectFrames + kReadFrames));
    window->ReadAllWatchdogTimer();  // the last characters came now
    now += 1999ms;
    window->ReadAllWatchdogTimer();
    ASSERT_TRUE(window->State().ReadAllInProgress);
    now += 1ms;
    window->ReadAllWatchdogTimer();
    window.NoteAndStopTimers();

    EXPECT_EQ(window.log.errors, QStringList{kTimedOutMessage});
    EXPECT_EQ(window->PanelText(5), "Zeitüberschreitung beim Lesen");
    ExpectWindowBack(window);
    // What arrived is kept, and all of it is to be sent again.
    const sim::SimMemory memory = sim.Dump();
    const testing::BlockRule& shading = testing::RuleOf(sim::MotorBlock::Shading);
    for (int motor = 1; motor <= 32; ++motor) {
        EXPECT_EQ(
            shading.Codes(window->Model(), motor),
            testing::CodesFromWire(shading, memory.Record(sim::MotorBlock::Shading, motor), false))
            << "motor " << motor;
    }
    EXPECT_EQ(window->Model().twilightEvening(1).FromCode, before.twilightEvening(1).FromCode);
    EXPECT_EQ(testing::ModifiedCount(window->Model()), testing::kModifiableCount);
    EXPECT_FALSE(window->State().OverwriteConfirmed);
}

}  // namespace
}  // namespace veltrano
