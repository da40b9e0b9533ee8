// One value chosen on the sheet "Beschattung, Dämmerung", offscreen: the
// store, the section's refresh with all 32 lines of its list, and the
// repaint of the visible list, as the user waits for it. Every motor's
// shading is on, so every line carries all its texts. Target: under 5 ms.
//
// BM_MaskListRebuild: one list of 32 lines rebuilt from the model, as after
// a received block, with every motor's record on (inside temperature, the
// longest lines, and humidity). Target: under 0.2 ms.
#include <benchmark/benchmark.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QTabWidget>
#include <QTimer>
#include <memory>

#include "app/tquorvan.h"
#include "offscreen_window.h"

namespace {

using namespace veltrano;

struct Bench {
    explicit Bench(const char* sheet = "Beschattung_Maske") {
        window = bench::StartedWindowWithoutPort();
        for (int motor = 1; motor <= kMotorCount; ++motor) {
            window->Model().motorName(motor) = "Wohnzimmer " + std::to_string(motor);
            window->Model().shading(motor).Off = kOn;
            window->Model().insideTemp(motor).Off = kOn;
            window->Model().humidity(motor).Off = kOn;
        }
        window->show();
        window->findChild<QTabWidget*>("Parameter_Maske")
            ->setCurrentWidget(window->findChild<QWidget*>(sheet));
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

// Argument 0: IT_Liste on "Temperatur-Steuerung"; 1: RelF_Liste on "Wind-, Regen-, Feuchte".
void BM_MaskListRebuild(benchmark::State& state) {
    const bool humidity = state.range(0) == 1;
    Bench b(humidity ? "Wind_Regen_Maske" : "Wintergarten_Maske");
    const WindowHooks& hooks = b.window->Hooks();
    const std::function<void()>& rebuild =
        humidity ? hooks.FormatHumidityList : hooks.FormatInsideTempList;
    for (auto _ : state) {
        // A change in every line, so each rebuild replaces all 32.
        for (int motor = 1; motor <= kMotorCount; ++motor) {
            std::int32_t& code = humidity ? b.window->Model().humidity(motor).DurationCode
                                          : b.window->Model().insideTemp(motor).DurationCode;
            code = (code + 1) % 190;
        }
        rebuild();
    }
}
BENCHMARK(BM_MaskListRebuild)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
