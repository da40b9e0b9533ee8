// The sheet " Parameter" against the simulated Controller: every control
// set as a user sets it reaches the Controller with "PC --> Steuerung"; what
// "Steuerung --> PC" reads shows on the sheet; a read that falls silent
// among the holidays leaves fields that equal the model. Wire numbers are
// written from the protocol's offsets, not from the program's encoders.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "e2e_memory.h"
#include "e2e_simulator.h"
#include "e2e_window.h"
#include "e2e_wire.h"
#include "temp_workdir.h"
#include "user_actions.h"

namespace veltrano {
namespace {

using namespace std::chrono_literals;
using testing::E2eSimulator;
using testing::E2eWindow;
using testing::TempWorkDir;

constexpr int kParameterSheet = 7;

sim::ModelFeatures FeaturesOf(const std::vector<std::string>& args) {
    std::string error;
    const auto options = sim::ParseOptions(args, &error);
    return options ? options->config.identity.features : sim::ModelFeatures{};
}

// The window shown (its sheets' steps follow showing and hiding) with the
// parameter sheet's controls at hand.
class ParameterWindow {
  public:
    explicit ParameterWindow(E2eWindow& window) : w_(window) { w_->show(); }

    template <typename T>
    T* Find(const QString& name) {
        T* found = w_->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    void ShowSheet(int index) {
        testing::ClickTab(Find<QTabWidget>("Parameter_Maske"), index);
        w_.StopTimers();  // leaving the parameter sheet starts the polling timer
    }
    QCheckBox* Box(int number) { return Find<QCheckBox>(QString("CheckBox%1").arg(number)); }
    template <typename T>
    T* Numbered(const char* prefix, int n, const char* suffix = "") {
        return Find<T>(QString("%1%2%3").arg(prefix).arg(n).arg(suffix));
    }
    QString Text(const char* name) {
        if (auto* box = w_->findChild<QComboBox*>(name)) return box->currentText();
        return Find<QLabel>(name)->text();
    }
    QString Field(int n) { return Numbered<QLineEdit>("Edit", n)->text(); }

  private:
    E2eWindow& w_;
};

// Alarm code of a motor and the group boxes a test ticks: fixed patterns
// that differ from bank to bank.
int AlarmCode(int motor) {
    return (motor * 7 + 1) % 3;
}
bool Ticked(int bank, int group, int position) {
    return (bank * 5 + group * 3 + position) % 4 == 0;
}
QString HolidayText(int day, int month) {
    return QString("       %1.%2.").arg(day, 2, 10, QChar('0')).arg(month, 2, 10, QChar('0'));
}

struct SendCase {
    const char* name;
    std::vector<std::string> args;
};
void PrintTo(const SendCase& c, std::ostream* out) {
    *out << c.name;
}

class ParameterSendTest : public ::testing::TestWithParam<SendCase> {};

TEST_P(ParameterSendTest, EveryControlSetOnTheSheetReachesTheController) {
    const SendCase& c = GetParam();
    const sim::ModelFeatures f = FeaturesOf(c.args);
    TempWorkDir work;
    testing::SimulatorSetup setup = testing::Setup(c.args);
    const sim::SimMemory before = sim::DemoMemory(f);
    setup.memory = before;
    E2eSimulator sim(work.path(), setup);
    E2eWindow window(work.path());
    ASSERT_TRUE(window.Connect());
    ParameterWindow sheet(window);
    sheet.ShowSheet(kParameterSheet);

    // The boxes the family shows, each on an item the Controller did not have.
    struct Choice {
        const char* box;
        int index;
        bool conservatoryOnly;
    };
    const Choice choices[] = {{"ZufallsZeitspanne", 58, false},      // 60 min
                              {"BeschattungsHysterese", 20, false},  // 22
                              {"OffsetAussentemperatur", 0, false},  // -5 °C
                              {"OffsetInnentemperatur", 10, true},   // +5 °C
                              {"Heiz_Hysterese", 8, true},           // 0,9 °C
                              {"AusloeseverzoegerungWind", 20, false}};
    for (const Choice& choice : choices) {
        auto* box = sheet.Find<QComboBox>(choice.box);
        ASSERT_EQ(box->isVisibleTo(sheet.Find<QWidget>("Parameter")),
                  !choice.conservatoryOnly || f.conservatory)
            << choice.box;
        if (!choice.conservatoryOnly || f.conservatory) testing::Choose(box, choice.index);
    }
    auto* nextAlarm = sheet.Find<QPushButton>("AS_Bank_next_");
    for (int bank = 1; bank <= 4; ++bank) {
        for (int k = 1; k <= 8; ++k)
            testing::ClickItem(sheet.Numbered<QListWidget>("AS_", k),
                               AlarmCode(8 * (bank - 1) + k));
        nextAlarm->click();
    }
    if (f.groups) {
        auto* soft = sheet.Find<QCheckBox>("Soft_GZS");
        testing::ClickCheckBox(soft);
        for (int bank = 1; bank <= 4; ++bank) {
            for (int number = 1; number <= 32; ++number)
                if (sheet.Box(number)->isChecked() !=
                    Ticked(bank, (number + 7) / 8, (number - 1) % 8 + 1))
                    testing::ClickCheckBox(sheet.Box(number));
            // The last bank stays on screen: the send-all takes it over itself.
            if (bank < 4) sheet.Find<QPushButton>("GZ_Bank_next_")->click();
        }
    }
    for (int n = 1; n <= 15; ++n)
        testing::TypeDayAndMonth(sheet.Numbered<QDateEdit>("DateTimePicker", n), n + 10,
                                 n % 12 + 1);

    ASSERT_TRUE(window.SendAll());
    EXPECT_TRUE(window.log.errors.isEmpty()) << window.log.errors.join("|").toStdString();
    const sim::SimMemory memory = sim.Dump();

    // "sas": bit m - 1 in the up mask for code 0, in the down mask for code 2.
    std::uint32_t up = 0, down = 0;
    for (int motor = 1; motor <= 32; ++motor) {
        if (AlarmCode(motor) == 0) up |= 1u << (motor - 1);
        if (AlarmCode(motor) == 2) down |= 1u << (motor - 1);
    }
    EXPECT_EQ(memory.alarmUpMask, up);
    EXPECT_EQ(memory.alarmDownMask, down);
    // "sgz": group g's mask, bit 8 (bank - 1) + i - 1 for box i of the bank.
    for (int g = 1; g <= 4; ++g) {
        std::uint32_t mask = 0;
        for (int bank = 1; bank <= 4; ++bank)
            for (int i = 1; i <= 8; ++i)
                if (Ticked(bank, g, i)) mask |= 1u << (8 * (bank - 1) + i - 1);
        EXPECT_EQ(memory.groupMasks[g - 1], f.groups ? mask : before.groupMasks[g - 1])
            << "group " << g;
    }
    for (int n = 1; n <= 15; ++n) {
        EXPECT_EQ(memory.holidays[n - 1].day, n + 10) << n;
        EXPECT_EQ(memory.holidays[n - 1].month, n % 12 + 1) << n;
    }
    EXPECT_EQ(memory.randomSpan, 60);                                // "szz": minutes
    EXPECT_EQ(memory.shadingHysteresis, 22 + (f.groups ? 128 : 0));  // "sbh", Soft-GZS bit 7
    EXPECT_EQ(memory.outsideOffset, 95);                             // "soa": offset + 100
    EXPECT_EQ(memory.insideOffset, f.conservatory ? 105 : before.insideOffset);          // "soi"
    EXPECT_EQ(memory.heatingHysteresis, f.conservatory ? 9 : before.heatingHysteresis);  // "shh"
    EXPECT_EQ(memory.windDelay, 20);  // "saw": seconds
}

INSTANTIATE_TEST_SUITE_P(Families, ParameterSendTest,
                         ::testing::Values(SendCase{"ConservatoryWithGroups",
                                                    {"--family", "conservatory", "--touch",
                                                     "--groups"}},
                                           SendCase{"SunProtection", {"--family", "sun"}}),
                         [](const auto& info) { return std::string(info.param.name); });

// The demonstration memory (what scripts/run starts the simulator with),
// with motors in group bank 2 as well.
TEST(ParameterReadTest, WhatTheControllerHoldsShowsOnTheSheet) {
    const std::vector<std::string> args = {"--family", "conservatory", "--touch", "--groups"};
    TempWorkDir work;
    testing::SimulatorSetup setup = testing::Setup(args);
    sim::SimMemory memory = sim::DemoMemory(FeaturesOf(args));
    memory.groupMasks[0] |= 0x0000A500u;  // bank 2, group 1: boxes 1, 3, 6, 8
    memory.groupMasks[2] |= 0x00000200u;  // bank 2, group 3: box 2 (CheckBox18)
    setup.memory = memory;
    E2eSimulator sim(work.path(), setup);
    E2eWindow window(work.path());
    ASSERT_TRUE(window.Connect());
    ParameterWindow sheet(window);
    sheet.ShowSheet(kParameterSheet);
    ASSERT_TRUE(window.ReadAll());

    EXPECT_EQ(sheet.Text("ZufallsZeitspanne"), "± 15 min");
    EXPECT_EQ(sheet.Text("BeschattungsHysterese"), "12");
    EXPECT_TRUE(sheet.Find<QCheckBox>("Soft_GZS")->isChecked());
    EXPECT_EQ(sheet.Text("OffsetAussentemperatur"), "+ 1 °C");
    EXPECT_EQ(sheet.Text("OffsetInnentemperatur"), "- 2 °C");
    EXPECT_EQ(sheet.Text("Heiz_Hysterese"), "± 0,4 °C");
    EXPECT_EQ(sheet.Text("AusloeseverzoegerungWind"), "5 s");

    // Wohnzimmer up, Küche and Esszimmer down, the rest no action.
    const int rows[] = {0, 2, 2, 1, 1, 1, 1, 1};
    for (int k = 1; k <= 8; ++k) {
        EXPECT_EQ(sheet.Numbered<QListWidget>("AS_", k)->currentRow(), rows[k - 1]);
        EXPECT_EQ(sheet.Numbered<QLabel>("AS_", k, "_Label")->text().toStdString(),
                  testing::Cp1252BytesToUtf8(memory.names[k - 1]));
    }
    EXPECT_EQ(sheet.Text("AS_1_Label").trimmed(), "Wohnzimmer");

    auto ticked = [&] {
        std::vector<int> numbers;
        for (int number = 1; number <= 32; ++number)
            if (sheet.Box(number)->isChecked()) numbers.push_back(number);
        return numbers;
    };
    EXPECT_EQ(ticked(), (std::vector<int>{1, 2, 3, 4, 13, 14, 15, 16, 17, 24, 25}));
    sheet.Find<QPushButton>("GZ_Bank_next_")->click();
    EXPECT_EQ(ticked(), (std::vector<int>{1, 3, 6, 8, 18}));

    for (int n = 1; n <= 15; ++n)
        EXPECT_EQ(sheet.Field(n),
                  HolidayText(memory.holidays[n - 1].day, memory.holidays[n - 1].month))
            << n;
    EXPECT_EQ(sheet.Field(12), "       24.12.");
}

// Silent after seven of the fifteen holidays: the watchdog ends the read,
// and the fields show what the model now holds, so a save keeps it.
TEST(ParameterReadTest, AReadFallingSilentAmongTheHolidaysLeavesFieldsEqualToTheModel) {
    const std::vector<std::string> args = {"--family", "conservatory", "--touch", "--groups"};
    const sim::ModelFeatures f = FeaturesOf(args);
    const sim::SimMemory memory = testing::RichMemory(f, 21);
    // Before the holidays come the per-motor blocks, seven single frames
    // (soa, saw, sas, sgz, ssp, soi, shh) and the 32 names.
    const std::vector<testing::DataFrame> frames = testing::ReadAllDataFrames(memory, f);
    const auto perMotor = std::find_if(frames.begin(), frames.end(),
                                       [](const auto& frame) { return frame.tag == "sft"; }) -
                          frames.begin();
    const int firstHoliday = static_cast<int>(perMotor) + 7 + 32;
    constexpr int kConnectFrames = 10, kHolidaysRead = 7;
    TempWorkDir work;
    testing::SimulatorSetup setup = testing::Setup(args);
    setup.args.insert(
        setup.args.end(),
        {"--silent-after-frames", std::to_string(kConnectFrames + firstHoliday + kHolidaysRead)});
    setup.memory = memory;
    E2eSimulator sim(work.path(), setup);
    E2eWindow window(work.path());
    ASSERT_TRUE(window.Connect());
    ASSERT_EQ(window.Frames(), kConnectFrames);

    auto now = std::chrono::steady_clock::time_point{} + 1h;
    window->ReadAll().SetClock([&] { return now; });
    window->ReadAll().SetTimeout(2s);
    window->Read_ButtonClick();
    ASSERT_TRUE(window.WaitForFrames(kConnectFrames + firstHoliday + kHolidaysRead));
    window->ReadAllWatchdogTimer();
    now += 2s;
    window->ReadAllWatchdogTimer();
    window.NoteAndStopTimers();
    ASSERT_FALSE(window->State().ReadAllInProgress);

    const auto holidayFrames =
        std::count_if(window.FrameTexts().begin(), window.FrameTexts().end(),
                      [](const std::string& text) { return text.rfind("sft", 0) == 0; });
    ASSERT_EQ(holidayFrames, kHolidaysRead);

    ParameterWindow sheet(window);
    for (int n = 1; n <= 15; ++n) {
        const Holiday& holiday = window->Model().holiday(n);
        EXPECT_EQ(sheet.Field(n), HolidayText(holiday.Day, holiday.Month)) << n;
        if (n <= kHolidaysRead) {
            EXPECT_EQ(holiday.Day, memory.holidays[n - 1].day) << n;
            EXPECT_EQ(holiday.Month, memory.holidays[n - 1].month) << n;
        }
    }
    EXPECT_EQ(window.log.errors.size(), 1);  // the time-out's message
}

}  // namespace
}  // namespace veltrano
