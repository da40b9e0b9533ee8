// "veltrano-cli read" against the simulated Controller at the real pace of
// 960 characters per second (conservatory, 32 motors, touch automation and
// group control, 240 switching times): the wall time of the whole command,
// from its start to its end, against the time the received characters need
// on the line, and the command's processor time.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "e2e_bench_support.h"

extern char** environ;

namespace veltrano::bench {
namespace {

constexpr double kCharactersPerSecond = 960.0;

struct CliRead {
    double wallSeconds = 0;
    double cpuSeconds = 0;
    long received = 0;
};

std::optional<CliRead> RunCliRead() {
    std::vector<std::string> args = {VELTRANO_CLI_PATH, "read", "--port", "COM1", "-o", "a.qts"};
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, "cli.err", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const auto start = Clock::now();
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return std::nullopt;
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    CliRead run;
    run.wallSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    std::ifstream err("cli.err");
    std::stringstream text;
    text << err.rdbuf();
    std::smatch m;
    const std::string all = text.str();
    if (!std::regex_search(all, m, std::regex("\\((\\d+) Zeichen empfangen\\)")))
        return std::nullopt;
    run.received = std::stol(m[1]);
    return run;
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
        const auto run = RunCliRead();
        if (!run) {
            state.SkipWithError("veltrano-cli read failed");
            return;
        }
        state.SetIterationTime(run->wallSeconds);
        wall += run->wallSeconds;
        cpu += run->cpuSeconds;
        received = run->received;
        ratio += run->wallSeconds / (static_cast<double>(run->received) / kCharactersPerSecond);
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
