// A manual-drive selector: a three-row list (up, stop, down) that reports
// each choice of the user: every mouse click on a row, the selected one
// included (a double-click is two), and each keyboard move to another row.
// Rows the program selects (SetRow) report nothing.
#pragma once

#include <QListWidget>
#include <functional>

namespace veltrano {

class ManualSelector : public QListWidget {
  public:
    ManualSelector(const char* name, QWidget* parent);

    // The row 0..2 shown, without reporting it.
    void SetRow(int row);
    std::function<void(int row)> Chosen;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Report(int row) const {
        if (Chosen && row >= 0) Chosen(row);
    }
};

}  // namespace veltrano
