// "veltrano-cli read" against the simulated Controller at the real pace of
// 960 characters per second (conservatory, 32 motors, touch automation and
// group control, 240 switching times): the wall time of the whole command,
// from its start to its end, against the time the received characters need
// on the line, and the command's processor time.
#include <benchmark/benchmark.h>

#include <regex>

#include "cli_process.h"
#include "e2e_bench_support.h"

namespace veltrano::bench {
namespace {

constexpr double kCharactersPerSecond = 960.0;

// The command's run and the characters it received, as it reports them.
std::optional<std::pair<testing::CliRun, long>> RunCliRead() {
    testing::CliRun run = testing::RunCli({"read", "--port", "COM1", "-o", "a.qts"});
    std::smatch m;
    if (run.status != 0 ||
        !std::regex_search(run.err, m, std::regex("\\((\\d+) Zeichen empfangen\\)")))
        return std::nullopt;
    const long received = std::stol(m[1]);
    return std::pair{std::move(run), received};
}

void CliReadAtLinePace(benchmark::State& state) {
    BenchFolder folder;
    const std::vector<std::string> simArgs = {"--family", "conservatory", "--touch", "--groups"};
    std::string error;
    const auto options = sim::ParseOptions(simArgs, &error);
    const auto load = folder.Path() / "full.load";
    sim::WriteMemoryDump(load.string(), FullMemory(options->config.identity.features));
    std::vector<std::string> args = simArgs;
    args.insert(args.end(), {"--link", "COM1", "--load", load.string()});
    sim::SimulatorProcess simulator(VELTRANO_SIM_PATH, args, folder.Path().string());

    double ratio = 0, cpu = 0, wall = 0;
    long received = 0;
    for (auto _ : state) {
        const auto read = RunCliRead();
        if (!read) {
            state.SkipWithError("veltrano-cli read failed");
            return;
        }
        const auto& [run, characters] = *read;
        state.SetIterationTime(run.wallSeconds);
        wall += run.wallSeconds;
        cpu += run.cpuSeconds;
        received = characters;
        ratio += run.wallSeconds / (static_cast<double>(characters) / kCharactersPerSecond);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["characters"] = static_cast<double>(received);
    state.counters["wire_s"] = static_cast<double>(received) / kCharactersPerSecond;
    state.counters["wall_s"] = wall / n;
    state.counters["wall_per_wire"] = ratio / n;
    state.counters["cpu_s"] = cpu / n;
}

BENCHMARK(CliReadAtLinePace)->UseManualTime()->Iterations(3)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace veltrano::bench

BENCHMARK_MAIN();
