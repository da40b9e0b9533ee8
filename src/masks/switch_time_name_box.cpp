#include "masks/switch_time_name_box.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace veltrano {

MotorNameBox::MotorNameBox(const char* name, QWidget* parent) : QComboBox(parent) {
    setObjectName(name);
    setEditable(true);
    // Enter must not add the typed text as a new item or jump to an item of
    // the same text; inline completion would change what the user typed.
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setDuplicatesEnabled(true);
}

void MotorNameBox::showPopup() {
    emit DroppingDown();
    QComboBox::showPopup();
}

void MotorNameBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit CarriageReturn();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void MotorNameBox::focusOutEvent(QFocusEvent* event) {
    // Reported before the box finishes its own editing: left to itself, it
    // would select an item whose text equals the typed one instead of
    // letting the typed text rename the motor. The box's own list taking the
    // focus is not leaving the box.
    if (event->reason() != Qt::PopupFocusReason) emit Left();
    QComboBox::focusOutEvent(event);
}

}  // namespace veltrano
