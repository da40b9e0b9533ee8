// The sheet's controls and the editor's state after start-up.
#include <QFontInfo>
#include <QPalette>
#include <QStatusBar>

#include "editor_fixture.h"
#include "masks/switch_time_lines.h"

namespace veltrano::testing {
namespace {

using StartupTest = EditorTest;

TEST_F(StartupTest, EveryControlCarriesItsName) {
    for (const char* name : {"DatenListe_Tag",
                             "DatenListe_Motor",
                             "TagButton",
                             "MotorButton",
                             "Label37",
                             "Label42",
                             "CB_Wochentag",
                             "CB_Raum",
                             "CB_Schaltzeit_Nr",
                             "CB_Up_Down",
                             "CB_Schaltzeit",
                             "CB_Dauer",
                             "CB_Gruppe",
                             "CB_Funktion",
                             "CB_Copy_Raum",
                             "copy_from_label",
                             "GroupBox20",
                             "Tag_und_Motor",
                             "B1",
                             "B2",
                             "B3",
                             "B4",
                             "B5",
                             "B6",
                             "B7",
                             "B8",
                             "B9"}) {
        EXPECT_NE(window->findChild<QWidget*>(name), nullptr) << name;
    }
    EXPECT_EQ(Find<QWidget>("GroupBox20")->width(), 657);
    EXPECT_EQ(Find<QWidget>("GroupBox20")->height(), 25);
    EXPECT_EQ(Find<QPushButton>("TagButton")->text(), "Tag");
    EXPECT_EQ(Find<QPushButton>("MotorButton")->text(), "Motor- bzw. Raum");
}

TEST_F(StartupTest, ItemsAndHints) {
    EXPECT_EQ(Combo("CB_Wochentag")->count(), 7);
    EXPECT_EQ(Combo("CB_Wochentag")->itemText(6), "So");
    EXPECT_EQ(Combo("CB_Raum")->count(), 32);
    EXPECT_EQ(Combo("CB_Raum")->itemText(31), "Motor 32");
    EXPECT_TRUE(Combo("CB_Raum")->isEditable());
    EXPECT_EQ(Combo("CB_Raum")->insertPolicy(), QComboBox::NoInsert);
    EXPECT_EQ(Combo("CB_Copy_Raum")->count(), 32);
    EXPECT_EQ(Combo("CB_Schaltzeit_Nr")->count(), 9);
    EXPECT_EQ(Combo("CB_Schaltzeit_Nr")->itemText(8), " ");
    EXPECT_EQ(Combo("CB_Up_Down")->count(), 2);
    EXPECT_NE(Combo("CB_Up_Down")->itemText(0), Combo("CB_Up_Down")->itemText(1));
    QComboBox* zeit = Combo("CB_Schaltzeit");
    EXPECT_EQ(zeit->count(), 1441);
    EXPECT_EQ(zeit->itemText(0), "     ");
    EXPECT_EQ(zeit->itemText(1), "00:00");
    EXPECT_EQ(zeit->itemText(1440), "23:59");
    EXPECT_EQ(zeit->maxVisibleItems(), 16);
    QComboBox* dauer = Combo("CB_Dauer");
    EXPECT_EQ(dauer->count(), 127);
    EXPECT_EQ(dauer->itemText(99), "99s");
    EXPECT_EQ(dauer->itemText(100), "100");
    EXPECT_EQ(dauer->itemText(125), "350");
    EXPECT_EQ(dauer->itemText(126), "Dau");
    EXPECT_EQ(Combo("CB_Funktion")->itemText(2), "Zufall");

    EXPECT_EQ(Combo("CB_Up_Down")->toolTip(), "Laufrichtung");
    EXPECT_EQ(zeit->toolTip(), "Aktivierungs-Uhrzeit");
    EXPECT_EQ(dauer->toolTip(), "Laufzeit des Motors bei Aktivierung");
    EXPECT_EQ(Combo("CB_Gruppe")->toolTip(), "Schaltzeit gilt für mehrere Wochentage");
    EXPECT_EQ(Combo("CB_Funktion")->toolTip(), "Zufallsfunktion, Astro-Funktion");
    EXPECT_EQ(Combo("CB_Copy_Raum")->toolTip(), "Ziel-Motor");
    EXPECT_EQ(Find<QLabel>("copy_from_label")->toolTip(), "Auswählen durch Anklicken in der Liste");
    EXPECT_EQ(Find<QWidget>("TagButton")->toolTip(), "Liste sortieren nach Tag");
    EXPECT_EQ(Find<QWidget>("MotorButton")->toolTip(), "Liste sortieren nach Motor");
    EXPECT_EQ(List("DatenListe_Tag")->toolTip(),
              "Anklicken überträgt Werte in Eingabemasken (oben links)");
    EXPECT_EQ(List("DatenListe_Motor")->toolTip(),
              "Anklicken überträgt Werte in Eingabemasken (oben links) / Dopelklick löscht "
              "Schaltzeit ");
}

TEST_F(StartupTest, StartSelectionAndTheMotorListFirst) {
    EXPECT_TRUE(List("DatenListe_Tag")->isHidden());
    EXPECT_FALSE(List("DatenListe_Motor")->isHidden());
    EXPECT_EQ(Combo("CB_Wochentag")->currentIndex(), 0);
    EXPECT_EQ(Combo("CB_Raum")->currentIndex(), 0);
    EXPECT_EQ(Combo("CB_Copy_Raum")->currentIndex(), 0);
    EXPECT_EQ(Text("copy_from_label"), "Motor 1");
    EXPECT_EQ(Combo("CB_Schaltzeit_Nr")->currentIndex(), 0);
    EXPECT_EQ(Combo("CB_Up_Down")->currentIndex(), 0);
    EXPECT_EQ(Combo("CB_Dauer")->currentText(), "39s");
    EXPECT_EQ(Combo("CB_Gruppe")->currentText(), "-");
    EXPECT_EQ(Combo("CB_Funktion")->currentIndex(), 0);
    EXPECT_EQ(Combo("CB_Schaltzeit")->currentIndex(), 0);
    EXPECT_EQ(window->PanelText(6), "Freier Schaltzeiten-Speicher: 100%");
    EXPECT_TRUE(Find<QWidget>("Speicherplatz_Label")->isHidden());
}

TEST_F(StartupTest, ListsAndTimelineAreDrawnOnce) {
    FixedRowListBox* motor = List("DatenListe_Motor");
    FixedRowListBox* day = List("DatenListe_Tag");
    ASSERT_EQ(motor->RowCount(), 255);
    ASSERT_EQ(day->RowCount(), 230);
    EXPECT_EQ(MotorRow(0, 0).substr(0, 20), "Mo  Motor 1         ");
    EXPECT_EQ(MotorRow(31, 6).substr(0, 20), "So  Motor 32        ");
    EXPECT_EQ(motor->RowText(7).toStdString(), SwitchTimeSeparatorLine());
    EXPECT_EQ(day->RowText(32).toStdString(), SwitchTimeSeparatorLine());
    EXPECT_EQ(Text("Tag_und_Motor"), "Mo, Motor 1");
    EXPECT_EQ(motor->width(), 753);
    EXPECT_EQ(day->geometry(), motor->geometry());
    EXPECT_TRUE(QFontInfo(motor->font()).fixedPitch());
}

class ClosedPortTest : public EditorTest {
  protected:
    void SetUp() override { StartWindow(false); }
};

TEST_F(ClosedPortTest, ListsAreDrawnFromTheModelWhenThePortFails) {
    ASSERT_EQ(log.errors.size(), 1);
    EXPECT_EQ(MotorRow(0, 0).substr(0, 22), "Mo  Motor 1           ");
    EXPECT_EQ(Text("Tag_und_Motor"), "Mo, Motor 1");
    for (int segment = 1; segment <= 9; ++segment)
        EXPECT_FALSE(Find<QLabel>(("B" + std::to_string(segment)).c_str())
                         ->text()
                         .startsWith("Mo"))
            << "placeholder caption in B" << segment;
    // The editor works: an edit draws everything.
    Choose("CB_Schaltzeit", Code(7, 0));
    EXPECT_EQ(MotorRow(0, 0).substr(20, 11), "07:00 ^ |  ");
    EXPECT_EQ(Text("Tag_und_Motor"), "Mo, Motor 1");
}

TEST_F(StartupTest, TheSheetsControlsDoNotCoverEachOther) {
    QWidget* sheet = Find<QWidget>("Schaltzeit_Maske");
    const QRect list = List("DatenListe_Motor")->geometry();
    const QRect strip = Find<QWidget>("GroupBox20")->geometry();
    EXPECT_LE(strip.bottom(), sheet->height());
    EXPECT_LE(strip.right(), sheet->width());
    EXPECT_LT(list.bottom(), strip.top());
    for (const char* shell : {"GroupBox_Port", "GroupBox_Datenaustausch", "GroupBox_Sicherung"}) {
        QWidget* group = window->findChild<QWidget*>(shell);
        if (!group) continue;
        EXPECT_FALSE(group->geometry().intersects(list)) << shell;
        EXPECT_FALSE(group->geometry().intersects(Find<QWidget>("Label42")->geometry())) << shell;
        EXPECT_FALSE(group->geometry().intersects(Find<QWidget>("Label37")->geometry())) << shell;
        EXPECT_FALSE(
            group->geometry().intersects(Find<QWidget>("GroupBox_Schaltzeiten")->geometry()))
            << shell;
    }
}

TEST_F(StartupTest, HeadingsStandAboveTheLists) {
    EXPECT_TRUE(Text("Label42").contains("Nr. 8"));
    EXPECT_TRUE(Text("Label37").contains("Schaltzeit"));
    EXPECT_LT(Find<QWidget>("Label42")->y(), List("DatenListe_Motor")->y());
}

}  // namespace
}  // namespace veltrano::testing
