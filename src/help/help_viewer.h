// The help box HelpBox: a read-only text box laid over the window that shows
// one topic of the help file at a time, at the place its "?" button asks for.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>

#include "help/help_topics.h"

class QTextEdit;
class QWidget;

namespace veltrano {

class UserDialogs;

class HelpViewer : public QObject {
    Q_OBJECT

  public:
    // Runs a handler the way the window runs all of them (its error display).
    using Runner = std::function<void(const std::function<void()>&)>;

    // Creates HelpBox, hidden, on clientArea. helpFile names the help file at
    // the moment a topic is shown.
    HelpViewer(QWidget* clientArea, UserDialogs& dialogs, std::function<QString()> helpFile,
               Runner run);

    QTextEdit* Box() const { return box_; }
    // The topic line shown last ("" before the first); only ever replaced.
    const std::string& CurrentTopic() const { return current_; }

    // A "?" button's click: a second click on a shown topic hides the box;
    // otherwise the file is read again, the box moves to the topic's place
    // and shows the topic line at its top.
    void ShowHelpTopic(const HelpTopic& topic);
    // A click into the box's text hides it (not on its scroll bar).
    void HelpBoxMouseDown();
    void Hide();

    // Connects every "?" button of the topic table that exists below root
    // and is not connected yet; buttons that do not exist are skipped. Safe
    // to call again whenever a sheet has been built.
    void ConnectButtons(QWidget* root);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Puts the caret at the topic line and scrolls it to the top of the
    // box; without it, at the end of the document. False when not found.
    bool ScrollToTopic(const QString& topicLine);

    QTextEdit* box_;
    UserDialogs& dialogs_;
    std::function<QString()> helpFile_;
    Runner run_;
    std::string current_;
};

}  // namespace veltrano
