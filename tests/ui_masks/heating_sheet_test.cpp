// The sheet "Heizung" through its real widgets: the section, the week
// overview's labels and colours, and entering after a read.
#include <QGroupBox>
#include <QPalette>
#include <string>

#include "mask_fixture.h"

namespace veltrano::testing {
namespace {

class HeatingSheetTest : public MaskTest {
  protected:
    void SetUp() override {
        StartOn("Heizung_Maske");
        SwitchTime& six = Model().switchTime(0, 2, 0);
        six.TimeCode = 6 * 60 + 1;
        six.Direction = kUp;
        SwitchTime& ten = Model().switchTime(0, 2, 1);
        ten.TimeCode = 22 * 60 + 1;
        ten.Direction = kDown;
    }
    QGroupBox* Overview() { return Find<QGroupBox>("WochenUebersicht"); }
    QColor Colour(const std::string& segment) {
        return Label(segment)->palette().color(QPalette::Window);
    }
    QRect Geometry(const std::string& segment) { return Label(segment)->geometry(); }
};

TEST_F(HeatingSheetTest, StartsOffWithoutOverview) {
    EXPECT_TRUE(Overview()->isHidden());
    EXPECT_TRUE(Combo("Heiz_Betriebsart")->isHidden());
    EXPECT_EQ(Row("Heiz_Liste", 0).substr(12), "  AUS");
}

TEST_F(HeatingSheetTest, RoomSwitchedOnShowsItsWeek) {
    Click("Heiz_Liste", 2);
    Choose("Heiz_Ein_Aus", 0);
    EXPECT_FALSE(Overview()->isHidden());
    EXPECT_FALSE(Combo("Heiz_Tag_Temperatur")->isHidden());
    EXPECT_EQ(Overview()->title().toStdString(),
              "Wochenübersicht Tag-/ Nacht-Temperatur für " + Model().motorName(3));
    EXPECT_EQ(Geometry("Mo1").x(), 4);
    EXPECT_EQ(Geometry("Mo1").width(), 147);
    EXPECT_EQ(Geometry("Mo2").x(), 147);
    EXPECT_EQ(Geometry("Mo2").width(), 408);
    EXPECT_EQ(Label("Mo2")->text(), "06:00");
    EXPECT_EQ(Geometry("Mo3").width(), 50);
    EXPECT_EQ(Label("Mo3")->text(), "22:00");
    EXPECT_EQ(Geometry("Di3").width(), 605);
    EXPECT_EQ(Colour("Mo1"), QColor(0, 0, 128));
    EXPECT_EQ(Colour("Mo2"), QColor(255, 0, 0));
    EXPECT_EQ(Colour("Mo3"), QColor(0, 0, 128));
    // Cooling: the day segments turn cyan.
    Choose("Heiz_Betriebsart", 1);
    EXPECT_EQ(Colour("Mo2"), QColor(0, 255, 255));
    EXPECT_EQ(Row("Heiz_Liste", 2).substr(14, 18), "EIN   Kühlbetrieb");
    Choose("Heiz_Ein_Aus", 1);
    EXPECT_TRUE(Overview()->isHidden());
}

TEST_F(HeatingSheetTest, EnteringShowsTheOverviewAndMarksNothing) {
    Click("Heiz_Liste", 2);
    ShowSheet("Schaltzeit_Maske");
    // As a read-all leaves it: the room switched on, nothing marked.
    Records<HeatingSettings>().motor(3).Off = 0;
    Records<HeatingSettings>().motor(3).Mode = 1;
    ClearModified<HeatingSettings>();
    window->Hooks().FormatHeatingList();
    ShowSheet(sheet);
    EXPECT_FALSE(Overview()->isHidden());
    EXPECT_EQ(Colour("Mo2"), QColor(0, 255, 255));
    EXPECT_TRUE(ModifiedMotors<HeatingSettings>().empty());
}

TEST_F(HeatingSheetTest, EightMotorsSelectRoomOne) {
    SetEightMotors();
    ClearModified<HeatingSettings>();
    Click("Heiz_Liste", 9);
    EXPECT_EQ(Combo("Heiz_Raum")->currentIndex(), 0);
    EXPECT_EQ(ModifiedMotors<HeatingSettings>(), std::vector<int>{1});
}

}  // namespace
}  // namespace veltrano::testing
