#include "help/help_viewer.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QFile>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include "app/user_dialogs.h"
#include "help/help_document.h"

namespace veltrano {
namespace {

constexpr const char* kConnectedProperty = "helpTopicConnected";

}  // namespace

HelpViewer::HelpViewer(QWidget* clientArea, UserDialogs& dialogs, std::function<QString()> helpFile,
                       Runner run)
    : QObject(nullptr),
      box_(new QTextEdit(clientArea)),
      dialogs_(dialogs),
      helpFile_(std::move(helpFile)),
      run_(std::move(run)) {
    box_->setObjectName("HelpBox");
    box_->setReadOnly(true);
    box_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box_->setLineWrapMode(QTextEdit::WidgetWidth);
    QPalette palette = box_->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
    palette.setColor(QPalette::Text, palette.color(QPalette::ToolTipText));
    box_->setPalette(palette);
    box_->setPlainText("Inhalt_aus_Veltrano.hlp");
    box_->setGeometry(8, 72, 793, 457);
    box_->hide();
    // Presses on the text reach the viewport; the scroll bar keeps its own.
    box_->viewport()->installEventFilter(this);
    box_->installEventFilter(this);
}

void HelpViewer::ConnectButtons(QWidget* root) {
    for (const HelpTopic& topic : HelpTopics()) {
        auto* button = root->findChild<QPushButton*>(topic.button);
        if (!button || button->property(kConnectedProperty).toBool()) continue;
        button->setProperty(kConnectedProperty, true);
        connect(button, &QPushButton::clicked, this,
                [this, &topic] { run_([this, &topic] { ShowHelpTopic(topic); }); });
    }
}

void HelpViewer::ShowHelpTopic(const HelpTopic& topic) {
    if (current_ == topic.topicLine && !box_->isHidden()) {
        box_->hide();
        return;
    }
    const QString fileName = helpFile_();
    const HelpDocument document =
        LoadHelpDocument(std::filesystem::path(QFile::encodeName(fileName).toStdString()));
    if (!document.Text) {
        // The box keeps what it shows, and whether it shows it.
        dialogs_.ShowError(QString::fromStdString(document.Error));
        return;
    }
    box_->setPlainText(QString::fromStdString(*document.Text));
    box_->setGeometry(topic.left, topic.top, topic.width, topic.height);
    current_ = topic.topicLine;
    box_->show();
    box_->raise();
    box_->setFocus();
    const QString topicLine = QString::fromUtf8(topic.topicLine);
    if (!ScrollToTopic(topicLine))
        dialogs_.ShowInformation("Die Hilfedatei enthält kein Thema \"" + topicLine + "\".");
}

bool HelpViewer::ScrollToTopic(const QString& topicLine) {
    QTextDocument* document = box_->document();
    const auto flags = QTextDocument::FindCaseSensitively;
    const QTextCursor found = document->find(topicLine, 0, flags);
    QScrollBar* bar = box_->verticalScrollBar();
    // The whole document laid out at the box's new width, so the scroll
    // range is final before the position is set.
    document->setTextWidth(box_->viewport()->width());
    document->documentLayout()->documentSize();
    if (found.isNull()) {
        QTextCursor end = document->find(
            QString::fromUtf8(kHelpDocumentEnd.data(), kHelpDocumentEnd.size()), 0, flags);
        if (end.isNull()) {
            end = QTextCursor(document);
            end.movePosition(QTextCursor::End);
        }
        end.setPosition(end.selectionStart());
        box_->setTextCursor(end);
        bar->setValue(bar->maximum());
        return false;
    }
    QTextCursor caret(found);
    caret.setPosition(found.selectionStart());
    box_->setTextCursor(caret);
    const QRectF block = document->documentLayout()->blockBoundingRect(caret.block());
    const QTextLine line = caret.block().layout()->lineForTextPosition(caret.positionInBlock());
    const qreal top = block.top() + (line.isValid() ? line.y() : 0);
    bar->setValue(static_cast<int>(top));
    return true;
}

void HelpViewer::HelpBoxMouseDown() {
    box_->hide();
}

void HelpViewer::Hide() {
    box_->hide();
}

bool HelpViewer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == box_->viewport() && event->type() == QEvent::MouseButtonPress) {
        run_([this] { HelpBoxMouseDown(); });
        return true;
    }
    if (watched == box_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        Hide();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace veltrano
