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
#include <vector>

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

    // Every named control shown on `sheet` lies inside it, and no two
    // siblings (on the sheet, in a group box) cover each other.
    void ExpectControlsInsideWithoutOverlap(QWidget* sheet) {
        const QRect inside = sheet->rect();
        std::vector<QWidget*> parents{sheet};
        for (QWidget* parent : sheet->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            parents.push_back(parent);
        for (QWidget* parent : parents) {
            std::vector<QWidget*> shown;
            for (QWidget* w : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (!w->isHidden() && !w->objectName().isEmpty()) shown.push_back(w);
            for (QWidget* w : shown) {
                const QRect onSheet(w->mapTo(sheet, QPoint(0, 0)), w->size());
                EXPECT_TRUE(inside.contains(onSheet)) << w->objectName().toStdString();
                for (QWidget* other : shown) {
                    if (other == w) continue;
                    EXPECT_FALSE(w->geometry().intersects(other->geometry()))
                        << w->objectName().toStdString() << " / "
                        << other->objectName().toStdString();
                }
            }
        }
    }

    // No box and no caption or field of `sheet` cuts its present text.
    void ExpectTextsFit(QWidget* sheet) {
        for (QComboBox* box : sheet->findChildren<QComboBox*>())
            EXPECT_LE(box->sizeHint().width(), box->width()) << box->objectName().toStdString();
        for (QLabel* label : sheet->findChildren<QLabel*>()) {
            const std::string name = label->objectName().toStdString();
            if (label->wordWrap()) {
                EXPECT_LE(label->heightForWidth(label->width()), label->height()) << name;
            } else {
                EXPECT_LE(label->sizeHint().width(), label->width()) << name;
            }
        }
    }

    const char* sheet = nullptr;
    TempWorkDir work;
    DialogLog log;
    std::unique_ptr<TQuorvan> window;
};

}  // namespace veltrano::testing
