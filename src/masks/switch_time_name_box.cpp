#include "masks/switch_time_name_box.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

#include "model/cp1252.h"

namespace veltrano {
namespace {

// Leaves out of typed or pasted text what Windows-1252 cannot hold, so the
// name the program keeps is the name the Controller and the file get.
class Cp1252Validator : public QValidator {
  public:
    explicit Cp1252Validator(MotorNameBox* box) : QValidator(box), box_(box) {}

    State validate(QString& input, int& pos) const override {
        QString kept;
        QString refused;
        int keptBeforeCursor = 0;
        int index = 0;
        for (const char32_t cp : input.toUcs4()) {
            const QString character = QString::fromUcs4(&cp, 1);
            const bool before = index < pos;
            index += static_cast<int>(character.size());
            if (!Cp1252Holds(cp)) {
                if (refused.isEmpty()) refused = character;
                continue;
            }
            kept += character;
            if (before) keptBeforeCursor += static_cast<int>(character.size());
        }
        if (!refused.isEmpty()) {
            input = kept;
            pos = keptBeforeCursor;
            emit box_->CharacterRefused(refused);
        }
        return Acceptable;
    }

  private:
    MotorNameBox* box_;
};

}  // namespace

MotorNameBox::MotorNameBox(const char* name, QWidget* parent) : QComboBox(parent) {
    setObjectName(name);
    setEditable(true);
    // Enter must not add the typed text as a new item or jump to an item of
    // the same text; inline completion would change what the user typed.
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setDuplicatesEnabled(true);
    setValidator(new Cp1252Validator(this));
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
