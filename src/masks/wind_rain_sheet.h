// The sheet "Wind-, Regen-, Feuchte" (Wind_Regen_Maske): the sections
// retract on wind (EW_), retract on rain (ER_) and humidity control (RelF_)
// of the mask pattern, wind and rain sharing the rain record's direction;
// the live wind, rain and humidity fields the status report fills; and the
// reset of the maximum wind by a click on MaxWind.
#pragma once

#include <QObject>
#include <functional>
#include <string_view>

#include "link/link_state.h"
#include "link/window_hooks.h"
#include "model/configuration_model.h"

class QComboBox;
class QLabel;
class QWidget;

namespace veltrano {

class MaskSection;

class WindRainSheet : public QObject {
  public:
    using Guard = std::function<void(const std::function<void()>&)>;
    // Writes bytes to the Controller's port (nothing while it is closed).
    using Write = std::function<void(std::string_view bytes)>;

    // Builds the controls on `sheet` and runs Wind_Regen_MaskeEnter on each
    // showing of the sheet by a tab change.
    WindRainSheet(QWidget* sheet, ConfigurationModel& model, LinkState& state, Guard guard,
                  Write write);
    ~WindRainSheet() override;

    // The list formatters and the enter step for the link and read-all.
    void ConnectHooks(WindowHooks& hooks);
    // Start-up: each section on row 0 and motor 1, boxes from its record.
    void SetStartDefaults();

    // --- Handlers -------------------------------------------------------------------
    void Wind_Regen_MaskeEnter();  // the pattern's entry: wind, rain, humidity
    void MaxWindClick();           // "swl": the Controller forgets its maximum wind
    void FormatWindList();
    void FormatRainList();
    void FormatHumidityList();

  private:
    void BuildWind(QWidget* sheet);
    void BuildRain(QWidget* sheet);
    void BuildHumidity(QWidget* sheet);
    void BuildReadings(QWidget* sheet);
    // EW_Richtung := the direction of the wind motor's rain record.
    void LoadWindDirection();
    void ShowHumidityIndicators(int motor);
    void Run(const std::function<void()>& handler) const { guard_(handler); }

    ConfigurationModel& model_;
    LinkState& state_;
    Guard guard_;
    Write write_;

    MaskSection* wind_ = nullptr;
    MaskSection* rain_ = nullptr;
    MaskSection* humidity_ = nullptr;
    QComboBox* windDirection_ = nullptr;
    QComboBox* humidityComparison_ = nullptr;
    QComboBox* humidityFirst_ = nullptr;
    QComboBox* humiditySecond_ = nullptr;
    QComboBox* humidityFrom_ = nullptr;
    QComboBox* humidityTo_ = nullptr;
    QLabel* humiditySecondComparison_ = nullptr;
    QLabel* humiditySecondAction_ = nullptr;
};

}  // namespace veltrano
