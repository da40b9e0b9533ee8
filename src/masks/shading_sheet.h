// The sheet "Beschattung, Dämmerung" (Beschattung_Maske): the sections
// shading (BA_), morning twilight (DM_) and evening twilight (DA_) of the
// mask pattern, the three brightness fields that switch between the
// averaged and the current brightness, and the inside and outside
// temperature fields the status report fills.
#pragma once

#include <QObject>
#include <QRect>
#include <functional>
#include <string>
#include <vector>

#include "link/link_state.h"
#include "link/window_hooks.h"
#include "model/configuration_model.h"

class QComboBox;
class QLabel;
class QGroupBox;
class QWidget;

namespace veltrano {

class FixedRowListBox;
class MaskSection;
struct SectionControls;

class ShadingSheet : public QObject {
  public:
    using Guard = std::function<void(const std::function<void()>&)>;

    // Builds the controls on `sheet` and runs Beschattung_MaskeEnter on each
    // showing of the sheet by a tab change.
    ShadingSheet(QWidget* sheet, ConfigurationModel& model, LinkState& state, Guard guard);
    ~ShadingSheet() override;

    // The sheet's operations for the link and read-all: its list formatters,
    // the received morning rows and its enter step.
    void ConnectHooks(WindowHooks& hooks);

    // Start-up: each section on row 0 and motor 1 with its boxes loaded from
    // the records ("AUS": parameters hidden), the brightness captions from
    // ShowAverageBrightness. The lists stay blank until the sheet is shown.
    void SetStartDefaults();

    // --- Handlers -------------------------------------------------------------------
    void Beschattung_MaskeEnter();  // the pattern's entry, shading, morning, evening
    void LuxAktuellClick();         // BA_, DM_, DA_LuxAktuellClick
    // "sdm": rows 0..7 of DM_Liste := rows; rows 8..31 stay.
    void SetTwilightMorningRows(const std::vector<std::string>& rows);

    void FormatShadingList();
    void FormatTwilightMorningList();
    void FormatTwilightEveningList();

  private:
    QGroupBox* SectionBox(QWidget* sheet, const char* name, const char* caption, int top,
                          const char* help);
    SectionControls CommonControls(QGroupBox* group, const char* prefix, const char* onOffName,
                                   QWidget* sheet, const char* heading, int top);
    void BuildShading(QWidget* sheet);
    void BuildMorning(QWidget* sheet);
    void BuildEvening(QWidget* sheet);
    struct Twilight;
    template <typename Record>
    MaskSection* BuildTwilight(QGroupBox* group, const SectionControls& controls,
                               const Twilight& twilight,
                               std::string (*line)(const std::string& name, const Record& record));
    void BuildTemperatures(QWidget* sheet);
    QLabel* BrightnessField(QWidget* parent, const char* name, QRect geometry);
    void ShowBrightnessCaptions();
    void Run(const std::function<void()>& handler) const { guard_(handler); }

    ConfigurationModel& model_;
    LinkState& state_;
    Guard guard_;

    MaskSection* shading_ = nullptr;
    MaskSection* morning_ = nullptr;
    MaskSection* evening_ = nullptr;
    QComboBox* shadingFrom_ = nullptr;
    QComboBox* shadingTo_ = nullptr;
    FixedRowListBox* morningList_ = nullptr;
    std::vector<QLabel*> brightnessCaptions_;  // BA_Label5, DM_Label4, DA_Label4
};

}  // namespace veltrano
