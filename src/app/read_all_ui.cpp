// "Steuerung --> PC": the read-all transfer as the window starts and ends it.
// The requests, the completion of the model and the watchdog live in
// ReadAllSequence; this file does the window's part around them.
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

#include "app/tquorvan.h"
#include "app/user_dialogs.h"
#include "link/transfer_end.h"

namespace veltrano {
namespace {

// The switching-time editor's boxes, emptied while the table is read.
const char* const kEditorCombos[] = {"CB_Wochentag", "CB_Raum",       "CB_Schaltzeit_Nr",
                                     "CB_Up_Down",   "CB_Schaltzeit", "CB_Dauer",
                                     "CB_Gruppe",    "CB_Funktion"};

constexpr const char* kReadingRow6 = "     Lese Daten von Steuerung ...";
constexpr const char* kTimedOutPanel = "Zeitüberschreitung beim Lesen";
constexpr const char* kReadDonePanel = "Lesen beendet";
constexpr const char* kIncompletePanel = "Unvollständig gelesen";

// How often the watchdog looks; the read ends at most this much after its time-out.
constexpr int kWatchdogIntervalMs = 1000;

void SelectItem(const TQuorvan& window, const char* name, int index) {
    if (auto* combo = window.findChild<QComboBox*>(name)) combo->setCurrentIndex(index);
}

}  // namespace

void TQuorvan::SetUpReadAll() {
    readAll_.WriteText = [this](std::string_view bytes) { comm1_->WriteText(bytes); };
    readAll_.OnCompleted = [this](const ReadAllResult& result) { ReadAllCompleted(result); };
    readAll_.OnAbandoned = [this](ReadAllEnd why) { ReadAllTimedOut(why); };

    readAllWatchdog_ = MakeGuardedTimer("ReadAllWatchdog", kWatchdogIntervalMs,
                                        [this] { ReadAllWatchdogTimer(); });
}

void TQuorvan::Read_ButtonClick() {
    if (state_.LinkDown) return;

    for (const char* name : kEditorCombos)
        SelectItem(*this, name, -1);
    WindowHooks::Call(hooks_.BlankSwitchTimeListsForRead, std::string(kReadingRow6));
    WindowHooks::Call(hooks_.LoadGroupCheckBoxes);

    timer1_->stop();
    timer3_->stop();
    BeginTransferControls(ReadAllProgressMaximum(state_.Identity));

    // Watching first: should the write fail, the read still ends.
    readAllWatchdog_->start();
    // A decoder's error text replaces this; the end of the read compares.
    panel5AtReadStart_ = PanelText(5);
    // Clears the switching times, sets ReadAllInProgress, zeroes both
    // counters and writes the requests.
    readAll_.Start(state_.Identity);
}

void TQuorvan::ReadAllWatchdogTimer() {
    readAll_.CheckWatchdog();
}

void TQuorvan::RestoreWindowAfterReadAll() {
    readAllWatchdog_->stop();
    progressBar_->setValue(0);
    EndTransferControls();
}

// Monday, the first motor and slot 1 in the editor, copying from and to
// the first motor; loads nothing.
void TQuorvan::SelectFirstEditorEntry() {
    WindowHooks::Call(hooks_.SelectFirstSwitchTime);
    SelectItem(*this, "CB_Copy_Raum", 0);
}

// The closing switching-time frame arrived: the model holds what the
// Controller sent (ReadAllSequence::Finish); the window and the masks follow.
// When something is missing, the user learns what, once the window is usable.
void TQuorvan::ReadAllCompleted(const ReadAllResult& result) {
    WindowHooks::Call(hooks_.RebuildSwitchTimeLists);
    SelectFirstEditorEntry();

    SetPanelText(6, QString());
    // Everything came and no block reported an error: say that it ended.
    if (result.Complete() && PanelText(5) == panel5AtReadStart_) SetPanelText(5, kReadDonePanel);
    RestoreWindowAfterReadAll();

    WindowHooks::Call(hooks_.Beschattung_MaskeEnter);
    WindowHooks::Call(hooks_.Wind_Regen_MaskeEnter);
    WindowHooks::Call(hooks_.Wintergarten_MaskeEnter);
    WindowHooks::Call(hooks_.CB_WochentagClick);

    for (int motor = 1; motor <= 8; ++motor) {
        const std::string name = "HS_" + std::to_string(motor) + "_Label";
        if (auto* label = findChild<QLabel*>(QString::fromStdString(name)))
            label->setText(QString::fromStdString(model_.motorName(motor)));
    }
    WindowHooks::Call(hooks_.ParameterEnter);
    ShowFreeSwitchTimeMemoryFigure();

    readIncomplete_ = !result.Complete();
    if (readIncomplete_) {
        SetPanelText(5, kIncompletePanel);
        ShowErrorLater(QString::fromStdString(IncompleteReadMessage(result)));
    }
}

// No character for the watchdog's time-out, or the device is gone: the
// Controller will not finish. The model is a mix of old and new and every
// record is marked to be sent (ReadAllSequence::Abandon); the window becomes
// usable again.
void TQuorvan::ReadAllTimedOut(ReadAllEnd why) {
    RestoreWindowAfterReadAll();
    WindowHooks::Call(hooks_.RebuildSwitchTimeLists);
    // The editor's boxes were emptied for the read: it shows the first entry
    // again (and its timeline), so choosing a time works at once.
    SelectFirstEditorEntry();
    WindowHooks::Call(hooks_.CB_WochentagClick);
    // The fields are redrawn at the last holiday only; a save takes the
    // holidays from them, so they must not keep dates the model replaced.
    WindowHooks::Call(hooks_.RedrawHolidayFields);
    ShowFreeSwitchTimeMemoryFigure();
    // The masks show the model as the read left it, in their own list form.
    WindowHooks::Call(hooks_.Beschattung_MaskeEnter);
    WindowHooks::Call(hooks_.Wind_Regen_MaskeEnter);
    WindowHooks::Call(hooks_.Wintergarten_MaskeEnter);
    if (why == ReadAllEnd::DeviceLost) {
        // Reported from the port's handler: the box waits until it returned.
        SetPanelText(5, kConnectionLostPanel);
        ShowErrorLater(QString::fromUtf8(kConnectionLostMessage));
        return;
    }
    SetPanelText(5, kTimedOutPanel);
    dialogs_->ShowError(QString::fromUtf8(kReadTimedOutMessage));
}

}  // namespace veltrano
