// The send-all in the main window, offscreen. The port stays closed: the
// blocks are taken from the sequence's write function (SendAll()), and the
// Controller's acknowledgements are fed straight into the receive handler.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <chrono>
#include <string>
#include <vector>

#include "app/tquorvan.h"
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
using Writes = std::vector<std::string>;

const char* kConservatory = "QX-7000-W-7-9 TG";  // touch automation and group control
const char* kRoller = "QX-7000-R-7-4   ";
const QString kQuestion = "Alle Daten in der Steuerung werden überschrieben. Fortfahren?";
const QString kDcf77 =
    "Bitte warten Sie, bis das Funk-Zeitsignal (DCF77) entschlüsselt wurde. Erst wenn Datum und "
    "Uhrzeit richtig angezeigt werden, ist es möglich, die Daten zur Steuerung zu senden.";
const Writes kErase = {" rfs", "0\r",  "1\r", "1\r", "0\r", "24\r",
                       "0\r",  "40\r", "1\r", "0\r", "67\r"};

class SendAllWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = testing::MakeTestWindow(log, work.path());
        testing::StartWithTimersStopped(*window);  // the closed port reports one error
        log.errors.clear();

        window->SendAll().SetWriteFunction(
            [this](std::string_view bytes) { writes.emplace_back(bytes); });
        window->SendAll().SetClock([this] { return now; });
        WindowHooks& hooks = window->Hooks();
        hooks.BlankMotorListForSend = [this](const std::string& row6) { rows.push_back(row6); };
        hooks.SetMotorListRow6 = [this](const std::string& row6) { rows.push_back(row6); };
        hooks.RebuildSwitchTimeLists = [this] { calls.push_back("RebuildSwitchTimeLists"); };
        hooks.StoreGroupCheckBoxes = [this] { calls.push_back("StoreGroupCheckBoxes"); };
    }

    void Connect(const char* model, int firmware = 7514) {
        window->SetPanelText(0, model);
        window->State().FirmwareVersion = firmware;
        window->Timer1Timer();
        window->SetPanelText(2, "09.12.26");
    }

    void Acknowledge(const char* number = "0") {
        window->Receiver().OnReceive(std::string("start_stc") + number + ",ende_");
    }

    // Acknowledges until the transfer ends (at most 60 times).
    int AcknowledgeToTheEnd() {
        int n = 0;
        while (window->State().SendInProgress && n < 60) {
            Acknowledge();
            ++n;
        }
        return n;
    }

    template <typename T>
    T* Find(const char* name) {
        return window->findChild<T*>(name);
    }
    bool Enabled(const char* name) { return Find<QWidget>(name)->isEnabled(); }
    bool Hidden(const char* name) { return Find<QWidget>(name)->isHidden(); }

    TempWorkDir work;
    DialogLog log;
    std::unique_ptr<TQuorvan> window;
    Writes writes;
    std::vector<std::string> rows;
    std::vector<std::string> calls;
    std::chrono::steady_clock::time_point now{};
};

TEST_F(SendAllWindowTest, NothingHappensWhileTheLinkIsDown) {
    window->Timer1Timer();
    ASSERT_TRUE(window->State().LinkDown);
    window->Send_ButtonClick();
    EXPECT_TRUE(writes.empty());
    EXPECT_TRUE(log.questions.isEmpty());
    EXPECT_TRUE(log.messages.isEmpty());
    EXPECT_FALSE(window->State().SendInProgress);
}

TEST_F(SendAllWindowTest, AnUndecodedRadioClockDateShowsTheDcf77Message) {
    Connect(kConservatory);
    window->SetPanelText(2, "01.01.00");
    window->Send_ButtonClick();
    ASSERT_EQ(log.messages.size(), 1);
    EXPECT_EQ(log.messages[0], kDcf77);
    EXPECT_TRUE(log.questions.isEmpty());
    EXPECT_TRUE(writes.empty());
    EXPECT_FALSE(window->State().SendInProgress);
    EXPECT_TRUE(Enabled("Read_Button_WS"));
}

TEST_F(SendAllWindowTest, AnsweringNoSendsNothingAndTheQuestionComesAgain) {
    Connect(kConservatory);
    log.answers = {false, false};
    window->Send_ButtonClick();
    window->Send_ButtonClick();
    EXPECT_EQ(log.questions, (QStringList{kQuestion, kQuestion}));
    EXPECT_TRUE(writes.empty());
    EXPECT_FALSE(window->State().OverwriteConfirmed);
    EXPECT_FALSE(window->State().SendInProgress);
    EXPECT_TRUE(Enabled("Parameter_Maske"));
}

TEST_F(SendAllWindowTest, AnsweringYesStartsTheTransferAndIsNotAskedAgain) {
    Connect(kConservatory);
    log.answers = {true};
    window->Send_ButtonClick();
    EXPECT_EQ(log.questions, (QStringList{kQuestion}));
    EXPECT_TRUE(window->State().OverwriteConfirmed);
    EXPECT_EQ(writes, kErase);
    AcknowledgeToTheEnd();
    writes.clear();
    window->Send_ButtonClick();
    EXPECT_EQ(log.questions.size(), 1);
    EXPECT_EQ(writes, kErase);
}

TEST_F(SendAllWindowTest, AnEarlierConfirmationSkipsTheQuestion) {
    Connect(kRoller, 7014);
    window->State().OverwriteConfirmed = true;
    window->Send_ButtonClick();
    EXPECT_TRUE(log.questions.isEmpty());
    EXPECT_EQ(writes, kErase);
}

TEST_F(SendAllWindowTest, WhileSendingTheControlsAreDisabledAndTheProgressShows) {
    Connect(kConservatory);
    window->SetPanelText(5, "Fehler Beschatt.");
    window->Send_ButtonClick();
    EXPECT_TRUE(window->State().SendInProgress);
    for (const char* name : {"Send_Button_WS", "Read_Button_WS", "Send_Button_RS", "Read_Button_RS",
                             "Parameter_Maske", "Combo_PortNum"})
        EXPECT_FALSE(Enabled(name)) << name;
    auto* bar = Find<QProgressBar>("ProgressBar");
    EXPECT_FALSE(bar->isHidden());
    EXPECT_EQ(bar->maximum(), 16006);
    EXPECT_EQ(bar->value(), 24);
    EXPECT_EQ(window->PanelText(5), "");
    EXPECT_EQ(window->PanelText(6), " Bestehende Daten löschen ");
    EXPECT_EQ(rows, (std::vector<std::string>{"   S e n d e  Daten zur Steuerung ...  "
                                              "Initialisiere Schaltzeiten-Speicher"}));
    EXPECT_TRUE(window->SendAllWatchdog()->isActive());

    // The poll is suspended; a second click does nothing.
    const int tx = window->State().TxCount;
    window->Timer1Timer();
    EXPECT_EQ(window->State().TxCount, tx);
    writes.clear();
    window->Send_ButtonClick();
    EXPECT_TRUE(writes.empty());

    Acknowledge();
    EXPECT_EQ(window->PanelText(6), "Schaltzeiten Montag    ");
    EXPECT_EQ(rows.back(), "   S e n d e  Daten zur Steuerung ...  Schaltzeiten Montag    ");
}

TEST_F(SendAllWindowTest, ProgressMaximumFollowsTheFamily) {
    Connect(kRoller, 7014);
    window->Send_ButtonClick();
    EXPECT_EQ(Find<QProgressBar>("ProgressBar")->maximum(), 5280);
    AcknowledgeToTheEnd();
    Connect("QX-7000-R-7-9S  ");
    window->Send_ButtonClick();
    EXPECT_EQ(Find<QProgressBar>("ProgressBar")->maximum(), 14472);
}

TEST_F(SendAllWindowTest, ConservatoryTransferEndsWithItsButtonPairBack) {
    Connect(kConservatory);
    window->Send_ButtonClick();
    window->Model().reverse(4).Modified = true;
    Writes all = writes;
    writes.clear();
    EXPECT_EQ(AcknowledgeToTheEnd(), 31);
    EXPECT_FALSE(window->State().SendInProgress);
    EXPECT_FALSE(Hidden("Send_Button_WS"));
    EXPECT_FALSE(Hidden("Read_Button_WS"));
    EXPECT_TRUE(Enabled("Send_Button_WS"));
    EXPECT_TRUE(Enabled("Read_Button_WS"));
    EXPECT_TRUE(Hidden("Send_Button_RS"));
    EXPECT_TRUE(Hidden("Read_Button_RS"));
    EXPECT_TRUE(Enabled("Parameter_Maske"));
    EXPECT_TRUE(Enabled("Combo_PortNum"));
    EXPECT_TRUE(Find<QProgressBar>("ProgressBar")->isHidden());
    EXPECT_TRUE(window->Timer1()->isActive());
    EXPECT_TRUE(window->Timer3()->isActive());
    EXPECT_FALSE(window->SendAllWatchdog()->isActive());
    EXPECT_EQ(window->PanelText(6), "");
    EXPECT_EQ(rows.back(), "   S e n d e  Daten zur Steuerung ...  ");
    EXPECT_FALSE(window->Model().reverse(4).Modified);
    EXPECT_EQ(calls, (std::vector<std::string>{"StoreGroupCheckBoxes", "RebuildSwitchTimeLists"}));
    EXPECT_TRUE(log.errors.isEmpty());
    // The acknowledgements were counted before each step ran.
    EXPECT_EQ(window->State().RxCount, 31 * 16 + 1);
}

TEST_F(SendAllWindowTest, RollerShutterTransferEndsWithItsButtonPairBack) {
    Connect(kRoller, 7014);
    window->Send_ButtonClick();
    AcknowledgeToTheEnd();
    EXPECT_TRUE(Hidden("Send_Button_WS"));
    EXPECT_TRUE(Hidden("Read_Button_WS"));
    EXPECT_FALSE(Hidden("Send_Button_RS"));
    EXPECT_FALSE(Hidden("Read_Button_RS"));
    EXPECT_TRUE(Enabled("Send_Button_RS"));
    EXPECT_TRUE(Enabled("Read_Button_RS"));
}

TEST_F(SendAllWindowTest, ARefusedBlockIsReportedInPanelFive) {
    Connect(kConservatory);
    window->Send_ButtonClick();
    Acknowledge("1");
    EXPECT_EQ(window->PanelText(5), "Fehler 0");
    EXPECT_TRUE(window->State().SendInProgress);
}

TEST_F(SendAllWindowTest, AStrayAcknowledgementIsIgnored) {
    Connect(kConservatory);
    window->SetPanelText(5, "vorher");
    window->SetPanelText(6, "Freier Schaltzeiten-Speicher: 100%");
    Acknowledge();
    Acknowledge("1");
    EXPECT_TRUE(writes.empty());
    EXPECT_EQ(window->PanelText(5), "vorher");
    EXPECT_EQ(window->PanelText(6), "Freier Schaltzeiten-Speicher: 100%");
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(log.errors.isEmpty());
    EXPECT_FALSE(window->State().SendInProgress);
}

TEST_F(SendAllWindowTest, AnOverdueAcknowledgementEndsTheTransferWithAMessage) {
    Connect(kConservatory);
    window->Send_ButtonClick();
    Acknowledge();
    Acknowledge();
    window->Model().ClearAllModified();
    // The port is closed, so nothing is held back: the clock runs at once.
    ASSERT_TRUE(window->SendAll().AckDeadline());
    now += 14s;
    window->SendAllWatchdogTimer();
    EXPECT_TRUE(window->State().SendInProgress);
    EXPECT_TRUE(log.errors.isEmpty());
    now += 1s;
    window->SendAllWatchdogTimer();
    EXPECT_FALSE(window->State().SendInProgress);
    ASSERT_EQ(log.errors.size(), 1);
    EXPECT_TRUE(log.errors[0].contains("unvollständig"));
    EXPECT_TRUE(log.errors[0].contains("wiederholen"));
    EXPECT_EQ(window->PanelText(5), "Zeitüberschreitung beim Senden");
    EXPECT_TRUE(window->Model().switchTime(0, 0, 0).Modified);
    EXPECT_TRUE(window->Model().shading(1).Modified);
    EXPECT_TRUE(Enabled("Read_Button_WS"));
    EXPECT_TRUE(Enabled("Send_Button_WS"));
    EXPECT_TRUE(Enabled("Parameter_Maske"));
    EXPECT_TRUE(Enabled("Combo_PortNum"));
    EXPECT_TRUE(Find<QProgressBar>("ProgressBar")->isHidden());
    EXPECT_TRUE(window->Timer1()->isActive());
    EXPECT_TRUE(window->Timer3()->isActive());
    EXPECT_FALSE(window->SendAllWatchdog()->isActive());

    // A late acknowledgement changes nothing; a new transfer starts normally.
    writes.clear();
    Acknowledge();
    EXPECT_TRUE(writes.empty());
    window->Send_ButtonClick();
    EXPECT_EQ(writes, kErase);
}

TEST_F(SendAllWindowTest, TheMemoryWarningFollowsTheSentTable) {
    Connect(kConservatory);
    for (int motor = 0; motor < 30; ++motor)
        for (int slot = 0; slot < 8; ++slot)
            window->Model().switchTime(0, motor, slot).TimeCode = 100;
    window->Send_ButtonClick();
    for (int i = 0; i < 8; ++i)
        Acknowledge();
    EXPECT_EQ(window->PanelText(6), "Freier Schaltzeiten-Speicher: 0%");
    EXPECT_FALSE(Hidden("Speicherplatz_Label"));
}

TEST_F(SendAllWindowTest, TheButtonRunsTheHandler) {
    Connect(kRoller, 7014);
    Find<QPushButton>("Read_Button_RS")->click();
    EXPECT_EQ(log.questions.size(), 1);
    EXPECT_EQ(writes, kErase);
}

TEST_F(SendAllWindowTest, ARefusedBlockKeepsItsFlagsIsReportedAndGoesAgain) {
    Connect(kConservatory);
    window->State().OverwriteConfirmed = true;
    window->Model().ClearAllModified();
    window->Model().shading(3).Modified = true;
    window->Model().wind(4).Modified = true;
    Find<QPushButton>("Read_Button_WS")->click();
    // The Controller refuses the shading block: its acknowledgement comes
    // while the step after it is due.
    for (int n = 0; window->State().SendInProgress && n < 60; ++n)
        Acknowledge(window->SendAll().SendStep() == kStepTwilightMorning ? "1" : "0");
    ASSERT_FALSE(window->State().SendInProgress);
    EXPECT_EQ(window->PanelText(5), "Fehler 4");
    EXPECT_TRUE(window->Model().shading(3).Modified);
    EXPECT_FALSE(window->Model().wind(4).Modified);
    EXPECT_TRUE(log.errors.isEmpty()) << "never from inside the receive handler";
    ASSERT_TRUE(testing::ProcessEventsUntil([&] { return !log.errors.isEmpty(); }));
    EXPECT_TRUE(log.errors[0].contains("Beschattungsparameter\n"));
    EXPECT_TRUE(log.errors[0].contains("NICHT in der Steuerung gespeichert"));
    EXPECT_FALSE(log.errors[0].contains("Wind-Parameter"));

    // The next "PC --> Steuerung" sends the refused record again, and only it.
    writes.clear();
    Find<QPushButton>("Read_Button_WS")->click();
    AcknowledgeToTheEnd();
    std::vector<std::string> shadingMotors;
    for (std::size_t i = 0; i + 1 < writes.size(); ++i)
        if (writes[i] == " rbp") shadingMotors.push_back(writes[i + 1]);
    EXPECT_EQ(shadingMotors, (std::vector<std::string>{"3\r", "32\r"}));
    EXPECT_FALSE(window->Model().shading(3).Modified);
    QCoreApplication::processEvents();
    EXPECT_EQ(log.errors.size(), 1) << "nothing refused this time";
}

}  // namespace
}  // namespace veltrano
