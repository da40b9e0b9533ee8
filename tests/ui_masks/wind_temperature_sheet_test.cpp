// The sheets "Wind-, Regen-, Feuchte" and "Temperatur-Steuerung" through
// their real widgets: what is particular to them beyond the mask pattern
// (the shared direction, the threshold and period couplings, indicators,
// DEAKTIV, the maximum-wind reset), start-up, family visibility and the
// fields the status report fills.
#include <QProgressBar>
#include <QScrollBar>

#include "mask_fixture.h"
#include "text_fit.h"

namespace veltrano::testing {
namespace {

const QString kUpArrow = QString::fromUtf8("\u2191");
const QString kDownArrow = QString::fromUtf8("\u2193");

class WindRainSheetTest : public MaskTest {
  protected:
    void SetUp() override { StartOn("Wind_Regen_Maske"); }
    std::string Text(const std::string& name) { return Label(name)->text().toStdString(); }
};

TEST_F(WindRainSheetTest, TheWindDirectionEditsTheWindMotorsRainRecord) {
    Model().wind(3).Off = kOn;
    Model().rain(3).Off = kOn;
    Model().rain(3).Direction = kDown;
    Reenter();
    Click("EW_Liste", 2);
    Click("ER_Liste", 4);
    EXPECT_EQ(Combo("EW_Richtung")->currentIndex(), kDown);
    ClearModified<WindSettings>();
    ClearModified<RainSettings>();

    Choose("EW_Richtung", kUp);
    EXPECT_EQ(Model().rain(3).Direction, kUp);
    EXPECT_EQ(ModifiedMotors<RainSettings>(), (std::vector<int>{3, 5}));
    EXPECT_EQ(ModifiedMotors<WindSettings>(), std::vector<int>{3});
    EXPECT_EQ(Row("EW_Liste", 2).back(), '^');
    EXPECT_EQ(Row("ER_Liste", 2).back(), '^');
    EXPECT_EQ(Combo("ER_Raum")->currentIndex(), 4);
    EXPECT_EQ(List("ER_Liste")->SelectedRow(), 4);
}

TEST_F(WindRainSheetTest, TheRainDirectionShowsInTheWindLineAndBox) {
    Model().wind(3).Off = kOn;
    Model().rain(3).Off = kOn;
    Reenter();
    Click("EW_Liste", 2);
    Click("ER_Liste", 2);
    Choose("ER_Richtung", kDown);
    EXPECT_EQ(Model().rain(3).Direction, kDown);
    EXPECT_EQ(Row("EW_Liste", 2), "Motor 3       EIN    30km/h    v");
    EXPECT_EQ(Combo("EW_Richtung")->currentIndex(), kDown);
    // The rain refresh reloads the wind box from the wind motor's rain record.
    Model().rain(3).Direction = kUp;
    Choose("ER_Ein_Aus", 0);
    EXPECT_EQ(Combo("EW_Richtung")->currentIndex(), kUp);
}

TEST_F(WindRainSheetTest, HumidityThresholdsPeriodAndIndicators) {
    Model().humidity(1).Off = kOn;
    Reenter();
    Click("RelF_Liste", 0);
    EXPECT_EQ(Label("RelF_kl_gr")->text(), "F<");
    EXPECT_EQ(Label("RelF_Ab_Auf")->text(), kDownArrow);
    EXPECT_EQ(Label("RelF_Auf_Ab")->text(), kUpArrow);

    struct Step {
        const char* box;
        int index;
        int t1, t2;
        const char* second;  // RelF_kl_gr
        QString action;      // RelF_Ab_Auf
    };
    const Step steps[] = {
        {"RelF_gr_kl", 1, 75, 76, "F>", "-"},         // "F<": threshold 2 above, 77 %
        {"RelF_Schwelle_1", 98, 97, 98, "F>", "-"},   // "99%": 98 % and 99 %
        {"RelF_gr_kl", 0, 97, 96, "F<", kDownArrow},  // back to "F>": threshold 2 below
        {"RelF_Schwelle_2", 0, 97, 0, "F<", kDownArrow},
        {"RelF_Schwelle_1", 0, 1, 0, "F<", kDownArrow},  // "1%" over "1%": "2%" and "1%"
        {"RelF_Schwelle_2", 98, 98, 97, "F<", kDownArrow},
        {"RelF_Stellzeit", 190, 98, 97, "F<", "-"},  // "Dauer": no movement
    };
    for (const Step& s : steps) {
        Choose(s.box, s.index);
        const HumiditySettings& r = Model().humidity(1);
        EXPECT_EQ(r.Threshold1Code, s.t1) << s.box << s.index;
        EXPECT_EQ(r.Threshold2Code, s.t2) << s.box << s.index;
        EXPECT_EQ(Combo("RelF_Schwelle_1")->currentIndex(), s.t1) << s.box << s.index;
        EXPECT_EQ(Combo("RelF_Schwelle_2")->currentIndex(), s.t2) << s.box << s.index;
        EXPECT_EQ(Label("RelF_kl_gr")->text().toStdString(), s.second) << s.box << s.index;
        EXPECT_EQ(Label("RelF_Ab_Auf")->text(), s.action) << s.box << s.index;
    }
    EXPECT_NE(Row("RelF_Liste", 0).find("F<98% -  Dauer"), std::string::npos)
        << Row("RelF_Liste", 0);

    Choose("RelF_von", 22);  // after the end (21:00): the end follows
    EXPECT_EQ(Model().humidity(1).To, 22);
    EXPECT_EQ(Combo("RelF_bis")->currentIndex(), 22);
    EXPECT_NE(Row("RelF_Liste", 0).find("ganztägig"), std::string::npos);
    Choose("RelF_bis", 5);  // before the start: the start follows
    EXPECT_EQ(Model().humidity(1).From, 5);
    EXPECT_EQ(Model().humidity(1).To, 5);
}

TEST_F(WindRainSheetTest, AClickOnTheMaximumWindCountsThreeCharactersAndKeepsTheField) {
    Label("MaxWind")->setText("42 km/h");
    const int before = window->State().TxCount;
    const auto errors = log.errors.size();
    MouseClick(Label("MaxWind"), QPoint(5, 5));
    EXPECT_EQ(window->State().TxCount, before + 3);
    EXPECT_EQ(Text("MaxWind"), "42 km/h");
    EXPECT_EQ(log.errors.size(), errors);  // the port is closed: nothing sent, no message
}

TEST_F(WindRainSheetTest, StartUpShowsMotorOneOffWithThirtyKilometresAndUp) {
    EXPECT_EQ(Combo("EW_kmh")->currentText(), "30");
    EXPECT_EQ(Combo("EW_Richtung")->currentText(), kUpArrow);
    EXPECT_EQ(Combo("ER_Richtung")->currentText(), kUpArrow);
    for (const char* onOff : {"EW_Ein_Aus", "ER_Ein_Aus", "RelF_Ein_Aus"})
        EXPECT_EQ(Combo(onOff)->currentText(), "AUS") << onOff;
    for (const char* hidden : {"EW_kmh", "EW_Richtung", "ER_Richtung", "RelF_von"})
        EXPECT_TRUE(Find<QWidget>(hidden)->isHidden()) << hidden;
    for (const char* list : {"EW_Liste", "ER_Liste", "RelF_Liste"})
        EXPECT_EQ(List(list)->SelectedRow(), 0) << list;
    EXPECT_TRUE(Find<QProgressBar>("WindProgressBar")->isHidden());
}

TEST_F(WindRainSheetTest, TheStatusReportFillsTheReadings) {
    SensorTexts t;
    t.WindNow = "7 km/h";
    t.WindMax = "130 km/h";
    t.WindBarVisible = true;
    t.WindBarPosition = 130;
    t.Rain = " Es regnet";
    t.Humidity = "55 %";
    t.InsideNow = "-20,9";
    t.InsideMin = "999";
    t.OutsideMax = "999";
    window->Hooks().ShowSensorTexts(t);
    EXPECT_EQ(Text("AktWind"), "7 km/h");
    EXPECT_EQ(Text("MaxWind"), "130 km/h");
    EXPECT_EQ(Text("RegenStatus"), " Es regnet");
    EXPECT_EQ(Text("RelFeuchte"), "55 %");
    EXPECT_EQ(Text("IT_Aktuell2"), "-20,9");
    EXPECT_EQ(Text("IT_Min2"), "999");
    EXPECT_EQ(Text("AT_Max2"), "999");
    auto* bar = Find<QProgressBar>("WindProgressBar");
    EXPECT_FALSE(bar->isHidden());
    EXPECT_EQ(bar->value(), 100);
}

TEST_F(WindRainSheetTest, AReceivedBlockRewritesTheListsLines) {
    Model().wind(2).Off = kOn;
    Model().rain(2).Off = kOn;
    Model().humidity(2).Off = kOn;
    window->Hooks().FormatWindList();
    window->Hooks().FormatRainList();
    window->Hooks().FormatHumidityList();
    EXPECT_EQ(Row("EW_Liste", 1), "Motor 2       EIN    30km/h    ^");
    EXPECT_EQ(Row("ER_Liste", 1), "Motor 2       EIN      ^");
    EXPECT_EQ(Row("RelF_Liste", 1), "Motor 2       EIN  08:00 - 21:00  F>76% ^    F<66% v    40s");
}

class TemperatureSheetTest : public MaskTest {
  protected:
    void SetUp() override { StartOn("Wintergarten_Maske"); }
};

TEST_F(TemperatureSheetTest, InsideComparisonAndThresholdsStayInOrder) {
    InsideTempSettings& r = Model().insideTemp(1);
    r.Off = kOn;
    r.Threshold1Code = 39;  // 30°
    r.Threshold2Code = 29;  // 20°
    Reenter();
    Choose("IT_gr_kl", 1);  // "T<": threshold 2 to 31°
    EXPECT_EQ(r.Comparison, 1);
    EXPECT_EQ(r.Threshold2Code, 40);
    EXPECT_EQ(Label("IT_kl_gr")->text(), "T>");
    Choose("IT_Schwelle_1", 59);  // "50°" with "T<": 49° and 50°
    EXPECT_EQ(r.Threshold1Code, 58);
    EXPECT_EQ(r.Threshold2Code, 59);
    Choose("IT_gr_kl", 0);
    Choose("IT_Schwelle_1", 0);  // "-9°" with "T>": -8° and -9°
    EXPECT_EQ(r.Threshold1Code, 1);
    EXPECT_EQ(r.Threshold2Code, 0);
    Choose("IT_von", 23);
    EXPECT_EQ(r.To, 23);
    EXPECT_NE(Row("IT_Liste", 0).find("ganztägig"), std::string::npos);
}

TEST_F(TemperatureSheetTest, EveryLoadShowsTheLoadedMotorsSecondDirection) {
    Model().insideTemp(1).Direction = kUp;
    Model().insideTemp(2).Direction = kDown;
    Model().insideTemp(2).Comparison = 1;
    Model().outsideTemp(1).Direction = kUp;
    Model().outsideTemp(2).Direction = kDown;
    Reenter();
    EXPECT_EQ(Label("IT_Ab_Auf")->text(), kDownArrow);
    EXPECT_EQ(Label("AT_Ab_Auf")->text(), kDownArrow);
    EXPECT_EQ(Label("IT_kl_gr")->text(), "T<");
    Click("IT_Liste", 1);
    Click("AT_Liste", 1);
    EXPECT_EQ(Label("IT_Ab_Auf")->text(), kUpArrow);
    EXPECT_EQ(Label("IT_kl_gr")->text(), "T>");
    EXPECT_EQ(Label("AT_Ab_Auf")->text(), kUpArrow);
    EXPECT_EQ(Label("AT_gr_kl")->text(), "T<");
    EXPECT_EQ(Label("AT_kl_gr")->text(), "T>");
}

TEST_F(TemperatureSheetTest, DeaktivHidesTheSecondTier) {
    OutsideTempSettings& r = Model().outsideTemp(1);
    r.Off = kOn;
    Reenter();
    const char* secondTier[] = {"AT_Schwelle_2", "AT_Stellzeit", "AT_kl_gr",
                                "AT_Ab_Auf",     "AT_Label_3",   "AT_Label_4"};
    const char* firstTier[] = {"AT_Schwelle_1", "AT_Auf_Ab", "AT_gr_kl", "AT_Label_1",
                               "AT_Label_2"};
    Choose("AT_Auf_Ab", kDeactivated);
    EXPECT_EQ(r.Direction, kDeactivated);
    for (const char* name : secondTier)
        EXPECT_TRUE(Find<QWidget>(name)->isHidden()) << name;
    for (const char* name : firstTier)
        EXPECT_FALSE(Find<QWidget>(name)->isHidden()) << name;
    EXPECT_EQ(Row("AT_Liste", 0), "Motor 1       EIN   T<2°C        deaktiv! ");
    Choose("AT_Auf_Ab", kUp);
    EXPECT_EQ(Label("AT_Ab_Auf")->text(), kDownArrow);
    for (const char* name : secondTier)
        EXPECT_FALSE(Find<QWidget>(name)->isHidden()) << name;
    Choose("AT_Schwelle_2", 0);  // always above threshold 1
    EXPECT_EQ(r.Threshold1Code, 0);
    EXPECT_EQ(r.Threshold2Code, 1);
    // A direction outside the list: no item, the second tier stays.
    r.Direction = 5;
    Reenter();
    EXPECT_EQ(Combo("AT_Auf_Ab")->currentIndex(), -1);
    EXPECT_FALSE(Find<QWidget>("AT_Schwelle_2")->isHidden());
}

// Both sheets with every section on and its widest values: controls inside
// the sheet without covering each other, no text cut, and the longest line
// of each list without sideways scrolling.
class SheetLayoutTest : public MaskTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(SheetLayoutTest, ControlsAndTextsFitAtTheirLongest) {
    StartOn(GetParam());
    for (int motor = 1; motor <= kMotorCount; ++motor) {
        Model().motorName(motor) = "WWWWWWWWWWWW";
        Model().wind(motor) = {kOn, 18, true};
        Model().rain(motor) = {kOn, kDown, true};
        Model().humidity(motor) = {kOn, 0, 98, 97, 189, 10, 21, true};
        Model().proportionalTemp(motor) = {kOn, 10, 21, 49, 1, 8, 189, 7, true};
        Model().insideTemp(motor) = {kOn, 0, 59, 1, 0, 190, 10, 21, true};
        Model().outsideTemp(motor) = {kOn, 0, 0, 59, 190, true};
    }
    Reenter();
    QWidget* sheet = Find<QWidget>(GetParam());
    ExpectControlsInsideWithoutOverlap(sheet);
    window->Receiver().OnReceive(
        "start_skd224,-20,9,-20,-20,-20,9,-20,-20,255,255,0,1,255,224,100,ende_");
    ExpectTextsFit(sheet);
    // The window's no-cut-text check on every control shown.
    for (QWidget* w : sheet->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(sheet)) continue;
        for (const CutText& cut : CheckControl(w))
            ADD_FAILURE() << Describe(cut);
    }
    for (FixedRowListBox* list : sheet->findChildren<FixedRowListBox*>()) {
        QApplication::processEvents();
        EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0)
            << list->objectName().toStdString() << ": " << list->RowText(0).toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Sheets, SheetLayoutTest,
                         ::testing::Values("Wind_Regen_Maske", "Wintergarten_Maske"));

TEST_F(TemperatureSheetTest, ChoosingAMotorHereLeavesTheNameEditorsMotorAlone) {
    Choose("PT_Raum", 4);
    Choose("IT_Raum", 5);
    Choose("AT_Raum", 6);
    ShowSheet("Schaltzeit_Maske");
    ASSERT_EQ(Combo("CB_Raum")->currentIndex(), 0);
    TypeInto(Combo("CB_Raum"), "Neu");
    Key(Combo("CB_Raum"), Qt::Key_Return);
    EXPECT_EQ(Model().motorName(1), "Neu");
    for (int motor : {5, 6, 7})
        EXPECT_EQ(Model().motorName(motor), "Motor " + std::to_string(motor));
}

struct FamilyCase {
    const char* model;
    bool windTab, temperatureTab, humidity;
};

class FamilyVisibilityTest : public MaskTest, public ::testing::WithParamInterface<FamilyCase> {};

TEST_P(FamilyVisibilityTest, SheetsAndHumidityFollowTheFamily) {
    StartOn("Schaltzeit_Maske");
    window->SetPanelText(0, GetParam().model);
    window->State().FirmwareVersion = 7514;
    window->Timer1Timer();
    window->Timer1()->stop();
    auto* pages = Find<QTabWidget>("Parameter_Maske");
    EXPECT_EQ(pages->isTabVisible(2), GetParam().windTab);
    EXPECT_EQ(pages->isTabVisible(3), GetParam().temperatureTab);
    for (const char* name :
         {"FeuchteSteuerung", "RelF_Liste", "RelF_Label_7", "GroupBoxInnentemperatur2"})
        EXPECT_EQ(Find<QWidget>(name)->isHidden(), !GetParam().humidity) << name;
    EXPECT_FALSE(Find<QWidget>("RelFeuchte")->isHidden());
}

INSTANTIATE_TEST_SUITE_P(Families, FamilyVisibilityTest,
                         ::testing::Values(FamilyCase{"QX-7000-R-7-4   ", false, false, false},
                                           FamilyCase{"QX-7000-S-7-9S  ", true, false, false},
                                           FamilyCase{"QX-7000-W-7-9 TG", true, true, true}));

}  // namespace
}  // namespace veltrano::testing
