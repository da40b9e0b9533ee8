// The lists and boxes during a read-all, a send-all and for received names.
#include <QTabWidget>
#include <initializer_list>

#include "editor_fixture.h"

namespace veltrano::testing {
namespace {

std::string Frame(const std::string& tag, std::initializer_list<long long> numbers) {
    std::string payload;
    long long sum = 0;
    for (long long n : numbers) {
        payload += std::to_string(n) + ",";
        sum += n;
    }
    return "start_" + tag + payload + std::to_string(sum) + ",ende_";
}

const QString kReading = "     Lese Daten von Steuerung ...";

class TransferTest : public EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        window->ReadAll().WriteText = [this](std::string_view bytes) { written += bytes; };
    }
    void Receive(const std::string& bytes) { window->Receiver().OnReceive(bytes); }
    std::string written;
};

TEST_F(TransferTest, ReadAllBlanksTheListsAndShowsItsProgressInRowSix) {
    At(3, 0, 0).TimeCode = Code(5, 0);
    Rebuild();
    const QString dayRow62 = List("DatenListe_Tag")->RowText(62);
    const QString motorRow64 = List("DatenListe_Motor")->RowText(64);
    Choose("CB_Wochentag", 3);  // rows selected

    window->Read_ButtonClick();
    for (const char* name : {"CB_Wochentag", "CB_Raum", "CB_Schaltzeit_Nr", "CB_Up_Down",
                             "CB_Schaltzeit", "CB_Dauer", "CB_Gruppe", "CB_Funktion"})
        EXPECT_EQ(Combo(name)->currentIndex(), -1) << name;
    FixedRowListBox* day = List("DatenListe_Tag");
    FixedRowListBox* motor = List("DatenListe_Motor");
    for (int row = 0; row < 62; ++row)
        EXPECT_EQ(day->RowText(row), row == 6 ? kReading : QString()) << row;
    for (int row = 0; row < 64; ++row)
        EXPECT_EQ(motor->RowText(row), row == 6 ? kReading : QString()) << row;
    EXPECT_EQ(day->RowText(62), dayRow62);
    EXPECT_EQ(motor->RowText(64), motorRow64);
    EXPECT_EQ(day->SelectedRow(), -1);
    EXPECT_EQ(motor->SelectedRow(), -1);

    Receive("start_smn01,Kueche      ende_");
    EXPECT_EQ(Combo("CB_Raum")->itemText(0), "Kueche      ");
    EXPECT_EQ(Combo("CB_Copy_Raum")->itemText(0), "Kueche      ");
    EXPECT_EQ(motor->RowText(6), kReading);  // names do not write row 6

    Receive(Frame("sfs", {0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(motor->RowText(6), "    Lese Daten von Steuerung ... Schaltzeiten ");
    Receive(Frame("sfs", {3, 0, 1, 1, 6, 30, 39, 7, 0}));
    EXPECT_EQ(day->RowText(6), "    Lese Daten von Steuerung ... Schaltzeiten Mi");
    EXPECT_EQ(motor->RowText(6), "    Lese Daten von Steuerung ... Schaltzeiten Mi");

    Receive(Frame("sfs", {255, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(window->State().ReadAllInProgress);
    // Completion: lists rebuilt, Monday, the first motor and slot 1 loaded.
    EXPECT_EQ(MotorRow(0, 0).substr(0, 31), "Mo  Kueche          06:30 ^ |  ");
    EXPECT_EQ(DayRow(0, 6).substr(0, 20), "Mo  Motor 7         ");
    EXPECT_EQ(Combo("CB_Wochentag")->currentIndex(), 0);
    EXPECT_EQ(Combo("CB_Raum")->currentIndex(), 0);
    EXPECT_EQ(Combo("CB_Copy_Raum")->currentIndex(), 0);
    EXPECT_EQ(Combo("CB_Schaltzeit_Nr")->currentIndex(), 0);
    EXPECT_EQ(Combo("CB_Schaltzeit")->currentText(), "06:30");
    EXPECT_EQ(Combo("CB_Gruppe")->currentText(), "Mo - So");
    EXPECT_EQ(Text("copy_from_label"), "Kueche      ");
    EXPECT_EQ(Text("Tag_und_Motor"), "Mo, Kueche      ");
    EXPECT_EQ(motor->SelectedRow(), 0);
    // Selecting the copy target was no user's choice: nothing was copied or marked.
    int modified = 0;
    for (const SwitchTime& e : Model().SwitchTimes)
        modified += e.Modified;
    EXPECT_EQ(modified, 0);
    EXPECT_EQ(window->PanelText(6), "Freier Schaltzeiten-Speicher: 99%");
}

TEST_F(TransferTest, ANameTypedBeforeTheReadIsCommittedAndTheReadsNamesWin) {
    TypeName("Neu");
    FocusOut(Combo("CB_Raum"));  // pressing the button leaves the box
    window->Read_ButtonClick();
    Receive("start_smn01,Alt ende_");
    Receive(Frame("sfs", {255, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Model().motorName(1), "Alt ");
    EXPECT_EQ(Combo("CB_Raum")->currentText(), "Alt ");
    EXPECT_FALSE(Editor().RenamePending());
}

TEST_F(TransferTest, NamesOutsideTheMotorsAreIgnored) {
    window->Hooks().SetMotorNameItem(0, "null");
    window->Hooks().SetMotorNameItem(33, "drüber");
    window->Hooks().SetMotorNameItem(32, "Letzter");
    EXPECT_EQ(Combo("CB_Raum")->itemText(31), "Letzter");
    EXPECT_EQ(Model().motorName(32), "Letzter");
    EXPECT_EQ(Combo("CB_Raum")->count(), 32);
    EXPECT_EQ(window->Hooks().WeekdayItemText(2), "Mi");
}

TEST_F(TransferTest, SendAllShowsItsProgressInTheByMotorList) {
    Find<QPushButton>("TagButton")->click();
    Choose("CB_Wochentag", 1);
    window->Hooks().BlankMotorListForSend("     Sende Daten ...");
    EXPECT_TRUE(List("DatenListe_Tag")->isHidden());
    EXPECT_FALSE(List("DatenListe_Motor")->isHidden());
    for (int row = 0; row < 64; ++row)
        EXPECT_EQ(List("DatenListe_Motor")->RowText(row), row == 6 ? "     Sende Daten ..." : "")
            << row;
    EXPECT_EQ(List("DatenListe_Motor")->SelectedRow(), -1);
    window->Hooks().SetMotorListRow6("x");
    EXPECT_EQ(List("DatenListe_Motor")->RowText(6), "x");
    EXPECT_NE(List("DatenListe_Tag")->RowText(6), "x");
}

TEST_F(TransferTest, BackupLoadSelectsTheFirstEntryWithoutTheCopyTarget) {
    Choose("CB_Raum", 4);
    Choose("CB_Wochentag", 4);
    Combo("CB_Copy_Raum")->setCurrentIndex(7);
    window->Hooks().SelectFirstSwitchTime();
    EXPECT_EQ(Combo("CB_Wochentag")->currentIndex(), 0);
    EXPECT_EQ(Combo("CB_Raum")->currentIndex(), 0);
    EXPECT_EQ(Combo("CB_Schaltzeit_Nr")->currentIndex(), 0);
    EXPECT_EQ(Combo("CB_Copy_Raum")->currentIndex(), 7);
    EXPECT_EQ(Text("copy_from_label"), "Motor 1");
}

}  // namespace
}  // namespace veltrano::testing
