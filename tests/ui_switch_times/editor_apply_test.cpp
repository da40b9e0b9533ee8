// Applying, marking and deleting through the edit boxes and the lists.
#include <QPalette>

#include "editor_fixture.h"
#include "masks/switch_time_lines.h"

namespace veltrano::testing {
namespace {

using ApplyTest = EditorTest;

TEST_F(ApplyTest, TheExampleLineAppearsInBothLists) {
    Choose("CB_Up_Down", 0);
    Choose("CB_Schaltzeit", Code(6, 30));
    Choose("CB_Schaltzeit_Nr", 1);
    Choose("CB_Up_Down", 1);
    Choose("CB_Schaltzeit", Code(20, 15));

    std::string expected = "Mo  Motor 1         06:30 ^ |  20:15 v |  ";
    for (int i = 0; i < 6; ++i)
        expected += "        |  ";
    EXPECT_EQ(MotorRow(0, 0), expected);
    EXPECT_EQ(DayRow(0, 0), expected);
    EXPECT_EQ(At(0, 0, 0).TimeCode, 391);
    EXPECT_EQ(At(0, 0, 0).DayGroup, 1);
    EXPECT_EQ(At(0, 0, 1).Direction, 1);
    EXPECT_EQ(window->PanelText(6), "Freier Schaltzeiten-Speicher: 99%");
    EXPECT_EQ(Text("copy_from_label"), "Motor 1");
}

TEST_F(ApplyTest, TheTimelineFollowsEveryApply) {
    Choose("CB_Schaltzeit", Code(6, 30));
    Choose("CB_Schaltzeit_Nr", 1);
    Choose("CB_Up_Down", 1);
    Choose("CB_Schaltzeit", Code(20, 15));
    DayTimeline& timeline = Editor().Timeline();
    EXPECT_EQ(timeline.Segment(0)->geometry().x(), 5);
    EXPECT_EQ(timeline.Segment(0)->width(), 168);
    EXPECT_EQ(timeline.Segment(0)->text(), "");
    EXPECT_EQ(timeline.Segment(1)->geometry().x(), 168);
    EXPECT_EQ(timeline.Segment(1)->width(), 372);
    EXPECT_EQ(timeline.Segment(1)->text(), "06:30");
    EXPECT_EQ(timeline.Segment(2)->geometry().x(), 540);
    EXPECT_EQ(timeline.Segment(2)->width(), 100);
    EXPECT_EQ(timeline.Segment(2)->text(), "20:15");
    for (int i = 3; i < 9; ++i)
        EXPECT_EQ(timeline.Segment(i)->width(), 0) << i;
    auto colour = [&](int i) { return timeline.Segment(i)->palette().color(QPalette::Window); };
    EXPECT_EQ(colour(0), DayTimeline::DownColour());
    EXPECT_EQ(colour(1), DayTimeline::UpColour());
    EXPECT_EQ(colour(2), DayTimeline::DownColour());
    EXPECT_NE(DayTimeline::UpColour(), DayTimeline::DownColour());
    EXPECT_EQ(Text("Tag_und_Motor"), "Mo, Motor 1");
}

TEST_F(ApplyTest, AProgrammaticSelectionAppliesNothing) {
    const SwitchTimeTable before = Model().SwitchTimes;
    const QString row = List("DatenListe_Motor")->RowText(0);
    Combo("CB_Schaltzeit")->setCurrentIndex(500);
    Combo("CB_Gruppe")->setCurrentIndex(2);
    Combo("CB_Wochentag")->setCurrentIndex(3);
    EXPECT_EQ(Model().SwitchTimes, before);
    EXPECT_EQ(List("DatenListe_Motor")->RowText(0), row);
}

TEST_F(ApplyTest, WeekdaysOnTuesdayLeaveTheWeekendAlone) {
    ClearModified();
    Choose("CB_Wochentag", 1);
    EXPECT_EQ(Combo("CB_Gruppe")->itemText(1), "Mo - Fr");
    Choose("CB_Gruppe", 1);
    Choose("CB_Schaltzeit", Code(6, 39));
    for (int d = 0; d < 5; ++d) {
        EXPECT_EQ(At(d, 0, 0).TimeCode, Code(6, 39)) << d;
        EXPECT_EQ(At(d, 0, 0).DayGroup, 5) << d;
        EXPECT_TRUE(At(d, 0, 0).Modified) << d;
        EXPECT_EQ(DayRow(d, 0).substr(20, 11), "06:39 ^ |  ") << d;
    }
    for (int d = 5; d < 7; ++d) {
        EXPECT_EQ(At(d, 0, 0).TimeCode, 0) << d;
        EXPECT_EQ(At(d, 0, 0).DayGroup, 1) << d;
        EXPECT_FALSE(At(d, 0, 0).Modified) << d;
    }
    EXPECT_EQ(ModifiedCount(), 5);
    EXPECT_EQ(Combo("CB_Wochentag")->currentIndex(), 1);  // day and motor stay
    EXPECT_EQ(Text("Tag_und_Motor"), "Di, Motor 1");
}

TEST_F(ApplyTest, SingleDayOnSaturdayFromAWholeWeekGroup) {
    for (int d = 0; d < 7; ++d) {
        At(d, 2, 2).TimeCode = Code(10, 0);
        At(d, 2, 2).DayGroup = 7;
    }
    ClearModified();
    Rebuild();
    Click("DatenListe_Motor", 8 * 2 + 5, SlotX(2));
    EXPECT_EQ(Combo("CB_Wochentag")->currentIndex(), 5);
    EXPECT_EQ(Combo("CB_Raum")->currentIndex(), 2);
    EXPECT_EQ(Combo("CB_Schaltzeit_Nr")->currentIndex(), 2);
    EXPECT_EQ(Combo("CB_Schaltzeit")->currentIndex(), Code(10, 0));
    EXPECT_EQ(Combo("CB_Gruppe")->itemText(1), "Sa - So");
    EXPECT_EQ(Combo("CB_Gruppe")->currentText(), "Mo - So");

    Choose("CB_Gruppe", 0);
    EXPECT_EQ(At(5, 2, 2).DayGroup, 1);
    EXPECT_TRUE(At(5, 2, 2).Modified);
    EXPECT_EQ(At(6, 2, 2).DayGroup, 1);
    EXPECT_FALSE(At(6, 2, 2).Modified);
    for (int d = 0; d < 5; ++d) {
        EXPECT_EQ(At(d, 2, 2).DayGroup, 5) << d;
        EXPECT_FALSE(At(d, 2, 2).Modified) << d;
        EXPECT_EQ(At(d, 2, 2).TimeCode, Code(10, 0)) << d;
    }
    EXPECT_EQ(ModifiedCount(), 1);
}

TEST_F(ApplyTest, DoubleClickDeletesAWholeWeekEntry) {
    for (int d = 0; d < 7; ++d) {
        At(d, 0, 0).TimeCode = Code(7, 15);
        At(d, 0, 0).DayGroup = 7;
    }
    Rebuild();
    ASSERT_EQ(MotorRow(0, 4).substr(20, 5), "07:15");
    DoubleClick("DatenListe_Motor", 3, SlotX(0));
    for (int d = 0; d < 7; ++d) {
        EXPECT_EQ(At(d, 0, 0).TimeCode, 0) << d;
        EXPECT_EQ(At(d, 0, 0).DayGroup, 7) << d;
        EXPECT_TRUE(At(d, 0, 0).Modified) << d;
        EXPECT_EQ(MotorRow(0, d).substr(20, 11), "        |  ") << d;
    }
    EXPECT_EQ(Combo("CB_Schaltzeit")->currentIndex(), 0);
    EXPECT_EQ(Combo("CB_Wochentag")->currentIndex(), 3);
}

TEST_F(ApplyTest, TheByDayListHasNoDoubleClick) {
    At(0, 0, 0).TimeCode = Code(7, 15);
    Rebuild();
    Find<QPushButton>("TagButton")->click();
    DoubleClick("DatenListe_Tag", 0, SlotX(0));
    EXPECT_EQ(At(0, 0, 0).TimeCode, Code(7, 15));
    EXPECT_EQ(Combo("CB_Schaltzeit")->currentIndex(), Code(7, 15));  // the click loaded it
}

TEST_F(ApplyTest, ChangingABoxMarksTheSelectedEntry) {
    ClearModified();
    Combo("CB_Gruppe")->setCurrentIndex(-1);  // no group: the apply writes nothing
    Choose("CB_Funktion", 1);
    EXPECT_EQ(At(0, 0, 0).Function, 0);
    EXPECT_TRUE(At(0, 0, 0).Modified);  // but the change handler marks it
    EXPECT_EQ(ModifiedCount(), 1);
}

TEST_F(ApplyTest, RunTimeZeroPaintsTheDurationBoxAqua) {
    const QColor aqua(0, 255, 255);
    QComboBox* dauer = Combo("CB_Dauer");
    EXPECT_NE(dauer->palette().color(QPalette::Button), aqua);
    At(2, 0, 0).DurationCode = 0;
    Choose("CB_Wochentag", 2);
    EXPECT_EQ(dauer->currentText(), "0s");
    EXPECT_EQ(dauer->palette().color(QPalette::Button), aqua);
    Choose("CB_Wochentag", 1);  // run time 39 there
    EXPECT_NE(dauer->palette().color(QPalette::Button), aqua);
    Choose("CB_Dauer", 0);
    EXPECT_EQ(dauer->palette().color(QPalette::Button), aqua);
    EXPECT_EQ(At(1, 0, 0).DurationCode, 0);
}

TEST_F(ApplyTest, TheBlankSlotItemReadsAndWritesNothing) {
    At(0, 1, 0).TimeCode = Code(11, 11);  // right after motor 1's eighth slot
    At(0, 0, 7).TimeCode = Code(22, 22);
    Rebuild();
    Choose("CB_Schaltzeit_Nr", 7);
    EXPECT_EQ(Combo("CB_Schaltzeit")->currentIndex(), Code(22, 22));
    const SwitchTimeTable before = Model().SwitchTimes;
    Choose("CB_Schaltzeit_Nr", 8);
    EXPECT_NE(Combo("CB_Schaltzeit")->currentIndex(), Code(11, 11));
    EXPECT_EQ(Combo("CB_Schaltzeit")->currentIndex(), Code(22, 22));  // shows what it showed
    Choose("CB_Schaltzeit", Code(5, 0));
    Choose("CB_Gruppe", 2);
    EXPECT_EQ(Model().SwitchTimes, before);
}

TEST_F(ApplyTest, TimesOutOfOrderDrawWithoutFailing) {
    At(0, 0, 0).TimeCode = Code(18, 0);
    At(0, 0, 1).TimeCode = Code(6, 0);
    At(0, 0, 2).TimeCode = 2147483647;  // beyond any day
    At(0, 0, 3).TimeCode = Code(0, 2);
    Choose("CB_Wochentag", 0);
    DayTimeline& timeline = Editor().Timeline();
    for (int i = 0; i < 9; ++i)
        EXPECT_GE(timeline.Segment(i)->width(), 0) << i;
    EXPECT_EQ(timeline.Segment(1)->width(), 0);  // negative, drawn as nothing
    EXPECT_EQ(MotorRow(0, 0).size(), 108u);
    EXPECT_TRUE(log.errors.isEmpty());
}

TEST_F(ApplyTest, TheHeatingOverviewIsRedrawnWithTheTimeline) {
    int redraws = 0;
    window->Hooks().DrawHeatingWeekOverview = [&] { ++redraws; };
    Choose("CB_Wochentag", 2);
    EXPECT_EQ(redraws, 1);
    Choose("CB_Schaltzeit", 9);
    EXPECT_EQ(redraws, 2);
    Click("DatenListe_Motor", 0, SlotX(0));
    EXPECT_EQ(redraws, 3);
    Choose("CB_Copy_Raum", 4);
    EXPECT_EQ(redraws, 4);
}

TEST_F(ApplyTest, FreeMemoryAndWarningFollowEveryChange) {
    QWidget* warning = Find<QWidget>("Speicherplatz_Label");
    // 239 single-day entries in motors 2 .. 31 on Monday.
    int stored = 0;
    for (int m = 2; m < 32 && stored < 239; ++m)
        for (int s = 0; s < 8 && stored < 239; ++s, ++stored)
            At(0, m, s).TimeCode = Code(12, 0);
    Rebuild();
    EXPECT_EQ(window->PanelText(6), "Freier Schaltzeiten-Speicher: 0%");
    EXPECT_TRUE(warning->isHidden());

    Choose("CB_Schaltzeit", Code(6, 0));  // the 240th
    EXPECT_FALSE(warning->isHidden());
    DoubleClick("DatenListe_Motor", 0, SlotX(0));
    EXPECT_TRUE(warning->isHidden());
    EXPECT_EQ(At(0, 0, 0).TimeCode, 0);

    At(3, 0, 0).TimeCode = Code(1, 0);  // not shown yet
    At(3, 0, 1).TimeCode = Code(1, 0);
    Choose("CB_Raum", 2);
    Choose("CB_Copy_Raum", 0);  // copy motor 3 (8 entries) onto motor 1
    EXPECT_FALSE(warning->isHidden());
    EXPECT_EQ(window->PanelText(6), "Freier Schaltzeiten-Speicher: 0%");
}

}  // namespace
}  // namespace veltrano::testing
