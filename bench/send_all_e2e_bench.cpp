// "PC --> Steuerung" through the real window, offscreen, into the simulated
// Controller (conservatory, 32 motors, touch automation and group control)
// sending as fast as the terminal takes it: the model read from a Controller
// filled to capacity (240 switching times), every record marked to be sent,
// then the wall time from the button to the last acknowledgement.
#include <benchmark/benchmark.h>

#include <QEventLoop>
#include <QTimer>
#include <optional>

#include "e2e_bench_support.h"

namespace veltrano::bench {
namespace {

bool ReadModel(SimulatedWindow& sw) {
    TQuorvan& window = sw.Window();
    window.Read_ButtonClick();
    const bool done = RunEventLoopUntil([&] { return !window.State().ReadAllInProgress; }, 60000);
    window.Timer1()->stop();
    window.Timer3()->stop();
    return done;
}

void SendAllFast(benchmark::State& state) {
    SimulatedWindow sw(/*fast=*/true, /*relay=*/false);
    if (!ReadModel(sw)) {
        state.SkipWithError("the read-all did not complete");
        return;
    }
    TQuorvan& window = sw.Window();
    SendAllSequence& sendAll = window.SendAll();
    const auto finished = sendAll.OnFinished;
    int transmitted = 0;
    for (auto _ : state) {
        window.Model().MarkAllModified();
        QEventLoop loop;
        std::optional<SendAllEnd> end;
        std::optional<Clock::time_point> done;
        sendAll.OnFinished = [&](const SendAllResult& result) {
            finished(result);
            end = result.end;
            done = Clock::now();
            loop.quit();
        };
        QTimer bound;
        bound.setSingleShot(true);
        QObject::connect(&bound, &QTimer::timeout, &loop, [&] { loop.quit(); });

        const auto start = Clock::now();
        window.Send_ButtonClick();
        bound.start(60000);
        loop.exec();
        window.Timer1()->stop();
        window.Timer3()->stop();
        sendAll.OnFinished = finished;
        if (!done || *end != SendAllEnd::Completed) {
            state.SkipWithError("the send-all did not complete");
            return;
        }
        transmitted = window.State().TxCount;
        state.SetIterationTime(std::chrono::duration<double>(*done - start).count());
    }
    state.counters["progress_units"] = transmitted;
    if (!sw.Errors().isEmpty()) state.SkipWithError(sw.Errors().join("|").toStdString().c_str());
}
BENCHMARK(SendAllFast)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
}  // namespace veltrano::bench

BENCHMARK_MAIN();
