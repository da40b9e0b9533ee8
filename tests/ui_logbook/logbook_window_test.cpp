// The logbook sheet in the main window against a scripted Controller on a
// pseudo-terminal: the bytes of each button, how a transfer holds and gives
// back the window, the names it shows, the watchdog, the export file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QComboBox>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <set>
#include <sstream>

#include "../port/pty_peer.h"
#include "app/tquorvan.h"
#include "temp_workdir.h"
#include "test_window.h"

namespace veltrano {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::DialogLog;
using testing::ProcessEventsUntil;
using testing::PtyPeer;
using testing::TempWorkDir;

const char* const kButtons[] = {"Logbuch_Button", "Logbuch_Anfang", "Logbuch_save_Button",
                                "Logbuch_Loeschen"};

std::string Frame(const std::string& tag, const std::string& payload) {
    return "start_" + tag + payload + "ende_";
}

std::string Entry(const std::string& tag, std::initializer_list<long long> numbers) {
    std::string payload;
    long long sum = 0;
    for (long long n : numbers) {
        payload += std::to_string(n) + ",";
        sum += n;
    }
    return Frame(tag, payload + std::to_string(sum) + ",");
}

// Entry `number` of a logbook, motor 2, up, 14 June 21:50, shading.
std::string EntryFrame(const std::string& tag, long long number) {
    return Entry(tag, {number, 2, 1, 14, 6, 1, 21, 50, 0});
}
std::string Marker(const std::string& tag) {
    return Entry(tag, {9999, 1, 0, 0, 0, 0, 0, 0, 0});
}

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class LogbookWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_symlink(com1.slavePath(), "COM1");
        window = testing::MakeTestWindow(log, work.path());
        testing::StartWithTimersStopped(*window);
        ASSERT_TRUE(log.errors.isEmpty()) << log.errors.join("|").toStdString();
        // Linked: the poll answered, then the tick that adapts the window.
        window->Timer1Timer();
        ASSERT_TRUE(PeerReceives("smo\r"));
        com1.Send(Frame("sfi", "7.514") + Frame("sdt", "09.12.26") + Frame("sti", "10:11:12") +
                  Frame("smo", "QX-7000-W-7-9 TG"));
        ASSERT_TRUE(ProcessEventsUntil([&] { return window->PanelText(0) != "Keine Verbindung"; }));
        window->Timer1Timer();
        ASSERT_TRUE(PeerReceives("slr"));
        ASSERT_FALSE(window->State().LinkDown);
        com1.TakeData();
        window->Logbook().SetClock([this] { return now; });
    }

    bool PeerReceives(const std::string& text) {
        return ProcessEventsUntil([&] {
            com1.ReceiveAvailable();
            return com1.Data().find(text) != std::string::npos;
        });
    }

    // The Controller's answer, and the wait until the window has taken it.
    void Answer(const std::string& bytes) {
        const int before = window->State().RxCount;
        ASSERT_TRUE(com1.Send(bytes));
        ASSERT_TRUE(ProcessEventsUntil(
            [&] { return window->State().RxCount >= before + static_cast<int>(bytes.size()); }));
    }

    void Click(const char* name) { Find<QPushButton>(name)->click(); }

    template <typename T>
    T* Find(const char* name) {
        return window->findChild<T*>(name);
    }

    QListWidget* List() { return Find<QListWidget>("LB"); }
    QString Row(int row) { return row < List()->count() ? List()->item(row)->text() : "<none>"; }

    // Whether the window is held for a transfer: no timer, no logbook
    // button, no page change, and no sign of it on sheet 1's progress bar.
    bool Held() {
        bool held = !window->Timer1()->isActive() && !window->Timer3()->isActive() &&
                    !Find<QTabWidget>("Parameter_Maske")->isEnabled() &&
                    Find<QProgressBar>("ProgressBar")->isHidden();
        for (const char* name : kButtons)
            held = held && !Find<QWidget>(name)->isEnabled();
        return held;
    }
    bool GivenBack() {
        bool back = window->Timer1()->isActive() && window->Timer3()->isActive() &&
                    Find<QTabWidget>("Parameter_Maske")->isEnabled() &&
                    Find<QProgressBar>("LogbuchProgressBar")->isHidden() &&
                    !window->LogbookWatchdog()->isActive();
        for (const char* name : kButtons)
            back = back && Find<QWidget>(name)->isEnabled();
        return back;
    }

    TempWorkDir work;
    PtyPeer com1;
    DialogLog log;
    std::unique_ptr<TQuorvan> window;
    std::chrono::steady_clock::time_point now{};
};

TEST_F(LogbookWindowTest, PageReadsWriteTheirWordsAndHoldTheWindowUntilTheMarker) {
    struct Case {
        const char* button;
        std::string words;
    };
    for (const Case& c :
         {Case{"Logbuch_Button", "smnslasld"}, Case{"Logbuch_Anfang", "smnslaslrsld"}}) {
        window->Timer1()->start();
        window->Timer3()->start();
        Click(c.button);
        ASSERT_TRUE(PeerReceives(c.words)) << c.button;
        EXPECT_EQ(com1.TakeData(), c.words);
        EXPECT_TRUE(Held()) << c.button;
        EXPECT_TRUE(window->LogbookWatchdog()->isActive());

        Answer(Frame("sla", "2,") + EntryFrame("sld", 1));
        EXPECT_TRUE(Held());
        EXPECT_EQ(window->PanelText(6), "Logbuch Daten");
        const int rx = window->State().RxCount;
        const std::string marker = EntryFrame("sld", 2) + Marker("sld");
        Answer(marker);
        EXPECT_EQ(window->State().RxCount, rx + static_cast<int>(marker.size()) + 1);
        EXPECT_TRUE(GivenBack()) << c.button;
        EXPECT_EQ(window->PanelText(6), "");
        ASSERT_EQ(List()->count(), 101);
        EXPECT_EQ(Row(0), "    2  Motor 2      14.06.   21:50    ^     Beschattungs-Automatik");
        EXPECT_EQ(Row(1), "    1  Motor 2      14.06.   21:50    ^     Beschattungs-Automatik");
        EXPECT_EQ(Row(2), "   Keine Logbucheinträge gespeichert");
        EXPECT_EQ(List()->currentRow(), 0);
        window->Timer1()->stop();
        window->Timer3()->stop();
    }
    EXPECT_TRUE(log.errors.isEmpty()) << log.errors.join("|").toStdString();
}

TEST_F(LogbookWindowTest, ExportWritesTheWholeFileAtTheMarker) {
    log.fileNames = {"logbuch.qlf"};
    Click("Logbuch_save_Button");
    EXPECT_EQ(log.fileDialogs, QStringList{"SaveDialog_Logbuch"});
    ASSERT_TRUE(PeerReceives("smnslaslf"));
    EXPECT_EQ(com1.TakeData(), "smnslaslf");
    EXPECT_TRUE(Held());
    auto* progress = Find<QProgressBar>("LogbuchProgressBar");
    EXPECT_TRUE(progress->isVisible() || !progress->isHidden());
    EXPECT_EQ(progress->value(), 0);

    Answer(Frame("smn",
                 "02,K\xFC"
                 "che       ") +
           Frame("sla", "2,") + EntryFrame("slf", 1));
    EXPECT_EQ(window->PanelText(6), "Logbuch Zeile 1");
    EXPECT_EQ(progress->maximum(), 2);
    EXPECT_EQ(progress->value(), 1);
    EXPECT_FALSE(fs::exists("logbuch.qlf"));  // nothing on disk before the end
    Answer(EntryFrame("slf", 2) + Marker("slf"));
    EXPECT_TRUE(GivenBack());
    ASSERT_TRUE(ProcessEventsUntil([] { return fs::exists("logbuch.qlf"); }));
    EXPECT_EQ(Slurp("logbuch.qlf"),
              "Nr;Motor/Raum;Datum;Uhrzeit;Richtung;Ausgel\xF6st durch\r\n"
              "2;K\xFC"
              "che       ;14.06.;21:50;^;Beschattungs-Automatik\r\n"
              "1;K\xFC"
              "che       ;14.06.;21:50;^;Beschattungs-Automatik\r\n"
              "0;Motor 1;00.00.;00:00;v;   Keine Logbucheintr\xE4ge gespeichert\r\n");
    EXPECT_TRUE(log.errors.isEmpty()) << log.errors.join("|").toStdString();
}

TEST_F(LogbookWindowTest, CancelledExportSendsNothingAndErasingSendsOneWord) {
    Click("Logbuch_save_Button");  // no file name: cancelled
    EXPECT_EQ(log.fileDialogs, QStringList{"SaveDialog_Logbuch"});
    EXPECT_FALSE(window->Logbook().Running());
    for (const char* name : kButtons)
        EXPECT_TRUE(Find<QWidget>(name)->isEnabled()) << name;
    EXPECT_TRUE(Find<QTabWidget>("Parameter_Maske")->isEnabled());

    Click("Logbuch_Loeschen");
    ASSERT_TRUE(PeerReceives("sll"));
    EXPECT_EQ(com1.TakeData(), "sll");  // the first bytes since the cancelled export
    EXPECT_TRUE(log.questions.isEmpty());
    EXPECT_EQ(List()->count(), 101);
    EXPECT_EQ(window->Logbook().LogbookLastEntry(), 1);
    EXPECT_FALSE(window->Logbook().Running());

    Click("Logbuch_Button");
    ASSERT_TRUE(PeerReceives("sld"));
    Answer(Frame("sla", "0,") + Marker("sld"));
    EXPECT_EQ(Row(0), "");
    EXPECT_EQ(Row(1), "   Keine Logbucheinträge gespeichert");
}

TEST_F(LogbookWindowTest, UnsentNamesStayWhileTheListShowsTheControllers) {
    // A rename not yet sent: in the model and in the motor selector.
    window->Model().motorName(2) = "Wintergarten";
    window->Hooks().SetMotorNameItem(2, "Wintergarten");
    Click("Logbuch_Button");
    ASSERT_TRUE(PeerReceives("sld"));
    Answer(Frame("smn", "01,Motor 1     ") + Frame("smn", "02,Bad         "));
    EXPECT_EQ(window->PanelText(6), "Motor-Namen");
    Answer(Frame("sla", "1,") + EntryFrame("sld", 1) + Marker("sld"));
    EXPECT_EQ(Row(0).left(20), "    1  Bad          ");
    EXPECT_EQ(window->Model().motorName(2), "Wintergarten");
    EXPECT_EQ(Find<QComboBox>("CB_Raum")->itemText(1), "Wintergarten");
    EXPECT_EQ(Find<QComboBox>("CB_Copy_Raum")->itemText(1), "Wintergarten");

    // After the transfer the names go to the model again (a read-all).
    Answer(Frame("smn", "02,Bad         "));
    EXPECT_EQ(window->Model().motorName(2), "Bad         ");
}

TEST_F(LogbookWindowTest, SilenceEndsAReadWithItsRowItsPanelsAndABoxAfterTheTick) {
    Click("Logbuch_Button");
    ASSERT_TRUE(PeerReceives("sld"));
    Answer(Frame("sla", "135,") + EntryFrame("sld", 1) + EntryFrame("sld", 2) +
           EntryFrame("sld", 3));
    window->LogbookWatchdogTimer();  // the answers count as activity
    now += 9900ms;
    window->LogbookWatchdogTimer();
    EXPECT_TRUE(window->Logbook().Running());
    now += 100ms;
    window->LogbookWatchdogTimer();
    EXPECT_FALSE(window->Logbook().Running());
    EXPECT_TRUE(GivenBack());
    EXPECT_EQ(Row(3), "   Logbuch unvollständig: keine Antwort der Steuerung");
    EXPECT_EQ(List()->currentRow(), 3);
    EXPECT_EQ(window->PanelText(5), "Zeitüberschreitung Logbuch");
    EXPECT_EQ(window->PanelText(6), "");
    EXPECT_TRUE(log.errors.isEmpty()) << "the box opens after the tick has returned";
    ASSERT_TRUE(ProcessEventsUntil([&] { return !log.errors.isEmpty(); }));
    EXPECT_EQ(log.errors[0],
              "Das Logbuch wurde nicht vollständig von der Steuerung gelesen.\n"
              "Bitte prüfen Sie die Verbindung und lesen Sie das Logbuch mit \"Ab Anfang\" "
              "erneut.");
}

TEST_F(LogbookWindowTest, SilenceDuringAnExportWritesNothing) {
    std::ofstream("alt.qlf", std::ios::binary) << "alt";
    log.fileNames = {"alt.qlf"};
    Click("Logbuch_save_Button");
    ASSERT_TRUE(PeerReceives("slf"));
    Answer(Frame("sla", "5,") + EntryFrame("slf", 1));
    window->LogbookWatchdogTimer();
    now += 10s;
    window->LogbookWatchdogTimer();
    EXPECT_TRUE(GivenBack());
    ASSERT_TRUE(ProcessEventsUntil([&] { return !log.errors.isEmpty(); }));
    EXPECT_EQ(log.errors[0],
              "Das Logbuch wurde nicht vollständig von der Steuerung gelesen.\n"
              "Die Datei " +
                  QString::fromStdString((work.path() / "alt.qlf").string()) +
                  " wurde nicht geschrieben; eine bereits vorhandene Datei bleibt "
                  "unverändert.");
    EXPECT_EQ(Slurp("alt.qlf"), "alt");
    // A late end marker writes nothing either.
    Answer(Marker("slf"));
    QApplication::processEvents();
    EXPECT_EQ(Slurp("alt.qlf"), "alt");
}

// The folder takes no new file: the old one stays byte for byte, no
// temporary file is left, and the dialog comes again for the lines read.
// Root writes anywhere, so there the file-size limit makes the write fail.
TEST_F(LogbookWindowTest, ExportThatCannotBeWrittenKeepsTheOldFileAndAsksAgain) {
    fs::create_directory("fest");
    std::ofstream("fest/alt.qlf", std::ios::binary) << "alter Inhalt";
    ASSERT_EQ(::chmod("fest", 0555), 0);
    log.fileNames = {"fest/alt.qlf"};  // then cancelled: the lines are dropped
    Click("Logbuch_save_Button");
    ASSERT_TRUE(PeerReceives("slf"));

    rlimit before{};
    ::getrlimit(RLIMIT_FSIZE, &before);
    const bool root = ::geteuid() == 0;
    if (root) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{64, before.rlim_max};
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    Answer(Frame("sla", "3,") + EntryFrame("slf", 1) + EntryFrame("slf", 2) + EntryFrame("slf", 3) +
           Marker("slf"));
    EXPECT_TRUE(GivenBack());
    ProcessEventsUntil([&] { return log.fileDialogs.size() == 2; });
    if (root) ::setrlimit(RLIMIT_FSIZE, &before);
    ::chmod("fest", 0755);

    ASSERT_EQ(log.errors.size(), 1);
    const QString path = QString::fromStdString((work.path() / "fest/alt.qlf").string());
    EXPECT_TRUE(
        log.errors[0].startsWith("Die Datei " + path + " konnte nicht gespeichert werden.\n"))
        << log.errors[0].toStdString();
    EXPECT_EQ(log.fileDialogs, (QStringList{"SaveDialog_Logbuch", "SaveDialog_Logbuch"}));
    EXPECT_EQ(Slurp("fest/alt.qlf"), "alter Inhalt");
    EXPECT_EQ(std::distance(fs::directory_iterator("fest"), fs::directory_iterator()), 1);
}

TEST_F(LogbookWindowTest, ClosingTheWindowDuringAnExportLeavesNoFile) {
    log.fileNames = {"weg.qlf"};
    Click("Logbuch_save_Button");
    ASSERT_TRUE(PeerReceives("slf"));
    Answer(Frame("sla", "3,") + EntryFrame("slf", 1));
    window.reset();
    std::set<std::string> left;
    for (const auto& entry : fs::directory_iterator(work.path()))
        left.insert(entry.path().filename().string());
    EXPECT_EQ(left, (std::set<std::string>{"COM1", "Veltrano.ini"}));
}

}  // namespace
}  // namespace veltrano
