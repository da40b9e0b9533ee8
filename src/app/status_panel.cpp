#include "app/status_panel.h"

#include <QFontMetrics>

namespace veltrano {

StatusPanel::StatusPanel(int number, bool elides, QWidget* parent)
    : QLabel(parent), elides_(elides) {
    setObjectName(QString("StatusPanel%1").arg(number));
}

void StatusPanel::SetPanelText(const QString& text) {
    text_ = text;
    Show();
}

void StatusPanel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Show();
}

void StatusPanel::Show() {
    if (!elides_) {
        setText(text_);
        return;
    }
    const int room = contentsRect().width() - 2 * margin() - indent();
    const QString shown = fontMetrics().elidedText(text_, Qt::ElideRight, room);
    setText(shown);
    setToolTip(shown == text_ ? QString() : text_);
}

}  // namespace veltrano
