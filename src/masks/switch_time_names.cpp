// Renaming motors in CB_Raum, copying a motor's switching times, and the
// operations the link, read-all and the backup file call through the
// window's hooks.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "masks/fixed_row_list_box.h"
#include "link/wire_safe_names.h"
#include "masks/switch_time_editor.h"
#include "masks/switch_time_edits.h"
#include "masks/switch_time_lines.h"
#include "masks/switch_time_name_box.h"

namespace veltrano {
namespace {

constexpr int kLastOfEightMotors = 7;
constexpr int kDayListRowsBlankedForRead = 62;    // rows 0..61
constexpr int kMotorListRowsBlankedForRead = 64;  // rows 0..63
constexpr int kProgressRow = 6;
constexpr const char* kNameWithMarkerText =
    "Name nicht gespeichert: \"start_\" und \"ende_\" sind nicht erlaubt";

}  // namespace

// --- Renaming ------------------------------------------------------------------------

void SwitchTimeEditor::CB_RaumChange() {
    if (renamePending_) return;  // typing: no item is selected
    if (!ThirtyTwoMotors() && SelectedMotor() > kLastOfEightMotors) SelectMotor(0);
    const int motor = SelectedMotor();
    if (motor < 0) return;
    renameTarget_ = motor;
    copyFrom_->setText(MotorName(motor));
}

void SwitchTimeEditor::CB_RaumKeyPress() {
    CommitRename();
}

void SwitchTimeEditor::CB_RaumExit() {
    CommitRename();
}

void SwitchTimeEditor::CB_RaumDropDown() {
    CommitRename();
}

void SwitchTimeEditor::CommitRename() {
    if (!renamePending_) return;
    renamePending_ = false;
    // The name replaces the motor the box shows (it keeps its item while the
    // user types), also when the program rather than the user selected it.
    const int shown = raum_->currentIndex();
    const int target = shown >= 0 ? shown : renameTarget_;
    if (target < 0 || target >= kMotorCount) return;
    const QString name = raum_->lineEdit()->text();
    if (ContainsFrameMarker(name.toStdString())) {
        // The Controller would cut its own answer at the marker on every read.
        hooks_.Panel(5, kNameWithMarkerText);
        raum_->setItemText(target, MotorName(target));
        SelectMotor(target);
        raum_->lineEdit()->setText(MotorName(target));
        return;
    }
    model_.motorName(target + 1) = name.toStdString();
    raum_->setItemText(target, name);
    copyRaum_->setItemText(target, name);
    SelectMotor(target);
    copyFrom_->setText(name);
    RebuildSwitchTimeLists();
}

void SwitchTimeEditor::SyncNameItems() {
    for (int m = 0; m < kMotorCount; ++m) {
        const QString name = MotorName(m);
        // Typed text in the box is the user's until committed.
        const bool typing = renamePending_ && m == raum_->currentIndex();
        if (!typing && raum_->itemText(m) != name) raum_->setItemText(m, name);
        if (copyRaum_->itemText(m) != name) copyRaum_->setItemText(m, name);
    }
}

// --- Copying -----------------------------------------------------------------------------

void SwitchTimeEditor::CB_Copy_RaumChange() {
    const int source = SelectedMotor();
    if (!ThirtyTwoMotors() && copyRaum_->currentIndex() > kLastOfEightMotors)
        copyRaum_->setCurrentIndex(source);
    CopyMotorSwitchTimes(model_.SwitchTimes, source, copyRaum_->currentIndex());
    RebuildSwitchTimeLists();
    DrawDayTimeline();
    if (showFreeMemory_) showFreeMemory_();
}

// --- Read-all, backup file, decoders ---------------------------------------------------------

void SwitchTimeEditor::SetListsRow6(const QString& text) {
    dayList_->SetRow(kProgressRow, text);
    motorList_->SetRow(kProgressRow, text);
}

void SwitchTimeEditor::BlankListsForRead(const QString& row6) {
    const std::pair<FixedRowListBox*, int> lists[] = {{dayList_, kDayListRowsBlankedForRead},
                                                      {motorList_, kMotorListRowsBlankedForRead}};
    for (const auto& [list, rows] : lists) {
        for (int row = 0; row < rows; ++row)
            list->SetRow(row, QString());
        list->SelectRow(0);
        list->SetRow(kProgressRow, row6);
        list->SelectRow(-1);
    }
}

void SwitchTimeEditor::BlankMotorListForSend(const QString& row6) {
    dayList_->hide();
    motorList_->show();
    for (int row = 0; row < kMotorListRowsBlankedForRead; ++row)
        motorList_->SetRow(row, QString());
    motorList_->SetRow(kProgressRow, row6);
    motorList_->SelectRow(-1);
    motorList_->scrollToTop();
}

void SwitchTimeEditor::SetMotorListRow6(const QString& text) {
    motorList_->SetRow(kProgressRow, text);
}

void SwitchTimeEditor::SelectFirstEntry() {
    wochentag_->setCurrentIndex(0);
    SelectMotor(0);
    copyFrom_->setText(raum_->itemText(0));
    schaltzeitNr_->setCurrentIndex(0);
}

void SwitchTimeEditor::SetMotorNameItem(int motor, const QString& name) {
    if (motor < 1 || motor > kMotorCount) return;
    model_.motorName(motor) = name.toStdString();
    raum_->setItemText(motor - 1, name);
    copyRaum_->setItemText(motor - 1, name);
}

void SwitchTimeEditor::ConnectHooks(WindowHooks& hooks) {
    hooks.SetSwitchTimeListsRow6 = [this](const std::string& text) {
        SetListsRow6(QString::fromStdString(text));
    };
    hooks.BlankSwitchTimeListsForRead = [this](const std::string& row6) {
        BlankListsForRead(QString::fromStdString(row6));
    };
    hooks.RebuildSwitchTimeLists = [this] { RebuildSwitchTimeLists(); };
    hooks.CB_WochentagClick = [this] { CB_WochentagClick(); };
    hooks.SetMotorNameItem = [this](int motor, const std::string& name) {
        SetMotorNameItem(motor, QString::fromStdString(name));
    };
    hooks.WeekdayItemText = [this](int index) { return wochentag_->itemText(index).toStdString(); };
    hooks.BlankMotorListForSend = [this](const std::string& row6) {
        BlankMotorListForSend(QString::fromStdString(row6));
    };
    hooks.SetMotorListRow6 = [this](const std::string& text) {
        SetMotorListRow6(QString::fromStdString(text));
    };
    hooks.SelectFirstSwitchTime = [this] { SelectFirstEntry(); };
}

}  // namespace veltrano
