// The logbook through the real window, offscreen, against the simulated
// Controller: pages of its generated logbook, a logbook it was loaded with
// (values out of range included) in the list and in the export file,
// erasing, a Controller that falls silent, faulty frames, a long logbook.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "e2e_simulator.h"
#include "e2e_window.h"
#include "model/cp1252.h"
#include "temp_workdir.h"

namespace veltrano {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::E2eSimulator;
using testing::E2eWindow;
using testing::TempWorkDir;

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class LogbookE2eTest : public ::testing::Test {
  protected:
    void Start(testing::SimulatorSetup setup) {
        sim = std::make_unique<E2eSimulator>(work.path(), std::move(setup));
        window = std::make_unique<E2eWindow>(work.path());
        ASSERT_TRUE(window->Connect());
        (*window)->Logbook().SetClock([this] { return now; });
    }

    // A button of the sheet and the wait for the transfer it starts to end.
    bool Transfer(const char* button) {
        (*window)->findChild<QPushButton*>(button)->click();
        if (!(*window)->Logbook().Running()) return false;
        const bool ended = testing::WaitFor([&] { return !(*window)->Logbook().Running(); });
        window->NoteAndStopTimers();
        return ended;
    }

    QListWidget* List() { return (*window)->findChild<QListWidget*>("LB"); }
    std::string Row(int row) {
        return row < List()->count() ? List()->item(row)->text().toStdString() : "<none>";
    }

    TempWorkDir work;
    std::unique_ptr<E2eSimulator> sim;
    std::unique_ptr<E2eWindow> window;
    std::chrono::steady_clock::time_point now{};
};

TEST_F(LogbookE2eTest, PagesOfAHundredThenFromTheStart) {
    Start(testing::Setup({}));
    const std::string name1 = Cp1252ToUtf8(sim->Dump().names[0]);
    ASSERT_TRUE(Transfer("Logbuch_Button"));
    EXPECT_TRUE(window->TimersRanAfterTransfer());
    ASSERT_EQ(List()->count(), 101);
    EXPECT_EQ(Row(0), "  135  " + name1 + " 14.06.   21:50    v     Fest programmierte Schaltzeit");
    EXPECT_EQ(Row(99).substr(0, 7), "   36  ");
    EXPECT_EQ(Row(100), "   Keine Logbucheinträge gespeichert");
    EXPECT_EQ(List()->currentRow(), 0);

    ASSERT_TRUE(Transfer("Logbuch_Button"));
    EXPECT_EQ(Row(0).substr(0, 7), "   35  ");
    EXPECT_EQ(Row(34).substr(0, 7), "    1  ");
    EXPECT_EQ(Row(35), "   Keine Logbucheinträge gespeichert");
    EXPECT_EQ(Row(36), "");

    ASSERT_TRUE(Transfer("Logbuch_Anfang"));
    EXPECT_EQ(Row(0).substr(0, 7), "  135  ");
    EXPECT_EQ(Row(100), "   Keine Logbucheinträge gespeichert");
    EXPECT_TRUE(window->log.errors.isEmpty()) << window->log.errors.join("|").toStdString();
}

TEST_F(LogbookE2eTest, ALoadedLogbookInTheListAndInTheExportFile) {
    testing::SimulatorSetup setup = testing::Setup({"--family", "sun"});
    setup.memory = sim::FactoryMemory(false);
    setup.memory->logbook = std::vector<sim::LogbookEntry>{
        {1, 3, 1, 5, 3, 1, 7, 30, 0},   {2, 33, -1, 45, 13, 99, 99, 99, 7},
        {3, 0, 0, 0, 0, 8, 0, 0, 0},    {4, 32, 0, 1, 1, 0, 23, 59, 1},
        {5, 5, 1, -3, 12, 24, 5, 5, 0},
    };
    Start(setup);
    ASSERT_TRUE(Transfer("Logbuch_Button"));
    const std::vector<std::string> rows = {
        "    5  Motor 3      05.03.   07:30    ^     Beschattungs-Automatik",
        "    4               45.13.   99:99    ^     ",
        "   Keine Logbucheinträge gespeichert",
        "    2  Motor 32     01.01.   23:59    v     Programmierte Schaltzeit mit Solarfunktion",
        "    1  Motor 5      -3.12.   05:05    ^     Heizungs-Steuerung",
        "   Keine Logbucheinträge gespeichert",
    };
    for (int row = 0; row < static_cast<int>(rows.size()); ++row)
        EXPECT_EQ(Row(row), rows[row]) << row;
    EXPECT_EQ(Row(6), "");

    window->log.fileNames = {"logbuch.qlf"};
    ASSERT_TRUE(Transfer("Logbuch_save_Button"));
    ASSERT_TRUE(testing::WaitFor([] { return fs::exists("logbuch.qlf"); }));
    EXPECT_EQ(Slurp("logbuch.qlf"),
              "Nr;Motor/Raum;Datum;Uhrzeit;Richtung;Ausgel\xF6st durch\r\n"
              "5;Motor 3     ;05.03.;07:30;^;Beschattungs-Automatik\r\n"
              "4;            ;45.13.;99:99;^;\r\n"
              "3;            ;00.00.;00:00; ;   Keine Logbucheintr\xE4ge gespeichert\r\n"
              "2;Motor 32    ;01.01.;23:59;v;Programmierte Schaltzeit mit Astrofunktion\r\n"
              "1;Motor 5     ;-3.12.;05:05;^;\r\n"
              "0;Motor 1     ;00.00.;00:00;v;   Keine Logbucheintr\xE4ge gespeichert\r\n");
    EXPECT_TRUE(window->log.errors.isEmpty()) << window->log.errors.join("|").toStdString();
}

TEST_F(LogbookE2eTest, ErasingEmptiesTheControllersLogbook) {
    Start(testing::Setup({"--family", "roller", "--motors", "8"}));
    ASSERT_TRUE(Transfer("Logbuch_Button"));
    (*window)->findChild<QPushButton*>("Logbuch_Loeschen")->click();
    EXPECT_EQ(List()->count(), 101);
    EXPECT_EQ(Row(0), "");
    ASSERT_TRUE(window->Poll());  // answered after "sll" was taken
    EXPECT_EQ(sim->Dump().logbook, std::vector<sim::LogbookEntry>{});  // "sla 0"

    ASSERT_TRUE(Transfer("Logbuch_Button"));
    EXPECT_EQ(Row(0), "");
    EXPECT_EQ(Row(1), "   Keine Logbucheinträge gespeichert");
    EXPECT_EQ(List()->currentRow(), 0);
}

TEST_F(LogbookE2eTest, SilenceAfterFortyEntriesEndsTheReadThenTheLinkIsDown) {
    Start(testing::Setup({"--silent-after-logbook", "40"}));
    (*window)->findChild<QPushButton*>("Logbuch_Button")->click();
    ASSERT_TRUE(testing::WaitFor([&] { return (*window)->Logbook().LogbookLastEntry() == 40; }));
    (*window)->LogbookWatchdogTimer();
    now += 10s;
    (*window)->LogbookWatchdogTimer();
    ASSERT_FALSE((*window)->Logbook().Running());
    window->NoteAndStopTimers();
    EXPECT_TRUE(window->TimersRanAfterTransfer());
    EXPECT_EQ(Row(39).substr(0, 7), "   96  ");
    EXPECT_EQ(Row(40), "   Logbuch unvollständig: keine Antwort der Steuerung");
    EXPECT_EQ((*window)->PanelText(5), "Zeitüberschreitung Logbuch");
    ASSERT_TRUE(testing::WaitFor([&] { return window->log.errors.size() == 1; }));

    // The link check now sees the silence.
    (*window)->Timer3Timer();
    (*window)->Timer3Timer();
    EXPECT_EQ((*window)->PanelText(0), TQuorvan::kNoConnection);
    (*window)->Timer1Timer();
    EXPECT_TRUE((*window)->State().LinkDown);
    EXPECT_FALSE((*window)->findChild<QPushButton*>("Logbuch_Button")->isEnabled());
}

TEST_F(LogbookE2eTest, FaultyChecksumsAreSkippedAndALongLogbookCounts) {
    Start(testing::Setup({"--bad-checksum", "7"}));
    ASSERT_TRUE(Transfer("Logbuch_Button"));
    EXPECT_EQ((*window)->PanelText(5), "LoBuFe 97");
    for (int row = 0; row < 100; ++row) {
        if ((row + 1) % 7 == 0)
            EXPECT_EQ(Row(row), "") << row;
        else
            EXPECT_NE(Row(row), "") << row;
    }
    EXPECT_EQ(Row(100), "   Keine Logbucheinträge gespeichert");
    window.reset();
    sim.reset();

    Start(testing::Setup({"--logbook", "2000", "--family", "roller"}, "COM1"));
    ASSERT_TRUE(Transfer("Logbuch_Button"));
    EXPECT_EQ(Row(0).substr(0, 6), "2000  ");
    EXPECT_EQ(Row(99).substr(0, 6), "1901  ");
}

}  // namespace
}  // namespace veltrano
