// The controls of the parameter sheet. The page is about 789 x 431 pixels:
// the parameter boxes stand in a column on the left, alarm and groups beside
// them, the holidays below those two. Sizes hold the longest run-time texts
// in the client font (a motor name of twelve "W", "Alarm ausgelöst").
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "masks/help_button.h"
#include "masks/mask_controls.h"
#include "masks/parameter_rules.h"
#include "masks/parameter_sheet.h"

namespace veltrano {
namespace {

constexpr int kNameWidth = 130;  // a motor name of twelve "W" needs 125
constexpr const char* kNextBankHint = "Weitere Kanäle";
constexpr const char* kGroupHeader = "Gruppe 1   Gruppe 2    Gruppe 3   Gruppe 4";

QGroupBox* Group(QWidget* sheet, const char* name, const char* caption, const char* help,
                 QRect geometry) {
    auto* group = new QGroupBox(QString::fromUtf8(caption), sheet);
    group->setObjectName(name);
    group->setGeometry(geometry);
    MakeHelpButton(group, help);
    return group;
}

QLabel* Label(QWidget* parent, const QString& name, const QString& text, QRect geometry) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);  // names are shown as they are, never as markup
    label->setText(text);
    label->setGeometry(geometry);
    return label;
}

// A read-only field the program writes, with its first text.
QLabel* Field(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    QLabel* field = MakeField(parent, name, nullptr, geometry);
    field->setTextFormat(Qt::PlainText);
    field->setText(text);
    return field;
}

QPushButton* NextBankButton(QWidget* parent, const char* name, QRect geometry) {
    auto* button = new QPushButton(QString::fromUtf8("→"), parent);
    button->setObjectName(name);
    button->setToolTip(QString::fromUtf8(kNextBankHint));
    button->setGeometry(geometry);
    return button;
}

}  // namespace

void ParameterSheet::Build(QWidget* sheet) {
    BuildRandomSpan(sheet);
    BuildSensorTypes(sheet);
    BuildConservatory(sheet);
    BuildAlarm(sheet);
    BuildGroups(sheet);
    BuildHolidays(sheet);
}

// A caption over its drop-down list, filled from the list of its field.
QComboBox* ParameterSheet::BuildParameterBox(QWidget* group, ParameterControl control, int top) {
    const ParameterField& field = FieldOf(control);
    MakeCaption(group, field.captionName,
                QString::fromUtf8(field.parameter.caption.data(),
                                  static_cast<qsizetype>(field.parameter.caption.size())),
                QRect(8, top, 156, 14));
    QComboBox* box = MakeItemBox(group, field.name, field.parameter.items(), field.hint,
                                 QRect(8, top + 16, 110, 22));
    const auto& fields = ParameterFields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i].control == control) parameterBoxes_[i] = box;
    return box;
}

void ParameterSheet::BuildRandomSpan(QWidget* sheet) {
    QGroupBox* group =
        Group(sheet, "GroupBox15", "Zufalls-Steuerung", "Help_ZufallSpanne", QRect(4, 4, 190, 64));
    BuildParameterBox(group, ParameterControl::ZufallsZeitspanne, 18);
}

void ParameterSheet::BuildSensorTypes(QWidget* sheet) {
    QGroupBox* group = Group(sheet, "GroupBox_SensorTypen", "Sensor-Typen", "Help_SensorTypen",
                             QRect(4, 72, 190, 148));
    BuildParameterBox(group, ParameterControl::BeschattungsHysterese, 18);
    BuildParameterBox(group, ParameterControl::OffsetAussentemperatur, 60);
    BuildParameterBox(group, ParameterControl::AusloeseverzoegerungWind, 102);
}

void ParameterSheet::BuildConservatory(QWidget* sheet) {
    QGroupBox* group = Group(sheet, "GroupBox_WintergStrg", "Wintergartensteuerungen",
                             "Help_Wintergarten", QRect(4, 224, 190, 106));
    BuildParameterBox(group, ParameterControl::OffsetInnentemperatur, 18);
    BuildParameterBox(group, ParameterControl::Heiz_Hysterese, 60);
}

void ParameterSheet::BuildAlarm(QWidget* sheet) {
    QGroupBox* group =
        Group(sheet, "GroupBox_AlarmSetUp", "Alarm-Setup", "Help_Alarm", QRect(198, 4, 220, 248));
    constexpr int kTop = 22, kPitch = 21, kCell = 20;
    for (int k = 1; k <= kMotorsPerBank; ++k) {
        const int y = kTop + (k - 1) * kPitch;
        const auto i = static_cast<std::size_t>(k - 1);
        alarmLabels_[i] =
            Label(group, QString("AS_%1_Label").arg(k), QString(), QRect(8, y, kNameWidth, 19));
        // Three rows side by side: up (row 0), no action (row 1), down (row 2).
        auto* selector = new QListWidget(group);
        selector->setObjectName(QString("AS_%1").arg(k));
        selector->setFlow(QListView::LeftToRight);
        selector->setWrapping(false);
        selector->setGridSize(QSize(kCell, 15));
        selector->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        selector->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        selector->setSelectionMode(QAbstractItemView::SingleSelection);
        for (const std::string& glyph : AlarmPatternItems()) {
            auto* item = new QListWidgetItem(QString::fromStdString(glyph), selector);
            item->setTextAlignment(Qt::AlignCenter);
        }
        selector->setGeometry(142, y, 3 * kCell + 6, 19);
        alarmSelectors_[i] = selector;
    }
    alarmBankLabel_ = Field(group, "AS_Bank_Label", "1", QRect(142, 194, 20, 20));
    alarmBankNext_ = NextBankButton(group, "AS_Bank_next_", QRect(166, 194, 42, 20));
    MakeCaption(group, "AlarmStatus_Label", "Status", QRect(8, 220, 40, 18));
    auto* status = Field(group, "AlarmStatus", "Kein Alarm", QRect(50, 220, 158, 20));
    status->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void ParameterSheet::BuildGroups(QWidget* sheet) {
    QGroupBox* group = Group(sheet, "GroupBox_GZS", "Gruppen-Zentralsteuerung, Soft-GZS",
                             "Help_GZS", QRect(422, 4, 363, 238));
    // Each column stands under its "Gruppe g" of the heading; the names of
    // the bank's motors stand left of the first column.
    const QFontMetrics metrics(group->font());
    const QString header = QString::fromUtf8(kGroupHeader);
    constexpr int kFirstCentre = 8 + kNameWidth + 16;
    const int headerLeft = kFirstCentre - metrics.horizontalAdvance("Gruppe 1") / 2;
    Label(group, "GZ_Gruppen_Label", header,
          QRect(headerLeft, 20, metrics.horizontalAdvance(header) + 8, 14));
    constexpr int kTop = 36, kPitch = 18, kIndicator = 14;
    for (int g = 1; g <= kGroupCount; ++g) {
        const QString word = QString("Gruppe %1").arg(g);
        const int at = static_cast<int>(header.indexOf(word));
        const int centre = headerLeft + metrics.horizontalAdvance(header.left(at)) +
                           metrics.horizontalAdvance(word) / 2;
        for (int i = 1; i <= kMotorsPerBank; ++i) {
            const int number = kMotorsPerBank * (g - 1) + i;
            auto* box = new QCheckBox(group);
            box->setObjectName(QString("CheckBox%1").arg(number));
            const int y = kTop + (i - 1) * kPitch;
            if (g == 1) {
                // The caption (a motor name) left of the box.
                box->setLayoutDirection(Qt::RightToLeft);
                box->setGeometry(8, y, centre + kIndicator / 2 - 8, 17);
            } else {
                box->setGeometry(centre - kIndicator / 2, y, kIndicator + 2, 17);
            }
            groupBoxes_[static_cast<std::size_t>(number - 1)] = box;
        }
    }
    const int bankTop = kTop + kMotorsPerBank * kPitch + 6;
    groupBankLabel_ = Field(group, "GZ_Bank_Label", "1", QRect(kFirstCentre - 10, bankTop, 20, 20));
    groupBankNext_ =
        NextBankButton(group, "GZ_Bank_next_", QRect(kFirstCentre + 14, bankTop, 42, 20));
    softGzs_ = new QCheckBox("Soft-GZS aktiv", group);
    softGzs_->setObjectName("Soft_GZS");
    softGzs_->setGeometry(8, bankTop + 26, 150, 19);
}

void ParameterSheet::BuildHolidays(QWidget* sheet) {
    QGroupBox* group =
        Group(sheet, "GroupBox12", "Feiertage", "Help_Feiertage", QRect(198, 258, 587, 160));
    constexpr int kRows = 5, kTop = 20, kPitch = 27, kColumnWidth = 192;
    for (int n = 1; n <= kHolidayCount; ++n) {
        const int x = 8 + (n - 1) / kRows * kColumnWidth;
        const int y = kTop + (n - 1) % kRows * kPitch;
        const auto i = static_cast<std::size_t>(n - 1);
        auto* picker = new QDateEdit(group);
        picker->setObjectName(QString("DateTimePicker%1").arg(n));
        picker->setCalendarPopup(true);
        picker->setDisplayFormat("dd.MM.yyyy");
        picker->setGeometry(x, y, 100, 23);
        WheelOnlyWhenFocused(picker);
        pickers_[i] = picker;
        auto* field = new QLineEdit(group);
        field->setObjectName(QString("Edit%1").arg(n));
        field->setReadOnly(true);
        field->setGeometry(x + 104, y, 72, 23);
        holidayFields_[i] = field;
    }
}

}  // namespace veltrano
