// The layout: the section's group box top left with the list and its
// heading beside it; below them the week overview and the note; at the
// bottom the two temperature boxes.
#include "masks/heating_sheet.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>
#include <algorithm>

#include "masks/fixed_row_list_box.h"
#include "masks/heating_lines.h"
#include "masks/mask_controls.h"
#include "masks/mask_lines.h"
#include "masks/mask_section.h"
#include "masks/section_frame.h"
#include "masks/sheet_steps.h"
#include "masks/temperature_readings.h"
#include "model/motor_fields.h"

namespace veltrano {
namespace {

constexpr int kGroupLeft = 4;
constexpr int kGroupTop = 4;
constexpr int kGroupWidth = 300;
constexpr int kGroupHeight = 150;
constexpr int kListLeft = 310;
constexpr int kListWidth = 475;
constexpr int kHeadingHeight = 14;
constexpr int kBoxHeight = 22;
constexpr int kCaptionHeight = 14;

constexpr int kOverviewTop = 160;
constexpr int kOverviewWidth = 660;
constexpr int kOverviewHeight = 168;
constexpr int kDayCaptionWidth = 24;
constexpr int kStripLeft = 30;
constexpr int kStripTop = 18;
constexpr int kStripPitch = 21;
constexpr int kStripHeight = 18;
constexpr int kSegmentTop = 2;
constexpr int kSegmentHeight = 14;
constexpr int kTemperatureTop = 334;

// Far beyond the strip, yet well inside what a widget's geometry can hold.
constexpr std::int64_t kDrawLimit = 100000;

constexpr const char* kOverviewCaption = "Wochenübersicht Tag-/ Nacht-Temperatur für ";
constexpr const char* kDayCaptions[kDayCount] = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};
constexpr const char* kNoteLines[] = {
    "Hinweis:",
    "",
    "Die Umschaltung ",
    "zwischen Tag- ",
    "Temperatur und ",
    "Nacht-Temperatur ",
    "erfolgt über die ",
    "Programmierung ",
    "von \"Schaltzeiten\"",
    " ",
};

constexpr int kHeatingModeCooling = 1;

int Drawable(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, -kDrawLimit, kDrawLimit));
}

const QColor& DownColour() {
    static const QColor colour(0, 0, 128);
    return colour;
}

}  // namespace

HeatingSheet::HeatingSheet(QWidget* sheet, ConfigurationModel& model, LinkState& state, Guard guard)
    : model_(model),
      state_(state),
      guard_(guard ? std::move(guard) : Guard([](const std::function<void()>& fn) { fn(); })) {
    BuildEditors(sheet);
    BuildWeekOverview(sheet);
    BuildNote(sheet);
    BuildTemperatures(sheet);
    ConnectSheetSteps(sheet, [this] { Run([this] { Heizung_Maske_Enter(); }); });
}

HeatingSheet::~HeatingSheet() = default;

void HeatingSheet::BuildEditors(QWidget* sheet) {
    using R = HeatingSettings;
    QGroupBox* g =
        MakeSectionGroup(sheet, "GroupBox_Heizung", MotorRecordFields<R>::Caption.data(),
                         QRect(kGroupLeft, kGroupTop, kGroupWidth, kGroupHeight), "Help_Heiz");

    MakeCaption(g, "Heiz_Label_Raum", "Motor- bzw. Raumname", QRect(8, 16, 156, kCaptionHeight));
    MakeCaption(g, "Heiz_Label_EinAus", "EIN / AUS", QRect(168, 16, 60, kCaptionHeight));
    selector_ = MakeItemBox(g, "Heiz_Raum", {}, nullptr, QRect(8, 32, 156, kBoxHeight));
    onOff_ = MakeFieldBox(g, "Heiz_Ein_Aus", &R::Off, nullptr, QRect(168, 32, 53, kBoxHeight));
    auto* dayNight =
        MakeFieldBox(g, "Heiz_Tag_Nacht", &R::DayNight,
                     "Auswahl der Schalt-Temperatur: Wird durch \"Schaltzeiten\" umgestellt.",
                     QRect(8, 74, 80, kBoxHeight));
    mode_ = MakeFieldBox(g, "Heiz_Betriebsart", &R::Mode, nullptr, QRect(100, 74, 110, kBoxHeight));
    auto* dayTemp = MakeFieldBox(g, "Heiz_Tag_Temperatur", &R::DayTempCode,
                                 "Festlegung der Tag-Temperatur", QRect(8, 118, 80, kBoxHeight));
    auto* nightTemp =
        MakeFieldBox(g, "Heiz_Nacht_Temperatur", &R::NightTempCode,
                     "Festlegung der Nacht-Temperatur", QRect(100, 118, 80, kBoxHeight));
    QLabel* captions[] = {
        MakeCaption(g, "Heiz_Label1", "Tag / Nacht", QRect(8, 58, 88, kCaptionHeight)),
        MakeCaption(g, "Heiz_Label2", "Betriebsart", QRect(100, 58, 110, kCaptionHeight)),
        MakeCaption(g, "Heiz_Label3", "Tag-Temperatur", QRect(8, 102, 90, kCaptionHeight)),
        MakeCaption(g, "Heiz_Label4", "Nacht-Temperatur", QRect(100, 102, 110, kCaptionHeight)),
    };

    FixedRowListBox* list = MakeSectionList(
        sheet, "Heiz_Liste", "Heiz_Ueberschrift",
        "Motor / Raum      Ein/Aus         Betriebsart        Tag-Temperatur      "
        "Nacht-Temperatur",
        QRect(kListLeft, kGroupTop, kListWidth, kHeadingHeight),
        QRect(kListLeft, kGroupTop + kHeadingHeight, kListWidth, kGroupHeight - kHeadingHeight));

    MaskSection::Setup s = SectionOf<R>(model_, HeatingLine, {selector_, onOff_, list});
    s.boxes = {BoundBox(model_, dayNight, &R::DayNight), BoundBox(model_, mode_, &R::Mode),
               BoundBox(model_, dayTemp, &R::DayTempCode),
               BoundBox(model_, nightTemp, &R::NightTempCode)};
    AddFollowers(s, {dayNight, mode_, dayTemp, nightTemp});
    AddFollowers(s, captions);
    // The refresh ends with the overview: caption, then drawing.
    s.refreshed = [this] {
        ShowOverviewCaption();
        DrawHeatingWeekOverview();
    };
    s.listClickRefreshes = true;
    section_ = new MaskSection(std::move(s), model_, state_, guard_, this);
}

void HeatingSheet::BuildWeekOverview(QWidget* sheet) {
    overview_ = new QGroupBox(kOverviewCaption, sheet);
    overview_->setObjectName("WochenUebersicht");
    overview_->setGeometry(kGroupLeft, kOverviewTop, kOverviewWidth, kOverviewHeight);
    for (int day = 0; day < kDayCount; ++day) {
        const int top = kStripTop + day * kStripPitch;
        auto* caption = new QLabel(kDayCaptions[day], overview_);
        caption->setObjectName(QString("WU_Tag_%1").arg(kDayCaptions[day]));
        caption->setGeometry(6, top + kSegmentTop, kDayCaptionWidth, kSegmentHeight);
        auto* strip = new QWidget(overview_);
        strip->setObjectName(QString("WU_Streifen_%1").arg(kDayCaptions[day]));
        strip->setGeometry(kStripLeft, top, kWeekStripWidth + 8, kStripHeight);
        for (int i = 0; i < kTimelineSegmentCount; ++i) {
            Segment& segment =
                segments_[static_cast<std::size_t>(day)][static_cast<std::size_t>(i)];
            segment.label = new QLabel(strip);
            segment.label->setObjectName(QString("%1%2").arg(kDayCaptions[day]).arg(i + 1));
            segment.label->setAutoFillBackground(true);
            segment.geometry = QRect(kWeekFirstLeft, kSegmentTop, 0, kSegmentHeight);
            segment.label->setGeometry(segment.geometry);
        }
    }
}

void HeatingSheet::BuildNote(QWidget* sheet) {
    auto* memo = new QPlainTextEdit(sheet);
    memo->setObjectName("Memo1");
    memo->setReadOnly(true);
    memo->setFocusPolicy(Qt::NoFocus);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QStringList lines;
    for (const char* line : kNoteLines)
        lines << QString::fromUtf8(line);
    memo->setPlainText(lines.join('\n'));
    memo->setGeometry(kGroupLeft + kOverviewWidth + 6, kOverviewTop + 6, 115, kOverviewHeight - 6);
}

void HeatingSheet::BuildTemperatures(QWidget* sheet) {
    MakeTemperatureReadings(sheet,
                            {"GroupBoxAussentemperatur3", "Außentemperatur", "AT_Label3", "AT_Min3",
                             "AT_Aktuell3", "AT_Max3"},
                            QPoint(kGroupLeft, kTemperatureTop));
    MakeTemperatureReadings(sheet,
                            {"GroupBoxInnentemperatur3", "Innentemperatur", "IT_Label3", "IT_Min3",
                             "IT_Aktuell3", "IT_Max3"},
                            QPoint(kGroupLeft + 196, kTemperatureTop));
}

// --- Handlers -----------------------------------------------------------------------

void HeatingSheet::Heizung_Maske_Enter() {
    section_->Enter();
    ShowOverviewCaption();
    DrawHeatingWeekOverview();
}

void HeatingSheet::Heiz_Raum_Click() {
    section_->Refresh();
}

void HeatingSheet::FormatHeatingList() {
    section_->FormatList();
}

void HeatingSheet::UpdateHeatingEditors() {
    section_->ApplyVisibility();
}

void HeatingSheet::ShowOverviewCaption() {
    overview_->setTitle(kOverviewCaption + selector_->currentText());
}

void HeatingSheet::DrawHeatingWeekOverview() {
    const int motor = section_->ShownMotor();
    // Shown only while the box shows "EIN" (not without an item or a room).
    if (motor == 0 || !ShowsOn(onOff_->currentIndex())) {
        overview_->hide();
        return;
    }
    overview_->show();
    const QColor up =
        mode_->currentIndex() == kHeatingModeCooling ? QColor(0, 255, 255) : QColor(255, 0, 0);
    const WeekSegments week = ComputeWeekSegments(RoomWeekSlots(model_.SwitchTimes, motor));
    for (int day = 0; day < kDayCount; ++day) {
        for (int i = 0; i < kTimelineSegmentCount; ++i) {
            const TimelineSegment& s =
                week[static_cast<std::size_t>(day)][static_cast<std::size_t>(i)];
            Segment& shown = segments_[static_cast<std::size_t>(day)][static_cast<std::size_t>(i)];
            const QRect geometry(Drawable(s.left), kSegmentTop,
                                 Drawable(std::max<std::int64_t>(s.width, 0)), kSegmentHeight);
            if (geometry != shown.geometry) {
                shown.geometry = geometry;
                shown.label->setGeometry(geometry);
            }
            const QString text = QString::fromStdString(s.caption);
            if (text != shown.text) {
                shown.text = text;
                shown.label->setText(text);
            }
            if (!s.shade) continue;
            const QColor& colour = *s.shade == SegmentShade::Up ? up : DownColour();
            if (colour == shown.colour) continue;
            shown.colour = colour;
            QPalette palette = shown.label->palette();
            palette.setColor(QPalette::Window, colour);
            // Black on cyan, white on red and navy.
            palette.setColor(QPalette::WindowText, colour.green() == 255 ? Qt::black : Qt::white);
            shown.label->setPalette(palette);
        }
    }
}

void HeatingSheet::SetStartDefaults() {
    section_->SetStartDefaults();
    DrawHeatingWeekOverview();
}

void HeatingSheet::ConnectHooks(WindowHooks& hooks) {
    hooks.FormatHeatingList = [this] { FormatHeatingList(); };
    hooks.Heiz_Raum_Click = [this] { Heiz_Raum_Click(); };
    hooks.DrawHeatingWeekOverview = [this] { DrawHeatingWeekOverview(); };
}

}  // namespace veltrano
