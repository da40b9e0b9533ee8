// The sheet "Hand-, Tast-, Reversier-Automatik" (Handsteuerung_Maske): the
// manual drive of the attached Controller's motors, eight (one bank) at a
// time, and the reverse (RA_) and touch (Tast_) sections of the mask pattern.
//
// Manual drive writes at once through `write` and waits for no answer:
//  - sheet entered and next bank: "srs\r" (the Controller reports its states);
//  - the focus enters the group "Handsteuerung": " rhi\r" (manual mode);
//  - a user's click on a selector row (or a keyboard move to another row):
//    the motor's command pair, in one call so no poll lands between;
//  - sheet left: " rhe\r".
// The program's own selections write nothing.
#pragma once

#include <QObject>
#include <array>
#include <functional>
#include <string_view>

#include "link/link_state.h"
#include "link/window_hooks.h"
#include "model/configuration_model.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QWidget;

namespace veltrano {

class FixedRowListBox;
class MaskSection;
class ManualSelector;

class ManualSheet : public QObject {
  public:
    using Guard = std::function<void(const std::function<void()>&)>;
    // Writes text to the Controller; false: the port refused it.
    using Writer = std::function<bool(std::string_view text)>;

    ManualSheet(QWidget* sheet, ConfigurationModel& model, LinkState& state, Writer write,
                Guard guard);
    ~ManualSheet() override;

    // Where the manual drive writes from now on (tests capture the bytes).
    void SetWriter(Writer write) { write_ = std::move(write); }
    // FormatReverseList, FormatTouchList and ShowReportedBank.
    void ConnectHooks(WindowHooks& hooks);
    // Start-up: both sections on row 0 and motor 1 ("AUS": editors hidden).
    void SetStartDefaults();
    // The link was lost (true) or found again (false). Found again while
    // this sheet is shown: "srs\r" once, and the next click begins with " rhi\r".
    void LinkChanged(bool down);
    // Whether the sheet is the one shown (between its enter and leave steps).
    bool Current() const { return current_; }

    // --- Handlers -------------------------------------------------------------------
    void Handsteuerung_MaskeEnter();
    void Handsteuerung_MaskeExit();
    void HS_Bank_next_Click();
    void HandsteuerungEnter();
    // Selector 1..8 chose `row`.
    void HS_Click(int selector, int row);
    void ShowManualBank();
    void ShowReportedBank();
    void FormatReverseList();
    void FormatTouchList();
    void UpdateReverseEditors();
    void UpdateTouchEditors();

    int Bank() const { return bank_; }
    int ManualCommand(int motor) const { return commands_.at(static_cast<std::size_t>(motor - 1)); }

  private:
    void BuildManual(QWidget* sheet);
    void BuildReverse(QWidget* sheet);
    void BuildTouch(QWidget* sheet);
    // Bank label, names and the eight rows from `rowOf(motor)`.
    void ShowBank(const std::function<int(int motor)>& rowOf);
    void FocusChanged(QWidget* old, QWidget* now);
    bool Write(std::string_view text) const { return write_ && write_(text); }
    void Run(const std::function<void()>& handler) const { guard_(handler); }

    ConfigurationModel& model_;
    LinkState& state_;
    Writer write_;
    Guard guard_;

    MaskSection* reverse_ = nullptr;
    MaskSection* touch_ = nullptr;
    QGroupBox* manualGroup_ = nullptr;
    QLabel* bankLabel_ = nullptr;
    std::array<ManualSelector*, 8> selectors_{};
    std::array<QLabel*, 8> names_{};

    int bank_ = 1;
    std::array<int, kMotorCount> commands_{};
    bool current_ = false;
    // " rhi\r" written and not ended by focus leaving, the sheet left or the link lost.
    bool manualModeEntered_ = false;
};

}  // namespace veltrano
