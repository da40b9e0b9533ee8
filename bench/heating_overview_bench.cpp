// The heating sheet's week overview, offscreen, for a busy week (eight
// switching times every day): one drawing after a switching time changed,
// as every apply in the switching-time editor runs it. Target: under 1 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTabWidget>
#include <QTimer>
#include <memory>

#include "app/tquorvan.h"
#include "offscreen_window.h"

namespace {

using namespace veltrano;

struct Bench {
    Bench() {
        window = bench::StartedWindowWithoutPort();
        window->Model().heating(1).Off = kOn;
        for (int day = 0; day < kDayCount; ++day) {
            for (int slot = 0; slot < kSlotCount; ++slot) {
                SwitchTime& t = window->Model().switchTime(day, 0, slot);
                t.TimeCode = 60 + slot * 170 + day * 7;
                t.Direction = slot % 2;
            }
        }
        window->show();
        window->findChild<QTabWidget*>("Parameter_Maske")
            ->setCurrentWidget(window->findChild<QWidget*>("Heizung_Maske"));
        QApplication::processEvents();
    }
    std::unique_ptr<TQuorvan> window;
};

// A switching time moves back and forth by an hour: the drawing changes.
// With `repaint` the overview is also painted at once, as when it is shown;
// behind the switching-time sheet only the drawing runs.
void WeekOverviewAfterChange(benchmark::State& state, bool repaint) {
    Bench b;
    SwitchTime& moved = b.window->Model().switchTime(2, 0, 3);
    const std::int32_t base = moved.TimeCode;
    QWidget* overview = b.window->findChild<QWidget*>("WochenUebersicht");
    int turn = 0;
    for (auto _ : state) {
        moved.TimeCode = base + ((++turn % 2) ? 60 : 0);
        b.window->Hooks().DrawHeatingWeekOverview();
        if (repaint) overview->repaint();
    }
}
void BM_HeatingWeekOverviewAfterChange(benchmark::State& state) {
    WeekOverviewAfterChange(state, false);
}
BENCHMARK(BM_HeatingWeekOverviewAfterChange)->Unit(benchmark::kMicrosecond);
void BM_HeatingWeekOverviewAfterChangeRepainted(benchmark::State& state) {
    WeekOverviewAfterChange(state, true);
}
BENCHMARK(BM_HeatingWeekOverviewAfterChangeRepainted)->Unit(benchmark::kMicrosecond);

// Nothing changed: the labels are left alone.
void BM_HeatingWeekOverviewUnchanged(benchmark::State& state) {
    Bench b;
    for (auto _ : state)
        b.window->Hooks().DrawHeatingWeekOverview();
}
BENCHMARK(BM_HeatingWeekOverviewUnchanged)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
