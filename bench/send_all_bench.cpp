// Send-all: how long the step machine takes from an acknowledgement to the
// first byte of the next block, and to the last, over a whole conservatory
// send-all with every record modified. The write function only records.
// Reported as counters in microseconds over all steps: median, 99th
// percentile, the worst step of a typical send-all (median over the runs of
// each run's worst) and the worst of all.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <string>
#include <vector>

#include "link/send_all_sequence.h"

namespace {

using Clock = std::chrono::steady_clock;

veltrano::ConfigurationModel Model(int switchTimesPerDayAndMotor) {
    veltrano::ConfigurationModel model;
    for (int d = 0; d < veltrano::kDayCount; ++d)
        for (int m = 0; m < veltrano::kMotorCount; ++m)
            for (int s = 0; s < switchTimesPerDayAndMotor; ++s) {
                veltrano::SwitchTime& e = model.switchTime(d, m, s);
                e.TimeCode = 360 + 60 * s + m + 1;
                e.Direction = s % 2;
                e.DurationCode = 39;
            }
    for (int m = 1; m <= veltrano::kMotorCount; ++m)
        model.motorName(m) = "Küche Süd " + std::to_string(m);
    model.MarkAllModified();
    return model;
}

double Percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(p * static_cast<double>(values.size() - 1))];
}

void RunSendAll(benchmark::State& bench, int switchTimesPerDayAndMotor) {
    const veltrano::ConfigurationModel start = Model(switchTimesPerDayAndMotor);
    std::array<std::string, 14> panels{};
    veltrano::WindowHooks hooks;
    hooks.SetPanelText = [&](int n, const std::string& t) {
        panels[static_cast<std::size_t>(n)] = t;
    };
    hooks.PanelText = [&](int n) { return panels[static_cast<std::size_t>(n)]; };
    hooks.SetProgressPosition = [](int) {};
    std::string row6;
    hooks.SetMotorListRow6 = [&](const std::string& t) { row6 = t; };

    std::vector<double> firstByte, wholeStep;
    std::vector<double> runWorstFirstByte, runWorstStep;  // the worst step of each send-all
    std::vector<std::string> written;
    written.reserve(40000);
    bool awaitingFirst = false;
    Clock::time_point ackAt{}, firstAt{};

    for (auto _ : bench) {
        bench.PauseTiming();
        veltrano::ConfigurationModel model = start;
        veltrano::LinkState state;
        state.Identity.ConservatoryFamily = true;
        state.Identity.GroupCentralAvailable = true;
        state.Identity.TouchAutomationAvailable = true;
        state.FirmwareVersion = 7514;
        written.clear();
        veltrano::SendAllSequence sequence(model, state, hooks, [&](std::string_view bytes) {
            if (awaitingFirst) {
                firstAt = Clock::now();
                awaitingFirst = false;
            }
            written.emplace_back(bytes);
        });
        bench.ResumeTiming();

        sequence.Start();
        double worstFirst = 0, worstStep = 0;
        while (sequence.Running()) {
            awaitingFirst = true;
            ackAt = Clock::now();
            sequence.Acknowledge("0,");
            const Clock::time_point done = Clock::now();
            if (!awaitingFirst) {  // the completion writes nothing
                const double first =
                    std::chrono::duration<double, std::micro>(firstAt - ackAt).count();
                const double step = std::chrono::duration<double, std::micro>(done - ackAt).count();
                firstByte.push_back(first);
                wholeStep.push_back(step);
                worstFirst = std::max(worstFirst, first);
                worstStep = std::max(worstStep, step);
            }
        }
        runWorstFirstByte.push_back(worstFirst);
        runWorstStep.push_back(worstStep);
        benchmark::DoNotOptimize(written.data());
    }
    bench.counters["steps"] =
        static_cast<double>(firstByte.size()) /
        static_cast<double>(std::max<benchmark::IterationCount>(bench.iterations(), 1));
    bench.counters["writes"] = static_cast<double>(written.size());
    bench.counters["first_byte_median_us"] = Percentile(firstByte, 0.5);
    bench.counters["first_byte_p99_us"] = Percentile(firstByte, 0.99);
    // The worst step of a typical send-all, and the worst of all (which
    // includes the machine's own interruptions).
    bench.counters["first_byte_worst_per_run_us"] = Percentile(runWorstFirstByte, 0.5);
    bench.counters["first_byte_worst_us"] = Percentile(firstByte, 1.0);
    bench.counters["step_median_us"] = Percentile(wholeStep, 0.5);
    bench.counters["step_worst_per_run_us"] = Percentile(runWorstStep, 0.5);
    bench.counters["step_worst_us"] = Percentile(wholeStep, 1.0);
}

// About the Controller's capacity: one switching time per day and motor (224).
void BM_SendAllConservatory(benchmark::State& bench) {
    RunSendAll(bench, 1);
}
// Every slot of the table filled: 256 switching times per day.
void BM_SendAllConservatoryFullTable(benchmark::State& bench) {
    RunSendAll(bench, 8);
}

BENCHMARK(BM_SendAllConservatory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SendAllConservatoryFullTable)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
