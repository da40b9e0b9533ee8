// The layout: the three sections' group boxes stand on the left, each list
// with its heading on the right in the same band; the humidity section is
// narrower so its long lines fit their list; the live readings stand below.
#include "masks/wind_rain_sheet.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>

#include "masks/fixed_row_list_box.h"
#include "masks/mask_controls.h"
#include "masks/mask_section.h"
#include "masks/rule_boxes.h"
#include "masks/section_frame.h"
#include "masks/sheet_steps.h"
#include "masks/wind_rain_lines.h"
#include "model/motor_fields.h"

namespace veltrano {
namespace {

constexpr int kWindTop = 14, kWindHeight = 112;
constexpr int kRainTop = 130, kRainHeight = 90;
constexpr int kHumidityTop = 224, kHumidityHeight = 118;
constexpr int kReadingsTop = 346;

constexpr int kGroupLeft = 4;
constexpr int kGroupWidth = 384;
constexpr int kHumidityWidth = 348;
constexpr int kRight = 787;
constexpr int kHeadingHeight = 14;
constexpr int kBoxHeight = 22;
constexpr int kSelectorLeft = 8, kSelectorWidth = 156;
constexpr int kOnOffLeft = 168, kOnOffWidth = 53;
constexpr int kLastHumidity = 98;  // "99%"

constexpr const char* kDirectionHint = "In diese Richtung fährt der Antrieb bei Wind und Regen";
constexpr const char* kSpeedCaption = "Bei Wingeschwindigkeit größer        km/h";
constexpr const char* kSpeedCaptionLead = "Bei Wingeschwindigkeit größer";
constexpr int kSpeedBoxWidth = 44;

// Selector and on/off box at `boxTop` in the group; the heading and list
// from `left` to the sheet's right edge in the band top..top + height.
SectionControls CommonControls(QGroupBox* group, const std::string& prefix, int boxTop,
                               QWidget* sheet, const char* headingName, const char* heading,
                               int left, int top, int height) {
    SectionControls c;
    c.selector = MakeItemBox(group, (prefix + "_Raum").c_str(), {}, nullptr,
                             QRect(kSelectorLeft, boxTop, kSelectorWidth, kBoxHeight));
    c.onOff = MakeItemBox(group, (prefix + "_Ein_Aus").c_str(), OnOffItems(), nullptr,
                          QRect(kOnOffLeft, boxTop, kOnOffWidth, kBoxHeight));
    c.list = MakeSectionList(
        sheet, (prefix + "_Liste").c_str(), headingName, heading,
        QRect(left, top, kRight - left, kHeadingHeight),
        QRect(left + 2, top + kHeadingHeight, kRight - left - 2, height - kHeadingHeight));
    return c;
}

void ShowCode(QComboBox* box, std::int32_t code) {
    box->setCurrentIndex(code >= 0 && code < box->count() ? code : -1);
}

}  // namespace

WindRainSheet::WindRainSheet(QWidget* sheet, ConfigurationModel& model, LinkState& state,
                             Guard guard, Write write)
    : model_(model),
      state_(state),
      guard_(guard ? std::move(guard) : Guard([](const std::function<void()>& fn) { fn(); })),
      write_(std::move(write)) {
    MakeCaption(sheet, "WR_Label_Raumname", "Motor- bzw. Raumname",
                QRect(kGroupLeft + kSelectorLeft, 0, kSelectorWidth, kHeadingHeight));
    MakeCaption(sheet, "WR_Label_EinAus", "EIN / AUS",
                QRect(kGroupLeft + kOnOffLeft, 0, kOnOffWidth + 4, kHeadingHeight));
    BuildWind(sheet);
    BuildRain(sheet);
    BuildHumidity(sheet);
    BuildReadings(sheet);
    ConnectSheetSteps(sheet, [this] { Run([this] { Wind_Regen_MaskeEnter(); }); });
}

WindRainSheet::~WindRainSheet() = default;

void WindRainSheet::BuildWind(QWidget* sheet) {
    using R = WindSettings;
    QGroupBox* g =
        MakeSectionGroup(sheet, "GroupBox_Wind", MotorRecordFields<R>::Caption.data(),
                         QRect(kGroupLeft, kWindTop, kGroupWidth, kWindHeight), "Help_EW");
    const SectionControls c =
        CommonControls(g, "EW", 18, sheet, "EW_Liste_Label",
                       "Motor / Raum        Ein/Aus     bei v >        in Richtung",
                       kGroupLeft + kGroupWidth + 2, kWindTop, kWindHeight);

    // EW_kmh stands in the caption's eight blanks, widened to hold it; it
    // lies on the caption, so the two never cover each other.
    QLabel* speedCaption = MakeCaption(g, "EW_Label1", kSpeedCaption, QRect(8, 42, 300, 24));
    speedCaption->setWordWrap(false);
    speedCaption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont font = speedCaption->font();
    font.setWordSpacing((kSpeedBoxWidth + 8) / 8.0 - QFontMetrics(font).horizontalAdvance(' '));
    speedCaption->setFont(font);
    const int speedLeft = QFontMetrics(font).horizontalAdvance(QString(kSpeedCaptionLead) + " ");
    auto* speed = MakeFieldBox(speedCaption, "EW_kmh", &R::SpeedCode, nullptr,
                               QRect(speedLeft + 4, 1, kSpeedBoxWidth, kBoxHeight));
    QLabel* directionCaption = MakeCaption(g, "EW_Label2", "Bei Wind fährt der Antrieb in Richtung",
                                           QRect(8, 68, 220, 20));
    windDirection_ = MakeItemBox(g, "EW_Richtung", DirectionItems(), kDirectionHint,
                                 QRect(232, 66, 44, kBoxHeight));
    QLabel* note = MakeCaption(g, "EW_Label3", "(Richtung gilt auch für \"Einfahren bei Regen\"",
                               QRect(8, 90, 360, 18));

    MaskSection::Setup s = SectionOf<R>(model_, nullptr, c);
    s.line = [this](int motor) {
        return WindLine(model_.motorName(motor), model_.wind(motor), model_.rain(motor).Direction);
    };
    MaskSection::Box direction{
        windDirection_, RecordField(model_, &RainSettings::Direction), {}, {}};
    direction.store = [this](int motor, int index) {
        model_.rain(motor).Direction = index;
        model_.rain(motor).Modified = true;
    };
    direction.change = [this] {
        wind_->Refresh();
        rain_->Refresh();
    };
    s.boxes = {BoundBox(model_, speed, &R::SpeedCode), direction};
    AddFollowers(s, {speed, windDirection_, speedCaption, directionCaption, note});
    wind_ = new MaskSection(std::move(s), model_, state_, guard_, this);
}

void WindRainSheet::BuildRain(QWidget* sheet) {
    using R = RainSettings;
    QGroupBox* g =
        MakeSectionGroup(sheet, "GroupBox_Regen", MotorRecordFields<R>::Caption.data(),
                         QRect(kGroupLeft, kRainTop, kGroupWidth, kRainHeight), "Help_ER");
    const SectionControls c = CommonControls(g, "ER", 18, sheet, "ER_Liste_Label",
                                             "Motor / Raum        Ein/Aus     in Richtung",
                                             kGroupLeft + kGroupWidth + 2, kRainTop, kRainHeight);
    QLabel* directionCaption = MakeCaption(
        g, "ER_Label1", "Bei Regen fährt der Antrieb in Richtung", QRect(8, 46, 220, 20));
    auto* direction = MakeItemBox(g, "ER_Richtung", DirectionItems(), kDirectionHint,
                                  QRect(232, 44, 44, kBoxHeight));
    QLabel* note = MakeCaption(g, "ER_Label2",
                               "(Festlegung der Richtung gilt auch für Menü \"Einfahren bei Wind\"",
                               QRect(8, 68, 370, 18));

    MaskSection::Setup s = SectionOf<R>(model_, RainLine, c);
    MaskSection::Box chosen = BoundBox(model_, direction, &R::Direction);
    chosen.change = [this] {
        wind_->Refresh();  // the wind list shows the new direction
        rain_->Refresh();
    };
    s.boxes = {chosen};
    AddFollowers(s, {direction, directionCaption, note});
    s.refreshed = [this] { LoadWindDirection(); };
    rain_ = new MaskSection(std::move(s), model_, state_, guard_, this);
}

void WindRainSheet::BuildHumidity(QWidget* sheet) {
    using R = HumiditySettings;
    QGroupBox* g = MakeSectionGroup(
        sheet, "FeuchteSteuerung", MotorRecordFields<R>::Caption.data(),
        QRect(kGroupLeft, kHumidityTop, kHumidityWidth, kHumidityHeight), "Help_Feuchte");
    const SectionControls c =
        CommonControls(g, "RelF", 42, sheet, "RelF_Label_7",
                       "Motor / Raum      Ein/Aus     von      -       bis         "
                       "Schwelle 1        Schwelle 2    "
                       "Stellzeit",
                       kGroupLeft + kHumidityWidth + 2, kHumidityTop, kHumidityHeight);

    humidityFrom_ = MakeFieldBox(g, "RelF_von", &R::From, nullptr, QRect(223, 42, 58, kBoxHeight));
    humidityTo_ = MakeFieldBox(g, "RelF_bis", &R::To, nullptr, QRect(283, 42, 58, kBoxHeight));
    constexpr int kRow2 = 92, kCaption2 = 64, kCaptionHeight = 28;
    humidityComparison_ = MakeFieldBox(g, "RelF_gr_kl", &R::Comparison,
                                       "Auslösung bei Über- bzw. Unterschreiten der Schwelle 1",
                                       QRect(8, kRow2, 44, kBoxHeight));
    humidityFirst_ =
        MakeFieldBox(g, "RelF_Schwelle_1", &R::Threshold1Code,
                     "Grenz-Feuchte, deren Über- bzw. Unterschreiten zur Auslösung führt",
                     QRect(56, kRow2, 54, kBoxHeight));
    QLabel* firstAction = MakeField(g, "RelF_Auf_Ab", nullptr, QRect(114, kRow2 + 2, 24, 18));
    firstAction->setText(QString::fromStdString(DirectionItems()[0]));
    humiditySecondComparison_ = MakeField(g, "RelF_kl_gr", nullptr, QRect(142, kRow2 + 2, 28, 18));
    humiditySecond_ = MakeFieldBox(g, "RelF_Schwelle_2", &R::Threshold2Code,
                                   "Zweite Schwelle der rel. Luftfeuchtigkeit",
                                   QRect(174, kRow2, 54, kBoxHeight));
    humiditySecondAction_ = MakeField(g, "RelF_Ab_Auf", nullptr, QRect(232, kRow2 + 2, 24, 18));
    auto* duration =
        MakeFieldBox(g, "RelF_Stellzeit", &R::DurationCode,
                     "Laufzeit des Antriebs: 1 ... 99s bzw. Dauerbetrieb (z.B. für Ventilatoren)",
                     QRect(260, kRow2, 62, kBoxHeight));
    QLabel* labels[] = {
        MakeCaption(g, "RelF_Label_1", "aktiviert von - bis", QRect(223, 20, 118, 22)),
        MakeCaption(g, "RelF_Label_2", "größer kleiner", QRect(8, kCaption2, 44, kCaptionHeight)),
        MakeCaption(g, "RelF_Label_3", "Feuchte- Schwelle 1",
                    QRect(56, kCaption2, 56, kCaptionHeight)),
        MakeCaption(g, "RelF_Label_4", "Auf Ab", QRect(114, kCaption2, 28, kCaptionHeight)),
        MakeCaption(g, "RelF_Label_5", "Feuchte- Schwelle 2",
                    QRect(174, kCaption2, 56, kCaptionHeight)),
        MakeCaption(g, "RelF_Label_6", "Stellzeit", QRect(260, kCaption2, 62, kCaptionHeight)),
    };

    MaskSection::Setup s = SectionOf<R>(model_, HumidityLine, c);
    const ThresholdBoxes thresholds = BindComparedThresholds<R>(
        model_, humidityComparison_, humidityFirst_, humiditySecond_, kLastHumidity);
    const PeriodBoxes period = BindPeriod<R>(model_, humidityFrom_, humidityTo_);
    s.boxes = {thresholds.comparison, thresholds.first,
               thresholds.second,     BoundBox(model_, duration, &R::DurationCode),
               period.from,           period.to};
    AddFollowers(s, {humidityFrom_, humidityTo_, humidityComparison_, humidityFirst_, firstAction,
                     humiditySecond_, duration, humiditySecondComparison_, humiditySecondAction_});
    AddFollowers(s, labels);
    s.loaded = [this](int motor) { ShowHumidityIndicators(motor); };
    humidity_ = new MaskSection(std::move(s), model_, state_, guard_, this);
}

void WindRainSheet::BuildReadings(QWidget* sheet) {
    constexpr int kCaptionTop = kReadingsTop, kFieldTop = kReadingsTop + 16;
    MakeCaption(sheet, "AktWind_Label", "Aktuelle Windgeschwindigkeit",
                QRect(kGroupLeft, kCaptionTop, 160, 14));
    MakeField(sheet, "AktWind", nullptr, QRect(kGroupLeft, kFieldTop, 70, 18));
    auto* bar = new QProgressBar(sheet);
    bar->setObjectName("WindProgressBar");
    bar->setRange(0, 100);
    bar->setTextVisible(false);
    bar->setGeometry(kGroupLeft + 76, kFieldTop + 2, 80, 14);
    bar->hide();
    MakeCaption(sheet, "MaxWind_Label", "Maximale Windgeschwindigkeit",
                QRect(kGroupLeft + 170, kCaptionTop, 160, 14));
    QLabel* maximum = MakeField(sheet, "MaxWind", "Wird durch Anklicken zurückgesetzt",
                                QRect(kGroupLeft + 170, kFieldTop, 70, 18));
    OnClick(maximum, [this] { Run([this] { MaxWindClick(); }); });
    MakeCaption(sheet, "RegenStatus_Label",
                "Status:", QRect(kGroupLeft + 340, kFieldTop + 2, 40, 14));
    MakeField(sheet, "RegenStatus", nullptr, QRect(kGroupLeft + 382, kFieldTop, 80, 18));
    MakeCaption(sheet, "RelFeuchte_Label", "Relative Luftfeuchtigkeit",
                QRect(kGroupLeft + 480, kCaptionTop, 150, 14));
    MakeField(sheet, "RelFeuchte", nullptr, QRect(kGroupLeft + 480, kFieldTop, 60, 18));
}

// --- Handlers -----------------------------------------------------------------------

void WindRainSheet::Wind_Regen_MaskeEnter() {
    wind_->Enter();
    rain_->Enter();
    humidity_->Enter();
}

void WindRainSheet::MaxWindClick() {
    state_.TxCount += 3;
    if (write_) write_("swl");
}

void WindRainSheet::LoadWindDirection() {
    const int motor = wind_->ShownMotor();
    ShowCode(windDirection_, motor != 0 ? model_.rain(motor).Direction : -1);
}

void WindRainSheet::ShowHumidityIndicators(int motor) {
    if (motor == 0) {
        humiditySecondComparison_->clear();
        humiditySecondAction_->clear();
        return;
    }
    const HumiditySettings& r = model_.humidity(motor);
    humiditySecondComparison_->setText(
        QString::fromStdString(HumiditySecondComparison(r.Comparison)));
    humiditySecondAction_->setText(
        QString::fromStdString(HumiditySecondAction(r.Comparison, r.DurationCode)));
}

void WindRainSheet::SetStartDefaults() {
    wind_->SetStartDefaults();
    rain_->SetStartDefaults();
    humidity_->SetStartDefaults();
}

void WindRainSheet::FormatWindList() {
    wind_->FormatList();
}

void WindRainSheet::FormatRainList() {
    rain_->FormatList();
}

void WindRainSheet::FormatHumidityList() {
    humidity_->FormatList();
}

void WindRainSheet::ConnectHooks(WindowHooks& hooks) {
    hooks.FormatWindList = [this] { FormatWindList(); };
    hooks.FormatRainList = [this] { FormatRainList(); };
    hooks.FormatHumidityList = [this] { FormatHumidityList(); };
    hooks.Wind_Regen_MaskeEnter = [this] { Wind_Regen_MaskeEnter(); };
}

}  // namespace veltrano
