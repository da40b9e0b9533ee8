// One panel of the status bar: a fixed-width label. A panel that elides
// shows a text too long for it shortened with "…" and whole as its tooltip;
// the panel's text for the program is always the whole text.
#pragma once

#include <QLabel>
#include <QString>

namespace veltrano {

class StatusPanel : public QLabel {
    Q_OBJECT

  public:
    StatusPanel(int number, bool elides, QWidget* parent);

    void SetPanelText(const QString& text);
    const QString& PanelText() const { return text_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Show();

    bool elides_;
    QString text_;
};

}  // namespace veltrano
