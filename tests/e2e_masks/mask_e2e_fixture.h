// An automation sheet against the simulated Controller: the simulator with
// its demonstration memory, the window linked to it and showing the sheet,
// its lists and boxes found by name. Shared by the sheets' end-to-end tests.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QTabWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "e2e_simulator.h"
#include "e2e_window.h"
#include "masks/fixed_row_list_box.h"
#include "temp_workdir.h"
#include "user_actions.h"

namespace veltrano::testing {

inline sim::ModelFeatures FeaturesOf(const std::vector<std::string>& args) {
    std::string error;
    const auto options = sim::ParseOptions(args, &error);
    return options ? options->config.identity.features : sim::ModelFeatures{};
}

class MaskE2eTest : public ::testing::Test {
  protected:
    // The simulator with its demonstration memory, changed by `edit`; the
    // window linked to it and showing `sheet`.
    void Start(const std::vector<std::string>& args,
               const std::function<void(sim::SimMemory&)>& edit = {}) {
        testing::SimulatorSetup setup = testing::Setup(args);
        setup.memory = sim::DemoMemory(FeaturesOf(args));
        if (edit) edit(*setup.memory);
        sim = std::make_unique<E2eSimulator>(work.path(), setup);
        window = std::make_unique<E2eWindow>(work.path());
        ASSERT_TRUE(window->Connect());
        (*window)->show();
        QApplication::processEvents();
        if (sheet) ShowSheet(sheet);
    }
    void ShowSheet(const char* name) {
        auto* pages = (*window)->findChild<QTabWidget*>("Parameter_Maske");
        pages->setCurrentWidget((*window)->findChild<QWidget*>(name));
        QApplication::processEvents();
    }
    void TearDown() override {
        window.reset();
        sim.reset();
    }

    FixedRowListBox* List(const char* name) { return (*window)->findChild<FixedRowListBox*>(name); }
    QComboBox* Combo(const char* name) { return (*window)->findChild<QComboBox*>(name); }
    std::string Row(const char* list, int row) { return List(list)->RowText(row).toStdString(); }
    void Choose(const char* box, int index) { testing::Choose(Combo(box), index); }

    const char* sheet = nullptr;  // the sheet the window shows first; none: the first tab
    TempWorkDir work;
    std::unique_ptr<E2eSimulator> sim;
    std::unique_ptr<E2eWindow> window;
};

}  // namespace veltrano::testing
