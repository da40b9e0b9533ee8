// The sheet "Hand-, Tast-, Reversier-Automatik" through its real widgets:
// the manual drive's bytes (captured from the window's writer), the bank
// views, the link rules, and the reverse and touch sections.
#include <QApplication>
#include <string>
#include <vector>

#include <QListWidget>
#include "link/manual_drive_code.h"
#include "mask_fixture.h"
#include "masks/manual_sheet.h"

namespace veltrano::testing {
namespace {

std::string Pair(int motor, const std::string& word) {
    return " rhb" + std::to_string(motor) + "\r|" + word + "\r" + kManualDriveConfirmationCode +
           "\r + sti\r";
}

class ManualSheetTest : public MaskTest {
  protected:
    void SetUp() override {
        window = MakeTestWindow(log, work.path());
        window->Manual().SetWriter([this](std::string_view text) {
            if (refuse) return false;
            written.emplace_back(text);
            return true;
        });
        StartWithTimersStopped(*window);
        Link();
        window->show();
        QApplication::setActiveWindow(window.get());
        window->activateWindow();
        QApplication::processEvents();
        sheet = "Handsteuerung_Maske";
        ShowSheet(sheet);
    }
    // A polling tick that finds a conservatory Controller.
    void Link() {
        window->SetPanelText(0, "QX-7000-W-7-9 TG");
        window->State().FirmwareVersion = 7514;
        window->Timer1Timer();
    }
    std::string Written() {
        std::string all;
        for (const std::string& w : written)
            all += (all.empty() ? "" : "|") + w;
        written.clear();
        return all;
    }
    QListWidget* Selector(int k) { return Find<QListWidget>("HS_" + std::to_string(k)); }
    void NextBank() {
        QLabel* next = Label("HS_Bank_next_");
        MouseClick(next, next->rect().center());
    }
    std::vector<int> Rows() {
        std::vector<int> rows;
        for (int k = 1; k <= 8; ++k)
            rows.push_back(Selector(k)->currentRow());
        return rows;
    }

    std::vector<std::string> written;
    bool refuse = false;
};

TEST_F(ManualSheetTest, EnteringAndPagingBanks) {
    EXPECT_EQ(Written(), "srs\r");
    for (int click = 1; click <= 4; ++click) {
        NextBank();
        EXPECT_EQ(Label("HS_Bank_Label")->text().toInt(), click % 4 + 1);
    }
    EXPECT_EQ(Written(), "srs\r|srs\r|srs\r|srs\r");
    EXPECT_EQ(Label("HS_1_Label")->text().toStdString(), Model().motorName(1));
}

TEST_F(ManualSheetTest, DrivingWritesOnePairPerClick) {
    NextBank();
    NextBank();
    Written();
    ClickRow(Selector(5), 2);
    EXPECT_EQ(Written(), " rhi\r|" + Pair(21, "down"));
    EXPECT_EQ(window->Manual().ManualCommand(21), 2);
    // The row already selected drives again; a double-click is two clicks;
    // " rhi" only once.
    ClickRow(Selector(5), 2);
    EXPECT_EQ(Written(), Pair(21, "down"));
    DoubleClickRow(Selector(1), 0);
    EXPECT_EQ(Written(), Pair(17, "up") + "|" + Pair(17, "up"));
    // A keyboard move to another row drives; no move, no write.
    Key(Selector(1), Qt::Key_Down);
    EXPECT_EQ(Written(), Pair(17, "off"));
    Key(Selector(1), Qt::Key_Up);
    Key(Selector(1), Qt::Key_Up);
    EXPECT_EQ(Written(), Pair(17, "up"));
}

TEST_F(ManualSheetTest, ReportedStatesAndProgramSelectionsWriteNothing) {
    Written();
    // A "srs" frame with up mask 5 and down mask 2.
    window->Receiver().OnReceive("start_srs5,2,ende_");
    EXPECT_EQ(Rows(), (std::vector<int>{0, 2, 0, 1, 1, 1, 1, 1}));
    EXPECT_EQ(Written(), "");
    ShowSheet("Schaltzeit_Maske");
    EXPECT_EQ(Written(), " rhe\r");
    EXPECT_EQ(Rows(), std::vector<int>(8, 1));
}

TEST_F(ManualSheetTest, LeavingResetsTheCommands) {
    NextBank();
    ClickRow(Selector(3), 0);
    ASSERT_EQ(window->Manual().ManualCommand(11), 0);
    Written();
    ShowSheet("Schaltzeit_Maske");
    EXPECT_EQ(Written(), " rhe\r");
    EXPECT_EQ(window->Manual().ManualCommand(11), 1);
    EXPECT_EQ(window->Manual().Bank(), 1);
    EXPECT_EQ(Label("HS_Bank_Label")->text(), "1");
    ShowSheet(sheet);
    EXPECT_EQ(Written(), "srs\r");
    EXPECT_EQ(Rows(), std::vector<int>(8, 1));
    // Entering again: the first click writes " rhi" again.
    ClickRow(Selector(1), 2);
    EXPECT_EQ(Written(), " rhi\r|" + Pair(1, "down"));
}

TEST_F(ManualSheetTest, RefusedWriteIsNoClick) {
    ClickRow(Selector(2), 0);
    Written();
    refuse = true;
    ClickRow(Selector(2), 2);
    EXPECT_EQ(Selector(2)->currentRow(), 0);
    EXPECT_EQ(window->Manual().ManualCommand(2), 0);
}

TEST_F(ManualSheetTest, LinkLostAndFound) {
    ClickRow(Selector(1), 0);
    Written();
    window->SetPanelText(0, TQuorvan::kNoConnection);
    window->Timer1Timer();
    // Clicks still write while the port is open; losing the link ended
    // manual mode's bracket, so " rhi" comes first.
    ClickRow(Selector(1), 1);
    EXPECT_EQ(Written(), " rhi\r|" + Pair(1, "off"));
    window->SetPanelText(0, TQuorvan::kNoConnection);
    window->Timer1Timer();
    Link();
    EXPECT_EQ(Written(), "srs\r");
    ClickRow(Selector(1), 2);
    EXPECT_EQ(Written(), " rhi\r|" + Pair(1, "down"));
}

TEST_F(ManualSheetTest, EightMotorsSelectMotorOne) {
    SetEightMotors();
    window->State().Identity.TouchAutomationAvailable = true;
    Click("RA_Liste", 9);
    EXPECT_EQ(Combo("RA_Raum")->currentIndex(), 0);
    Click("Tast_Liste", 12);
    EXPECT_EQ(Combo("Tast_Raum")->currentIndex(), 0);
}

TEST_F(ManualSheetTest, TouchVariantDecidesTheBox) {
    for (bool radio : {false, true}) {
        window->State().Identity.RadioVariant = radio;
        Records<TouchSettings>().motor(1).Off = 0;
        Records<TouchSettings>().motor(1).DurationCode = 22;
        Reenter();
        EXPECT_EQ(Find<QComboBox>("Tast_Dauer")->isHidden(), radio);
        EXPECT_EQ(Find<QComboBox>("Tast_Dauer_Funk")->isHidden(), !radio);
        EXPECT_EQ(Row("Tast_Liste", 0).substr(23), radio ? "01:00" : "23s");
        Choose(radio ? "Tast_Dauer_Funk" : "Tast_Dauer", 30);
        EXPECT_EQ(Records<TouchSettings>().motor(1).DurationCode, 30);
    }
    Choose("Tast_Ein_Aus", 1);
    EXPECT_TRUE(Find<QComboBox>("Tast_Dauer_Funk")->isHidden());
    EXPECT_TRUE(Label("Tast_Label1")->isHidden());
}

TEST_F(ManualSheetTest, ReverseSection) {
    Click("RA_Liste", 4);
    Choose("RA_Ein_Aus", 0);
    Choose("RA_Auf", 15);
    Choose("RA_Ab", 0);
    EXPECT_EQ(Row("RA_Liste", 4).substr(14), "EIN      1,5s          0,0s");
    EXPECT_TRUE(Records<ReverseSettings>().motor(5).Modified);
    DoubleClick("RA_Liste", 4);
    EXPECT_EQ(Records<ReverseSettings>().motor(5).Off, 1);
    EXPECT_TRUE(Find<QComboBox>("RA_Auf")->isHidden());
}

}  // namespace
}  // namespace veltrano::testing
