#include "masks/sheet_steps.h"

#include <QEvent>
#include <QObject>
#include <QWidget>

namespace veltrano {
namespace {

class SheetStepFilter : public QObject {
  public:
    SheetStepFilter(QWidget* sheet, std::function<void()> enter, std::function<void()> leave)
        : QObject(sheet), enter_(std::move(enter)), leave_(std::move(leave)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == parent() && !event->spontaneous()) {
            if (event->type() == QEvent::Show && enter_) enter_();
            if (event->type() == QEvent::Hide && leave_) leave_();
        }
        return false;
    }

  private:
    std::function<void()> enter_;
    std::function<void()> leave_;
};

}  // namespace

void ConnectSheetSteps(QWidget* sheet, std::function<void()> enter, std::function<void()> leave) {
    sheet->installEventFilter(new SheetStepFilter(sheet, std::move(enter), std::move(leave)));
}

}  // namespace veltrano
