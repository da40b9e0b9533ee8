// The sheet "Temperatur-Steuerung" (Wintergarten_Maske): the sections
// proportional (PT_), inside-temperature (IT_) and outside-temperature
// (AT_) control of the mask pattern, and the inside and outside temperature
// fields the status report fills.
#pragma once

#include <QObject>
#include <functional>

#include "link/link_state.h"
#include "link/window_hooks.h"
#include "model/configuration_model.h"

class QComboBox;
class QLabel;
class QWidget;

namespace veltrano {

class MaskSection;

class TemperatureSheet : public QObject {
  public:
    using Guard = std::function<void(const std::function<void()>&)>;

    // Builds the controls on `sheet` and runs Wintergarten_MaskeEnter on each
    // showing of the sheet by a tab change.
    TemperatureSheet(QWidget* sheet, ConfigurationModel& model, LinkState& state, Guard guard);
    ~TemperatureSheet() override;

    void ConnectHooks(WindowHooks& hooks);
    // Start-up: each section on row 0 and motor 1, boxes from its record.
    void SetStartDefaults();

    void Wintergarten_MaskeEnter();  // the pattern's entry: PT, IT, AT
    void FormatProportionalTempList();
    void FormatInsideTempList();
    void FormatOutsideTempList();

  private:
    void BuildProportional(QWidget* sheet);
    void BuildInside(QWidget* sheet);
    void BuildOutside(QWidget* sheet);
    void BuildReadings(QWidget* sheet);
    void Run(const std::function<void()>& handler) const { guard_(handler); }

    ConfigurationModel& model_;
    LinkState& state_;
    Guard guard_;

    MaskSection* proportional_ = nullptr;
    MaskSection* inside_ = nullptr;
    MaskSection* outside_ = nullptr;
};

}  // namespace veltrano
