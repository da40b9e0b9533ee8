#include "app/user_dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace veltrano {

void QtUserDialogs::ShowError(const QString& text) {
    QMessageBox::critical(parent_, QApplication::applicationName(), text);
}

void QtUserDialogs::ShowInformation(const QString& text) {
    QMessageBox::information(parent_, QApplication::applicationName(), text);
}

void QtUserDialogs::ShowMessage(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                    parent_);
    box.exec();
}

bool QtUserDialogs::AskYesNo(const QString& text) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), text,
                    QMessageBox::NoButton, parent_);
    QPushButton* yes = box.addButton("Ja", QMessageBox::YesRole);
    box.addButton("Nein", QMessageBox::NoRole);
    box.exec();
    return box.clickedButton() == yes;
}

void QtUserDialogs::EndProgram() {
    QApplication::exit(0);
}

}  // namespace veltrano
