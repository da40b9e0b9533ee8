// The layout: the three sections' group boxes stand on the left (x 4..388),
// each list with its heading on the right (x 390..787) in the same band;
// the captions of selector and on/off box stand once above all three, the
// two temperature boxes below them.
#include "masks/shading_sheet.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

#include "masks/fixed_row_list_box.h"
#include "masks/mask_controls.h"
#include "masks/mask_section.h"
#include "masks/section_frame.h"
#include "masks/shading_lines.h"
#include "masks/sheet_steps.h"
#include "masks/temperature_readings.h"
#include "model/motor_fields.h"

namespace veltrano {
namespace {

// Bands of the three sections.
constexpr int kShadingTop = 14;
constexpr int kMorningTop = 132;
constexpr int kEveningTop = 250;
constexpr int kTemperatureTop = 370;

constexpr int kGroupLeft = 4;
constexpr int kGroupWidth = 384;
constexpr int kGroupHeight = 116;
constexpr int kHeadingLeft = 390;
constexpr int kHeadingWidth = 397;
constexpr int kHeadingHeight = 14;
constexpr int kListLeft = 392;
constexpr int kListWidth = 395;

// Inside a group box: two rows of captions and boxes.
constexpr int kCaption1Top = 15;
constexpr int kBox1Top = 42;
constexpr int kCaption2Top = 66;
constexpr int kBox2Top = 92;
constexpr int kCaptionHeight = 26;
constexpr int kBoxHeight = 22;

// Columns inside a group box.
constexpr int kSelectorLeft = 8;
constexpr int kSelectorWidth = 156;  // twelve "W" and the arrow
constexpr int kOnOffLeft = 168;
constexpr int kOnOffWidth = 53;
constexpr int kRow1Left = 225;
constexpr int kBoxWidth = 62;
constexpr int kFieldWidth = 56;

QRect Box1(int left, int width = kBoxWidth) {
    return {left, kBox1Top, width, kBoxHeight};
}
QRect Box2(int left, int width = kBoxWidth) {
    return {left, kBox2Top, width, kBoxHeight};
}
QRect Caption1(int left, int width) {
    return {left, kCaption1Top, width, kCaptionHeight};
}
QRect Caption2(int left, int width) {
    return {left, kCaption2Top, width, kCaptionHeight};
}
// Column n (0..3) of the second row.
constexpr int Column2(int n) {
    return kSelectorLeft + n * (kBoxWidth + 4);
}

constexpr const char* kBrightnessHint =
    "Durch Anklicken zwischen aktuellem und mittlerem Wert wechseln";
constexpr const char* kActivation = "Aktivie- rungszeit";
constexpr const char* kLimit = "Grenz- Lux-Wert";
constexpr const char* kAverage = "Lux mittel";
constexpr const char* kCurrent = "Lux aktuell";
constexpr const char* kRunTimeHint = "Laufzeit des Motors bei Aktivierung";

}  // namespace

ShadingSheet::ShadingSheet(QWidget* sheet, ConfigurationModel& model, LinkState& state, Guard guard)
    : model_(model),
      state_(state),
      guard_(guard ? std::move(guard) : Guard([](const std::function<void()>& fn) { fn(); })) {
    MakeCaption(sheet, "Label_Raumname", "Motor- bzw. Raumname",
                QRect(kGroupLeft + kSelectorLeft, 0, kSelectorWidth, kHeadingHeight));
    MakeCaption(sheet, "Label_EinAus", "EIN / AUS",
                QRect(kGroupLeft + kOnOffLeft, 0, kOnOffWidth + 4, kHeadingHeight));
    BuildShading(sheet);
    BuildMorning(sheet);
    BuildEvening(sheet);
    BuildTemperatures(sheet);
    ConnectSheetSteps(sheet, [this] { Run([this] { Beschattung_MaskeEnter(); }); });
}

ShadingSheet::~ShadingSheet() = default;

QGroupBox* ShadingSheet::SectionBox(QWidget* sheet, const char* name, const char* caption, int top,
                                    const char* help) {
    return MakeSectionGroup(sheet, name, caption, QRect(kGroupLeft, top, kGroupWidth, kGroupHeight),
                            help);
}

SectionControls ShadingSheet::CommonControls(QGroupBox* group, const char* prefix,
                                             const char* onOffName, QWidget* sheet,
                                             const char* heading, int top) {
    const std::string p(prefix);
    SectionControls c{};
    c.selector =
        MakeItemBox(group, (p + "_Raum").c_str(), {}, nullptr, Box1(kSelectorLeft, kSelectorWidth));
    c.onOff = MakeItemBox(group, onOffName, OnOffItems(), nullptr, Box1(kOnOffLeft, kOnOffWidth));
    c.list = MakeSectionList(
        sheet, (p + "_Liste").c_str(), (p + "_Ueberschrift").c_str(), heading,
        QRect(kHeadingLeft, top, kHeadingWidth, kHeadingHeight),
        QRect(kListLeft, top + kHeadingHeight, kListWidth, kGroupHeight - kHeadingHeight));
    return c;
}

QLabel* ShadingSheet::BrightnessField(QWidget* parent, const char* name, QRect geometry) {
    QLabel* field = MakeField(parent, name, kBrightnessHint, geometry);
    OnClick(field, [this] { Run([this] { LuxAktuellClick(); }); });
    return field;
}

void ShadingSheet::BuildShading(QWidget* sheet) {
    using R = ShadingSettings;
    QGroupBox* g = SectionBox(sheet, "GroupBox_Beschattung", MotorRecordFields<R>::Caption.data(),
                              kShadingTop, "Help_BA");
    const SectionControls c = CommonControls(
        g, "BA", "BA_EIN_AUS", sheet,
        "Motor / Raum    Ein/Aus    T/°C        von      -       bis      bei Lux     "
        "Aktivierungszeit",
        kShadingTop);

    auto* temperature = MakeFieldBox(g, "BA_Temperatur", &R::TemperatureCode,
                                     "Beschattung nur, wenn diese Temperatur erreicht ist",
                                     Box1(kRow1Left, kFieldWidth));
    QLabel* brightness = BrightnessField(g, "BA_LuxAktuell", Box1(kRow1Left + 60, kFieldWidth));
    shadingFrom_ = MakeFieldBox(g, "BA_von", &R::FromCode, nullptr, Box2(Column2(0)));
    shadingTo_ = MakeFieldBox(g, "BA_Bis", &R::ToCode, nullptr, Box2(Column2(1)));
    auto* lux = MakeFieldBox(g, "BA_Lux", &R::BrightnessCode,
                             "Bei dieser Helligkeit wird beschattet", Box2(Column2(2)));
    auto* duration = MakeFieldBox(g, "BA_Dauer", &R::DurationCode,
                                  "Laufzeit des Antriebes bei Beschattung", Box2(Column2(3)));
    QLabel* labels[] = {
        MakeCaption(g, "BA_Label1", "ab T/°C", Caption1(kRow1Left, kFieldWidth)),
        MakeCaption(g, "BA_Label2", "Beschattung ist aktiv im Zeitraum von - bis",
                    Caption2(Column2(0), 2 * kBoxWidth + 4)),
        MakeCaption(g, "BA_Label3", kLimit, Caption2(Column2(2), kBoxWidth)),
        MakeCaption(g, "BA_Label4", kActivation, Caption2(Column2(3), kBoxWidth)),
        MakeCaption(g, "BA_Label5", kAverage, Caption1(kRow1Left + 60, kFieldWidth + 8)),
    };
    brightnessCaptions_.push_back(labels[4]);

    MaskSection::Setup s = SectionOf<R>(model_, ShadingLine, c);
    MaskSection::Box from = BoundBox(model_, shadingFrom_, &R::FromCode);
    from.store = [this](int motor, int index) {
        const ShadingPeriod period = ShadingStartChosen(index, shadingTo_->currentIndex());
        model_.shading(motor).FromCode = period.from;
        model_.shading(motor).ToCode = period.to;
    };
    MaskSection::Box to = BoundBox(model_, shadingTo_, &R::ToCode);
    to.store = [this](int motor, int index) {
        const ShadingPeriod period = ShadingEndChosen(shadingFrom_->currentIndex(), index);
        model_.shading(motor).FromCode = period.from;
        model_.shading(motor).ToCode = period.to;
    };
    s.boxes = {BoundBox(model_, temperature, &R::TemperatureCode), from, to,
               BoundBox(model_, lux, &R::BrightnessCode),
               BoundBox(model_, duration, &R::DurationCode)};
    AddFollowers(s, {temperature, shadingFrom_, shadingTo_, lux, brightness, duration});
    AddFollowers(s, labels);
    shading_ = new MaskSection(std::move(s), model_, state_, guard_, this);
}

// What the morning and the evening twilight sections do not share.
struct ShadingSheet::Twilight {
    const char* prefix;  // DM, DA
    const char* fromHint;
    const char* luxHint;
    const char* period;  // the caption over XX_von
};

template <typename R>
MaskSection* ShadingSheet::BuildTwilight(QGroupBox* g, const SectionControls& c, const Twilight& t,
                                         std::string (*line)(const std::string& name,
                                                             const R& record)) {
    const std::string p(t.prefix);
    auto* from = MakeFieldBox(g, (p + "_von").c_str(), &R::FromCode, t.fromHint, Box1(kRow1Left));
    auto* lux =
        MakeFieldBox(g, (p + "_Lux").c_str(), &R::BrightnessCode, t.luxHint, Box2(Column2(0)));
    auto* duration =
        MakeFieldBox(g, (p + "_Dauer").c_str(), &R::DurationCode, kRunTimeHint, Box2(Column2(1)));
    QLabel* brightness =
        BrightnessField(g, (p + "_LuxAktuell").c_str(), Box2(Column2(2), kFieldWidth));
    QLabel* labels[] = {
        MakeCaption(g, (p + "_Label1").c_str(), t.period, Caption1(kRow1Left, 134)),
        MakeCaption(g, (p + "_Label2").c_str(), kLimit, Caption2(Column2(0), kBoxWidth)),
        MakeCaption(g, (p + "_Label3").c_str(), kActivation, Caption2(Column2(1), kBoxWidth)),
        MakeCaption(g, (p + "_Label4").c_str(), kAverage, Caption2(Column2(2), kFieldWidth + 8)),
    };
    brightnessCaptions_.push_back(labels[3]);

    MaskSection::Setup s = SectionOf<R>(model_, line, c);
    s.boxes = {BoundBox(model_, from, &R::FromCode), BoundBox(model_, lux, &R::BrightnessCode),
               BoundBox(model_, duration, &R::DurationCode)};
    AddFollowers(s, {from, lux, brightness, duration});
    AddFollowers(s, labels);
    return new MaskSection(std::move(s), model_, state_, guard_, this);
}

void ShadingSheet::BuildMorning(QWidget* sheet) {
    using R = TwilightMorningSettings;
    QGroupBox* g = SectionBox(sheet, "GroupBox_DaemmerungMorgen",
                              MotorRecordFields<R>::Caption.data(), kMorningTop, "Help_DM");
    const SectionControls c = CommonControls(
        g, "DM", "DM_Ein_Aus", sheet,
        "Motor / Raum      Ein/Aus          ab        bei Lux     Aktivierungszeit", kMorningTop);
    morningList_ = c.list;
    morning_ = BuildTwilight<R>(
        g, c,
        {"DM",
         "\"Nr.3\" -->  Aktivierungszeit als \"Feste Schaltzeit\" Nr. 3 mit Laufzeit = 0 eintragen",
         "Bei dieser Helligkeit wird der Rollladen geöffnet",
         "Dämmerungsautomatik ist morgens aktiviert ab"},
        TwilightMorningLine);
}

void ShadingSheet::BuildEvening(QWidget* sheet) {
    using R = TwilightEveningSettings;
    QGroupBox* g = SectionBox(sheet, "GroupBox_DaemmerungAbend",
                              MotorRecordFields<R>::Caption.data(), kEveningTop, "Help_DA");
    const SectionControls c = CommonControls(
        g, "DA", "DA_Ein_Aus", sheet,
        "Motor / Raum     Ein/Aus          ab        bei Lux     Aktivierungszeit", kEveningTop);
    evening_ = BuildTwilight<R>(
        g, c,
        {"DA",
         "\"Nr.4\" -->  Aktivierungszeit als \"Feste Schaltzeit\" Nr. 4 mit Laufzeit = 0 eintragen",
         "Bei dieser Helligkeit wird der Rollladen geschlossen",
         "Dämmerungsautomatik ist abends aktiviert ab"},
        TwilightEveningLine);
}

void ShadingSheet::BuildTemperatures(QWidget* sheet) {
    MakeTemperatureReadings(sheet,
                            {"GroupBoxInnentemperatur", "Innentemperatur", "IT_Label", "IT_Min",
                             "IT_Aktuell", "IT_Max"},
                            QPoint(kGroupLeft, kTemperatureTop));
    MakeTemperatureReadings(sheet,
                            {"GroupBoxAussentemperatur", "Außentemperatur", "AT_Label", "AT_Min",
                             "AT_Aktuell", "AT_Max"},
                            QPoint(kGroupLeft + 196, kTemperatureTop));
}

// --- Handlers -----------------------------------------------------------------------

void ShadingSheet::Beschattung_MaskeEnter() {
    shading_->Enter();
    morning_->Enter();
    evening_->Enter();
}

void ShadingSheet::LuxAktuellClick() {
    state_.ShowAverageBrightness = !state_.ShowAverageBrightness;
    ShowBrightnessCaptions();
}

void ShadingSheet::ShowBrightnessCaptions() {
    for (QLabel* caption : brightnessCaptions_)
        caption->setText(state_.ShowAverageBrightness ? kAverage : kCurrent);
}

void ShadingSheet::SetStartDefaults() {
    shading_->SetStartDefaults();
    morning_->SetStartDefaults();
    evening_->SetStartDefaults();
    ShowBrightnessCaptions();
}

void ShadingSheet::SetTwilightMorningRows(const std::vector<std::string>& rows) {
    morningList_->SetRowRange(0, ToRows(rows));
}

void ShadingSheet::FormatShadingList() {
    shading_->FormatList();
}

void ShadingSheet::FormatTwilightMorningList() {
    morning_->FormatList();
}

void ShadingSheet::FormatTwilightEveningList() {
    evening_->FormatList();
}

void ShadingSheet::ConnectHooks(WindowHooks& hooks) {
    hooks.FormatShadingList = [this] { FormatShadingList(); };
    hooks.FormatTwilightEveningList = [this] { FormatTwilightEveningList(); };
    hooks.SetTwilightMorningRows = [this](const std::vector<std::string>& rows) {
        SetTwilightMorningRows(rows);
    };
    hooks.Beschattung_MaskeEnter = [this] { Beschattung_MaskeEnter(); };
}

}  // namespace veltrano
