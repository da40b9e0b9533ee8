// The switching-time editor on the sheet "Schaltzeiten": the two lists of the
// whole table, the edit boxes of one entry (day, motor, slot), renaming
// motors, copying a motor, and the day timeline under the lists.
//
// Handlers run on the user's choice only: the boxes are wired to
// `activated` (never to index changes), so a selection made by the program
// runs no handler. For a box the user chose an item in, its click handler
// runs first and its change handler second.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "link/link_state.h"
#include "link/window_hooks.h"
#include "model/configuration_model.h"

class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

namespace veltrano {

class DayTimeline;
class MotorNameBox;
class FixedRowListBox;
struct EditorFields;

class SwitchTimeEditor : public QObject {
    Q_OBJECT

  public:
    // Shows the free switching-time memory (status panel 6 and the warning label).
    using ShowFreeMemory = std::function<void()>;
    // Runs a handler and shows whatever escapes it.
    using Guard = std::function<void(const std::function<void()>&)>;

    // Builds the controls on `sheet`; `hooks` are called (heating overview),
    // not connected, here: ConnectHooks does that.
    SwitchTimeEditor(QWidget* sheet, ConfigurationModel& model, const LinkState& state,
                     const WindowHooks& hooks, ShowFreeMemory showFreeMemory, Guard guard);
    ~SwitchTimeEditor() override;

    // Offers the editor's operations to the link, read-all and the backup file.
    void ConnectHooks(WindowHooks& hooks);

    // --- Start-up -----------------------------------------------------------
    void ShowMotorListFirst();  // DatenListe_Motor shown, DatenListe_Tag hidden
    void SetStartDefaults();    // the editor's start selection
    void DrawInitially();       // lists and timeline, once

    // --- Handlers -------------------------------------------------------------
    void CB_WochentagClick();                           // load the selected entry
    void DatenListe_TagMouseDown(int x);                // remember the press position
    void DatenListe_TagClick(bool byKeyboard = false);  // pick from the shown list
    void CB_SchaltzeitClick();                          // apply the editor (day groups included)
    void CB_FunktionChange();    // mark the selected entry, recolour CB_Dauer
    void Schaltzeit_Loeschen();  // empty the selected entry (and its group)
    void CB_RaumChange();        // a motor was chosen in CB_Raum
    void CB_RaumKeyPress();      // carriage return in CB_Raum
    void CB_RaumExit();          // CB_Raum lost the focus
    void CB_RaumDropDown();      // CB_Raum opens its list
    void CB_Copy_RaumChange();   // copy the selected motor onto the chosen one
    void TagButtonClick();
    void MotorButtonClick();

    // --- Operations for other parts ---------------------------------------------
    // Every row of both lists from the model, then the free memory figure.
    // Day, motor and the rows' selection stay.
    void RebuildSwitchTimeLists();
    // The timeline of the selected day and motor, and the heating overview.
    void DrawDayTimeline();
    void SetListsRow6(const QString& text);
    void BlankListsForRead(const QString& row6);
    // Start of a send-all: the by-motor list only, rows 0..63 blank but row 6.
    void BlankMotorListForSend(const QString& row6);
    void SetMotorListRow6(const QString& text);
    // Monday, the first motor and slot 1 selected; loads nothing.
    void SelectFirstEntry();
    void SetMotorNameItem(int motor, const QString& name);
    // The lists and their headings for a Controller with `slotCount` switching
    // times per day: 8 at full width; 4 narrowed (lists and Label42 447
    // pixels, Label37 300), the heading naming four columns and no sideways
    // scrolling to the empty slots 5 to 8.
    void ShowSlotsPerDay(int slotCount);

    // --- State, for the window and tests ----------------------------------------
    int PressPosition() const { return pressPosition_; }
    int RenameTarget() const { return renameTarget_; }
    bool RenamePending() const { return renamePending_; }
    FixedRowListBox* DayList() const { return dayList_; }
    FixedRowListBox* MotorList() const { return motorList_; }
    DayTimeline& Timeline() const { return *timeline_; }

  private:
    void BuildControls(QWidget* sheet);
    void BuildEditBoxes(QWidget* sheet);
    void BuildCopyBoxes(QWidget* sheet);
    void BuildLists(QWidget* sheet);
    void Wire();
    void Run(const std::function<void()>& handler) const { guard_(handler); }

    int SelectedDay() const;
    int SelectedMotor() const;
    int SelectedSlot() const;
    bool ThirtyTwoMotors() const { return state_.Identity.ThirtyTwoMotors; }
    bool EightTimesPerDay() const { return state_.Identity.EightTimesPerDay; }
    QString MotorName(int motor) const;
    // A selection made by the program: no handler runs, and the motor
    // shown is the one a typed name renames.
    void SelectMotor(int motor);
    void RefillGroupBox(int day);
    void SetDuration(int code);
    void RecolourDuration();
    void LoadFields(const SwitchTime& entry);
    EditorFields FieldsShown() const;
    void CommitRename();
    void SyncNameItems();

    ConfigurationModel& model_;
    const LinkState& state_;
    const WindowHooks& hooks_;
    ShowFreeMemory showFreeMemory_;
    Guard guard_;

    int pressPosition_ = 0;
    int renameTarget_ = 0;
    bool renamePending_ = false;  // CB_Raum holds typed text: no item is selected

    QComboBox* wochentag_ = nullptr;
    MotorNameBox* raum_ = nullptr;
    QComboBox* schaltzeitNr_ = nullptr;
    QComboBox* upDown_ = nullptr;
    QComboBox* schaltzeit_ = nullptr;
    QComboBox* dauer_ = nullptr;
    QComboBox* gruppe_ = nullptr;
    QComboBox* funktion_ = nullptr;
    QComboBox* copyRaum_ = nullptr;
    QLabel* copyFrom_ = nullptr;
    QPushButton* tagButton_ = nullptr;
    QPushButton* motorButton_ = nullptr;
    FixedRowListBox* dayList_ = nullptr;
    FixedRowListBox* motorList_ = nullptr;
    QLabel* label37_ = nullptr;
    QLabel* label42_ = nullptr;
    std::unique_ptr<DayTimeline> timeline_;
};

}  // namespace veltrano
