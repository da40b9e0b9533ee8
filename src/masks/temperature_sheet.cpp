// The layout: the three sections' group boxes stand on the left, each list
// with its heading on the right in the same band; the two temperature
// readings below them.
#include "masks/temperature_sheet.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

#include "masks/fixed_row_list_box.h"
#include "masks/mask_controls.h"
#include "masks/mask_section.h"
#include "masks/rule_boxes.h"
#include "masks/section_frame.h"
#include "masks/sheet_steps.h"
#include "masks/temperature_lines.h"
#include "masks/temperature_readings.h"
#include "model/motor_fields.h"

namespace veltrano {
namespace {

constexpr int kProportionalTop = 14, kInsideTop = 132, kOutsideTop = 250, kReadingsTop = 370;
constexpr int kGroupHeight = 116;
constexpr int kGroupLeft = 4;
constexpr int kGroupWidth = 348;
constexpr int kListLeft = kGroupLeft + kGroupWidth + 2;
constexpr int kRight = 787;
constexpr int kHeadingHeight = 14;
constexpr int kBoxHeight = 22;
constexpr int kRow1 = 42, kRow2 = 92, kCaption2 = 64, kCaptionHeight = 28;
constexpr int kLastThreshold = 59;  // "50°"

constexpr const char* kDurationHint =
    "Laufzeit des Antriebs: 1 ... 99s bzw. Dauerbetrieb (z.B. für Ventilatoren)";
constexpr const char* kPeriod = "aktiviert von - bis";

QRect Box(int left, int top, int width) {
    return {left, top, width, kBoxHeight};
}
QRect Indicator(int left, int width) {
    return {left, kRow2 + 2, width, 18};
}
QRect Caption(int left, int top, int width) {
    return {left, top, width, kCaptionHeight};
}

struct Common {
    QGroupBox* group;
    SectionControls controls;
};

Common CommonControls(QWidget* sheet, const std::string& prefix, const char* groupName,
                      const char* caption, const char* help, const char* heading, int top) {
    Common c{};
    c.group = MakeSectionGroup(sheet, groupName, caption,
                               QRect(kGroupLeft, top, kGroupWidth, kGroupHeight), help);
    c.controls.selector =
        MakeItemBox(c.group, (prefix + "_Raum").c_str(), {}, nullptr, Box(8, kRow1, 156));
    c.controls.onOff = MakeItemBox(c.group, (prefix + "_Ein_Aus").c_str(), OnOffItems(), nullptr,
                                   Box(168, kRow1, 53));
    c.controls.list =
        MakeSectionList(sheet, (prefix + "_Liste").c_str(), (prefix + "_Liste_Label").c_str(),
                        heading, QRect(kListLeft, top, kRight - kListLeft, kHeadingHeight),
                        QRect(kListLeft + 2, top + kHeadingHeight, kRight - kListLeft - 2,
                              kGroupHeight - kHeadingHeight));
    return c;
}

void SetText(QLabel* label, const std::string& text) {
    label->setText(QString::fromStdString(text));
}

}  // namespace

TemperatureSheet::TemperatureSheet(QWidget* sheet, ConfigurationModel& model, LinkState& state,
                                   Guard guard)
    : model_(model),
      state_(state),
      guard_(guard ? std::move(guard) : Guard([](const std::function<void()>& fn) { fn(); })) {
    MakeCaption(sheet, "WG_Label_Raumname", "Motor- bzw. Raumname",
                QRect(kGroupLeft + 8, 0, 156, kHeadingHeight));
    MakeCaption(sheet, "WG_Label_EinAus", "EIN / AUS",
                QRect(kGroupLeft + 168, 0, 57, kHeadingHeight));
    BuildProportional(sheet);
    BuildInside(sheet);
    BuildOutside(sheet);
    BuildReadings(sheet);
    ConnectSheetSteps(sheet, [this] { Run([this] { Wintergarten_MaskeEnter(); }); });
}

TemperatureSheet::~TemperatureSheet() = default;

void TemperatureSheet::BuildProportional(QWidget* sheet) {
    using R = ProportionalTempSettings;
    const Common c = CommonControls(
        sheet, "PT", "GroupBox_PT", MotorRecordFields<R>::Caption.data(), "Help_PT",
        "Motor / Raum      Ein/Aus     von      -       bis       Temp.  \u2191\u2193  Bereich  "
        "Stellzeit  Schritte",
        kProportionalTop);
    QGroupBox* g = c.group;
    auto* from = MakeFieldBox(g, "PT_von", &R::From, nullptr, Box(223, kRow1, 58));
    auto* to = MakeFieldBox(g, "PT_bis", &R::To, nullptr, Box(283, kRow1, 58));
    auto* setpoint = MakeFieldBox(g, "PT_Soll_Temp", &R::SetpointCode,
                                  "Beim Überschreiten dieser Innen-Temperatur wird die "
                                  "Proportionale Temperatursteuerung aktiviert",
                                  Box(8, kRow2, 52));
    auto* direction =
        MakeFieldBox(g, "PT_Richtung", &R::Direction,
                     "Laufrichtung, beim Überschreiten der Soll-Temperatur", Box(68, kRow2, 44));
    auto* range =
        MakeFieldBox(g, "PT_Bereich", &R::ControlRangeCode,
                     "Temperaturdifferenz Soll-Ist bei max. Öffnung", Box(120, kRow2, 48));
    auto* travel = MakeFieldBox(g, "PT_Stellzeit", &R::MaxTravelCode,
                                "Laufzeit des Antriebs von der Null-Lage bis zur max. Öffnung",
                                Box(174, kRow2, 62));
    auto* steps = MakeFieldBox(g, "PT_Schritte", &R::StepsCode, "Anzahl Öffnungspositionen",
                               Box(244, kRow2, 44));
    QLabel* labels[] = {
        MakeCaption(g, "PT_Label_1", kPeriod, QRect(223, 20, 118, 22)),
        MakeCaption(g, "PT_Label_2", "Soll- Temperatur", Caption(8, kCaption2, 56)),
        MakeCaption(g, "PT_Label_3", "Aktivier.- Richtung", Caption(68, kCaption2, 50)),
        MakeCaption(g, "PT_Label_4", "Regel- Bereich", Caption(120, kCaption2, 52)),
        MakeCaption(g, "PT_Label_5", "Max. Stellzeit", Caption(174, kCaption2, 66)),
        MakeCaption(g, "PT_Label_6", "Anzahl Schritte", Caption(244, kCaption2, 60)),
    };

    MaskSection::Setup s = SectionOf<R>(model_, ProportionalTempLine, c.controls);
    const PeriodBoxes period = BindPeriod<R>(model_, from, to);
    s.boxes = {period.from,
               period.to,
               BoundBox(model_, setpoint, &R::SetpointCode),
               BoundBox(model_, direction, &R::Direction),
               BoundBox(model_, range, &R::ControlRangeCode),
               BoundBox(model_, travel, &R::MaxTravelCode),
               BoundBox(model_, steps, &R::StepsCode)};
    AddFollowers(s, {from, to, setpoint, direction, range, travel, steps});
    AddFollowers(s, labels);
    proportional_ = new MaskSection(std::move(s), model_, state_, guard_, this);
}

void TemperatureSheet::BuildInside(QWidget* sheet) {
    using R = InsideTempSettings;
    const Common c =
        CommonControls(sheet, "IT", "GroupBox_IT", MotorRecordFields<R>::Caption.data(), "Help_IT",
                       "Motor / Raum      Ein/Aus     von      -       bis         Schwelle 1      "
                       "  Schwelle 2    "
                       "Stellzeit",
                       kInsideTop);
    QGroupBox* g = c.group;
    auto* from = MakeFieldBox(g, "IT_von", &R::From, nullptr, Box(223, kRow1, 58));
    auto* to = MakeFieldBox(g, "IT_bis", &R::To, nullptr, Box(283, kRow1, 58));
    auto* comparison =
        MakeFieldBox(g, "IT_gr_kl", &R::Comparison,
                     "Auslösung bei Über- bzw. Unterschreiten der Schwelle 1", Box(8, kRow2, 44));
    auto* first =
        MakeFieldBox(g, "IT_Schwelle_1", &R::Threshold1Code,
                     "Grenz-Temperatur, deren Über- bzw. Unterschreiten zur Auslösung führt",
                     Box(56, kRow2, 52));
    auto* direction = MakeFieldBox(
        g, "IT_Auf_Ab", &R::Direction,
        "Aktivierungsrichtung, wenn Temperaturschwelle 1 über- bzw. unterschritten wird",
        Box(112, kRow2, 40));
    QLabel* secondComparison = MakeField(g, "IT_kl_gr", nullptr, Indicator(156, 26));
    auto* second = MakeFieldBox(g, "IT_Schwelle_2", &R::Threshold2Code, "Zweite Temperaturschwelle",
                                Box(186, kRow2, 52));
    QLabel* secondDirection = MakeField(g, "IT_Ab_Auf", nullptr, Indicator(242, 22));
    auto* duration =
        MakeFieldBox(g, "IT_Stellzeit", &R::DurationCode, kDurationHint, Box(268, kRow2, 62));
    QLabel* labels[] = {
        MakeCaption(g, "IT_Label_1", kPeriod, QRect(223, 20, 118, 22)),
        MakeCaption(g, "IT_Label_2", "größer kleiner", Caption(8, kCaption2, 44)),
        MakeCaption(g, "IT_Label_3", "Temperatur- Schwelle 1", Caption(56, kCaption2, 66)),
        MakeCaption(g, "IT_Label_4", "Auf Ab", Caption(124, kCaption2, 30)),
        MakeCaption(g, "IT_Label_5", "Temperatur- Schwelle 2", Caption(186, kCaption2, 66)),
        MakeCaption(g, "IT_Label_6", "Stellzeit", Caption(268, kCaption2, 62)),
    };

    MaskSection::Setup s = SectionOf<R>(model_, InsideTempLine, c.controls);
    const PeriodBoxes period = BindPeriod<R>(model_, from, to);
    const ThresholdBoxes thresholds =
        BindComparedThresholds<R>(model_, comparison, first, second, kLastThreshold);
    s.boxes = {period.from,
               period.to,
               thresholds.comparison,
               thresholds.first,
               BoundBox(model_, direction, &R::Direction),
               thresholds.second,
               BoundBox(model_, duration, &R::DurationCode)};
    AddFollowers(s, {from, to, comparison, first, direction, secondComparison, second,
                     secondDirection, duration});
    AddFollowers(s, labels);
    // Both indicators follow the loaded record (never the previous motor's).
    s.loaded = [this, secondComparison, secondDirection](int motor) {
        const bool known = motor != 0;
        SetText(secondComparison,
                known ? InsideSecondComparison(model_.insideTemp(motor).Comparison) : "");
        SetText(secondDirection,
                known ? SecondDirectionArrow(model_.insideTemp(motor).Direction) : "");
    };
    inside_ = new MaskSection(std::move(s), model_, state_, guard_, this);
}

void TemperatureSheet::BuildOutside(QWidget* sheet) {
    using R = OutsideTempSettings;
    const Common c = CommonControls(
        sheet, "AT", "GroupBox_AT", MotorRecordFields<R>::Caption.data(), "Help_AT",
        "Motor / Raum      Ein/Aus     Schwelle 1        Schwelle 2    Stellzeit", kOutsideTop);
    QGroupBox* g = c.group;
    QLabel* firstComparison = MakeField(g, "AT_gr_kl", nullptr, Indicator(8, 26));
    firstComparison->setText("T<");
    auto* first = MakeFieldBox(g, "AT_Schwelle_1", &R::Threshold1Code,
                               "Grenz-Temperatur, deren Unterschreiten zur Auslösung führt",
                               Box(38, kRow2, 52));
    auto* direction = MakeFieldBox(g, "AT_Auf_Ab", &R::Direction,
                                   "Festlegung der Aktivierungsrichtung bzw. Deaktivierung des "
                                   "Antriebs beim Unterschreiten der Temperaturschwelle 1",
                                   Box(94, kRow2, 80));
    QLabel* secondComparison = MakeField(g, "AT_kl_gr", nullptr, Indicator(178, 26));
    secondComparison->setText("T>");
    auto* second = MakeFieldBox(g, "AT_Schwelle_2", &R::Threshold2Code, "Zweite Temperaturschwelle",
                                Box(208, kRow2, 52));
    QLabel* secondDirection = MakeField(g, "AT_Ab_Auf", nullptr, Indicator(264, 22));
    auto* duration =
        MakeFieldBox(g, "AT_Stellzeit", &R::DurationCode, kDurationHint, Box(276, kRow1, 62));
    QLabel* firstTier[] = {
        MakeCaption(g, "AT_Label_1", "Temperatur- Schwelle 1", Caption(38, kCaption2, 66)),
        MakeCaption(g, "AT_Label_2", "Auf, Ab, deaktiv", Caption(108, kCaption2, 62)),
    };
    QLabel* secondTier[] = {
        MakeCaption(g, "AT_Label_3", "Temperatur- Schwelle 2", Caption(208, kCaption2, 66)),
        MakeCaption(g, "AT_Label_4", "Stellzeit", QRect(276, 20, 62, 22)),
    };

    MaskSection::Setup s = SectionOf<R>(model_, OutsideTempLine, c.controls);
    // Threshold 2 always lies above threshold 1.
    const ThresholdBoxes thresholds = BindThresholds<R>(model_, first, second, kLastThreshold);
    s.boxes = {thresholds.first, BoundBox(model_, direction, &R::Direction), thresholds.second,
               BoundBox(model_, duration, &R::DurationCode)};
    AddFollowers(s, {firstComparison, first, direction});
    AddFollowers(s, firstTier);
    // The second tier while the drive is not deactivated.
    auto notDeactivated = [direction] { return direction->currentIndex() != kDeactivated; };
    AddFollowers(s, {secondComparison, second, secondDirection, duration}, notDeactivated);
    AddFollowers(s, secondTier, notDeactivated);
    s.loaded = [this, secondDirection](int motor) {
        SetText(secondDirection,
                motor != 0 ? SecondDirectionArrow(model_.outsideTemp(motor).Direction) : "");
    };
    outside_ = new MaskSection(std::move(s), model_, state_, guard_, this);
}

void TemperatureSheet::BuildReadings(QWidget* sheet) {
    MakeTemperatureReadings(sheet,
                            {"GroupBoxInnentemperatur2", "Innentemperatur", "IT_Label_Werte2",
                             "IT_Min2", "IT_Aktuell2", "IT_Max2"},
                            QPoint(kGroupLeft, kReadingsTop));
    MakeTemperatureReadings(sheet,
                            {"GroupBoxAussentemperatur2", "Außentemperatur", "AT_Label_Werte2",
                             "AT_min2", "AT_Aktuell2", "AT_Max2"},
                            QPoint(kGroupLeft + 196, kReadingsTop));
}

void TemperatureSheet::Wintergarten_MaskeEnter() {
    proportional_->Enter();
    inside_->Enter();
    outside_->Enter();
}

void TemperatureSheet::SetStartDefaults() {
    proportional_->SetStartDefaults();
    inside_->SetStartDefaults();
    outside_->SetStartDefaults();
}

void TemperatureSheet::FormatProportionalTempList() {
    proportional_->FormatList();
}

void TemperatureSheet::FormatInsideTempList() {
    inside_->FormatList();
}

void TemperatureSheet::FormatOutsideTempList() {
    outside_->FormatList();
}

void TemperatureSheet::ConnectHooks(WindowHooks& hooks) {
    hooks.FormatProportionalTempList = [this] { FormatProportionalTempList(); };
    hooks.FormatInsideTempList = [this] { FormatInsideTempList(); };
    hooks.FormatOutsideTempList = [this] { FormatOutsideTempList(); };
    hooks.Wintergarten_MaskeEnter = [this] { Wintergarten_MaskeEnter(); };
}

}  // namespace veltrano
