// Loading, picking from a list, applying, marking, deleting, the list views
// and the timeline of the switching-time editor.
#include "masks/switch_time_editor.h"

#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QPalette>

#include "masks/day_timeline.h"
#include "masks/fixed_row_list_box.h"
#include "masks/switch_time_edits.h"
#include "masks/switch_time_lines.h"
#include "masks/switch_time_name_box.h"
#include "model/value_scales.h"

namespace veltrano {
namespace {

constexpr int kNoSlotItem = kSlotCount;  // the blank ninth item of CB_Schaltzeit_Nr
constexpr int kLastOfEightMotors = 7;
constexpr int kLastOfFourSlots = 3;
constexpr int kDefaultDurationItem = 39;
const QColor kAqua(0, 255, 255);

std::optional<int> Shown(const QComboBox* box) {
    const int index = box->currentIndex();
    if (index < 0) return std::nullopt;
    return index;
}

}  // namespace

SwitchTimeEditor::SwitchTimeEditor(QWidget* sheet, ConfigurationModel& model,
                                   const LinkState& state, const WindowHooks& hooks,
                                   ShowFreeMemory showFreeMemory, Guard guard)
    : model_(model),
      state_(state),
      hooks_(hooks),
      showFreeMemory_(std::move(showFreeMemory)),
      guard_(guard ? std::move(guard) : Guard([](const std::function<void()>& fn) { fn(); })) {
    BuildControls(sheet);
    Wire();
}

SwitchTimeEditor::~SwitchTimeEditor() = default;

int SwitchTimeEditor::SelectedDay() const {
    return wochentag_->currentIndex();
}

int SwitchTimeEditor::SelectedMotor() const {
    return raum_->currentIndex();
}

int SwitchTimeEditor::SelectedSlot() const {
    return schaltzeitNr_->currentIndex();
}

QString SwitchTimeEditor::MotorName(int motor) const {
    if (motor < 0 || motor >= kMotorCount) return {};
    return QString::fromStdString(model_.motorName(motor + 1));
}

void SwitchTimeEditor::SelectMotor(int motor) {
    raum_->setCurrentIndex(motor);
    renamePending_ = false;
    if (motor >= 0 && motor < kMotorCount) renameTarget_ = motor;
}

void SwitchTimeEditor::RefillGroupBox(int day) {
    const int kept = gruppe_->currentIndex();
    gruppe_->clear();
    for (const std::string& item : DayGroupItems(day))
        gruppe_->addItem(QString::fromStdString(item));
    gruppe_->setCurrentIndex(kept);
}

void SwitchTimeEditor::SetDuration(int code) {
    dauer_->setCurrentIndex(code);
    RecolourDuration();
}

void SwitchTimeEditor::RecolourDuration() {
    // Run time 0: a fixed time that only serves the twilight automation.
    QPalette palette = dauer_->parentWidget()->palette();
    if (dauer_->currentIndex() == 0) {
        palette.setColor(QPalette::Button, kAqua);
        palette.setColor(QPalette::Base, kAqua);
        palette.setColor(QPalette::Window, kAqua);
    }
    dauer_->setPalette(palette);
}

void SwitchTimeEditor::LoadFields(const SwitchTime& entry) {
    upDown_->setCurrentIndex(entry.Direction);
    schaltzeit_->setCurrentIndex(entry.TimeCode);
    SetDuration(entry.DurationCode);
    funktion_->setCurrentIndex(entry.Function);
}

EditorFields SwitchTimeEditor::FieldsShown() const {
    EditorFields fields;
    fields.Direction = Shown(upDown_);
    fields.TimeCode = Shown(schaltzeit_);
    fields.DurationCode = Shown(dauer_);
    fields.Function = Shown(funktion_);
    return fields;
}

// --- Start-up -------------------------------------------------------------------

void SwitchTimeEditor::ShowMotorListFirst() {
    dayList_->hide();
    motorList_->show();
}

void SwitchTimeEditor::SetStartDefaults() {
    wochentag_->setCurrentIndex(0);
    SelectMotor(0);
    copyRaum_->setCurrentIndex(0);
    copyFrom_->setText(raum_->itemText(0));
    schaltzeitNr_->setCurrentIndex(0);
    upDown_->setCurrentIndex(0);
    SetDuration(kDefaultDurationItem);
    gruppe_->setCurrentIndex(0);
    funktion_->setCurrentIndex(0);
    schaltzeit_->setCurrentIndex(0);
}

void SwitchTimeEditor::DrawInitially() {
    RebuildSwitchTimeLists();
    DrawDayTimeline();
}

// --- Loading ------------------------------------------------------------------------

void SwitchTimeEditor::CB_WochentagClick() {
    if (!ThirtyTwoMotors() && SelectedMotor() > kLastOfEightMotors) SelectMotor(0);
    if (!EightTimesPerDay() && SelectedSlot() > kLastOfFourSlots) schaltzeitNr_->setCurrentIndex(0);

    const int day = SelectedDay();
    const int motor = SelectedMotor();
    const int slot = SelectedSlot();
    RefillGroupBox(day);
    // The blank slot item selects no entry: the boxes keep what they show.
    if (IsValidEntry(day, motor, slot)) {
        const SwitchTime& entry = model_.switchTime(day, motor, slot);
        LoadFields(entry);
        gruppe_->setCurrentIndex(GroupItemWhenLoading(entry.DayGroup));
    }
    if (day >= 0 && day < kDayCount && motor >= 0 && motor < kMotorCount) {
        dayList_->SelectRow(DayListRow(day, motor));
        motorList_->SelectRow(MotorListRow(motor, day));
    }
    DrawDayTimeline();
}

// --- Picking from a list ------------------------------------------------------------

void SwitchTimeEditor::DatenListe_TagMouseDown(int x) {
    pressPosition_ = x;
}

void SwitchTimeEditor::DatenListe_TagClick(bool byKeyboard) {
    constexpr int kLastRowOfEightMotors = MotorListRow(kLastOfEightMotors, kDayCount - 1);  // 62
    if (!ThirtyTwoMotors() && motorList_->SelectedRow() > kLastRowOfEightMotors)
        motorList_->SelectRow(0);

    int day = 0;
    int motor = 0;
    if (!dayList_->isHidden()) {
        int row = dayList_->SelectedRow();
        if (IsDayListSeparator(row)) dayList_->SelectRow(++row);
        day = row / kDayListRowsPerDay;
        motor = row % kDayListRowsPerDay;
        if (!ThirtyTwoMotors() && motor > kLastOfEightMotors) {
            day = 0;
            motor = 0;
            dayList_->SelectRow(0);
            motorList_->SelectRow(0);
        }
    } else {
        int row = motorList_->SelectedRow();
        if (IsMotorListSeparator(row)) motorList_->SelectRow(++row);
        day = row % kMotorListRowsPerMotor;
        motor = row / kMotorListRowsPerMotor;
    }
    wochentag_->setCurrentIndex(day);
    SelectMotor(motor);
    copyFrom_->setText(MotorName(motor));

    // A keyboard selection has no press of its own: the slot stays.
    int slot = SelectedSlot();
    if (!byKeyboard) {
        const SlotPick pick = SlotFromPressPosition(pressPosition_, EightTimesPerDay());
        pressPosition_ = pick.pressPosition;
        slot = pick.slot;
    } else if (!EightTimesPerDay() && slot > kLastOfFourSlots && slot != kNoSlotItem) {
        slot = kLastOfFourSlots;
    }
    schaltzeitNr_->setCurrentIndex(slot);

    RefillGroupBox(day);
    if (IsValidEntry(day, motor, slot)) {
        const SwitchTime& entry = model_.switchTime(day, motor, slot);
        LoadFields(entry);
        gruppe_->setCurrentIndex(GroupItemWhenPicking(day, entry.DayGroup));
    }
    DrawDayTimeline();
}

// --- Applying, marking, deleting -----------------------------------------------------

void SwitchTimeEditor::CB_SchaltzeitClick() {
    const int day = SelectedDay();
    const int motor = SelectedMotor();
    ApplyEditorToDayGroup(model_.SwitchTimes, day, motor, SelectedSlot(),
                          gruppe_->currentText().toStdString(), FieldsShown());
    copyFrom_->setText(MotorName(motor));
    RebuildSwitchTimeLists();
    DrawDayTimeline();
    if (showFreeMemory_) showFreeMemory_();
}

void SwitchTimeEditor::CB_FunktionChange() {
    const int day = SelectedDay();
    const int motor = SelectedMotor();
    const int slot = SelectedSlot();
    if (IsValidEntry(day, motor, slot)) model_.switchTime(day, motor, slot).Modified = true;
    RecolourDuration();
}

void SwitchTimeEditor::Schaltzeit_Loeschen() {
    schaltzeit_->setCurrentIndex(kEmptyTimeCode);
    CB_SchaltzeitClick();
}

// --- List views ----------------------------------------------------------------------

void SwitchTimeEditor::TagButtonClick() {
    dayList_->show();
    motorList_->hide();
}

void SwitchTimeEditor::MotorButtonClick() {
    motorList_->show();
    dayList_->hide();
}

// --- Lists and timeline -----------------------------------------------------------------

void SwitchTimeEditor::RebuildSwitchTimeLists() {
    SyncNameItems();
    dayList_->SetRows(ToRows(DayListLines(model_)));
    motorList_->SetRows(ToRows(MotorListLines(model_)));
    if (showFreeMemory_) showFreeMemory_();
}

void SwitchTimeEditor::DrawDayTimeline() {
    const int day = SelectedDay();
    const int motor = SelectedMotor();
    if (day >= 0 && day < kDayCount && motor >= 0 && motor < kMotorCount) {
        SwitchTime daySlots[kSlotCount];
        for (int s = 0; s < kSlotCount; ++s)
            daySlots[s] = model_.switchTime(day, motor, s);
        timeline_->Draw(ComputeTimelineSegments(daySlots),
                        wochentag_->itemText(day) + ", " + MotorName(motor));
    }
    WindowHooks::Call(hooks_.DrawHeatingWeekOverview);
}

}  // namespace veltrano
