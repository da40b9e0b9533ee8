// The read-all in the main window, offscreen. The port stays closed: the
// requests are taken from the sequence's writer (ReadAll().WriteText), and
// the Controller's answers are fed straight into the receive handler.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <chrono>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/tquorvan.h"
#include "link/send_all_checks.h"
#include "fake_dialogs.h"
#include "qt_app.h"
#include "temp_workdir.h"
#include "test_window.h"

namespace veltrano {
namespace {

using namespace std::chrono_literals;
using testing::DialogLog;
using testing::FakeDialogs;
using testing::TempWorkDir;

const char* kConservatory = "QX-7000-W-7-9 TG";  // touch automation and group control
const char* kRoller = "QX-7000-R-7-4   ";

std::string Frame(const std::string& tag, std::initializer_list<long long> numbers) {
    std::string payload;
    long long sum = 0;
    for (long long n : numbers) {
        payload += std::to_string(n) + ",";
        sum += n;
    }
    return "start_" + tag + payload + std::to_string(sum) + ",ende_";
}

std::string SwitchTimeFrame(std::initializer_list<long long> numbers) {
    return Frame("sfs", numbers);
}

const std::string kOpening = SwitchTimeFrame({0, 0, 0, 0, 0, 0, 0, 0, 0});
const std::string kClosing = SwitchTimeFrame({255, 0, 0, 0, 0, 0, 0, 0, 0});

class ReadAllWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = testing::MakeTestWindow(log, work.path());
        testing::StartWithTimersStopped(*window);  // the closed port reports one error
        log.errors.clear();

        window->ReadAll().WriteText = [this](std::string_view bytes) { written += bytes; };
        WindowHooks& hooks = window->Hooks();
        hooks.BlankSwitchTimeListsForRead = [this](const std::string& row6) {
            blankedRows.push_back(row6);
        };
        auto record = [this](const char* name) { return [this, name] { calls.push_back(name); }; };
        hooks.LoadGroupCheckBoxes = record("LoadGroupCheckBoxes");
        hooks.RebuildSwitchTimeLists = record("RebuildSwitchTimeLists");
        hooks.Beschattung_MaskeEnter = record("Beschattung_MaskeEnter");
        hooks.Wind_Regen_MaskeEnter = record("Wind_Regen_MaskeEnter");
        hooks.Wintergarten_MaskeEnter = record("Wintergarten_MaskeEnter");
        hooks.CB_WochentagClick = record("CB_WochentagClick");
        hooks.ParameterEnter = record("ParameterEnter");
    }

    void Connect(const char* model) {
        window->SetPanelText(0, model);
        window->State().FirmwareVersion = 7514;
        window->Timer1Timer();
        ASSERT_FALSE(window->State().LinkDown);
    }

    template <typename T>
    T* Find(const char* name) {
        return window->findChild<T*>(name);
    }

    // The control the switching-time editor will own; made here while it does not exist.
    template <typename T>
    T* EnsureControl(const char* name) {
        if (T* existing = Find<T>(name)) return existing;
        auto* control = new T(Find<QWidget>("Schaltzeit_Maske"));
        control->setObjectName(name);
        return control;
    }

    void Receive(const std::string& bytes) { window->Receiver().OnReceive(bytes); }

    bool Enabled(const char* name) { return Find<QWidget>(name)->isEnabled(); }
    bool Hidden(const char* name) { return Find<QWidget>(name)->isHidden(); }

    TempWorkDir work;
    DialogLog log;
    std::unique_ptr<TQuorvan> window;
    std::string written;
    std::vector<std::string> blankedRows;
    std::vector<std::string> calls;
};

TEST_F(ReadAllWindowTest, PressingTheButtonDisablesTheWindowAndWritesEveryRequest) {
    Connect(kConservatory);
    window->Model().switchTime(2, 3, 4).TimeCode = 500;
    window->State().RxCount = 77;
    window->State().TxCount = 88;
    window->Timer1()->start();
    window->Timer3()->start();

    Find<QPushButton>("Send_Button_WS")->click();

    EXPECT_EQ(written,
              "sbpsdmsdaswpsrpsjpsoasawsas"
              "sgz"
              "sppsipshpsfpsapsspsoishh"
              "sta"
              "smnsftszzsbhsfs");
    EXPECT_TRUE(window->State().ReadAllInProgress);
    EXPECT_EQ(window->State().RxCount, 0);
    EXPECT_EQ(window->State().TxCount, 0);
    EXPECT_FALSE(window->Timer1()->isActive());
    EXPECT_FALSE(window->Timer3()->isActive());
    EXPECT_TRUE(window->ReadAllWatchdog()->isActive());
    for (const char* name : {"Send_Button_WS", "Read_Button_WS", "Send_Button_RS", "Read_Button_RS",
                             "Parameter_Maske", "Combo_PortNum"})
        EXPECT_FALSE(Enabled(name)) << name;
    auto* progress = Find<QProgressBar>("ProgressBar");
    EXPECT_FALSE(progress->isHidden());
    EXPECT_EQ(progress->maximum(), 26000);
    EXPECT_EQ(progress->value(), 0);
    EXPECT_EQ(blankedRows, std::vector<std::string>{"     Lese Daten von Steuerung ..."});
    EXPECT_EQ(calls, std::vector<std::string>{"LoadGroupCheckBoxes"});
    const SwitchTime& cleared = window->Model().switchTime(2, 3, 4);
    EXPECT_EQ(cleared.TimeCode, 0);
    EXPECT_EQ(cleared.DurationCode, 0);
    EXPECT_FALSE(cleared.Modified);
}

TEST_F(ReadAllWindowTest, NothingHappensWhileTheLinkIsDown) {
    window->Timer1Timer();
    ASSERT_TRUE(window->State().LinkDown);
    const ConfigurationModel before = window->Model();
    window->Read_ButtonClick();
    EXPECT_TRUE(written.empty());
    EXPECT_TRUE(blankedRows.empty());
    EXPECT_TRUE(calls.empty());
    EXPECT_FALSE(window->State().ReadAllInProgress);
    EXPECT_EQ(window->Model(), before);
    EXPECT_TRUE(Enabled("Parameter_Maske"));
}

TEST_F(ReadAllWindowTest, AnswersFillTheModelAndTheClosingFrameRestoresTheWindow) {
    Connect(kConservatory);
    window->State().OverwriteConfirmed = false;
    Find<QPushButton>("Send_Button_WS")->click();
    calls.clear();

    Receive(Frame("sbp", {3, 1, 122, 8, 19, 40, 10}));
    EXPECT_EQ(window->PanelText(6), "Beschattungsparameter");
    const int rx = window->State().RxCount;
    EXPECT_EQ(Find<QProgressBar>("ProgressBar")->value(), rx);
    Receive("start_smn01,Wohnzimmer  ende_");
    Receive(kOpening);
    Receive(SwitchTimeFrame({2, 0, 1, 1, 6, 30, 10, 5, 0}));
    EXPECT_EQ(window->PanelText(6), "Schaltzeiten Di");
    EXPECT_TRUE(window->State().ReadAllInProgress);
    const int rxBeforeClosing = window->State().RxCount;
    Receive(kClosing);

    const ConfigurationModel& model = window->Model();
    EXPECT_EQ(model.shading(3).TemperatureCode, 32);
    EXPECT_EQ(model.motorName(1), "Wohnzimmer  ");
    for (int day = 0; day < 5; ++day)
        EXPECT_EQ(model.switchTime(day, 0, 0).TimeCode, 391) << day;
    for (const SwitchTime& e : model.SwitchTimes)
        ASSERT_FALSE(e.Modified);
    for (const ShadingSettings& r : model.Shading)
        ASSERT_FALSE(r.Modified);

    EXPECT_FALSE(window->State().ReadAllInProgress);
    EXPECT_TRUE(window->State().OverwriteConfirmed);
    EXPECT_EQ(window->State().RxCount, rxBeforeClosing + static_cast<int>(kClosing.size()) + 1);
    EXPECT_TRUE(window->Timer1()->isActive());
    EXPECT_TRUE(window->Timer3()->isActive());
    EXPECT_FALSE(window->ReadAllWatchdog()->isActive());
    EXPECT_TRUE(Enabled("Send_Button_WS"));
    EXPECT_TRUE(Enabled("Read_Button_WS"));
    EXPECT_FALSE(Hidden("Send_Button_WS"));
    EXPECT_TRUE(Hidden("Send_Button_RS"));
    EXPECT_TRUE(Hidden("Read_Button_RS"));
    EXPECT_TRUE(Enabled("Parameter_Maske"));
    EXPECT_TRUE(Enabled("Combo_PortNum"));
    EXPECT_TRUE(Hidden("ProgressBar"));
    EXPECT_EQ(Find<QProgressBar>("ProgressBar")->value(), 0);
    // One Monday-to-Friday entry takes one of 240 places.
    EXPECT_EQ(window->PanelText(6), "Freier Schaltzeiten-Speicher: 99%");
    EXPECT_TRUE(Hidden("Speicherplatz_Label"));
    // A conservatory Controller owes far more than these few frames.
    EXPECT_EQ(window->PanelText(5), "Unvollständig gelesen");
    const std::vector<std::string> expected = {"RebuildSwitchTimeLists", "Beschattung_MaskeEnter",
                                               "Wind_Regen_MaskeEnter",  "Wintergarten_MaskeEnter",
                                               "CB_WochentagClick",      "ParameterEnter"};
    EXPECT_EQ(calls, expected);
}

TEST_F(ReadAllWindowTest, RollerShutterReadsFiveBlocksAndGetsItsButtonsBack) {
    Connect(kRoller);
    Find<QPushButton>("Send_Button_RS")->click();
    EXPECT_EQ(written, "smnsftszzsbhsfs");
    EXPECT_EQ(Find<QProgressBar>("ProgressBar")->maximum(), 4680);
    Receive(kOpening + kClosing);
    EXPECT_FALSE(window->State().ReadAllInProgress);
    EXPECT_TRUE(Enabled("Send_Button_RS"));
    EXPECT_TRUE(Enabled("Read_Button_RS"));
    EXPECT_TRUE(Hidden("Send_Button_WS"));
    EXPECT_TRUE(Hidden("Read_Button_WS"));
    EXPECT_EQ(window->PanelText(6), "Freier Schaltzeiten-Speicher: 100%");
}

TEST_F(ReadAllWindowTest, EditorSelectionIsClearedWhileReadingAndSetToTheFirstEntryAfter) {
    Connect(kConservatory);
    const char* combos[] = {"CB_Wochentag", "CB_Raum", "CB_Copy_Raum", "CB_Schaltzeit_Nr"};
    for (const char* name : combos) {
        auto* combo = EnsureControl<QComboBox>(name);
        if (combo->count() == 0) combo->addItems({"eins", "zwei", "drei"});
        combo->setCurrentIndex(2);
    }
    auto* copyFrom = EnsureControl<QLabel>("copy_from_label");
    std::vector<QLabel*> manualLabels;
    for (int m = 1; m <= 8; ++m)
        manualLabels.push_back(
            EnsureControl<QLabel>(("HS_" + std::to_string(m) + "_Label").c_str()));

    window->Read_ButtonClick();
    EXPECT_EQ(Find<QComboBox>("CB_Wochentag")->currentIndex(), -1);
    EXPECT_EQ(Find<QComboBox>("CB_Raum")->currentIndex(), -1);
    EXPECT_EQ(Find<QComboBox>("CB_Schaltzeit_Nr")->currentIndex(), -1);
    EXPECT_EQ(Find<QComboBox>("CB_Copy_Raum")->currentIndex(), 2) << "not an editor box";

    Receive("start_smn08,Garage ende_");
    Receive(kClosing);
    for (const char* name : combos)
        EXPECT_EQ(Find<QComboBox>(name)->currentIndex(), 0) << name;
    EXPECT_EQ(copyFrom->text(), Find<QComboBox>("CB_Raum")->itemText(0));
    EXPECT_EQ(manualLabels[0]->text(), "Motor 1");
    EXPECT_EQ(manualLabels[7]->text(), "Garage ");
}

TEST_F(ReadAllWindowTest, InvalidClosingFrameKeepsReading) {
    Connect(kConservatory);
    window->Read_ButtonClick();
    Receive("start_sfs255,0,0,0,0,0,0,0,0,254,ende_");
    EXPECT_TRUE(window->State().ReadAllInProgress);
    EXPECT_EQ(window->PanelText(5), "Fehler Schalt 255");
    EXPECT_FALSE(Enabled("Parameter_Maske"));
    EXPECT_TRUE(window->ReadAllWatchdog()->isActive());
}

TEST_F(ReadAllWindowTest, ClosingFrameOutsideAReadCompletesNothing) {
    Connect(kConservatory);
    window->Model().MarkAllModified();
    Receive(kClosing);
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(window->Model().switchTime(0, 0, 0).Modified);
    EXPECT_FALSE(window->State().OverwriteConfirmed);
}

// Every answer of a roller-shutter Controller, one frame an element; the
// holiday `badHoliday` (0: none) with a wrong checksum.
std::vector<std::string> RollerAnswers(int motors, int badHoliday) {
    std::vector<std::string> frames;
    for (int m = 1; m <= motors; ++m)
        frames.push_back("start_smn" + std::string(m < 10 ? "0" : "") + std::to_string(m) +
                         ",Raum " + std::to_string(m) + "ende_");
    for (int h = 1; h <= 15; ++h) {
        frames.push_back(h == badHoliday ? "start_sft" + std::to_string(h) + ",24,12,0,ende_"
                                         : Frame("sft", {h, 24, 12}));
    }
    frames.push_back("start_szz30,ende_");
    frames.push_back("start_sbh10,ende_");
    frames.push_back(kOpening);
    frames.push_back(kClosing);
    return frames;
}

TEST_F(ReadAllWindowTest, AnIncompleteReadSaysWhatIsMissingAndAsksBeforeSendingOrSaving) {
    Connect(kRoller);
    const int motors = window->State().Identity.ThirtyTwoMotors ? 32 : 8;
    Find<QPushButton>("Send_Button_RS")->click();
    for (const std::string& frame : RollerAnswers(motors, 4))
        Receive(frame);
    EXPECT_FALSE(window->State().ReadAllInProgress);
    EXPECT_TRUE(window->ReadIncomplete());
    EXPECT_EQ(window->PanelText(5), "Unvollständig gelesen");
    EXPECT_TRUE(log.errors.isEmpty()) << "never from inside the receive handler";
    ASSERT_TRUE(testing::ProcessEventsUntil([&] { return !log.errors.isEmpty(); }));
    EXPECT_TRUE(log.errors[0].contains("Feiertage: Feiertag 4\n"));
    EXPECT_TRUE(log.errors[0].contains("NICHT die der Steuerung"));
    EXPECT_EQ(window->Model().holiday(3).Day, 24) << "what was read stays read";
    EXPECT_NE(window->Model().holiday(4).Day, 24);
    for (const SwitchTime& e : window->Model().SwitchTimes)
        ASSERT_FALSE(e.Modified);

    // "PC --> Steuerung" asks first; "Nein" sends nothing.
    log.answers = {false};
    Find<QPushButton>("Read_Button_RS")->click();
    ASSERT_EQ(log.questions.size(), 1);
    EXPECT_EQ(log.questions[0], QString::fromUtf8(kIncompleteSendQuestion));
    EXPECT_FALSE(window->State().SendInProgress);

    // So does " Speichern auf File"; "Nein" writes nothing and asks for no file name.
    log.answers = {false};
    Find<QPushButton>("SaveToDisk_Button")->click();
    ASSERT_EQ(log.questions.size(), 2);
    EXPECT_EQ(log.questions[1], TQuorvan::kIncompleteSaveQuestion);
    EXPECT_TRUE(log.fileDialogs.isEmpty());

    // A complete read ends the questions.
    Find<QPushButton>("Send_Button_RS")->click();
    for (const std::string& frame : RollerAnswers(motors, 0))
        Receive(frame);
    EXPECT_FALSE(window->ReadIncomplete());
    Find<QPushButton>("SaveToDisk_Button")->click();
    EXPECT_EQ(log.questions.size(), 2);
    EXPECT_EQ(log.fileDialogs, QStringList{"SaveDialog1"});
}

class ReadAllWatchdogTest : public ReadAllWindowTest {
  protected:
    void SetUp() override {
        ReadAllWindowTest::SetUp();
        window->ReadAll().SetClock([this] { return now; });
        window->ReadAll().SetTimeout(50ms);
    }
    std::chrono::steady_clock::time_point now{};
};

TEST_F(ReadAllWatchdogTest, SilentControllerEndsTheReadAndRestoresTheWindow) {
    Connect(kConservatory);
    window->Read_ButtonClick();
    Receive(kOpening);
    Receive(SwitchTimeFrame({1, 0, 1, 1, 6, 30, 10, 1, 0}));
    EXPECT_TRUE(window->State().OverwriteConfirmed);
    window->Model().ClearAllModified();

    now += 49ms;
    window->ReadAllWatchdogTimer();  // notices the characters that came
    now += 49ms;
    window->ReadAllWatchdogTimer();
    EXPECT_TRUE(window->State().ReadAllInProgress);
    EXPECT_TRUE(log.errors.isEmpty());
    now += 1ms;
    window->ReadAllWatchdogTimer();

    EXPECT_FALSE(window->State().ReadAllInProgress);
    EXPECT_FALSE(window->State().OverwriteConfirmed);
    EXPECT_TRUE(window->Model().switchTime(4, 7, 1).Modified);
    EXPECT_TRUE(window->Model().shading(9).Modified);
    EXPECT_EQ(window->Model().switchTime(0, 0, 0).TimeCode, 391) << "what came is kept";
    EXPECT_EQ(window->PanelText(5), "Zeitüberschreitung beim Lesen");
    ASSERT_EQ(log.errors.size(), 1);
    EXPECT_TRUE(log.errors[0].contains("nicht vollständig"));
    EXPECT_TRUE(log.errors[0].contains("wiederholen"));
    EXPECT_TRUE(window->Timer1()->isActive());
    EXPECT_TRUE(window->Timer3()->isActive());
    EXPECT_FALSE(window->ReadAllWatchdog()->isActive());
    EXPECT_TRUE(Enabled("Send_Button_WS"));
    EXPECT_TRUE(Enabled("Read_Button_WS"));
    EXPECT_TRUE(Hidden("Send_Button_RS"));
    EXPECT_TRUE(Enabled("Parameter_Maske"));
    EXPECT_TRUE(Enabled("Combo_PortNum"));
    EXPECT_TRUE(Hidden("ProgressBar"));
    EXPECT_EQ(window->PanelText(6), "Freier Schaltzeiten-Speicher: 99%");
    // The editor, emptied for the read, shows the first entry and loads it;
    // the masks show what the read left, each in its own list form.
    for (const char* name : {"CB_Wochentag", "CB_Raum", "CB_Copy_Raum", "CB_Schaltzeit_Nr"})
        EXPECT_EQ(Find<QComboBox>(name)->currentIndex(), 0) << name;
    EXPECT_EQ(Find<QLabel>("copy_from_label")->text(), Find<QComboBox>("CB_Raum")->itemText(0));
    EXPECT_EQ(calls, (std::vector<std::string>{"LoadGroupCheckBoxes", "RebuildSwitchTimeLists",
                                               "CB_WochentagClick", "Beschattung_MaskeEnter",
                                               "Wind_Regen_MaskeEnter", "Wintergarten_MaskeEnter"}));

    // The rest of the answers, late: decoded, but nothing completes.
    calls.clear();
    Receive(kClosing);
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(window->Model().switchTime(4, 7, 1).Modified);
    EXPECT_FALSE(window->State().OverwriteConfirmed);
    EXPECT_EQ(window->PanelText(5), "Zeitüberschreitung beim Lesen");
}

TEST_F(ReadAllWatchdogTest, WatchdogTimerDrivesTheCheck) {
    Connect(kConservatory);
    window->ReadAllWatchdog()->setInterval(5);
    window->Read_ButtonClick();
    now += 1s;
    ASSERT_TRUE(testing::ProcessEventsUntil([&] { return !window->State().ReadAllInProgress; }));
    EXPECT_EQ(log.errors.size(), 1);
    EXPECT_FALSE(window->ReadAllWatchdog()->isActive());
}

}  // namespace
}  // namespace veltrano
