// The sheet "Heizung" (Heizung_Maske): the heating section (Heiz_) of the
// mask pattern, a fixed note, the temperature fields the status report fills
// and the week overview of the selected room's switching times.
#pragma once

#include <QColor>
#include <QObject>
#include <QRect>
#include <QString>
#include <array>
#include <functional>

#include "link/link_state.h"
#include "link/window_hooks.h"
#include "masks/heating_week_segments.h"
#include "model/configuration_model.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QWidget;

namespace veltrano {

class FixedRowListBox;
class MaskSection;

class HeatingSheet : public QObject {
  public:
    using Guard = std::function<void(const std::function<void()>&)>;

    // Builds the controls on `sheet` and runs Heizung_Maske_Enter on each
    // showing of the sheet by a tab change.
    HeatingSheet(QWidget* sheet, ConfigurationModel& model, LinkState& state, Guard guard);
    ~HeatingSheet() override;

    // FormatHeatingList, Heiz_Raum_Click and DrawHeatingWeekOverview.
    void ConnectHooks(WindowHooks& hooks);
    // Start-up: row 0 and room 1, boxes from its record, editors and the
    // week overview hidden ("AUS").
    void SetStartDefaults();

    // --- Handlers -------------------------------------------------------------------
    // The pattern's entry; also the overview's caption and drawing, so a
    // read that switched the room on shows it at once (nothing is marked).
    void Heizung_Maske_Enter();
    void Heiz_Raum_Click();
    void FormatHeatingList();
    void UpdateHeatingEditors();
    void DrawHeatingWeekOverview();

  private:
    void BuildEditors(QWidget* sheet);
    void BuildNote(QWidget* sheet);
    void BuildTemperatures(QWidget* sheet);
    void BuildWeekOverview(QWidget* sheet);
    void ShowOverviewCaption();
    void Run(const std::function<void()>& handler) const { guard_(handler); }

    ConfigurationModel& model_;
    LinkState& state_;
    Guard guard_;

    MaskSection* section_ = nullptr;
    QComboBox* selector_ = nullptr;
    QComboBox* onOff_ = nullptr;
    QComboBox* mode_ = nullptr;
    QGroupBox* overview_ = nullptr;
    // The segment labels, day by day (Mo1 .. So9), and what each shows.
    struct Segment {
        QLabel* label = nullptr;
        QRect geometry;
        QString text;
        QColor colour;
    };
    std::array<std::array<Segment, kTimelineSegmentCount>, kDayCount> segments_{};
};

}  // namespace veltrano
