// Picking entries from the lists: rows, separators, slots, keyboard, views
// and the limits of small Controllers.
#include "editor_fixture.h"

namespace veltrano::testing {
namespace {

using ListTest = EditorTest;

TEST_F(ListTest, AClickLoadsDayMotorSlotAndEntry) {
    At(4, 3, 5).TimeCode = Code(9, 45);
    At(4, 3, 5).Direction = 1;
    At(4, 3, 5).DurationCode = 110;
    At(4, 3, 5).Function = 2;
    At(4, 3, 5).DayGroup = 5;
    Rebuild();
    Click("DatenListe_Motor", 8 * 3 + 4, SlotX(5));
    EXPECT_EQ(Combo("CB_Wochentag")->currentText(), "Fr");
    EXPECT_EQ(Combo("CB_Raum")->currentText(), "Motor 4");
    EXPECT_EQ(Combo("CB_Schaltzeit_Nr")->currentText(), "6");
    EXPECT_EQ(Combo("CB_Schaltzeit")->currentText(), "09:45");
    EXPECT_EQ(Combo("CB_Up_Down")->currentIndex(), 1);
    EXPECT_EQ(Combo("CB_Dauer")->currentIndex(), 110);
    EXPECT_EQ(Combo("CB_Funktion")->currentText(), "Zufall");
    EXPECT_EQ(Combo("CB_Gruppe")->currentText(), "Mo - Fr");
    EXPECT_EQ(Text("copy_from_label"), "Motor 4");
    EXPECT_EQ(Text("Tag_und_Motor"), "Fr, Motor 4");
    EXPECT_EQ(List("DatenListe_Motor")->SelectedRow(), 8 * 3 + 4);
}

TEST_F(ListTest, AGroupThatDoesNotFitTheDayLeavesNoGroupItem) {
    At(6, 0, 0).TimeCode = Code(9, 0);
    At(6, 0, 0).DayGroup = 5;  // weekdays group on a Sunday
    Click("DatenListe_Motor", 6, SlotX(0));
    EXPECT_EQ(Combo("CB_Gruppe")->currentIndex(), -1);
    // Loading the same entry through the day box shows item 1.
    Choose("CB_Wochentag", 6);
    EXPECT_EQ(Combo("CB_Gruppe")->currentText(), "Sa - So");
}

TEST_F(ListTest, SlotBoundaryAt209) {
    Click("DatenListe_Motor", 0, 209);
    EXPECT_EQ(Combo("CB_Schaltzeit_Nr")->currentIndex(), 0);
    EXPECT_EQ(Editor().PressPosition(), 36);
    Click("DatenListe_Motor", 0, 210);
    EXPECT_EQ(Combo("CB_Schaltzeit_Nr")->currentIndex(), 1);
    EXPECT_EQ(Editor().PressPosition(), 37);
    Click("DatenListe_Motor", 0, 20);  // in the name column
    EXPECT_EQ(Combo("CB_Schaltzeit_Nr")->currentIndex(), 0);
    // Right of the last column (the viewport ends short of 753 pixels).
    const int right = List("DatenListe_Motor")->viewport()->width() - 2;
    ASSERT_GT(right, 700);
    Click("DatenListe_Motor", 0, right);
    EXPECT_EQ(Combo("CB_Schaltzeit_Nr")->currentIndex(), 7);
    EXPECT_EQ(Editor().PressPosition(), right - 173);
}

TEST_F(ListTest, SeparatorRowsSelectTheNextRow) {
    Click("DatenListe_Motor", 7, SlotX(0));
    EXPECT_EQ(List("DatenListe_Motor")->SelectedRow(), 8);
    EXPECT_EQ(Combo("CB_Wochentag")->currentIndex(), 0);
    EXPECT_EQ(Combo("CB_Raum")->currentIndex(), 1);
    EXPECT_EQ(Text("copy_from_label"), "Motor 2");

    Find<QPushButton>("TagButton")->click();
    Click("DatenListe_Tag", 32, SlotX(0));
    EXPECT_EQ(List("DatenListe_Tag")->SelectedRow(), 33);
    EXPECT_EQ(Combo("CB_Wochentag")->currentIndex(), 1);
    EXPECT_EQ(Combo("CB_Raum")->currentIndex(), 0);
    // The hidden list's selection is not touched by a click.
    EXPECT_EQ(List("DatenListe_Motor")->SelectedRow(), 8);
}

TEST_F(ListTest, LoadingSelectsTheRowInBothLists) {
    Choose("CB_Raum", 5);
    Choose("CB_Wochentag", 3);
    EXPECT_EQ(List("DatenListe_Tag")->SelectedRow(), 33 * 3 + 5);
    EXPECT_EQ(List("DatenListe_Motor")->SelectedRow(), 8 * 5 + 3);
    EXPECT_EQ(Text("copy_from_label"), "Motor 6");
}

TEST_F(ListTest, KeyboardSelectionKeepsTheSlot) {
    At(1, 0, 4).TimeCode = Code(13, 0);
    Rebuild();
    Click("DatenListe_Motor", 0, SlotX(4));
    const int press = Editor().PressPosition();
    QWidget* list = List("DatenListe_Motor");
    Key(list, Qt::Key_Down);
    EXPECT_EQ(List("DatenListe_Motor")->SelectedRow(), 1);
    EXPECT_EQ(Combo("CB_Wochentag")->currentIndex(), 1);
    EXPECT_EQ(Combo("CB_Schaltzeit_Nr")->currentIndex(), 4);
    EXPECT_EQ(Combo("CB_Schaltzeit")->currentIndex(), Code(13, 0));
    EXPECT_EQ(Editor().PressPosition(), press);
    // Onto a separator: the next motor's Monday, same slot.
    for (int i = 0; i < 6; ++i)
        Key(list, Qt::Key_Down);
    EXPECT_EQ(List("DatenListe_Motor")->SelectedRow(), 8);
    EXPECT_EQ(Combo("CB_Raum")->currentIndex(), 1);
    EXPECT_EQ(Combo("CB_Schaltzeit_Nr")->currentIndex(), 4);
}

TEST_F(ListTest, SwitchingTheViewKeepsEachListsSelection) {
    Choose("CB_Raum", 2);
    Find<QPushButton>("TagButton")->click();
    EXPECT_FALSE(List("DatenListe_Tag")->isHidden());
    EXPECT_TRUE(List("DatenListe_Motor")->isHidden());
    Click("DatenListe_Tag", 33 * 2, SlotX(0));
    Find<QPushButton>("MotorButton")->click();
    EXPECT_TRUE(List("DatenListe_Tag")->isHidden());
    EXPECT_FALSE(List("DatenListe_Motor")->isHidden());
    EXPECT_EQ(List("DatenListe_Motor")->SelectedRow(), 8 * 2);
    EXPECT_EQ(List("DatenListe_Tag")->SelectedRow(), 33 * 2);
}

TEST_F(ListTest, EightMotorControllerKeepsToMotorsOneToEight) {
    window->State().Identity.ThirtyTwoMotors = false;
    Choose("CB_Raum", 12);
    EXPECT_EQ(Combo("CB_Raum")->currentIndex(), 0);
    EXPECT_EQ(Text("copy_from_label"), "Motor 1");

    Click("DatenListe_Motor", 8 * 9 + 2, SlotX(1));
    EXPECT_EQ(List("DatenListe_Motor")->SelectedRow(), 0);
    EXPECT_EQ(Combo("CB_Raum")->currentIndex(), 0);
    EXPECT_EQ(Combo("CB_Wochentag")->currentIndex(), 0);
    EXPECT_EQ(Combo("CB_Schaltzeit_Nr")->currentIndex(), 1);

    Find<QPushButton>("TagButton")->click();
    Click("DatenListe_Tag", 33 * 2 + 20, SlotX(0));
    EXPECT_EQ(Combo("CB_Wochentag")->currentIndex(), 0);
    EXPECT_EQ(Combo("CB_Raum")->currentIndex(), 0);
    EXPECT_EQ(List("DatenListe_Tag")->SelectedRow(), 0);
    EXPECT_EQ(List("DatenListe_Motor")->SelectedRow(), 0);
    // Motor 8 is still reachable.
    Click("DatenListe_Tag", 33 * 3 + 7, SlotX(0));
    EXPECT_EQ(Combo("CB_Raum")->currentIndex(), 7);
}

TEST_F(ListTest, FourSlotControllerKeepsToSlotsOneToFour) {
    window->State().Identity.EightTimesPerDay = false;
    Choose("CB_Schaltzeit_Nr", 6);
    EXPECT_EQ(Combo("CB_Schaltzeit_Nr")->currentIndex(), 0);  // loading: slot 1
    Choose("CB_Schaltzeit_Nr", 8);
    EXPECT_EQ(Combo("CB_Schaltzeit_Nr")->currentIndex(), 0);
    // W = 447, L = 179: slot 2 from x = 213, the right end gives slot 4.
    Click("DatenListe_Motor", 0, 212);
    EXPECT_EQ(Combo("CB_Schaltzeit_Nr")->currentIndex(), 0);
    Click("DatenListe_Motor", 0, 213);
    EXPECT_EQ(Combo("CB_Schaltzeit_Nr")->currentIndex(), 1);
    Click("DatenListe_Motor", 0, 700);
    EXPECT_EQ(Combo("CB_Schaltzeit_Nr")->currentIndex(), 3);
}

}  // namespace
}  // namespace veltrano::testing
