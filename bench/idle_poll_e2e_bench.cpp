// What a connected, idle window costs a laptop: the window with its own
// timers polling the simulated conservatory Controller at the real line pace
// for 30 s. Counters: cpu_percent, the
// whole process's processor time over the wall time; wakeups_per_s, the port
// event thread's wakes (its own counter). Argument: the event thread's pause
// between looks at the line while a frame is incomplete, in ms (0: at every
// character, as before pausing existed; 10: the window's setting). Run each
// argument in a process of its own (--benchmark_filter=IdlePolling/10): a
// second window in the same process measures higher.
//
// AckLatency: a send-all at the real line pace; for each acknowledgement the
// time from its last character reaching the window's line to the step
// machine writing the next block (ack_median_ms, ack_max_ms).
#include <benchmark/benchmark.h>

#include <time.h>

#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <optional>
#include <vector>

#include "e2e_bench_support.h"

namespace veltrano::bench {
namespace {

std::chrono::nanoseconds ProcessCpuTime() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return std::chrono::seconds(ts.tv_sec) + std::chrono::nanoseconds(ts.tv_nsec);
}

void IdlePolling(benchmark::State& state) {
    // No relay: its thread would be counted with the window's.
    SimulatedWindow sw(/*fast=*/false, /*relay=*/false);
    TQuorvan& window = sw.Window();
    window.Comm1().SetReceivePause(std::chrono::milliseconds(state.range(0)));
    constexpr int kSeconds = 30;
    int receiveEvents = 0;
    const auto handler = window.Comm1().OnRxChar;
    window.Comm1().OnRxChar = [&](int count) {
        ++receiveEvents;
        handler(count);
    };
    for (auto _ : state) {
        window.Timer1()->start();
        window.Timer3()->start();
        const auto wakeups = window.Comm1().EventThreadWakeups();
        const auto cpu = ProcessCpuTime();
        const auto uiCpuStart = ThreadCpuTime();
        receiveEvents = 0;
        const auto start = Clock::now();
        // Only the window's own timers wake the event loop meanwhile.
        QEventLoop idle;
        QTimer::singleShot(kSeconds * 1000, &idle, &QEventLoop::quit);
        idle.exec();
        const auto wall = Clock::now() - start;
        const auto used = ProcessCpuTime() - cpu;
        const auto uiCpu = ThreadCpuTime() - uiCpuStart;
        window.Timer1()->stop();
        window.Timer3()->stop();
        state.SetIterationTime(std::chrono::duration<double>(wall).count());
        const double seconds = std::chrono::duration<double>(wall).count();
        state.counters["cpu_percent"] =
            100.0 * std::chrono::duration<double>(used).count() / seconds;
        state.counters["receive_events_per_s"] = receiveEvents / seconds;
        state.counters["ui_cpu_ms"] = std::chrono::duration<double, std::milli>(uiCpu).count();
        state.counters["wakeups_per_s"] =
            static_cast<double>(window.Comm1().EventThreadWakeups() - wakeups) / seconds;
        if (window.State().LinkDown) state.SkipWithError("the link went down while idle");
    }
    window.Comm1().OnRxChar = handler;  // the counter goes before the window
    if (!sw.Errors().isEmpty()) state.SkipWithError(sw.Errors().join("|").toStdString().c_str());
}
BENCHMARK(IdlePolling)->Arg(0)->Arg(10)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

void AckLatency(benchmark::State& state) {
    // Towards the window during a send-all only acknowledgements travel.
    SimulatedWindow sw(/*fast=*/false, /*relay=*/true,
                       {"--family", "conservatory", "--touch", "--groups"}, "ende_");
    TQuorvan& window = sw.Window();
    PtyRelay& relay = *sw.Relay();
    for (auto _ : state) {
        window.Model().MarkAllModified();
        std::vector<double> latencies;
        window.SendAll().SetWriteFunction([&](std::string_view bytes) {
            if (const auto acknowledged = relay.MarkerWritten()) {
                latencies.push_back(Milliseconds(Clock::now() - *acknowledged));
                relay.ForgetMarker();
            }
            window.Comm1().WriteText(bytes);
        });
        relay.ForgetMarker();
        window.Send_ButtonClick();
        const auto start = Clock::now();
        const bool done = RunEventLoopUntil([&] { return !window.State().SendInProgress; }, 120000);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        window.Timer1()->stop();
        window.Timer3()->stop();
        if (!done || latencies.empty()) {
            state.SkipWithError("the send-all did not complete");
            return;
        }
        std::sort(latencies.begin(), latencies.end());
        state.counters["acknowledgements"] = static_cast<double>(latencies.size());
        state.counters["ack_median_ms"] = latencies[latencies.size() / 2];
        state.counters["ack_max_ms"] = latencies.back();
    }
}
BENCHMARK(AckLatency)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace veltrano::bench

BENCHMARK_MAIN();
