// Finds the texts of a window that need more width than their control has:
// labels, buttons, check boxes, the widest item of a combo box, group box
// captions, tab captions.
#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QTextDocument>
#include <QToolButton>
#include <QWidget>
#include <algorithm>
#include <string>
#include <vector>

namespace veltrano::testing {

struct CutText {
    std::string control;
    std::string text;
    int needed = 0;
    int available = 0;
};

inline std::string Describe(const CutText& c) {
    return c.control + ": \"" + c.text + "\" needs " + std::to_string(c.needed) + " px, has " +
           std::to_string(c.available);
}

// The width the widest line of text needs in the widget's font.
inline int TextWidth(const QWidget* w, const QString& text) {
    const QFontMetrics fm(w->font());
    int widest = 0;
    for (const QString& line : text.split('\n'))
        widest = std::max(widest, fm.horizontalAdvance(line));
    return widest;
}

// The control's text, if it needs more width than the control has; nothing
// for controls whose texts are not checked here.
inline std::vector<CutText> CheckControl(QWidget* w) {
    std::vector<CutText> cut;
    auto add = [&](const QString& text, int needed, int available) {
        if (needed > available)
            cut.push_back({w->objectName().toStdString(), text.toStdString(), needed, available});
    };
    if (auto* label = qobject_cast<QLabel*>(w)) {
        QString text = label->text();
        if (text.isEmpty()) return cut;
        if (label->textFormat() == Qt::RichText ||
            (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) {
            QTextDocument doc;
            doc.setHtml(text);
            text = doc.toPlainText();
        }
        const QRect room = label->contentsRect().adjusted(label->margin(), label->margin(),
                                                          -label->margin(), -label->margin());
        if (label->wordWrap()) {
            // Every word must fit a line, and the wrapped lines the height.
            for (const QString& word : text.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts))
                add(word, TextWidth(label, word), room.width());
            const QRect needed =
                QFontMetrics(label->font())
                    .boundingRect(room, Qt::TextWordWrap | label->alignment(), text);
            if (needed.height() > room.height())
                cut.push_back({label->objectName().toStdString() + " (height)", text.toStdString(),
                               needed.height(), room.height()});
        } else {
            add(text, TextWidth(label, text), room.width());
        }
    } else if (auto* box = qobject_cast<QCheckBox*>(w)) {
        add(box->text(), box->sizeHint().width(), box->width());
    } else if (auto* radio = qobject_cast<QRadioButton*>(w)) {
        add(radio->text(), radio->sizeHint().width(), radio->width());
    } else if (auto* button = qobject_cast<QPushButton*>(w)) {
        // Text plus the style's button margins on both sides.
        const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
        add(button->text(), TextWidth(button, button->text()) + margin, button->width());
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        option.frame = combo->hasFrame();
        const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                           QStyle::SC_ComboBoxEditField, combo);
        const int padding = combo->isEditable() ? 4 : 2;
        for (int i = 0; i < combo->count(); ++i)
            add(combo->itemText(i), TextWidth(combo, combo->itemText(i)) + padding, field.width());
    } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
        if (!group->title().isEmpty()) {
            // Where the style puts the caption, laid out for its text.
            QStyleOptionGroupBox option;
            option.initFrom(group);
            option.text = group->title();
            option.lineWidth = 1;
            option.textAlignment = group->alignment();
            option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
            const QRect label = group->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                               QStyle::SC_GroupBoxLabel, group);
            add(group->title(), label.right() + 1, group->width());
        }
    } else if (auto* tabs = qobject_cast<QTabBar*>(w)) {
        for (QToolButton* arrow : tabs->findChildren<QToolButton*>())
            if (arrow->isVisible()) cut.push_back({"Parameter_Maske (scroll arrows)", "", 1, 0});
        for (int i = 0; i < tabs->count(); ++i) {
            if (!tabs->isTabVisible(i)) continue;
            const QRect rect = tabs->tabRect(i);
            add(tabs->tabText(i), TextWidth(tabs, tabs->tabText(i)) + 8, rect.width());
            add(tabs->tabText(i), rect.right() + 1, tabs->width());
        }
    }
    return cut;
}

}  // namespace veltrano::testing
