#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "app/tquorvan.h"
#include "fake_dialogs.h"
#include "qt_app.h"
#include "temp_workdir.h"
#include "test_window.h"

namespace veltrano {
namespace {

using testing::DialogLog;
using testing::FakeDialogs;
using testing::TempWorkDir;

const char* kConservatory = "QX-7000-W-7-9 TG";
const char* kRoller = "QX-7000-R-7-4   ";

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override { window = testing::MakeTestWindow(log, work.path()); }
    void StartUp() { testing::StartWithTimersStopped(*window); }
    void Connect(const char* model, int firmware = 7514) {
        window->SetPanelText(0, model);
        window->State().FirmwareVersion = firmware;
        window->Timer1Timer();
    }
    template <typename T>
    T* Find(const char* name) {
        return window->findChild<T*>(name);
    }
    void WriteIni(const std::string& bytes) {
        std::ofstream(kSettingsFile, std::ios::binary) << bytes;
    }
    static constexpr const char* kSettingsFile = "Veltrano.ini";

    TempWorkDir work;
    DialogLog log;
    std::unique_ptr<TQuorvan> window;
};

TEST_F(WindowTest, CaptionSizeTabsAndStatusPanels) {
    EXPECT_EQ(window->windowTitle(), "Veltrano-V7.15.01");
    EXPECT_EQ(window->size(), QSize(823, 590));
    auto* pages = Find<QTabWidget>("Parameter_Maske");
    ASSERT_TRUE(pages);
    EXPECT_EQ(pages->tabPosition(), QTabWidget::South);
    const QStringList captions = {"Schaltzeiten",
                                  "Beschattung, Dämmerung",
                                  "Wind-, Regen-, Feuchte",
                                  "Temperatur-Steuerung",
                                  "Heizung",
                                  "Hand-, Tast-, Reversier-Automatik",
                                  "Logbuch",
                                  " Parameter"};
    const QStringList names = {"Schaltzeit_Maske",    "Beschattung_Maske", "Wind_Regen_Maske",
                               "Wintergarten_Maske",  "Heizung_Maske",     "Handsteuerung_Maske",
                               "Alarm_Logbuch_Maske", "Parameter"};
    ASSERT_EQ(pages->count(), 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(pages->tabText(i), captions[i]);
        EXPECT_EQ(pages->widget(i)->objectName(), names[i]);
        EXPECT_TRUE(pages->isTabVisible(i));
    }
    const int widths[] = {100, 50, 60, 60, 0, 80, 185, 70, 60, 65, 65, 50, 50, 50};
    for (int n = 0; n < 14; ++n) {
        auto* panel = Find<QLabel>(("StatusPanel" + std::to_string(n)).c_str());
        ASSERT_TRUE(panel) << n;
        EXPECT_EQ(panel->width(), widths[n]) << n;
    }
    EXPECT_EQ(Find<QLabel>("StatusPanel6")->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    EXPECT_EQ(Find<QLabel>("StatusPanel5")->alignment() & Qt::AlignHCenter, 0);
    EXPECT_EQ(window->PanelText(0), "Keine Verbindung");
    auto* combo = Find<QComboBox>("Combo_PortNum");
    ASSERT_EQ(combo->count(), 8);
    EXPECT_EQ(combo->itemText(0), "COM 1");
    EXPECT_EQ(combo->itemText(7), "COM 8");
    EXPECT_EQ(combo->toolTip(), "Serielle Schnittstelle");
    EXPECT_EQ(Find<QPushButton>("Send_Button_WS")->text(), "Steuerung --> PC");
    EXPECT_EQ(Find<QPushButton>("Read_Button_RS")->text(), "PC --> Steuerung");
    EXPECT_EQ(Find<QPushButton>("Read_From_Disk")->text(), " Lesen von File     ");
    EXPECT_EQ(Find<QPushButton>("SaveToDisk_Button")->text(), " Speichern auf File");
    EXPECT_EQ(Find<QTimer>("Timer1")->interval(), 900);
    EXPECT_EQ(Find<QTimer>("Timer3")->interval(), 2500);
}

TEST_F(WindowTest, StartUpWithoutSettingsFileOpensComOne) {
    StartUp();
    EXPECT_EQ(Find<QComboBox>("Combo_PortNum")->currentIndex(), 0);
    EXPECT_EQ(window->PanelText(6), "Freier Schaltzeiten-Speicher: 100%");
    ASSERT_EQ(log.errors.size(), 1);
    EXPECT_TRUE(log.errors[0].startsWith("Specified device not found (COM1).\n\n"))
        << log.errors[0].toStdString();
    EXPECT_TRUE(window->State().ShowAverageBrightness);
    // Later activations run nothing.
    window->FormActivate();
    EXPECT_EQ(log.errors.size(), 1);
}

TEST_F(WindowTest, SettingsFileSelectsThePortAndLaterLinesAreIgnored) {
    WriteIni("3\r\n7\r\n");
    StartUp();
    EXPECT_EQ(Find<QComboBox>("Combo_PortNum")->currentIndex(), 2);
    ASSERT_EQ(log.errors.size(), 1);
    EXPECT_TRUE(log.errors[0].startsWith("Specified device not found (COM3).\n\n"))
        << log.errors[0].toStdString();
}

TEST_F(WindowTest, SettingsFileNumberOutsideOneToEightSelectsComOne) {
    for (const char* content : {"0\r\n", "9", "-2\r\n"}) {
        TQuorvan w(std::make_unique<FakeDialogs>(log));
        w.Comm1().SetDeviceResolver([](int) { return std::string("/nonexistent/COMx"); });
        WriteIni(content);
        w.FormActivate();
        EXPECT_EQ(w.findChild<QComboBox*>("Combo_PortNum")->currentIndex(), 0) << content;
        EXPECT_TRUE(log.errors.back().startsWith("Specified device not found (COM1).\n\n"))
            << log.errors.back().toStdString();
    }
}

TEST_F(WindowTest, NonNumericSettingsFileShowsAMessageAndLeavesThePortClosed) {
    WriteIni("drei\r\n");
    StartUp();
    ASSERT_EQ(log.errors.size(), 1);
    EXPECT_TRUE(log.errors[0].contains("drei"));
    EXPECT_TRUE(log.errors[0].contains(
        "Es wurde keine Schnittstelle geöffnet. Bitte wählen Sie den Port unter \"Port\" aus."));
    EXPECT_FALSE(window->Comm1().IsOpen());
    EXPECT_FALSE(window->ReconnectTimer()->isActive()) << "no port was chosen";
    WriteIni("");
    TQuorvan w(std::make_unique<FakeDialogs>(log));
    w.Comm1().SetDeviceResolver([](int) { return std::string("/nonexistent"); });
    w.FormActivate();
    EXPECT_EQ(log.errors.size(), 2);
}

TEST_F(WindowTest, ReadAndSendDoNothingWhileTheLinkIsDown) {
    StartUp();
    window->Timer1Timer();
    EXPECT_TRUE(window->State().LinkDown);
    window->Read_ButtonClick();
    window->Send_ButtonClick();
    EXPECT_FALSE(window->State().ReadAllInProgress);
    EXPECT_FALSE(window->State().SendInProgress);
    EXPECT_EQ(log.errors.size(), 1);  // only the port's
    EXPECT_TRUE(log.questions.isEmpty());
}

TEST_F(WindowTest, NotConnectedTickEmptiesPanelsAndShowsTheLabel) {
    StartUp();
    window->SetPanelText(1, "V7.514");
    window->SetPanelText(2, "01.02.26");
    window->SetPanelText(3, "10:00:00");
    window->Timer1Timer();
    EXPECT_EQ(window->PanelText(1), "");
    EXPECT_EQ(window->PanelText(2), "");
    EXPECT_EQ(window->PanelText(3), "");
    EXPECT_FALSE(Find<QLabel>("KeineVerbindung_Label")->isHidden());
    EXPECT_EQ(window->PanelText(12), "TxD: 24");
    window->Timer1Timer();
    EXPECT_EQ(window->PanelText(12), "TxD: 48");
}

TEST_F(WindowTest, FirmwareGate) {
    StartUp();
    struct Case {
        int firmware;
        const char* expected;  // nullptr: accepted
    };
    const Case cases[] = {{0, "V7.014"},    {7013, "V7.014"}, {7014, nullptr}, {7500, nullptr},
                          {7501, "V7.514"}, {7513, "V7.514"}, {7514, nullptr}};
    for (const Case& c : cases) {
        log.errors.clear();
        log.endProgramCalls = 0;
        window->Timer1()->start();
        Connect(kConservatory, c.firmware);
        if (c.expected) {
            ASSERT_EQ(log.errors.size(), 1) << c.firmware;
            EXPECT_TRUE(log.errors[0].startsWith("   Diese Version von Veltrano"));
            EXPECT_TRUE(log.errors[0].contains(c.expected)) << c.firmware;
            EXPECT_EQ(log.endProgramCalls, 1);
            EXPECT_FALSE(window->Timer1()->isActive());
        } else {
            EXPECT_TRUE(log.errors.isEmpty()) << c.firmware;
            EXPECT_EQ(log.endProgramCalls, 0);
            EXPECT_FALSE(window->State().LinkDown);
        }
        window->Timer1()->stop();
    }
}

TEST_F(WindowTest, ConservatoryAndThenRollerShutterAdaptTheWindow) {
    StartUp();
    auto* pages = Find<QTabWidget>("Parameter_Maske");
    Connect(kConservatory);
    EXPECT_FALSE(window->State().LinkDown);
    EXPECT_TRUE(Find<QLabel>("KeineVerbindung_Label")->isHidden());
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(pages->isTabVisible(i)) << i;
    EXPECT_FALSE(Find<QPushButton>("Send_Button_WS")->isHidden());
    EXPECT_FALSE(Find<QPushButton>("Read_Button_WS")->isHidden());
    EXPECT_TRUE(Find<QPushButton>("Send_Button_RS")->isHidden());
    EXPECT_TRUE(Find<QPushButton>("Read_Button_RS")->isHidden());
    EXPECT_EQ(Find<QLabel>("URL_Label")->text(), "www.quorvan.de/wintergarten");

    Connect(kRoller);
    EXPECT_TRUE(pages->isTabVisible(0));
    for (int i = 1; i <= 4; ++i)
        EXPECT_FALSE(pages->isTabVisible(i)) << i;
    EXPECT_TRUE(pages->isTabVisible(5));
    EXPECT_TRUE(Find<QPushButton>("Send_Button_WS")->isHidden());
    EXPECT_FALSE(Find<QPushButton>("Send_Button_RS")->isHidden());
    EXPECT_FALSE(Find<QPushButton>("Read_Button_RS")->isHidden());
    EXPECT_FALSE(window->State().Identity.ThirtyTwoMotors);
    EXPECT_FALSE(window->State().Identity.EightTimesPerDay);
    EXPECT_EQ(Find<QLabel>("URL_Label")->text(), "www.quorvan.de/rollladen");

    // Back to the conservatory: its button pair returns.
    Connect(kConservatory);
    EXPECT_FALSE(Find<QPushButton>("Send_Button_WS")->isHidden());
    EXPECT_TRUE(Find<QPushButton>("Send_Button_RS")->isHidden());
    EXPECT_TRUE(window->State().Identity.ThirtyTwoMotors);
}

TEST_F(WindowTest, SettingsFileIsWrittenOnceAtTheFirstConnection) {
    WriteIni("2\r\n");
    StartUp();
    std::filesystem::remove(kSettingsFile);
    Connect(kConservatory);
    std::ifstream in(kSettingsFile, std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "2\r\n");
    std::filesystem::remove(kSettingsFile);
    Connect(kConservatory);
    EXPECT_FALSE(std::filesystem::exists(kSettingsFile));
}

TEST_F(WindowTest, UnwritableSettingsFileShowsItsMessageOnce) {
    StartUp();
    std::filesystem::create_directory(kSettingsFile);
    Connect(kConservatory);
    Connect(kConservatory);
    ASSERT_EQ(log.messages.size(), 1);
    EXPECT_EQ(log.messages[0], "    Kann Initialisierungs-File nicht schreiben    ");
}

TEST_F(WindowTest, LinkCheckDeclaresTheLinkLostWhenNothingArrived) {
    StartUp();
    Connect(kConservatory);
    window->Model().ClearAllModified();
    window->State().RxCount = 100;
    window->Timer3Timer();  // traffic since the last check
    EXPECT_EQ(window->PanelText(0), kConservatory);
    window->Timer3Timer();  // none
    EXPECT_EQ(window->PanelText(0), "Keine Verbindung");
    EXPECT_EQ(window->Model().switchTime(0, 0, 0).Modified, 1);
    window->Timer1Timer();
    EXPECT_TRUE(window->State().LinkDown);
}

TEST_F(WindowTest, LinkIsNotSupervisedDuringSendAll) {
    StartUp();
    Connect(kConservatory);
    window->State().SendInProgress = true;
    window->Timer3Timer();
    window->Timer3Timer();
    EXPECT_EQ(window->PanelText(0), kConservatory);
    const int tx = window->State().TxCount;
    window->Timer1Timer();
    EXPECT_EQ(window->State().TxCount, tx);
}

TEST_F(WindowTest, PortChangeToAMissingDeviceForgetsTheController) {
    StartUp();
    Connect(kConservatory);
    window->Model().ClearAllModified();
    log.errors.clear();
    auto* combo = Find<QComboBox>("Combo_PortNum");
    combo->setCurrentIndex(6);
    window->Guarded([this] { window->Combo_PortNumChange(); });
    ASSERT_EQ(log.errors.size(), 1);
    EXPECT_TRUE(log.errors[0].startsWith("Specified device not found (COM7).\n\n"))
        << log.errors[0].toStdString();
    EXPECT_EQ(window->PanelText(0), "Keine Verbindung");
    for (int n = 1; n < 14; ++n)
        EXPECT_EQ(window->PanelText(n), "") << n;
    EXPECT_EQ(window->Model().switchTime(0, 0, 0).Modified, 1);
    EXPECT_EQ(combo->currentIndex(), 6);
}

TEST_F(WindowTest, ProgrammaticPortSelectionDoesNotReopen) {
    StartUp();
    log.errors.clear();
    Find<QComboBox>("Combo_PortNum")->setCurrentIndex(4);
    QApplication::processEvents();
    EXPECT_TRUE(log.errors.isEmpty());
}

TEST_F(WindowTest, LineErrorMarksLabel21) {
    StartUp();
    window->Comm1Error(0x10);
    EXPECT_EQ(Find<QLabel>("Label21")->text(), "Fehler RS232");
}

TEST_F(WindowTest, DotBlinksOnlyWhileConnected) {
    StartUp();
    auto* dot = Find<QLabel>("Dot");
    auto shown = [dot] { return dot->pixmap().toImage(); };
    window->Timer1Timer();
    const QImage red = shown();
    EXPECT_EQ(red.pixelColor(0, 0), QColor(Qt::red)) << "a square";
    window->Timer1Timer();
    EXPECT_EQ(shown(), red);
    Connect(kConservatory);
    const QImage first = shown();
    EXPECT_NE(first, red);
    EXPECT_EQ(first.pixelColor(4, 4), QColor(0xff, 0x00, 0xff));
    EXPECT_EQ(first.pixelColor(0, 0).alpha(), 0) << "a circle";
    window->Timer1Timer();
    EXPECT_EQ(shown(), red);
    window->Timer1Timer();
    EXPECT_EQ(shown(), first);
}

TEST_F(WindowTest, ChangingTheSheetHidesTheHelpBox) {
    auto* help = Find<QTextEdit>("HelpBox");
    help->show();
    Find<QTabWidget>("Parameter_Maske")->setCurrentIndex(6);
    EXPECT_TRUE(help->isHidden());
}

TEST_F(WindowTest, AnExceptionInAHandlerIsShownAndTheProgramGoesOn) {
    window->Guarded([] { throw std::runtime_error("kaputt"); });
    ASSERT_EQ(log.errors.size(), 1);
    EXPECT_EQ(log.errors[0], "kaputt");
    EXPECT_EQ(log.endProgramCalls, 0);
}

TEST_F(WindowTest, QtsOwnTextsAreGerman) {
    QDialogButtonBox buttons(QDialogButtonBox::Cancel | QDialogButtonBox::Yes);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().remove('&'), "Abbrechen");
    EXPECT_EQ(buttons.button(QDialogButtonBox::Yes)->text().remove('&'), "Ja");
    EXPECT_FALSE(QApplication::windowIcon().isNull());
}

// While no Controller answers, the last live values stay, greyed; the next
// status report shows them normal again.
TEST_F(WindowTest, LiveValuesAreGreyedWhileNotConnected) {
    StartUp();
    auto* field = Find<QLabel>("AktWind");
    if (!field) {
        field = new QLabel(Find<QWidget>("Wind_Regen_Maske"));
        field->setObjectName("AktWind");
    }
    Connect(kConservatory);
    const char* report = "start_skd140,21,5,18,24,-3,2,-7,4,12,30,0,1,11,136,55,ende_";
    window->Receiver().OnReceive(report);
    auto colour = [](QWidget* w) { return w->palette().color(QPalette::WindowText); };
    QWidget* panel = Find<QWidget>("StatusPanel9");
    const QColor normal = colour(panel);
    const QString outside = window->PanelText(9);
    const QString wind = field->text();
    ASSERT_FALSE(outside.isEmpty());
    ASSERT_FALSE(wind.isEmpty());

    Connect(TQuorvan::kNoConnection);
    EXPECT_EQ(window->PanelText(9), outside);
    EXPECT_EQ(field->text(), wind);
    EXPECT_NE(colour(panel), normal);
    EXPECT_EQ(colour(field), colour(panel));

    Connect(kConservatory);
    window->Receiver().OnReceive(report);
    EXPECT_EQ(colour(panel), normal);
    EXPECT_EQ(colour(field), normal);
}

}  // namespace
}  // namespace veltrano
