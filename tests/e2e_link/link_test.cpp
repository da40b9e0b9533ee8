// The real window, offscreen, against the simulated Controller: connecting,
// the status panels, the firmware gate, a pulled cable and a port change.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTimer>
#include <chrono>
#include <ctime>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "e2e_simulator.h"
#include "e2e_window.h"
#include "e2e_wire.h"
#include "temp_workdir.h"

namespace veltrano {
namespace {

using testing::E2eSimulator;
using testing::E2eWindow;
using testing::TempWorkDir;

std::string FileText(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string LocalDateText(std::chrono::system_clock::time_point at) {
    const std::time_t t = std::chrono::system_clock::to_time_t(at);
    std::tm tm{};
    localtime_r(&t, &tm);
    char text[32];
    std::snprintf(text, sizeof text, "%02d.%02d.%02d", tm.tm_mday, tm.tm_mon + 1, tm.tm_year % 100);
    return text;
}

// Item text of a 1-based brightness code: "0,1 " .. "900 ", "1 k" .. "100 k", "110 k" .. "990 k".
std::string BrightnessItem(long long code) {
    const long long i = code - 1;
    if (i < 9) return "0," + std::to_string(i + 1) + " ";
    if (i < 18) return std::to_string(i - 8) + " ";
    if (i < 27) return std::to_string((i - 17) * 10) + " ";
    if (i < 36) return std::to_string((i - 26) * 100) + " ";
    if (i < 136) return std::to_string(i - 35) + " k";
    return std::to_string((i - 135) * 10 + 100) + " k";
}

// The numbers of the last skd frame the window received.
std::vector<long long> LastSensorNumbers(const E2eWindow& window) {
    std::vector<long long> numbers;
    for (auto it = window.FrameTexts().rbegin(); it != window.FrameTexts().rend(); ++it) {
        if (it->rfind("skd  ", 0) != 0) continue;
        std::istringstream in(it->substr(5));
        std::string item;
        while (std::getline(in, item, ','))
            numbers.push_back(std::stoll(item));
        break;
    }
    return numbers;
}

struct IdentityCase {
    const char* name;
    std::vector<std::string> args;
};
void PrintTo(const IdentityCase& c, std::ostream* out) {
    *out << c.name;
}

class LinkIdentityTest : public ::testing::TestWithParam<IdentityCase> {};

TEST_P(LinkIdentityTest, ConnectsAndShowsTheControllerItsDateTimeAndSensors) {
    TempWorkDir work;
    E2eSimulator sim(work.path(), GetParam().args);
    E2eWindow window(work.path());
    ASSERT_TRUE(window->Comm1().IsOpen());
    const auto before = std::chrono::system_clock::now();
    ASSERT_TRUE(window.Connect());
    const auto after = std::chrono::system_clock::now();
    EXPECT_TRUE(window.log.errors.isEmpty()) << window.log.errors.join("|").toStdString();

    EXPECT_EQ(window->PanelText(0).toStdString(), sim.ModelText());
    EXPECT_EQ(window->PanelText(1).toStdString(), "V" + sim.FirmwareText());
    EXPECT_EQ(window->State().FirmwareVersion, 7514);
    const std::string date = window->PanelText(2).toStdString();
    EXPECT_TRUE(date == LocalDateText(before) || date == LocalDateText(after)) << date;
    EXPECT_TRUE(QRegularExpression("^([01]\\d|2[0-3]):[0-5]\\d:[0-5]\\d$")
                    .match(window->PanelText(3))
                    .hasMatch())
        << window->PanelText(3).toStdString();

    const std::vector<long long> n = LastSensorNumbers(window);
    ASSERT_EQ(n.size(), 16u);
    EXPECT_EQ(window->PanelText(9).toStdString(),
              "AT: " + std::to_string(n[5]) + "," + std::to_string(n[6]) + "°");
    EXPECT_EQ(window->PanelText(10).toStdString(),
              "IT: " + std::to_string(n[1]) + "," + std::to_string(n[2]) + "°");
    const sim::ModelFeatures& f = sim.Features();
    if (testing::SunOrConservatory(f)) {
        EXPECT_EQ(window->PanelText(7).toStdString(), "Sonne: " + BrightnessItem(n[0]));
        EXPECT_EQ(window->PanelText(8).toStdString(), "Wind: " + std::to_string(n[13]));
    } else {
        EXPECT_EQ(window->PanelText(7), "");
        EXPECT_EQ(window->PanelText(8), "");
    }

    // The window follows what the model text announces.
    const ControllerIdentity& id = window->State().Identity;
    EXPECT_EQ(id.SunProtectionFamily, f.sunProtection);
    EXPECT_EQ(id.ConservatoryFamily, f.conservatory);
    EXPECT_EQ(id.TouchAutomationAvailable, f.touch);
    EXPECT_EQ(id.GroupCentralAvailable, f.groups);
    EXPECT_EQ(id.RadioVariant, f.radio);
    EXPECT_EQ(id.ThirtyTwoMotors, f.motors == 32);
    EXPECT_EQ(id.EightTimesPerDay, f.slotsPerDay == 8);
    EXPECT_FALSE(window->State().LinkDown);
    EXPECT_TRUE(window->findChild<QLabel*>("KeineVerbindung_Label")->isHidden());
    const bool ws = f.conservatory;
    EXPECT_EQ(window->findChild<QPushButton*>("Send_Button_WS")->isHidden(), !ws);
    EXPECT_EQ(window->findChild<QPushButton*>("Send_Button_RS")->isHidden(), ws);
    auto* pages = window->findChild<QTabWidget*>("Parameter_Maske");
    EXPECT_EQ(pages->isTabVisible(1), testing::SunOrConservatory(f));
    EXPECT_EQ(pages->isTabVisible(3), f.conservatory);
    EXPECT_EQ(FileText("Veltrano.ini"), "1\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Families, LinkIdentityTest,
    ::testing::Values(IdentityCase{"Conservatory32TouchGroups",
                                   {"--family", "conservatory", "--touch", "--groups"}},
                      IdentityCase{"SunProtection8Radio",
                                   {"--family", "sun", "--motors", "8", "--radio", "--touch"}},
                      IdentityCase{"RollerShutter8With4Slots",
                                   {"--family", "roller", "--motors", "8", "--slots", "4"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct FirmwareCase {
    const char* firmware;
    const char* refusal;  // nullptr: accepted
};
void PrintTo(const FirmwareCase& c, std::ostream* out) {
    *out << c.firmware;
}

class FirmwareGateTest : public ::testing::TestWithParam<FirmwareCase> {};

TEST_P(FirmwareGateTest, RefusesOldFirmwareWithItsTextAndEndsTheProgram) {
    TempWorkDir work;
    E2eSimulator sim(work.path(), {"--family", "sun", "--firmware", GetParam().firmware});
    E2eWindow window(work.path());
    ASSERT_TRUE(window.Poll());
    ASSERT_EQ(window->PanelText(0).toStdString(), sim.ModelText());
    ASSERT_TRUE(window.Poll());  // the tick that judges the firmware
    if (!GetParam().refusal) {
        EXPECT_TRUE(window.log.errors.isEmpty()) << window.log.errors.join("|").toStdString();
        EXPECT_EQ(window.log.endProgramCalls, 0);
        EXPECT_FALSE(window->State().LinkDown);
        return;
    }
    const QString text = QString(
                             "   Diese Version von Veltrano kann ausschließlich für \n"
                             "Steuerungen mit Firmware V%1 oder höher verwendet werden.\n")
                             .arg(GetParam().refusal);
    EXPECT_EQ(window.log.errors, QStringList{text});
    EXPECT_EQ(window.log.endProgramCalls, 1);
    EXPECT_TRUE(window->State().LinkDown);
}

INSTANTIATE_TEST_SUITE_P(Versions, FirmwareGateTest,
                         ::testing::Values(FirmwareCase{"7.013", "7.014"},
                                           FirmwareCase{"7.014", nullptr},
                                           FirmwareCase{"7.500", nullptr},
                                           FirmwareCase{"7.501", "7.514"},
                                           FirmwareCase{"7.513", "7.514"}),
                         [](const auto& info) {
                             std::string name = std::string("V") + info.param.firmware;
                             name.erase(name.find('.'), 1);
                             return name;
                         });

TEST(LinkTest, SilenceIsNoConnectionWithinTwoChecksAndTheLinkReturnsWithTheAnswers) {
    TempWorkDir work;
    E2eSimulator sim(work.path(), {"--family", "conservatory", "--touch", "--groups"});
    E2eWindow window(work.path());
    ASSERT_TRUE(window.Connect());
    window->Timer3Timer();  // a check while the Controller answers
    ASSERT_EQ(window->PanelText(0).toStdString(), sim.ModelText());
    window->Model().ClearAllModified();

    ASSERT_EQ(sim.Process().ToggleSilence(), "silent");
    int checks = 0;
    while (checks < 2 && window->PanelText(0) != TQuorvan::kNoConnection) {
        window->Timer1Timer();  // unanswered
        window->Timer3Timer();
        ++checks;
    }
    EXPECT_EQ(window->PanelText(0), "Keine Verbindung") << "after " << checks << " checks";
    EXPECT_EQ(testing::ModifiedCount(window->Model()), testing::kModifiableCount);
    window->Timer1Timer();
    EXPECT_TRUE(window->State().LinkDown);
    EXPECT_FALSE(window->findChild<QLabel*>("KeineVerbindung_Label")->isHidden());
    EXPECT_EQ(window->PanelText(1), "");
    EXPECT_EQ(window->PanelText(2), "");
    EXPECT_EQ(window->PanelText(3), "");

    ASSERT_EQ(sim.Process().ToggleSilence(), "answering");
    ASSERT_TRUE(window.Connect());
    EXPECT_EQ(window->PanelText(0).toStdString(), sim.ModelText());
    EXPECT_TRUE(window->findChild<QLabel*>("KeineVerbindung_Label")->isHidden());
    window->Timer3Timer();
    EXPECT_EQ(window->PanelText(0).toStdString(), sim.ModelText());
    EXPECT_TRUE(window.log.errors.isEmpty()) << window.log.errors.join("|").toStdString();
}

TEST(LinkTest, PortChangeReopensOnASecondControllerAndBack) {
    TempWorkDir work;
    E2eSimulator first(work.path(), {"--family", "conservatory", "--touch", "--groups"});
    E2eSimulator second(work.path(), {"--family", "sun", "--motors", "8", "--groups"}, "COM2");
    E2eWindow window(work.path());
    ASSERT_TRUE(window.Connect());
    ASSERT_TRUE(window->State().Identity.ConservatoryFamily);
    window->Model().ClearAllModified();

    window.ChangePort(2);
    EXPECT_TRUE(window.log.errors.isEmpty()) << window.log.errors.join("|").toStdString();
    EXPECT_EQ(window->Comm1().PortNum(), 2);
    EXPECT_TRUE(window->Comm1().IsOpen());
    EXPECT_EQ(window->PanelText(0), "Keine Verbindung");
    for (int panel = 1; panel < TQuorvan::kPanelCount; ++panel)
        EXPECT_EQ(window->PanelText(panel), "") << "panel " << panel;
    EXPECT_EQ(testing::ModifiedCount(window->Model()), testing::kModifiableCount);

    ASSERT_TRUE(window.Connect());
    EXPECT_EQ(window->PanelText(0).toStdString(), second.ModelText());
    const ControllerIdentity& id = window->State().Identity;
    EXPECT_TRUE(id.SunProtectionFamily);
    EXPECT_FALSE(id.ConservatoryFamily);
    EXPECT_FALSE(id.ThirtyTwoMotors);
    EXPECT_FALSE(window->findChild<QPushButton*>("Send_Button_RS")->isHidden());
    EXPECT_TRUE(window->findChild<QPushButton*>("Send_Button_WS")->isHidden());
    // The settings file keeps the port of the first connection of the run.
    EXPECT_EQ(FileText("Veltrano.ini"), "1\r\n");

    window.ChangePort(1);
    ASSERT_TRUE(window.Connect());
    EXPECT_EQ(window->PanelText(0).toStdString(), first.ModelText());
    EXPECT_TRUE(window->State().Identity.ConservatoryFamily);
    EXPECT_TRUE(window->State().Identity.ThirtyTwoMotors);
    EXPECT_TRUE(window.log.errors.isEmpty()) << window.log.errors.join("|").toStdString();
}

// A session as a user has it: the window's own timers poll and check the
// link while the configuration is read and sent back.
TEST(LinkTest, WithItsOwnTimersTheWindowStaysLinkedThroughAReadAndASend) {
    TempWorkDir work;
    E2eSimulator sim(work.path(), {"--family", "sun", "--touch", "--groups"});
    E2eWindow window(work.path());
    int linkChecks = 0;
    QObject::connect(window->Timer3(), &QTimer::timeout, [&] { ++linkChecks; });
    window.StartTimers();
    ASSERT_TRUE(testing::WaitFor([&] {
        return window->PanelText(0).toStdString() == sim.ModelText() && !window->State().LinkDown;
    }));

    window->Read_ButtonClick();
    ASSERT_TRUE(window->State().ReadAllInProgress);
    ASSERT_TRUE(testing::WaitFor([&] { return !window->State().ReadAllInProgress; }));
    EXPECT_TRUE(window->Timer1()->isActive());
    window->Send_ButtonClick();
    ASSERT_TRUE(window->State().SendInProgress);
    ASSERT_TRUE(testing::WaitFor([&] { return !window->State().SendInProgress; }));
    EXPECT_TRUE(window->Timer1()->isActive());

    const int checksBefore = linkChecks;
    ASSERT_TRUE(testing::WaitFor([&] { return linkChecks >= checksBefore + 2; }));
    EXPECT_EQ(window->PanelText(0).toStdString(), sim.ModelText());
    EXPECT_FALSE(window->State().LinkDown);
    EXPECT_EQ(testing::ModifiedCount(window->Model()), 0);
    EXPECT_TRUE(window.log.errors.isEmpty()) << window.log.errors.join("|").toStdString();
    EXPECT_TRUE(window.log.questions.isEmpty());
}

// A Controller that is not there at start, then appears, then is pulled and
// plugged in again: the window finds it each time by itself, with one box
// (the first failure) in all.
TEST(LinkTest, TheChosenPortIsOpenedAgainWhenItsDeviceComesBack) {
    TempWorkDir work;
    const std::vector<std::string> args = {"--family", "sun"};
    E2eWindow window(work.path());
    ASSERT_EQ(window.log.errors.size(), 1);
    EXPECT_TRUE(window->ReconnectTimer()->isActive());
    auto waitOpen = [&](bool open) {
        return testing::WaitFor([&] { return window->Comm1().IsOpen() == open; }, 10000);
    };

    auto sim = std::make_unique<E2eSimulator>(work.path(), args);
    ASSERT_TRUE(waitOpen(true));
    EXPECT_FALSE(window->ReconnectTimer()->isActive());
    ASSERT_TRUE(window.Connect());

    sim.reset();  // the line hangs up
    auto* label21 = window->findChild<QLabel*>("Label21");
    ASSERT_TRUE(testing::WaitFor([&] { return label21->text() == "Fehler RS232"; }, 10000));
    EXPECT_FALSE(window->Comm1().IsOpen());
    EXPECT_TRUE(window->ReconnectTimer()->isActive());
    window->Model().ClearAllModified();

    sim = std::make_unique<E2eSimulator>(work.path(), args);
    ASSERT_TRUE(waitOpen(true));
    EXPECT_EQ(window->findChild<QLabel*>("Label21")->text(), "");
    EXPECT_EQ(window->PanelText(0), "Keine Verbindung");
    EXPECT_EQ(testing::ModifiedCount(window->Model()), testing::kModifiableCount);
    ASSERT_TRUE(window.Connect());
    EXPECT_EQ(window->PanelText(0).toStdString(), sim->ModelText());
    EXPECT_EQ(window.log.errors.size(), 1) << window.log.errors.join("|").toStdString();
}

}  // namespace
}  // namespace veltrano
