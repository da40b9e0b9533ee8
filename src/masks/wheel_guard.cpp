#include "masks/wheel_guard.h"

#include <QEvent>
#include <QObject>
#include <QWidget>

namespace veltrano {
namespace {

class WheelGuard : public QObject {
  public:
    explicit WheelGuard(QWidget* box) : QObject(box) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Wheel) return false;
        auto* box = qobject_cast<QWidget*>(watched);
        if (!box || box->hasFocus()) return false;
        event->ignore();  // the parent may scroll
        return true;
    }
};

}  // namespace

void IgnoreWheelUnlessFocused(QWidget* box) {
    box->setFocusPolicy(Qt::StrongFocus);
    box->installEventFilter(new WheelGuard(box));
}

}  // namespace veltrano
