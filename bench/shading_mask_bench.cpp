// One value chosen on the sheet "Beschattung, Dämmerung", offscreen: the
// store, the section's refresh with all 32 lines of its list, and the
// repaint of the visible list, as the user waits for it. Every motor's
// shading is on, so every line carries all its texts. Target: under 5 ms.
#include <benchmark/benchmark.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QTabWidget>
#include <QTimer>
#include <memory>

#include "app/tquorvan.h"
#include "app/user_dialogs.h"

namespace {

using namespace veltrano;

// No boxes: the closed port's error must not wait for a click.
class SilentDialogs : public UserDialogs {
  public:
    void ShowError(const QString&) override {}
    void ShowInformation(const QString&) override {}
    void ShowMessage(const QString&) override {}
    bool AskYesNo(const QString&) override { return true; }
    void EndProgram() override {}
};

QApplication& App() {
    static int argc = 1;
    static char name[] = "shading_mask_bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

struct Bench {
    Bench() {
        App();
        window = std::make_unique<TQuorvan>(std::make_unique<SilentDialogs>());
        window->Comm1().SetDeviceResolver([](int) { return std::string("/nonexistent/COM"); });
        window->FormActivate();
        window->Timer1()->stop();
        window->Timer3()->stop();
        for (int motor = 1; motor <= kMotorCount; ++motor) {
            window->Model().motorName(motor) = "Wohnzimmer " + std::to_string(motor);
            window->Model().shading(motor).Off = kOn;
        }
        window->show();
        window->findChild<QTabWidget*>("Parameter_Maske")
            ->setCurrentWidget(window->findChild<QWidget*>("Beschattung_Maske"));
        QApplication::processEvents();
    }
    QComboBox* Combo(const char* name) { return window->findChild<QComboBox*>(name); }
    void Repaint() { window->findChild<QAbstractItemView*>("BA_Liste")->viewport()->repaint(); }

    std::unique_ptr<TQuorvan> window;
};

// The user picks a brightness in BA_Lux: activated runs store and refresh.
void BM_ShadingValueChoice(benchmark::State& state) {
    Bench b;
    QComboBox* lux = b.Combo("BA_Lux");
    int item = 0;
    for (auto _ : state) {
        item = (item + 37) % lux->count();
        lux->setCurrentIndex(item);
        emit lux->activated(item);
        b.Repaint();
    }
}
BENCHMARK(BM_ShadingValueChoice)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
