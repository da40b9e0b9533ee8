// The main window offscreen and shown (the sheets' enter and leave steps
// follow their showing and hiding), started with its timers stopped, and
// the controls of the sheet " Parameter" found by name.
#pragma once

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <memory>
#include <string>

#include "app/tquorvan.h"
#include "fake_dialogs.h"
#include "temp_workdir.h"
#include "test_frames.h"
#include "test_window.h"
#include "user_actions.h"

namespace veltrano::testing {

inline constexpr int kScheduleSheet = 0;
inline constexpr int kParameterSheet = 7;

// Model texts: character 9 family "W", 13 "9" for 32 motors, 14 "S" sun
// protection, 15 "T" touch (with groups) or "F" radio, 16 "G" groups.
inline constexpr const char* kConservatoryGroups = "QX-7000-W-7-9 TG";
inline constexpr const char* kRoller8 = "QX-7000-R-7-8   ";
inline constexpr const char* kSunRadio = "QX-7000-R-7-9SF ";
inline constexpr const char* kSunGroups8 = "QX-7000-R-7-8S G";

class ParameterSheetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = MakeTestWindow(log, work.path());
        StartWithTimersStopped(*window);
        log.errors.clear();  // the closed port's report
        window->show();
    }
    void TearDown() override {
        EXPECT_TRUE(log.errors.isEmpty()) << log.errors.join("|").toStdString();
    }

    template <typename T>
    T* Find(const QString& name) {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QComboBox* Combo(const char* name) { return Find<QComboBox>(name); }
    QListWidget* Selector(int k) { return Find<QListWidget>(QString("AS_%1").arg(k)); }
    QCheckBox* Box(int number) { return Find<QCheckBox>(QString("CheckBox%1").arg(number)); }
    QDateEdit* Picker(int n) { return Find<QDateEdit>(QString("DateTimePicker%1").arg(n)); }
    QString Field(int n) { return Find<QLineEdit>(QString("Edit%1").arg(n))->text(); }
    QString LabelText(const QString& name) { return Find<QLabel>(name)->text(); }
    QTabWidget* Pages() { return Find<QTabWidget>("Parameter_Maske"); }
    void ShowSheet(int index) { ClickTab(Pages(), index); }
    void Receive(const std::string& bytes) { window->Receiver().OnReceive(bytes); }

    // A Controller identified by its model text, as the polling tick does it.
    void Connect(const char* modelText) {
        window->SetPanelText(0, modelText);
        window->State().FirmwareVersion = 7514;
        window->Timer1Timer();
        window->Timer1()->stop();
        ASSERT_FALSE(window->State().LinkDown);
    }

    // Names "Raum 1" .. "Raum 32" in the model, as the editor keeps them.
    void NameMotors() {
        for (int m = 1; m <= kMotorCount; ++m)
            window->Model().motorName(m) = "Raum " + std::to_string(m);
    }

    TempWorkDir work;
    DialogLog log;
    std::unique_ptr<TQuorvan> window;
};

}  // namespace veltrano::testing
