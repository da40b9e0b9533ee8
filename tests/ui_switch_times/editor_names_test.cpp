// Renaming motors in CB_Raum and copying a motor's switching times.
#include <QClipboard>

#include "editor_fixture.h"

namespace veltrano::testing {
namespace {

using NameTest = EditorTest;

TEST_F(NameTest, ALongNameIsKeptWholeAndListedByItsFirstTwelveCharacters) {
    TypeName("Wohnzimmer Süd1");  // 15 characters
    EXPECT_TRUE(Editor().RenamePending());
    EXPECT_EQ(Model().motorName(1), "Motor 1");  // nothing before the commit
    Key(Combo("CB_Raum"), Qt::Key_Return);
    EXPECT_FALSE(Editor().RenamePending());
    EXPECT_EQ(Model().motorName(1), "Wohnzimmer Süd1");
    EXPECT_EQ(Combo("CB_Raum")->count(), 32);  // Enter added no item
    EXPECT_EQ(Combo("CB_Raum")->itemText(0), "Wohnzimmer Süd1");
    EXPECT_EQ(Combo("CB_Raum")->currentIndex(), 0);
    EXPECT_EQ(Combo("CB_Copy_Raum")->itemText(0), "Wohnzimmer Süd1");
    EXPECT_EQ(Text("copy_from_label"), "Wohnzimmer Süd1");
    EXPECT_EQ(MotorRow(0, 0).substr(0, 20), "Mo  Wohnzimmer S    ");
    EXPECT_EQ(DayRow(6, 0).substr(0, 20), "So  Wohnzimmer S    ");
    // A rename does not redraw the timeline.
    EXPECT_EQ(Text("Tag_und_Motor"), "Mo, Motor 1");
}

TEST_F(NameTest, NothingIsCommittedUnlessTheTextWasEdited) {
    Model().motorName(1) = "geändert";  // lists not rebuilt yet
    Key(Combo("CB_Raum"), Qt::Key_Return);
    FocusOut(Combo("CB_Raum"));
    Combo("CB_Raum")->showPopup();
    Combo("CB_Raum")->hidePopup();
    EXPECT_EQ(MotorRow(0, 0).substr(0, 11), "Mo  Motor 1");
    EXPECT_EQ(Model().motorName(1), "geändert");
}

TEST_F(NameTest, ANameWithAFrameMarkerIsRefused) {
    for (const char* typed : {"Legende_1", "start_Bad"}) {
        Choose("CB_Raum", 2);
        TypeName(typed);
        Key(Combo("CB_Raum"), Qt::Key_Return);
        EXPECT_EQ(Model().motorName(3), "Motor 3") << typed;
        EXPECT_EQ(Combo("CB_Raum")->itemText(2), "Motor 3") << typed;
        EXPECT_EQ(Combo("CB_Raum")->currentText(), "Motor 3") << typed;
        EXPECT_EQ(Combo("CB_Copy_Raum")->itemText(2), "Motor 3") << typed;
        EXPECT_TRUE(window->PanelText(5).contains("ende_")) << typed;
    }
    TypeName("Legende 1");
    Key(Combo("CB_Raum"), Qt::Key_Return);
    EXPECT_EQ(Model().motorName(3), "Legende 1");
}

TEST_F(NameTest, LeavingTheBoxCommits) {
    Choose("CB_Raum", 4);
    TypeName("Bad");
    FocusOut(Combo("CB_Raum"));
    EXPECT_EQ(Model().motorName(5), "Bad");
    EXPECT_EQ(MotorRow(4, 0).substr(0, 7), "Mo  Bad");
    EXPECT_EQ(Combo("CB_Raum")->currentIndex(), 4);
}

TEST_F(NameTest, OpeningTheListCommits) {
    Choose("CB_Raum", 1);
    TypeName("Flur");
    Combo("CB_Raum")->showPopup();
    Combo("CB_Raum")->hidePopup();
    EXPECT_EQ(Model().motorName(2), "Flur");
    EXPECT_EQ(Combo("CB_Copy_Raum")->itemText(1), "Flur");
}

TEST_F(NameTest, ANameEqualToAnotherMotorsRenamesAndSelectsNothingElse) {
    TypeName("Motor 5");
    FocusOut(Combo("CB_Raum"));
    EXPECT_EQ(Model().motorName(1), "Motor 5");
    EXPECT_EQ(Model().motorName(5), "Motor 5");
    EXPECT_EQ(Combo("CB_Raum")->currentIndex(), 0);
    EXPECT_EQ(Combo("CB_Wochentag")->currentIndex(), 0);
}

TEST_F(NameTest, BlanksAndAnEmptyNameAreTakenAsTyped) {
    TypeName("  Küche  ");
    Key(Combo("CB_Raum"), Qt::Key_Enter);
    EXPECT_EQ(Model().motorName(1), "  Küche  ");
    EXPECT_EQ(List("DatenListe_Motor")->RowText(0).left(20), "Mo    Küche" + QString(9, ' '));
    Combo("CB_Raum")->lineEdit()->selectAll();
    Key(Combo("CB_Raum"), Qt::Key_Backspace);
    Key(Combo("CB_Raum"), Qt::Key_Return);
    EXPECT_EQ(Model().motorName(1), "");
    EXPECT_EQ(MotorRow(0, 0).substr(0, 20), "Mo                  ");
}

TEST_F(NameTest, TheMotorShownIsRenamedAlsoAfterAListClick) {
    Click("DatenListe_Motor", 8 * 3 + 2, SlotX(0));  // motor 4 chosen in the list, not in the box
    ASSERT_EQ(Combo("CB_Raum")->currentIndex(), 3);
    TypeName("Gästezimmer");
    Key(Combo("CB_Raum"), Qt::Key_Return);
    EXPECT_EQ(Model().motorName(4), "Gästezimmer");
    EXPECT_EQ(Model().motorName(1), "Motor 1");
    EXPECT_EQ(Combo("CB_Wochentag")->currentIndex(), 2);  // the day stays
    EXPECT_EQ(Editor().RenameTarget(), 3);
}

TEST_F(NameTest, ChoosingAMotorSetsTheRenameTargetAndLoads) {
    At(0, 6, 0).TimeCode = Code(8, 0);
    Choose("CB_Raum", 6);
    EXPECT_EQ(Editor().RenameTarget(), 6);
    EXPECT_EQ(Text("copy_from_label"), "Motor 7");
    EXPECT_EQ(Combo("CB_Schaltzeit")->currentText(), "08:00");
    // Typing fires the change handler, which does nothing while no item is selected.
    TypeName("X");
    EXPECT_EQ(Text("copy_from_label"), "Motor 7");
}

using CopyTest = EditorTest;

TEST_F(CopyTest, CopiesAllSwitchingTimesOfTheSelectedMotor) {
    At(0, 0, 0).TimeCode = Code(6, 0);
    At(5, 0, 7).TimeCode = Code(21, 0);
    At(5, 0, 7).DayGroup = 2;
    At(2, 9, 3).TimeCode = Code(3, 0);  // overwritten by an empty slot
    ClearModified();
    Choose("CB_Copy_Raum", 9);
    EXPECT_EQ(At(0, 9, 0).TimeCode, Code(6, 0));
    EXPECT_EQ(At(5, 9, 7).DayGroup, 2);
    EXPECT_EQ(At(2, 9, 3).TimeCode, 0);
    EXPECT_EQ(ModifiedCount(), 56);
    EXPECT_EQ(MotorRow(9, 0).substr(20, 5), "06:00");
    EXPECT_EQ(Combo("CB_Raum")->currentIndex(), 0);  // day and motor stay
    EXPECT_EQ(Combo("CB_Wochentag")->currentIndex(), 0);
}

TEST_F(CopyTest, AMotorCopiedOntoItselfIsOnlyMarked) {
    At(3, 2, 1).TimeCode = Code(17, 30);
    At(3, 2, 1).DayGroup = 7;
    Choose("CB_Raum", 2);
    ClearModified();
    const SwitchTimeTable before = Model().SwitchTimes;
    Choose("CB_Copy_Raum", 2);
    EXPECT_EQ(ModifiedCount(), 56);
    for (int d = 0; d < 7; ++d)
        for (int s = 0; s < 8; ++s) {
            SwitchTime expected = before.entry(d, 2, s);
            expected.Modified = true;
            EXPECT_EQ(At(d, 2, s), expected);
        }
}

TEST_F(CopyTest, OnAnEightMotorControllerAHighTargetBecomesTheSource) {
    window->State().Identity.ThirtyTwoMotors = false;
    Choose("CB_Raum", 1);
    At(0, 11, 0).TimeCode = Code(4, 0);
    ClearModified();
    Choose("CB_Copy_Raum", 11);  // "Motor 12"
    EXPECT_EQ(Combo("CB_Copy_Raum")->currentIndex(), 1);
    EXPECT_EQ(At(0, 11, 0).TimeCode, Code(4, 0));
    EXPECT_FALSE(At(0, 11, 0).Modified);
    EXPECT_TRUE(At(0, 1, 0).Modified);
    EXPECT_EQ(ModifiedCount(), 56);
}

TEST_F(CopyTest, OnlyTheUsersChoiceCopies) {
    At(0, 0, 0).TimeCode = Code(6, 0);
    ClearModified();
    Combo("CB_Copy_Raum")->setCurrentIndex(5);
    window->Hooks().SelectFirstSwitchTime();
    Combo("CB_Copy_Raum")->setCurrentIndex(0);
    EXPECT_EQ(ModifiedCount(), 0);
    EXPECT_EQ(At(0, 5, 0).TimeCode, 0);
}

// A name holds only what the Controller can store (Windows-1252): other
// characters, typed or pasted, are left out and named.
TEST_F(NameTest, CharactersWindows1252CannotHoldAreNotInserted) {
    struct Case {
        const char* input;
        bool paste;
        const char* kept;
        const char* refused;
    };
    const Case cases[] = {
        {"Łazienka", false, "azienka", "Ł"},
        {"Łódź 2", true, "ód 2", "Ł"},
        {"Küche €", true, "Küche €", nullptr},
        {"Bad \u263A", false, "Bad ", "\u263A"},
    };
    QLineEdit* edit = Combo("CB_Raum")->lineEdit();
    for (const Case& c : cases) {
        window->SetPanelText(5, "");
        edit->clear();
        if (c.paste) {
            QApplication::clipboard()->setText(QString::fromUtf8(c.input));
            edit->paste();
        } else {
            TypeName(QString::fromUtf8(c.input));
        }
        EXPECT_EQ(edit->text(), QString::fromUtf8(c.kept)) << c.input;
        const QString said =
            c.refused ? "Zeichen nicht möglich: " + QString::fromUtf8(c.refused) : "";
        EXPECT_EQ(window->PanelText(5), said) << c.input;
    }
    // A name that comes from the Controller or a file is taken as it is.
    Editor().SetMotorNameItem(2, "Łazienka");
    EXPECT_EQ(Combo("CB_Raum")->itemText(1), "Łazienka");
}

}  // namespace
}  // namespace veltrano::testing
