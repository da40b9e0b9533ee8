// Message boxes and the program's end, behind an interface so tests can
// answer them instead of blocking on a modal box or ending the process.
#pragma once

#include <QString>

class QFileDialog;
class QWidget;

namespace veltrano {

class UserDialogs {
  public:
    virtual ~UserDialogs() = default;
    virtual void ShowError(const QString& text) = 0;        // error icon, OK
    virtual void ShowInformation(const QString& text) = 0;  // information icon, OK
    virtual void ShowMessage(const QString& text) = 0;      // plain box, OK
    virtual bool AskYesNo(const QString& text) = 0;         // true for "Ja"
    virtual void EndProgram() = 0;
    // Run a file dialog of the window (SaveDialog1, OpenDialog1, ...) modally:
    // the full name of the chosen file, or "" when cancelled. A replacement
    // that does not override these cancels.
    virtual QString GetSaveFileName(QFileDialog& dialog);
    virtual QString GetOpenFileName(QFileDialog& dialog);
};

// The real boxes, parented to the main window.
class QtUserDialogs : public UserDialogs {
  public:
    explicit QtUserDialogs(QWidget* parent) : parent_(parent) {}
    void ShowError(const QString& text) override;
    void ShowInformation(const QString& text) override;
    void ShowMessage(const QString& text) override;
    bool AskYesNo(const QString& text) override;
    void EndProgram() override;
    QString GetSaveFileName(QFileDialog& dialog) override;
    QString GetOpenFileName(QFileDialog& dialog) override;

  private:
    QWidget* parent_;
};

}  // namespace veltrano
