#include "app/user_dialogs.h"

#include <QApplication>
#include <QFileDialog>
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

QString UserDialogs::GetSaveFileName(QFileDialog&) {
    return {};
}

QString UserDialogs::GetOpenFileName(QFileDialog&) {
    return {};
}

namespace {

QString RunFileDialog(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

}  // namespace

QString QtUserDialogs::GetSaveFileName(QFileDialog& dialog) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The caller asks its own overwrite question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    return RunFileDialog(dialog);
}

QString QtUserDialogs::GetOpenFileName(QFileDialog& dialog) {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return RunFileDialog(dialog);
}

}  // namespace veltrano
