// The mask pattern: one per-motor section of an automation sheet. A section
// has a motor selector XX_Raum (a drop-down list of the 32 motor names), an
// on/off box, parameter boxes each bound to a record field, the 32-row list
// XX_Liste (row n = motor n + 1), and the controls its visibility rule
// shows only while the on/off box shows "EIN".
//
//  - Entry: the names from MotorNames; the selector shows the motor of the
//    list's selected row; the boxes load from its record; visibility; the
//    list's 32 lines.
//  - Refresh (XX_RaumClick): the 8-motor limit on the selector; the motor's
//    record marked Modified; load; visibility; the 32 lines; its row selected.
//  - A value chosen in a box: stored into the selector's motor (nothing for
//    no motor or, on an 8-motor Controller, a motor above 8), then the
//    box's change handler, by default the Refresh.
//  - List click (and keyboard move): the 8-motor limit on the row; the
//    selector shows its motor; load; visibility. Nothing marked, no lines.
//  - List double-click: the row's motor's on/off toggled, then the Refresh.
//    On an 8-motor Controller a row above 8 toggles nothing: the click
//    before it has already shown motor 1.
//  - No selected row: no motor. Selector and boxes show no item, the
//    parameter controls are hidden and a choice stores nothing.
//
// Only a user's choice runs a handler (the boxes are wired to `activated`),
// each under the window's guard; loading a box from the program runs none.
// shading_sheet.cpp builds three sections on it: a sheet lays out its
// controls (section_frame.h for group box and list), fills a Setup per
// section (SectionOf, BoundBox, MakeFieldBox, AddFollowers) and adds its
// couplings as a box's `store` (rule_boxes.h for the two-box rules).
#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "link/link_state.h"
#include "masks/mask_controls.h"
#include "model/configuration_model.h"
#include "model/motor_fields.h"

class QComboBox;
class QWidget;

namespace veltrano {

class FixedRowListBox;

class MaskSection : public QObject {
  public:
    using Guard = std::function<void(const std::function<void()>&)>;
    // The field a box shows and edits for motor 1..32.
    using FieldRef = std::function<std::int32_t&(int motor)>;

    struct Box {
        QComboBox* box = nullptr;
        FieldRef field;
        // The user chose `index` for motor 1..32: replaces field := index,
        // for couplings that move other fields first or a store into another
        // record. Runs only for a motor the Controller has.
        std::function<void(int motor, int index)> store;
        // After the store; empty: this section's Refresh. Another section's
        // refresh goes here.
        std::function<void()> change;
    };

    // A control shown only while the on/off box shows "EIN" and, when given,
    // also `alsoWhen` holds (DEAKTIV, the radio variant's own box).
    struct Follower {
        QWidget* widget = nullptr;
        std::function<bool()> alsoWhen;
    };

    struct Setup {
        QComboBox* selector = nullptr;    // XX_Raum
        QComboBox* onOff = nullptr;       // XX_Ein_Aus, bound to `off`
        FixedRowListBox* list = nullptr;  // XX_Liste, 32 rows
        FieldRef off;
        std::function<void(int motor)> markModified;
        std::function<std::string(int motor)> line;  // the list line of motor 1..32
        std::vector<Box> boxes;                      // the parameter boxes
        std::vector<Follower> followers;
        // After every load, with the motor loaded (0: none): read-only
        // indicators recomputed from the loaded values.
        std::function<void(int motor)> loaded;
        // Extra steps at the end of every Refresh.
        std::function<void()> refreshed;
        // A list click runs the full Refresh after loading (and so marks).
        bool listClickRefreshes = false;
    };

    MaskSection(Setup setup, const ConfigurationModel& model, const LinkState& state, Guard guard,
                QObject* parent);

    // --- The pattern's steps ---------------------------------------------------
    void Enter();
    void Refresh();  // XX_RaumClick
    void ListeClick();
    void ListeDblClick(int row);
    // All 32 lines from the model; the selected row stays.
    void FormatList();
    // Start-up: row 0 and motor 1 selected, the boxes loaded from motor 1's
    // record, visibility applied. The list lines stay as they are.
    void SetStartDefaults();

    // --- For the sheet's own handlers --------------------------------------------
    // The motor 1..32 the selector shows; 0 for none.
    int ShownMotor() const;
    // The boxes from the record of motor 1..32 (0: no item anywhere).
    void Load(int motor);
    void ApplyVisibility();
    // The selector's items := the model's motor names.
    void CopyNames();

  private:
    void Wire();
    void Run(const std::function<void()>& handler) const { guard_(handler); }
    bool ThirtyTwoMotors() const { return state_.Identity.ThirtyTwoMotors; }
    // The motor a choice stores into: the shown one if the Controller has it.
    int MotorForStore() const;
    void Chosen(const Box& box, int index);
    // The selector shows the motor of `row` (-1: none); load; visibility.
    void ShowRow(int row);

    Setup setup_;
    Box onOffBox_;
    const ConfigurationModel& model_;
    const LinkState& state_;
    Guard guard_;
};

// The controls every section has.
struct SectionControls {
    QComboBox* selector = nullptr;    // XX_Raum
    QComboBox* onOff = nullptr;       // XX_Ein_Aus
    FixedRowListBox* list = nullptr;  // XX_Liste
};

// Appends `widgets` to the controls shown while the on/off box shows "EIN"
// (and `alsoWhen` holds, when given).
void AddFollowers(MaskSection::Setup& setup, std::initializer_list<QWidget*> widgets,
                  const std::function<bool()>& alsoWhen = {});
// The same for an array of captions.
template <typename Widgets>
void AddFollowers(MaskSection::Setup& setup, const Widgets& widgets,
                  const std::function<bool()>& alsoWhen = {}) {
    for (QWidget* widget : widgets)
        setup.followers.push_back({widget, alsoWhen});
}

// --- Binding a section to its record -------------------------------------------------

// The field `member` of the record of motor 1..32.
template <typename Record>
MaskSection::FieldRef RecordField(ConfigurationModel& model, std::int32_t Record::*member) {
    return [&model, member](int motor) -> std::int32_t& {
        return RecordsOf<Record>(model).motor(motor).*member;
    };
}

// A box bound to `member` of the section's record: load, and store its index.
template <typename Record>
MaskSection::Box BoundBox(ConfigurationModel& model, QComboBox* box, std::int32_t Record::*member) {
    return {box, RecordField(model, member), {}, {}};
}

// A drop-down list of the item list of `member` (model/motor_fields.h).
template <typename Record>
QComboBox* MakeFieldBox(QWidget* parent, const char* name, std::int32_t Record::*member,
                        const char* hint, QRect geometry) {
    return MakeItemBox(parent, name, ItemsOf(member), hint, geometry);
}

// A section's controls and its record's part: on/off field, Modified and the
// list line from `line(name, record)`. Boxes and followers follow.
template <typename Record>
MaskSection::Setup SectionOf(ConfigurationModel& model,
                             std::string (*line)(const std::string& name, const Record& record),
                             const SectionControls& controls) {
    MaskSection::Setup setup;
    setup.selector = controls.selector;
    setup.onOff = controls.onOff;
    setup.list = controls.list;
    setup.off = RecordField(model, &Record::Off);
    setup.markModified = [&model](int motor) {
        RecordsOf<Record>(model).motor(motor).Modified = true;
    };
    setup.line = [&model, line](int motor) {
        return line(model.motorName(motor), RecordsOf<Record>(model).motor(motor));
    };
    return setup;
}

}  // namespace veltrano
