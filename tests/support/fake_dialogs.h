// Answers the program's message boxes in tests and records what they said.
#pragma once

#include <QFileDialog>
#include <QString>
#include <QStringList>
#include <deque>

#include "app/user_dialogs.h"

namespace veltrano::testing {

struct DialogLog {
    QStringList errors, informations, messages, questions;
    std::deque<bool> answers;  // answers to AskYesNo, in order; "Ja" when empty
    // Answers to the file dialogs, in order; "" (cancelled) when empty.
    std::deque<QString> fileNames;
    QStringList fileDialogs;  // object names of the file dialogs asked, in order
    int endProgramCalls = 0;
};

class FakeDialogs : public UserDialogs {
public:
    explicit FakeDialogs(DialogLog& log) : log_(log) {}
    void ShowError(const QString& text) override { log_.errors << text; }
    void ShowInformation(const QString& text) override { log_.informations << text; }
    void ShowMessage(const QString& text) override { log_.messages << text; }
    bool AskYesNo(const QString& text) override {
        log_.questions << text;
        if (log_.answers.empty()) return true;
        const bool a = log_.answers.front();
        log_.answers.pop_front();
        return a;
    }
    void EndProgram() override { ++log_.endProgramCalls; }
    QString GetSaveFileName(QFileDialog& dialog) override { return NextFileName(dialog); }
    QString GetOpenFileName(QFileDialog& dialog) override { return NextFileName(dialog); }

private:
    QString NextFileName(QFileDialog& dialog) {
        log_.fileDialogs << dialog.objectName();
        if (log_.fileNames.empty()) return {};
        QString name = log_.fileNames.front();
        log_.fileNames.pop_front();
        return name;
    }

    DialogLog& log_;
};

}  // namespace veltrano::testing
