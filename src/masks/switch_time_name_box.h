// The editable motor selector CB_Raum. A typed name is committed by the
// editor, not by the box: the box inserts nothing, completes nothing, and
// reports carriage return, leaving and opening its list instead of acting on
// them itself. Typed text keeps only characters Windows-1252 holds.
#pragma once

#include <QComboBox>

namespace veltrano {

class MotorNameBox : public QComboBox {
    Q_OBJECT

  public:
    MotorNameBox(const char* name, QWidget* parent);

  signals:
    // Typed or pasted characters that a name cannot hold (the Controller
    // stores Windows-1252) were left out: the first of them.
    void CharacterRefused(const QString& character);
    void CarriageReturn();  // Return or Enter; the key goes no further
    void Left();            // the box lost the keyboard focus
    void DroppingDown();    // the list is about to open

  public:
    void showPopup() override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace veltrano
