// The controls of the switching-time editor and how they are wired. The
// shell's groups (port, transfers, backup) stand at x >= 640 down to y = 178;
// the edit boxes take the space left of them, the 753-pixel lists the space
// below, down to the day timeline.
#include <QColor>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolTip>

#include "masks/day_timeline.h"
#include "masks/fixed_pitch_font.h"
#include "masks/fixed_row_list_box.h"
#include "masks/mask_controls.h"
#include "masks/switch_time_editor.h"
#include "masks/switch_time_edits.h"
#include "masks/switch_time_lines.h"
#include "masks/switch_time_name_box.h"
#include "model/value_scales.h"

namespace veltrano {
namespace {

constexpr int kListLeft = 4;
constexpr int kListTop = 194;
constexpr int kTimelineTop = 400;
constexpr int kListHeight = kTimelineTop - 4 - kListTop;
constexpr int kWideCaptionWidth = 630;
constexpr int kNarrowCaptionWidth = 300;

QComboBox* Box(QWidget* parent, const char* name, const QStringList& items, const char* hint,
               QRect geometry) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(items);
    if (hint) box->setToolTip(hint);
    box->setGeometry(geometry);
    return box;
}

QFont ListFont() {
    return FixedPitchListFont();
}

}  // namespace

void SwitchTimeEditor::BuildControls(QWidget* sheet) {
    BuildEditBoxes(sheet);
    BuildCopyBoxes(sheet);
    BuildLists(sheet);
    // From the sheet's left edge: the caption box and the strip need all its width.
    timeline_ = std::make_unique<DayTimeline>(sheet, 0, kTimelineTop);
}

void SwitchTimeEditor::BuildEditBoxes(QWidget* sheet) {
    auto* group = new QGroupBox("Schaltzeiten anzeigen und ändern", sheet);
    group->setObjectName("GroupBox_Schaltzeiten");
    group->setGeometry(4, 4, 630, 84);

    constexpr int kCaptionTop = 18;
    constexpr int kCaptionHeight = 30;
    constexpr int kBoxTop = 52;
    constexpr int kBoxHeight = 22;
    struct Column {
        int x, width;
    };
    const Column tag{8, 48}, raum{60, 156}, nr{220, 46}, upDown{270, 44}, zeit{318, 72},
        dauer{394, 60}, gruppe{458, 84}, funktion{546, 78};
    auto caption = [&](const char* name, const char* text, Column c) {
        MakeCaption(group, name, text, QRect(c.x, kCaptionTop, c.width, kCaptionHeight));
    };
    auto place = [&](Column c) { return QRect(c.x, kBoxTop, c.width, kBoxHeight); };

    caption("Label_Tag", "Tag", tag);
    caption("Label_Raum", "Motor- bzw. Raumname", raum);
    caption("Label_Nr", "Schalt- Zeit-Nr.", nr);
    caption("Label_Auf_Ab", "Auf- Ab", upDown);
    caption("Label_Schaltzeit", "Schaltzeit", zeit);
    caption("Label_Dauer", "Schalt- dauer", dauer);
    caption("Label_Gruppe", "Gruppe", gruppe);
    caption("Label_Funktion", "Funktion", funktion);

    wochentag_ = Box(group, "CB_Wochentag", ItemTexts(WeekdayItems()), nullptr, place(tag));

    raum_ = new MotorNameBox("CB_Raum", group);
    QStringList names;
    for (int m = 1; m <= kMotorCount; ++m)
        names << QString::fromStdString(model_.motorName(m));
    raum_->addItems(names);
    raum_->setGeometry(place(raum));

    schaltzeitNr_ =
        Box(group, "CB_Schaltzeit_Nr", ItemTexts(SlotNumberItems()), nullptr, place(nr));
    // Up and down arrows; the items' index is the direction code.
    upDown_ = Box(group, "CB_Up_Down", {QString(QChar(0x2191)), QString(QChar(0x2193))},
                  "Laufrichtung", place(upDown));
    schaltzeit_ = Box(group, "CB_Schaltzeit", ItemTexts(TimeOfDayItems()), "Aktivierungs-Uhrzeit",
                      place(zeit));
    schaltzeit_->setMaxVisibleItems(16);
    dauer_ = Box(group, "CB_Dauer", ItemTexts(SwitchTimeRunTimeItems()),
                 "Laufzeit des Motors bei Aktivierung", place(dauer));
    gruppe_ = Box(group, "CB_Gruppe", ItemTexts(DayGroupItems(0)),
                  "Schaltzeit gilt für mehrere Wochentage", place(gruppe));
    funktion_ = Box(group, "CB_Funktion", ItemTexts(FunctionItems()),
                    "Zufallsfunktion, Astro-Funktion", place(funktion));
}

void SwitchTimeEditor::BuildCopyBoxes(QWidget* sheet) {
    auto* group = new QGroupBox("Schaltzeiten kopieren", sheet);
    group->setObjectName("GroupBox_Kopieren");
    group->setGeometry(4, 94, 400, 54);
    auto* von = new QLabel("von:", group);
    von->setObjectName("Label_von");
    von->setGeometry(8, 24, 30, 20);
    copyFrom_ = new QLabel(group);
    copyFrom_->setObjectName("copy_from_label");
    copyFrom_->setToolTip("Auswählen durch Anklicken in der Liste");
    copyFrom_->setGeometry(40, 24, 156, 20);
    auto* nach = new QLabel("nach:", group);
    nach->setObjectName("Label_nach");
    nach->setGeometry(200, 24, 36, 20);
    QStringList names;
    for (int m = 1; m <= kMotorCount; ++m)
        names << QString::fromStdString(model_.motorName(m));
    copyRaum_ = Box(group, "CB_Copy_Raum", names, "Ziel-Motor", QRect(238, 22, 156, 22));

    auto* sortCaption = new QLabel("Liste sortieren nach:", sheet);
    sortCaption->setObjectName("Label_sortieren");
    sortCaption->setGeometry(412, 98, 220, 16);
    tagButton_ = new QPushButton("Tag", sheet);
    tagButton_->setObjectName("TagButton");
    tagButton_->setToolTip("Liste sortieren nach Tag");
    tagButton_->setGeometry(412, 118, 70, 26);
    motorButton_ = new QPushButton("Motor- bzw. Raum", sheet);
    motorButton_->setObjectName("MotorButton");
    motorButton_->setToolTip("Liste sortieren nach Motor");
    motorButton_->setGeometry(488, 118, 140, 26);
}

void SwitchTimeEditor::BuildLists(QWidget* sheet) {
    const QFont font = ListFont();
    // Label37 stays left of the shell's groups; Label42 runs below them.
    label37_ = new QLabel(QString::fromStdString(SwitchTimeCaptionHeading()), sheet);
    label37_->setObjectName("Label37");
    label37_->setFont(font);
    label37_->setGeometry(kListLeft + 4, kListTop - 30, kWideCaptionWidth, 14);
    label42_ = new QLabel(QString::fromStdString(SwitchTimeNumberHeading()), sheet);
    label42_->setObjectName("Label42");
    label42_->setFont(font);
    label42_->setGeometry(kListLeft + 4, kListTop - 16, kWideListWidth, 14);

    dayList_ = new FixedRowListBox("DatenListe_Tag", kDayListRowCount, sheet);
    dayList_->setToolTip("Anklicken überträgt Werte in Eingabemasken (oben links)");
    motorList_ = new FixedRowListBox("DatenListe_Motor", kMotorListRowCount, sheet);
    motorList_->setToolTip(
        "Anklicken überträgt Werte in Eingabemasken (oben links) / Dopelklick löscht Schaltzeit ");
    for (FixedRowListBox* list : {dayList_, motorList_})
        list->setGeometry(kListLeft, kListTop, kWideListWidth, kListHeight);
}

void SwitchTimeEditor::ShowSlotsPerDay(int slotCount) {
    const bool wide = slotCount >= kSlotCount;
    const int listWidth = wide ? kWideListWidth : kNarrowListWidth;
    for (FixedRowListBox* list : {dayList_, motorList_}) {
        list->resize(listWidth, list->height());
        list->setHorizontalScrollBarPolicy(wide ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    }
    label42_->resize(listWidth, label42_->height());
    label42_->setText(QString::fromStdString(SwitchTimeNumberHeading(wide ? kSlotCount : 4)));
    label37_->resize(wide ? kWideCaptionWidth : kNarrowCaptionWidth, label37_->height());
}

void SwitchTimeEditor::Wire() {
    for (QComboBox* box : {wochentag_, static_cast<QComboBox*>(raum_), schaltzeitNr_, upDown_,
                           schaltzeit_, dauer_, gruppe_, funktion_, copyRaum_})
        WheelOnlyWhenFocused(box);
    auto onChoice = [this](QComboBox* box, std::function<void()> handler) {
        connect(box, &QComboBox::activated, this, [this, handler] { Run(handler); });
    };
    onChoice(wochentag_, [this] { CB_WochentagClick(); });
    onChoice(schaltzeitNr_, [this] { CB_WochentagClick(); });
    onChoice(raum_, [this] {
        // A chosen item ends any typing: the box now shows that item.
        renamePending_ = false;
        CB_WochentagClick();
        CB_RaumChange();
    });
    for (QComboBox* box : {upDown_, schaltzeit_, dauer_, gruppe_, funktion_}) {
        onChoice(box, [this] {
            CB_SchaltzeitClick();
            CB_FunktionChange();
        });
    }
    onChoice(copyRaum_, [this] { CB_Copy_RaumChange(); });

    // State only, no handler: any new selection, the user's or the
    // program's, replaces typed text in the box.
    connect(raum_, &QComboBox::currentIndexChanged, this, [this] { renamePending_ = false; });
    // Typing (not the program's own text changes) leaves no item selected.
    connect(raum_->lineEdit(), &QLineEdit::textEdited, this, [this] {
        renamePending_ = true;
        Run([this] { CB_RaumChange(); });
    });
    connect(raum_, &MotorNameBox::CharacterRefused, this, [this](const QString& character) {
        const QString text = "Zeichen nicht möglich: " + character;
        QToolTip::showText(raum_->mapToGlobal(QPoint(0, raum_->height())), text, raum_);
        hooks_.Panel(5, text.toStdString());
    });
    connect(raum_, &MotorNameBox::CarriageReturn, this,
            [this] { Run([this] { CB_RaumKeyPress(); }); });
    connect(raum_, &MotorNameBox::Left, this, [this] { Run([this] { CB_RaumExit(); }); });
    connect(raum_, &MotorNameBox::DroppingDown, this,
            [this] { Run([this] { CB_RaumDropDown(); }); });

    for (FixedRowListBox* list : {dayList_, motorList_}) {
        connect(list, &FixedRowListBox::MouseDown, this,
                [this](int x) { Run([this, x] { DatenListe_TagMouseDown(x); }); });
        connect(list, &QAbstractItemView::clicked, this,
                [this] { Run([this] { DatenListe_TagClick(false); }); });
        connect(list, &FixedRowListBox::KeyboardSelected, this,
                [this] { Run([this] { DatenListe_TagClick(true); }); });
    }
    connect(motorList_, &QAbstractItemView::doubleClicked, this,
            [this] { Run([this] { Schaltzeit_Loeschen(); }); });

    connect(tagButton_, &QPushButton::clicked, this, [this] { Run([this] { TagButtonClick(); }); });
    connect(motorButton_, &QPushButton::clicked, this,
            [this] { Run([this] { MotorButtonClick(); }); });
}

}  // namespace veltrano
