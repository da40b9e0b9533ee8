// The sheet "Beschattung, Dämmerung" through its real widgets: the mask
// pattern in each of its three sections, the shading period's boxes, the
// brightness fields, the hooks the link calls and the start-up state.
#include <QItemSelectionModel>
#include <QScrollBar>
#include <QWheelEvent>
#include <functional>
#include <string>
#include <vector>

#include "mask_fixture.h"

namespace veltrano::testing {
namespace {

// One section of the sheet as a test sees it.
struct SectionCase {
    std::string prefix;  // "BA", "DM", "DA"
    std::string onOff;
    std::string box;  // a parameter box, and the item a test chooses in it
    int item;
    std::vector<std::string> followers;  // shown only with "EIN"
    std::function<std::int32_t&(ConfigurationModel&, int motor)> off, field;
    std::function<bool(ConfigurationModel&, int motor)> modified;
    std::function<void(ConfigurationModel&)> clearModified;
    const char* sheet = "Beschattung_Maske";
    std::string shown;        // how the list line shows the item, if not as its text
    std::size_t onTail = 10;  // an "EIN" line is longer than its prefix by more
    std::string offTail;      // what follows "AUS"

    std::string Selector() const { return prefix + "_Raum"; }
    std::string List() const { return prefix + "_Liste"; }
};
void PrintTo(const SectionCase& c, std::ostream* out) {
    *out << c.prefix;
}

template <typename Record>
SectionCase Section(std::string prefix, std::string onOff, std::string box, int item,
                    std::int32_t Record::*member, std::vector<std::string> followers,
                    const char* sheet = "Beschattung_Maske") {
    SectionCase c;
    c.sheet = sheet;
    c.prefix = std::move(prefix);
    c.onOff = std::move(onOff);
    c.box = std::move(box);
    c.item = item;
    c.followers = std::move(followers);
    c.off = [](ConfigurationModel& m, int motor) -> std::int32_t& {
        return RecordsOf<Record>(m).motor(motor).Off;
    };
    c.field = [member](ConfigurationModel& m, int motor) -> std::int32_t& {
        return RecordsOf<Record>(m).motor(motor).*member;
    };
    c.modified = [](ConfigurationModel& m, int motor) {
        return RecordsOf<Record>(m).motor(motor).Modified;
    };
    c.clearModified = [](ConfigurationModel& m) {
        for (Record& r : RecordsOf<Record>(m))
            r.Modified = false;
    };
    return c;
}

const SectionCase kSections[] = {
    Section<ShadingSettings>(
        "BA", "BA_EIN_AUS", "BA_Lux", 120, &ShadingSettings::BrightnessCode,
        {"BA_Temperatur", "BA_von", "BA_Bis", "BA_Lux", "BA_LuxAktuell", "BA_Dauer", "BA_Label1",
         "BA_Label2", "BA_Label3", "BA_Label4", "BA_Label5"}),
    Section<TwilightMorningSettings>("DM", "DM_Ein_Aus", "DM_von", 8,
                                     &TwilightMorningSettings::FromCode,
                                     {"DM_von", "DM_Lux", "DM_LuxAktuell", "DM_Dauer", "DM_Label1",
                                      "DM_Label2", "DM_Label3", "DM_Label4"}),
    Section<TwilightEveningSettings>("DA", "DA_Ein_Aus", "DA_Dauer", 190,
                                     &TwilightEveningSettings::DurationCode,
                                     {"DA_von", "DA_Lux", "DA_LuxAktuell", "DA_Dauer", "DA_Label1",
                                      "DA_Label2", "DA_Label3", "DA_Label4"}),
    [] {
        SectionCase c = Section<WindSettings>(
            "EW", "EW_Ein_Aus", "EW_kmh", 8, &WindSettings::SpeedCode,
            {"EW_kmh", "EW_Richtung", "EW_Label1", "EW_Label2", "EW_Label3"}, "Wind_Regen_Maske");
        c.offTail = "    ";
        return c;
    }(),
    [] {
        SectionCase c =
            Section<RainSettings>("ER", "ER_Ein_Aus", "ER_Richtung", 1, &RainSettings::Direction,
                                  {"ER_Richtung", "ER_Label1", "ER_Label2"}, "Wind_Regen_Maske");
        c.shown = "v";
        c.onTail = 6;
        c.offTail = "      ";
        return c;
    }(),
    Section<HumiditySettings>(
        "RelF", "RelF_Ein_Aus", "RelF_Stellzeit", 190, &HumiditySettings::DurationCode,
        {"RelF_von", "RelF_bis", "RelF_gr_kl", "RelF_Schwelle_1", "RelF_Auf_Ab", "RelF_Schwelle_2",
         "RelF_Stellzeit", "RelF_kl_gr", "RelF_Ab_Auf", "RelF_Label_1", "RelF_Label_2",
         "RelF_Label_3", "RelF_Label_4", "RelF_Label_5", "RelF_Label_6"},
        "Wind_Regen_Maske"),
    Section<ProportionalTempSettings>(
        "PT", "PT_Ein_Aus", "PT_Soll_Temp", 34, &ProportionalTempSettings::SetpointCode,
        {"PT_von", "PT_bis", "PT_Soll_Temp", "PT_Richtung", "PT_Bereich", "PT_Stellzeit",
         "PT_Schritte", "PT_Label_1", "PT_Label_2", "PT_Label_3", "PT_Label_4", "PT_Label_5",
         "PT_Label_6"},
        "Wintergarten_Maske"),
    Section<InsideTempSettings>(
        "IT", "IT_Ein_Aus", "IT_Stellzeit", 150, &InsideTempSettings::DurationCode,
        {"IT_von", "IT_bis", "IT_gr_kl", "IT_Schwelle_1", "IT_Auf_Ab", "IT_Schwelle_2",
         "IT_Stellzeit", "IT_kl_gr", "IT_Ab_Auf", "IT_Label_1", "IT_Label_2", "IT_Label_3",
         "IT_Label_4", "IT_Label_5", "IT_Label_6"},
        "Wintergarten_Maske"),
    Section<OutsideTempSettings>(
        "AT", "AT_Ein_Aus", "AT_Stellzeit", 190, &OutsideTempSettings::DurationCode,
        {"AT_Schwelle_1", "AT_Auf_Ab", "AT_gr_kl", "AT_Schwelle_2", "AT_Stellzeit", "AT_kl_gr",
         "AT_Ab_Auf", "AT_Label_1", "AT_Label_2", "AT_Label_3", "AT_Label_4"},
        "Wintergarten_Maske"),
};

class SectionTest : public MaskTest, public ::testing::WithParamInterface<SectionCase> {
  protected:
    void SetUp() override { StartOn(GetParam().sheet); }
    const SectionCase& S() { return GetParam(); }
    std::int32_t& Off(int motor) { return S().off(Model(), motor); }
    std::int32_t& Field(int motor) { return S().field(Model(), motor); }
    std::vector<int> Modified() {
        std::vector<int> motors;
        for (int m = 1; m <= kMotorCount; ++m)
            if (S().modified(Model(), m)) motors.push_back(m);
        return motors;
    }
    void ClearModified() { S().clearModified(Model()); }
    void ExpectParametersShown(bool shown) {
        for (const std::string& name : S().followers)
            EXPECT_EQ(Find<QWidget>(name)->isHidden(), !shown) << name;
        for (const std::string& name : {S().Selector(), S().onOff, S().List()})
            EXPECT_FALSE(Find<QWidget>(name)->isHidden()) << name;
    }
};

TEST_P(SectionTest, AListClickLoadsTheMotorWithoutMarkingOrRewriting) {
    Off(3) = kOn;
    Field(3) = S().item;
    const std::string before = Row(S().List(), 2);
    ClearModified();
    Click(S().List(), 2);
    EXPECT_EQ(Combo(S().Selector())->currentIndex(), 2);
    EXPECT_EQ(Combo(S().onOff)->currentText(), "EIN");
    EXPECT_EQ(Combo(S().box)->currentIndex(), S().item);
    ExpectParametersShown(true);
    EXPECT_TRUE(Modified().empty());
    EXPECT_EQ(Row(S().List(), 2), before);
}

TEST_P(SectionTest, ChoosingTheSameMotorInTheSelectorMarksOnlyThatMotor) {
    Click(S().List(), 4);
    ClearModified();
    Choose(S().Selector(), 4);
    EXPECT_EQ(Modified(), std::vector<int>{5});
    EXPECT_EQ(List(S().List())->SelectedRow(), 4);
}

TEST_P(SectionTest, AValueChoiceStoresIntoTheSelectorsMotorAndMarksIt) {
    Off(6) = kOn;
    Choose(S().Selector(), 5);
    ClearModified();
    Choose(S().box, S().item);
    EXPECT_EQ(Field(6), S().item);
    EXPECT_EQ(Modified(), std::vector<int>{6});
    EXPECT_EQ(Combo(S().box)->currentIndex(), S().item);
    const std::string text =
        S().shown.empty() ? Combo(S().box)->itemText(S().item).toStdString() : S().shown;
    EXPECT_NE(Row(S().List(), 5).find(text), std::string::npos) << Row(S().List(), 5);
    EXPECT_EQ(List(S().List())->SelectedRow(), 5);
    // The same item once more is a choice too.
    ClearModified();
    Choose(S().box, S().item);
    EXPECT_EQ(Modified(), std::vector<int>{6});
}

TEST_P(SectionTest, ADoubleClickOnAnAusRowSwitchesItOnOnce) {
    Model().motorName(7) = "Terrasse";
    ClearModified();
    DoubleClick(S().List(), 6);
    EXPECT_EQ(Off(7), kOn);
    EXPECT_EQ(Modified(), std::vector<int>{7});
    EXPECT_EQ(Combo(S().Selector())->currentIndex(), 6);
    EXPECT_EQ(Combo(S().onOff)->currentText(), "EIN");
    ExpectParametersShown(true);
    const std::string line = Row(S().List(), 6);
    EXPECT_EQ(line.rfind("Terrasse      EIN", 0), 0u) << line;
    EXPECT_GT(line.size(), std::string("Terrasse      EIN").size() + S().onTail) << line;
    DoubleClick(S().List(), 6);
    EXPECT_EQ(Off(7), kOff);
    EXPECT_EQ(Row(S().List(), 6), "Terrasse      AUS" + S().offTail);
    ExpectParametersShown(false);
}

TEST_P(SectionTest, TheParameterControlsFollowTheOnOffBox) {
    Click(S().List(), 0);
    ExpectParametersShown(false);
    Choose(S().onOff, 0);
    EXPECT_EQ(Off(1), kOn);
    ExpectParametersShown(true);
    Choose(S().onOff, 1);
    EXPECT_EQ(Off(1), kOff);
    ExpectParametersShown(false);
}

TEST_P(SectionTest, AnEightMotorControllerOffersMotorsOneToEightOnly) {
    // Motor 10 chosen while the Controller had 32 motors.
    Click(S().List(), 9);
    SetEightMotors();
    Off(10) = kOn;
    const std::int32_t field10 = Field(10);
    ClearModified();
    // A value chosen for motor 10 stores nothing; the refresh moves to motor 1.
    Off(1) = kOn;
    Reenter();
    Choose(S().box, S().item == 0 ? 1 : 0);
    EXPECT_EQ(Field(10), field10);
    EXPECT_EQ(Combo(S().Selector())->currentIndex(), 0);
    EXPECT_EQ(Modified(), std::vector<int>{1});

    ClearModified();
    Choose(S().Selector(), 8);
    EXPECT_EQ(Combo(S().Selector())->currentIndex(), 0);
    EXPECT_EQ(List(S().List())->SelectedRow(), 0);
    EXPECT_EQ(Modified(), std::vector<int>{1});

    ClearModified();
    Click(S().List(), 3);
    Click(S().List(), 12);
    EXPECT_EQ(List(S().List())->SelectedRow(), 0);
    EXPECT_EQ(Combo(S().Selector())->currentIndex(), 0);

    // A double-click on row 12 neither toggles motor 13 nor motor 1.
    Click(S().List(), 3);
    DoubleClick(S().List(), 12);
    EXPECT_EQ(Off(13), kOff);
    EXPECT_EQ(Off(1), kOn);
    EXPECT_EQ(Combo(S().Selector())->currentIndex(), 0);
    EXPECT_EQ(Combo(S().onOff)->currentIndex(), 0);
    EXPECT_TRUE(Modified().empty());
}

TEST_P(SectionTest, WithoutASelectedRowTheSectionShowsNoMotor) {
    Off(1) = kOn;
    std::vector<std::int32_t> offs;
    for (int m = 1; m <= kMotorCount; ++m)
        offs.push_back(Off(m));
    List(S().List())->SelectRow(-1);
    Reenter();
    EXPECT_EQ(Combo(S().Selector())->currentIndex(), -1);
    EXPECT_EQ(Combo(S().onOff)->currentIndex(), -1);
    EXPECT_EQ(Combo(S().box)->currentIndex(), -1);
    ExpectParametersShown(false);
    ClearModified();
    Choose(S().onOff, 0);
    for (int m = 1; m <= kMotorCount; ++m)
        EXPECT_EQ(Off(m), offs[static_cast<std::size_t>(m) - 1]) << m;
    EXPECT_TRUE(Modified().empty());
    ExpectParametersShown(false);
    EXPECT_EQ(List(S().List())->SelectedRow(), -1);
}

INSTANTIATE_TEST_SUITE_P(Sections, SectionTest, ::testing::ValuesIn(kSections));

// --- The sheet's own controls and the window's use of it ------------------------------

class ShadingSheetTest : public MaskTest {
  protected:
    void SetUp() override { StartOn("Beschattung_Maske"); }
    void Receive(const std::string& frame) { window->Receiver().OnReceive(frame); }
    // A status report: current brightness code 1 ("0,1 "), average 15 ("6 ").
    void ReceiveStatus() { Receive("start_skd1,21,5,18,24,-3,2,-7,4,12,30,0,1,11,15,55,ende_"); }
    void ClickField(const char* name) {
        QLabel* field = Label(name);
        const QPointF at(5, 5);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, field->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QApplication::sendEvent(field, &event);
        }
    }
    std::vector<std::string> BrightnessCaptions() {
        return {Label("BA_Label5")->text().toStdString(), Label("DM_Label4")->text().toStdString(),
                Label("DA_Label4")->text().toStdString()};
    }
    std::vector<std::string> BrightnessTexts() {
        return {Label("BA_LuxAktuell")->text().toStdString(),
                Label("DM_LuxAktuell")->text().toStdString(),
                Label("DA_LuxAktuell")->text().toStdString()};
    }
};

using Texts = std::vector<std::string>;

TEST_F(ShadingSheetTest, ABrightnessFieldClickSwitchesBetweenAverageAndCurrent) {
    ReceiveStatus();
    EXPECT_EQ(BrightnessTexts(), Texts(3, "6 "));
    EXPECT_EQ(BrightnessCaptions(), Texts(3, "Lux mittel"));

    ClickField("DM_LuxAktuell");
    EXPECT_FALSE(window->State().ShowAverageBrightness);
    EXPECT_EQ(BrightnessCaptions(), Texts(3, "Lux aktuell"));
    EXPECT_EQ(BrightnessTexts(), Texts(3, "6 "));  // until the next report
    ReceiveStatus();
    EXPECT_EQ(BrightnessTexts(), Texts(3, "0,1 "));

    ClickField("BA_LuxAktuell");
    ReceiveStatus();
    EXPECT_TRUE(window->State().ShowAverageBrightness);
    EXPECT_EQ(BrightnessCaptions(), Texts(3, "Lux mittel"));
    EXPECT_EQ(BrightnessTexts(), Texts(3, "6 "));

    // A double-click is two clicks.
    ClickField("DA_LuxAktuell");
    ClickField("DA_LuxAktuell");
    EXPECT_TRUE(window->State().ShowAverageBrightness);
    EXPECT_EQ(BrightnessCaptions(), Texts(3, "Lux mittel"));
}

TEST_F(ShadingSheetTest, TheShadingPeriodStaysInOrder) {
    Model().shading(2).Off = kOn;
    Model().shading(2).FromCode = 30;  // outside the list: BA_von without an item
    Model().shading(2).ToCode = 15;
    Click("BA_Liste", 1);
    EXPECT_EQ(Combo("BA_von")->currentIndex(), -1);
    Choose("BA_Bis", 14);
    EXPECT_EQ(Model().shading(2).FromCode, 13);
    EXPECT_EQ(Model().shading(2).ToCode, 14);
    EXPECT_EQ(Combo("BA_von")->currentText(), "18:00");
    EXPECT_EQ(Combo("BA_Bis")->currentText(), "19:00");
    Choose("BA_von", 17);
    EXPECT_EQ(Combo("BA_von")->currentText(), "21:00");
    EXPECT_EQ(Combo("BA_Bis")->currentText(), "22:00");
    Choose("BA_Bis", 0);
    EXPECT_EQ(Combo("BA_von")->currentText(), "05:00");
    EXPECT_EQ(Combo("BA_Bis")->currentText(), "06:00");
    EXPECT_EQ(Row("BA_Liste", 1), "Motor 2       EIN  22°C  05:00 - 06:00  600 k    10s");
}

TEST_F(ShadingSheetTest, ACodeOutsideItsListIsKeptUntilTheUserChooses) {
    Model().shading(1).Off = kOn;
    Model().shading(1).TemperatureCode = 200;
    Model().shading(1).DurationCode = -4;
    Click("BA_Liste", 0);
    EXPECT_EQ(Combo("BA_Temperatur")->currentIndex(), -1);
    Choose("BA_Lux", 0);
    EXPECT_EQ(Model().shading(1).TemperatureCode, 200);
    EXPECT_EQ(Model().shading(1).DurationCode, -4);
    EXPECT_EQ(Row("BA_Liste", 0), "Motor 1       EIN    °C  10:00 - 20:00  1 k    ");
    Choose("BA_Temperatur", 0);
    EXPECT_EQ(Model().shading(1).TemperatureCode, 0);
}

TEST_F(ShadingSheetTest, QtReportsADoubleClickAsAClickThenADoubleClick) {
    // How Qt orders the signals of one double-click: the selection moves and
    // the click loads on the first press and release; the toggle runs once,
    // on doubleClicked.
    FixedRowListBox* list = List("DA_Liste");
    std::vector<std::string> order;
    QObject::connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, list,
                     [&] { order.push_back("selection"); });
    QObject::connect(list, &QAbstractItemView::clicked, list, [&] { order.push_back("clicked"); });
    QObject::connect(list, &QAbstractItemView::doubleClicked, list,
                     [&] { order.push_back("doubleClicked"); });
    DoubleClick("DA_Liste", 4);
    EXPECT_EQ(order, (Texts{"selection", "clicked", "doubleClicked"}));
    EXPECT_EQ(Model().twilightEvening(5).Off, kOn);
}

TEST_F(ShadingSheetTest, TheUserCannotClearAListsSelection) {
    Click("DM_Liste", 3);
    FixedRowListBox* list = List("DM_Liste");
    const QModelIndex index = list->model()->index(3, 0);
    const QPointF at(10, list->visualRect(index).center().y());
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, list->viewport()->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::ControlModifier);
        QApplication::sendEvent(list->viewport(), &event);
    }
    EXPECT_EQ(list->SelectedRow(), 3);
    EXPECT_EQ(Combo("DM_Raum")->currentIndex(), 3);
}

TEST_F(ShadingSheetTest, AKeyboardMoveInAListLoadsLikeAClick) {
    Model().twilightMorning(3).Off = kOn;
    Click("DM_Liste", 1);
    FixedRowListBox* list = List("DM_Liste");
    list->setFocus();
    Key(list, Qt::Key_Down);
    EXPECT_EQ(list->SelectedRow(), 2);
    EXPECT_EQ(Combo("DM_Raum")->currentIndex(), 2);
    EXPECT_EQ(Combo("DM_Ein_Aus")->currentText(), "EIN");
}

TEST_F(ShadingSheetTest, TheWheelOverAnUnfocusedBoxChangesNothing) {
    Model().shading(1).Off = kOn;
    Click("BA_Liste", 0);
    QComboBox* box = Combo("BA_Temperatur");
    const int before = box->currentIndex();
    const QPointF at(10, 10);
    QWheelEvent wheel(at, box->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(box, &wheel);
    EXPECT_EQ(box->currentIndex(), before);
    EXPECT_EQ(Model().shading(1).TemperatureCode, 32);
}

TEST_F(ShadingSheetTest, AReceivedShadingBlockRewritesItsLineAndKeepsTheSelection) {
    Click("BA_Liste", 5);
    Receive("start_sbp3,1,122,8,19,40,10,203,ende_");
    EXPECT_EQ(Row("BA_Liste", 2), "Motor 3       EIN  22°C  08:00 - 19:00  4 k    10s");
    EXPECT_EQ(List("BA_Liste")->SelectedRow(), 5);
    Receive("start_sda2,1,23,225,60,311,ende_");
    EXPECT_EQ(Row("DA_Liste", 1), "Motor 2       EIN   Nr. 4   990 k    60s");
}

TEST_F(ShadingSheetTest, AReceivedMorningBlockWritesRowsOneToEightInItsOwnForm) {
    Model().twilightMorning(9).Off = kOn;
    Reenter();
    const std::string row8 = Row("DM_Liste", 8);
    EXPECT_EQ(row8, "Motor 9       EIN    08:00   200     40s");
    Model().twilightMorning(9).Off = kOff;
    Receive("start_sdm1,1,11,1,191,205,ende_");
    // The block's own line: six blanks before the run time.
    EXPECT_EQ(Row("DM_Liste", 0), "Motor 1       EIN    Nr. 3   0,1       Dauer");
    EXPECT_EQ(Row("DM_Liste", 1), "Motor 2       AUS");
    EXPECT_EQ(Row("DM_Liste", 8), row8);
    // The sheet's entry writes the mask's own lines.
    Reenter();
    EXPECT_EQ(Row("DM_Liste", 0), "Motor 1       EIN    Nr. 3   0,1     Dauer");
    EXPECT_EQ(Row("DM_Liste", 8), "Motor 9       AUS");
}

TEST_F(ShadingSheetTest, StartUpShowsMotorOneOffWithBlankLists) {
    // A window that never showed the sheet.
    window.reset();
    window = MakeTestWindow(log, work.path());
    StartWithTimersStopped(*window);
    for (const char* prefix : {"BA", "DM", "DA"}) {
        const std::string p(prefix);
        EXPECT_EQ(List(p + "_Liste")->SelectedRow(), 0) << prefix;
        EXPECT_EQ(Combo(p + "_Raum")->currentText(), "Motor 1") << prefix;
        EXPECT_EQ(Combo(p + "_Raum")->count(), kMotorCount) << prefix;
        EXPECT_EQ(Row(p + "_Liste", 0), "") << prefix;
        EXPECT_EQ(Row(p + "_Liste", 31), "") << prefix;
    }
    EXPECT_EQ(Combo("BA_EIN_AUS")->currentText(), "AUS");
    EXPECT_EQ(Combo("DM_Ein_Aus")->currentText(), "AUS");
    EXPECT_EQ(Combo("DA_Ein_Aus")->currentText(), "AUS");
    EXPECT_EQ(Combo("BA_Temperatur")->currentText(), "22");
    EXPECT_EQ(Combo("DA_von")->currentText(), "19:00");
    for (const char* name : {"BA_Temperatur", "BA_Label2", "BA_LuxAktuell", "DM_von", "DM_Label4",
                             "DA_Dauer", "DA_Label1"})
        EXPECT_TRUE(Find<QWidget>(name)->isHidden()) << name;
    EXPECT_EQ(BrightnessCaptions(), Texts(3, "Lux mittel"));
    EXPECT_TRUE(window->State().ShowAverageBrightness);
}

}  // namespace
}  // namespace veltrano::testing

namespace veltrano::testing {
namespace {

TEST_F(ShadingSheetTest, EveryControlLiesInsideTheSheetWithoutCoveringAnother) {
    for (int motor = 1; motor <= kMotorCount; ++motor) {
        Model().motorName(motor) = "WWWWWWWWWWWW";
        Model().shading(motor) = {kOn, 0, 0, 17, 188, 189, true};
        Model().twilightMorning(motor).Off = kOn;
        Model().twilightEvening(motor).Off = kOn;
    }
    Reenter();
    QWidget* sheet = Find<QWidget>("Beschattung_Maske");
    ExpectControlsInsideWithoutOverlap(sheet);
    // Texts at their longest are not cut: names of twelve "W", live values.
    Receive("start_skd224,-10,5,-10,-10,-10,5,-10,-10,0,0,0,0,0,224,0,ende_");
    ExpectTextsFit(sheet);
    EXPECT_EQ(Label("IT_Aktuell")->text(), "-10,5°");
    // The longest line, 53 characters, without sideways scrolling.
    const std::string longest = Row("BA_Liste", 0);
    EXPECT_EQ(QString::fromStdString(longest).size(), 53) << longest;
    for (const char* name : {"BA_Liste", "DM_Liste", "DA_Liste"}) {
        FixedRowListBox* list = List(name);
        list->SetRow(0, QString::fromStdString(longest));
        QApplication::processEvents();
        EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0) << name;
    }
}

}  // namespace
}  // namespace veltrano::testing
