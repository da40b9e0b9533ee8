// The controls of the sheet "Logbuch" (Alarm_Logbuch_Maske): the list LB
// with its heading, the four logbook buttons with their descriptions, the
// progress bar of an export and the "?" button. The window connects the
// buttons to its handlers; a transfer reaches the list through ListHooks().
#pragma once

#include <QString>
#include <array>

#include "logbook/logbook_transfer.h"

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QWidget;

namespace veltrano {

class LogbookSheet {
  public:
    // Builds the controls on `sheet`.
    explicit LogbookSheet(QWidget* sheet);

    QPushButton* ReadButton() const { return buttons_[0]; }       // Logbuch_Button
    QPushButton* FromStartButton() const { return buttons_[1]; }  // Logbuch_Anfang
    QPushButton* SaveButton() const { return buttons_[2]; }       // Logbuch_save_Button
    QPushButton* EraseButton() const { return buttons_[3]; }      // Logbuch_Loeschen
    QListWidget* List() const { return list_; }
    QProgressBar* ProgressBar() const { return progress_; }

    // Each of the four buttons by itself: a button disabled on its own stays
    // disabled when its sheet is enabled again.
    void SetButtonsEnabled(bool enabled);
    // LogbuchProgressBar at 0 and shown (start of an export).
    void ShowProgressFromZero();

    // What a transfer does to LB and LogbuchProgressBar.
    LogbookListHooks ListHooks();

  private:
    void SetRow(int row, const QString& text);

    QLabel* heading_ = nullptr;
    QListWidget* list_ = nullptr;
    QProgressBar* progress_ = nullptr;
    std::array<QPushButton*, 4> buttons_{};
};

}  // namespace veltrano
