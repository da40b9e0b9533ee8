#include "masks/mask_controls.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QWheelEvent>

namespace veltrano {
namespace {

class WheelFilter : public QObject {
  public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Wheel) return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->hasFocus()) return false;
        event->ignore();  // the wheel goes to the parent, as over any other control
        return true;
    }
};

class ClickFilter : public QObject {
  public:
    ClickFilter(QWidget* widget, std::function<void()> onClick)
        : QObject(widget), onClick_(std::move(onClick)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonRelease) return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const auto* widget = static_cast<QWidget*>(watched);
        if (mouse->button() == Qt::LeftButton &&
            widget->rect().contains(mouse->position().toPoint()))
            onClick_();
        return false;
    }

  private:
    std::function<void()> onClick_;
};

}  // namespace

QStringList ItemTexts(const ItemList& items) {
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(items.size()));
    for (const std::string& item : items)
        texts << QString::fromStdString(item);
    return texts;
}

QLabel* MakeCaption(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    return label;
}

QLabel* MakeField(QWidget* parent, const char* name, const char* hint, QRect geometry) {
    auto* field = new QLabel(parent);
    field->setObjectName(name);
    if (hint) field->setToolTip(hint);
    field->setGeometry(geometry);
    field->setFrameShape(QFrame::Panel);
    field->setFrameShadow(QFrame::Sunken);
    field->setAlignment(Qt::AlignCenter);
    return field;
}

QComboBox* MakeItemBox(QWidget* parent, const char* name, const ItemList& items, const char* hint,
                       QRect geometry) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(ItemTexts(items));
    if (hint) box->setToolTip(hint);
    box->setGeometry(geometry);
    box->setMaxVisibleItems(16);
    WheelOnlyWhenFocused(box);
    return box;
}

void WheelOnlyWhenFocused(QWidget* box) {
    box->setFocusPolicy(Qt::StrongFocus);
    box->installEventFilter(new WheelFilter(box));
}

void OnClick(QWidget* widget, std::function<void()> onClick) {
    widget->installEventFilter(new ClickFilter(widget, std::move(onClick)));
}

}  // namespace veltrano
