// The main window offscreen with its switching-time editor, driven through
// the real widgets: items chosen as a user would (activated), rows pressed
// with mouse events on the list's viewport, names typed with key events.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <string>

#include "../port/pty_peer.h"
#include "app/tquorvan.h"
#include "fake_dialogs.h"
#include "masks/day_timeline.h"
#include "masks/fixed_row_list_box.h"
#include "masks/switch_time_editor.h"
#include "qt_app.h"
#include "temp_workdir.h"
#include "test_window.h"
#include "user_actions.h"

namespace veltrano::testing {

class EditorTest : public ::testing::Test {
  protected:
    // openPort: COM1 leads to a pseudo-terminal, so the start-up runs to its
    // end; otherwise the port cannot open and the last step is skipped.
    void StartWindow(bool openPort) {
        QtApp();
        if (openPort) {
            peer = std::make_unique<PtyPeer>();
            std::filesystem::create_symlink(peer->slavePath(), "COM1");
        }
        window = testing::MakeTestWindow(log, work.path());
        testing::StartWithTimersStopped(*window);
        window->show();
        QApplication::processEvents();
    }
    void SetUp() override { StartWindow(true); }
    void TearDown() override {
        window.reset();
        peer.reset();
    }

    template <typename T>
    T* Find(const char* name) {
        T* widget = window->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QComboBox* Combo(const char* name) { return Find<QComboBox>(name); }
    FixedRowListBox* List(const char* name) { return Find<FixedRowListBox>(name); }
    QString Text(const char* label) { return Find<QLabel>(label)->text(); }
    SwitchTime& At(int day, int motor, int slot) {
        return window->Model().switchTime(day, motor, slot);
    }
    ConfigurationModel& Model() { return window->Model(); }
    SwitchTimeEditor& Editor() { return window->SwitchTimes(); }

    // The user picks item `index` of a combo box.
    void Choose(const char* name, int index) { testing::Choose(Combo(name), index); }
    void Mouse(FixedRowListBox* list, QEvent::Type type, int row, int x) {
        MouseOnRow(list, type, row, x);
    }
    void Click(const char* list, int row, int x) { ClickRow(List(list), row, x); }
    void DoubleClick(const char* list, int row, int x) { DoubleClickRow(List(list), row, x); }
    // Replaces the text of CB_Raum by typing, character by character.
    void TypeName(const QString& text) { TypeInto(Combo("CB_Raum"), text); }
    void Rebuild() { window->Hooks().RebuildSwitchTimeLists(); }
    void ClearModified() {
        for (SwitchTime& e : Model().SwitchTimes)
            e.Modified = false;
    }
    int ModifiedCount() {
        int n = 0;
        for (const SwitchTime& e : Model().SwitchTimes)
            n += e.Modified;
        return n;
    }
    // The line of motor 0 .. 31 on day 0 .. 6 as DatenListe_Motor shows it.
    std::string MotorRow(int motor, int day) {
        return List("DatenListe_Motor")->RowText(8 * motor + day).toStdString();
    }
    std::string DayRow(int day, int motor) {
        return List("DatenListe_Tag")->RowText(33 * day + motor).toStdString();
    }

    static int Code(int hour, int minute) { return hour * 60 + minute + 1; }
    // An x inside slot 0 .. 7 of the wide list.
    static int SlotX(int slot) { return 173 + 1 + static_cast<int>(slot * 72.5); }

    TempWorkDir work;
    DialogLog log;
    std::unique_ptr<PtyPeer> peer;
    std::unique_ptr<TQuorvan> window;
};

}  // namespace veltrano::testing
