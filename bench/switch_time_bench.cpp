// The switching-time editor's three regenerating edits, offscreen: an apply
// (with its day group), a rename and a copy each rewrite all 485 rows of both
// lists. Each iteration includes repainting the visible list, so the figure
// is what the user waits for. Target: under 5 ms each.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <memory>

#include "app/tquorvan.h"
#include "masks/fixed_row_list_box.h"
#include "masks/switch_time_editor.h"
#include "offscreen_window.h"

namespace {

using namespace veltrano;

// A window after start-up with a busy table: four times a day for every
// motor, alternating groups, so every line carries text; heating room 1 on,
// so the week overview is drawn too.
struct Bench {
    Bench() {
        window = bench::StartedWindowWithoutPort();
        ConfigurationModel& model = window->Model();
        for (int d = 0; d < kDayCount; ++d)
            for (int m = 0; m < kMotorCount; ++m)
                for (int s = 0; s < 4; ++s) {
                    SwitchTime& e = model.switchTime(d, m, s);
                    e.TimeCode = 300 + 240 * s + m;
                    e.Direction = s % 2;
                }
        // The heating room 1 on: every change also draws its week overview.
        model.heating(1).Off = kOn;
        window->Hooks().Heiz_Raum_Click();
        window->show();
        Editor().DrawInitially();
        QApplication::processEvents();
    }
    SwitchTimeEditor& Editor() { return window->SwitchTimes(); }
    QComboBox* Combo(const char* name) { return window->findChild<QComboBox*>(name); }
    void Repaint() { Editor().MotorList()->viewport()->repaint(); }

    std::unique_ptr<TQuorvan> window;
};

Bench& Shared() {
    static Bench bench;
    return bench;
}

void BM_ApplyWithDayGroup(benchmark::State& state) {
    Bench& b = Shared();
    QComboBox* zeit = b.Combo("CB_Schaltzeit");
    b.Combo("CB_Gruppe")->setCurrentIndex(2);  // "Mo - So": seven entries written
    int code = 1;
    for (auto _ : state) {
        zeit->setCurrentIndex(code);
        code = code % 1440 + 1;
        b.Editor().CB_SchaltzeitClick();
        b.Editor().CB_FunktionChange();
        b.Repaint();
    }
}
BENCHMARK(BM_ApplyWithDayGroup)->Unit(benchmark::kMillisecond);

void BM_Rename(benchmark::State& state) {
    Bench& b = Shared();
    QComboBox* raum = b.Combo("CB_Raum");
    int n = 0;
    for (auto _ : state) {
        // Typing one character leaves no item selected; Return commits.
        raum->lineEdit()->selectAll();
        const QString c(QChar('A' + n++ % 26));
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, c);
        QApplication::sendEvent(raum, &key);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(raum, &enter);
        b.Repaint();
    }
}
BENCHMARK(BM_Rename)->Unit(benchmark::kMillisecond);

void BM_CopyMotor(benchmark::State& state) {
    Bench& b = Shared();
    QComboBox* target = b.Combo("CB_Copy_Raum");
    int motor = 1;
    for (auto _ : state) {
        target->setCurrentIndex(motor);
        motor = motor % 31 + 1;
        b.Editor().CB_Copy_RaumChange();
        b.Repaint();
    }
}
BENCHMARK(BM_CopyMotor)->Unit(benchmark::kMillisecond);

// The parts, for comparison: regenerating both lists alone, and a repaint alone.
void BM_RebuildListsOnly(benchmark::State& state) {
    Bench& b = Shared();
    for (auto _ : state)
        b.Editor().RebuildSwitchTimeLists();
}
BENCHMARK(BM_RebuildListsOnly)->Unit(benchmark::kMillisecond);

void BM_RepaintOnly(benchmark::State& state) {
    Bench& b = Shared();
    for (auto _ : state)
        b.Repaint();
}
BENCHMARK(BM_RepaintOnly)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
