// The main window offscreen on one of its automation sheets, acted on as a
// user acts: items chosen in boxes (activated), rows clicked and
// double-clicked with mouse events, fields clicked. Shared by the tests of
// every automation sheet.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>
#include <memory>
#include <string>

#include "app/tquorvan.h"
#include "fake_dialogs.h"
#include "masks/fixed_row_list_box.h"
#include "model/motor_fields.h"
#include "qt_app.h"
#include "temp_workdir.h"
#include "test_window.h"
#include "user_actions.h"

namespace veltrano::testing {

class MaskTest : public ::testing::Test {
  protected:
    // The window started (no port opens) and shown on the sheet `sheetName`.
    void StartOn(const char* sheetName) {
        window = MakeTestWindow(log, work.path());
        StartWithTimersStopped(*window);
        window->show();
        QApplication::processEvents();
        sheet = sheetName;
        ShowSheet(sheetName);
    }
    void TearDown() override { window.reset(); }

    // A tab change to the sheet, as a user's click on its tab does.
    void ShowSheet(const char* sheetName) {
        auto* pages = Find<QTabWidget>("Parameter_Maske");
        pages->setCurrentWidget(Find<QWidget>(sheetName));
        QApplication::processEvents();
    }

    // The sheet shown anew, as after a visit to the first sheet.
    void Reenter() {
        ShowSheet("Schaltzeit_Maske");
        ShowSheet(sheet);
    }

    template <typename T>
    T* Find(const std::string& name) {
        T* widget = window->findChild<T*>(QString::fromStdString(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QComboBox* Combo(const std::string& name) { return Find<QComboBox>(name); }
    FixedRowListBox* List(const std::string& name) { return Find<FixedRowListBox>(name); }
    QLabel* Label(const std::string& name) { return Find<QLabel>(name); }
    std::string Row(const std::string& list, int row) {
        return List(list)->RowText(row).toStdString();
    }

    void Choose(const std::string& box, int index) { testing::Choose(Combo(box), index); }
    void Click(const std::string& list, int row) { ClickRow(List(list), row); }
    void DoubleClick(const std::string& list, int row) { DoubleClickRow(List(list), row); }

    ConfigurationModel& Model() { return window->Model(); }
    template <typename Record>
    MotorTable<Record>& Records() {
        return RecordsOf<Record>(Model());
    }
    template <typename Record>
    void ClearModified() {
        for (Record& r : Records<Record>())
            r.Modified = false;
    }
    // Motors 1..32 whose record is marked modified.
    template <typename Record>
    std::vector<int> ModifiedMotors() {
        std::vector<int> motors;
        for (int m = 1; m <= kMotorCount; ++m)
            if (Records<Record>().motor(m).Modified) motors.push_back(m);
        return motors;
    }
    void SetEightMotors() { window->State().Identity.ThirtyTwoMotors = false; }

    const char* sheet = nullptr;
    TempWorkDir work;
    DialogLog log;
    std::unique_ptr<TQuorvan> window;
};

}  // namespace veltrano::testing
