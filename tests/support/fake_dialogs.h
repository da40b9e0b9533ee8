// Answers the program's message boxes in tests and records what they said.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>

#include "app/user_dialogs.h"

namespace veltrano::testing {

struct DialogLog {
    QStringList errors, informations, messages, questions;
    std::deque<bool> answers;  // answers to AskYesNo, in order; "Ja" when empty
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

private:
    DialogLog& log_;
};

}  // namespace veltrano::testing
