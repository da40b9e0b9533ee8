// "Steuerung --> PC" through the real window, offscreen, against the
// simulated Controller filled to capacity: conservatory, 32 motors, touch
// automation and group control, 240 switching times.
//
// ReadAllFast: wall time of the whole read with the simulator sending as
//   fast as the terminal takes it (target: under 1 s).
// ReadAllRealPace: the simulator at 960 characters per second (9600 baud),
//   through a relay that notes when the last character of the closing frame
//   reached the window's line. Counters: closing_to_done_ms, from that
//   character to the end of the completion (target: under 50 ms), and
//   ui_cpu_percent, the user-interface thread's processor time over the
//   whole read as a share of its wall time (target: under 2 %), with the
//   number of receive events and the processor time per event.
// ReadAllRealPaceShadingSheet: the same with the window shown on the sheet
//   "Beschattung, Dämmerung" (same targets).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
#include <optional>

#include "e2e_bench_support.h"

namespace veltrano::bench {
namespace {

struct ReadFigures {
    bool completed = false;
    Clock::duration wall{};
    std::chrono::nanoseconds uiCpu{};
    std::optional<Clock::duration> closingToDone;
    int characters = 0;
    int receiveEvents = 0;  // runs of the receive handler
    ThreadTimes uiTimes;    // user and system share of uiCpu
};

ReadFigures ReadOnce(SimulatedWindow& sw) {
    TQuorvan& window = sw.Window();
    ReadAllSequence& readAll = window.ReadAll();
    const auto completion = readAll.OnCompleted;
    QEventLoop loop;
    std::optional<Clock::time_point> done;
    readAll.OnCompleted = [&](const ReadAllResult& result) {
        completion(result);
        done = Clock::now();
        loop.quit();
    };
    QTimer bound;
    bound.setSingleShot(true);
    QObject::connect(&bound, &QTimer::timeout, &loop, [&] { loop.quit(); });
    if (PtyRelay* relay = sw.Relay()) relay->ForgetMarker();
    ReadFigures figures;
    const auto receive = window.Comm1().OnRxChar;
    window.Comm1().OnRxChar = [&](int count) {
        ++figures.receiveEvents;
        receive(count);
    };

    const ThreadTimes timesStart = ThreadUserAndSystemTime();
    const auto cpuStart = ThreadCpuTime();
    const auto start = Clock::now();
    window.Read_ButtonClick();
    bound.start(120000);
    loop.exec();
    figures.uiCpu = ThreadCpuTime() - cpuStart;
    const ThreadTimes timesEnd = ThreadUserAndSystemTime();
    figures.uiTimes = {timesEnd.userMs - timesStart.userMs,
                       timesEnd.systemMs - timesStart.systemMs};

    readAll.OnCompleted = completion;
    window.Comm1().OnRxChar = receive;
    window.Timer1()->stop();
    window.Timer3()->stop();
    figures.completed = done.has_value();
    if (!done) return figures;
    figures.wall = *done - start;
    figures.characters = window.State().RxCount;
    if (PtyRelay* relay = sw.Relay()) {
        if (const auto last = relay->MarkerWritten()) figures.closingToDone = *done - *last;
    }
    return figures;
}

void ReadAllFast(benchmark::State& state) {
    SimulatedWindow sw(/*fast=*/true, /*relay=*/false);
    ReadFigures last;
    for (auto _ : state) {
        last = ReadOnce(sw);
        if (!last.completed) {
            state.SkipWithError("the read-all did not complete");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(last.wall).count());
    }
    state.counters["characters"] = last.characters;
    state.counters["ui_cpu_percent"] =
        100.0 * static_cast<double>(last.uiCpu.count()) /
        static_cast<double>(
            std::chrono::duration_cast<std::chrono::nanoseconds>(last.wall).count());
    if (!sw.Errors().isEmpty()) state.SkipWithError(sw.Errors().join("|").toStdString().c_str());
}
BENCHMARK(ReadAllFast)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

void RealPace(benchmark::State& state, SimulatedWindow& sw) {
    for (auto _ : state) {
        const ReadFigures figures = ReadOnce(sw);
        if (!figures.completed || !figures.closingToDone) {
            state.SkipWithError("the read-all did not complete");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(figures.wall).count());
        state.counters["characters"] = figures.characters;
        state.counters["closing_to_done_ms"] = Milliseconds(*figures.closingToDone);
        state.counters["ui_cpu_ms"] =
            std::chrono::duration<double, std::milli>(figures.uiCpu).count();
        state.counters["ui_user_ms"] = figures.uiTimes.userMs;
        state.counters["ui_system_ms"] = figures.uiTimes.systemMs;
        state.counters["receive_events"] = figures.receiveEvents;
        state.counters["ui_cpu_us_per_event"] =
            std::chrono::duration<double, std::micro>(figures.uiCpu).count() /
            std::max(1, figures.receiveEvents);
        state.counters["ui_cpu_percent"] =
            100.0 * static_cast<double>(figures.uiCpu.count()) /
            static_cast<double>(
                std::chrono::duration_cast<std::chrono::nanoseconds>(figures.wall).count());
    }
    if (!sw.Errors().isEmpty()) state.SkipWithError(sw.Errors().join("|").toStdString().c_str());
}

void ReadAllRealPace(benchmark::State& state) {
    SimulatedWindow sw(/*fast=*/false, /*relay=*/true);
    RealPace(state, sw);
}
BENCHMARK(ReadAllRealPace)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

// The same with the window shown on the sheet "Beschattung, Dämmerung", whose
// lists every shading and twilight block rewrites and whose entry runs at
// the end.
void ReadAllRealPaceShadingSheet(benchmark::State& state) {
    SimulatedWindow sw(/*fast=*/false, /*relay=*/true);
    TQuorvan& window = sw.Window();
    window.show();
    window.findChild<QTabWidget*>("Parameter_Maske")
        ->setCurrentWidget(window.findChild<QWidget*>("Beschattung_Maske"));
    QApplication::processEvents();
    RealPace(state, sw);
}
BENCHMARK(ReadAllRealPaceShadingSheet)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
}  // namespace veltrano::bench

BENCHMARK_MAIN();
