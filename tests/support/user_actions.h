// A user's actions on the real widgets, as the events Qt delivers for them:
// an item chosen in a combo box, rows pressed and double-clicked on a list's
// viewport, keys typed, clicks, wheel turns and tab clicks.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QString>
#include <QTabBar>
#include <QTabWidget>
#include <QWheelEvent>
#include <QWidget>

namespace veltrano::testing {

// The user picks item `index` of a combo box (Qt emits activated for a
// user's choice only, also when the item was already shown).
inline void Choose(QComboBox* box, int index) {
    ASSERT_TRUE(box->isEnabled()) << box->objectName().toStdString();
    box->setCurrentIndex(index);
    emit box->activated(index);
}

// One mouse event on row `row` of a list, x pixels from its left edge.
inline void MouseOnRow(QAbstractItemView* list, QEvent::Type type, int row, int x) {
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    const QRect rect = list->visualRect(index);
    ASSERT_FALSE(rect.isEmpty()) << "row " << row << " not laid out";
    const QPointF at(x, rect.center().y());
    QMouseEvent event(type, at, list->viewport()->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &event);
}
inline void ClickRow(QAbstractItemView* list, int row, int x = 10) {
    MouseOnRow(list, QEvent::MouseButtonPress, row, x);
    MouseOnRow(list, QEvent::MouseButtonRelease, row, x);
}
// Press, release, double-click, release: the events a real double-click sends.
inline void DoubleClickRow(QAbstractItemView* list, int row, int x = 10) {
    ClickRow(list, row, x);
    MouseOnRow(list, QEvent::MouseButtonDblClick, row, x);
    MouseOnRow(list, QEvent::MouseButtonRelease, row, x);
}

inline void Key(QWidget* widget, int key, const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

// Replaces the text of an editable combo box by typing, character by character.
inline void TypeInto(QComboBox* box, const QString& text) {
    box->lineEdit()->selectAll();
    for (const QChar c : text)
        Key(box, 0, QString(c));
}

inline void FocusOut(QWidget* widget, Qt::FocusReason reason = Qt::TabFocusReason) {
    QFocusEvent event(QEvent::FocusOut, reason);
    QApplication::sendEvent(widget, &event);
}

// A left-button press and release at `at` (widget coordinates).
inline void MouseClick(QWidget* widget, QPoint at) {
    const QPointF local(at);
    const QPointF global = widget->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

inline void KeyPress(QWidget* widget, Qt::Key key) {
    Key(widget, key);
}

// One notch of the mouse wheel towards the user (scrolling down).
inline void WheelDown(QWidget* widget) {
    const QPointF local(widget->width() / 2.0, widget->height() / 2.0);
    QWheelEvent wheel(local, widget->mapToGlobal(local), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
}

// A click on the tab of sheet `index`.
inline void ClickTab(QTabWidget* pages, int index) {
    QTabBar* bar = pages->tabBar();
    MouseClick(bar, bar->tabRect(index).center());
}

// A click on a check box's square, which stands right of the caption in a
// right-to-left box.
inline void ClickCheckBox(QCheckBox* box) {
    MouseClick(box, QPoint(box->isRightToLeft() ? box->width() - 7 : 7, box->height() / 2));
}

// A click in the middle of item `row`, also in a list whose items stand side by side.
inline void ClickItem(QAbstractItemView* list, int row) {
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    ASSERT_TRUE(list->viewport()->rect().contains(rect)) << "item " << row << " not in view";
    ClickRow(list, row, rect.center().x());
}

// Day and month typed into a date box, from its day section on.
inline void TypeDayAndMonth(QDateEdit* edit, int day, int month) {
    edit->setFocus(Qt::TabFocusReason);
    edit->setSelectedSection(QDateTimeEdit::DaySection);
    for (const QChar digit : QString::asprintf("%02d%02d", day, month))
        Key(edit, Qt::Key_0 + digit.digitValue(), digit);
}

}  // namespace veltrano::testing
