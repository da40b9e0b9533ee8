// What a user does with the mouse and the keyboard, as the events Qt
// delivers for it, for tests that have no QTest.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QWheelEvent>
#include <QWidget>

namespace veltrano::testing {

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
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
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

}  // namespace veltrano::testing
