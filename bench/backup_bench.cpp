// The backup file: formatting a fully populated model into the file's bytes
// and parsing those bytes back into a model, without the file system (the
// flush to disk is left out on purpose). Target: well under 20 ms each.
#include <benchmark/benchmark.h>

#include <string>

#include "backup/backup_format.h"
#include "backup/backup_parser.h"
#include "model/configuration_model.h"

namespace {

using veltrano::ConfigurationModel;

// Every switching time set, names with umlauts, every record away from its default.
ConfigurationModel PopulatedModel() {
    ConfigurationModel model;
    int i = 0;
    for (veltrano::SwitchTime& e : model.SwitchTimes) {
        e.Direction = i % 2;
        e.TimeCode = 1 + (i * 37) % 1440;
        e.DurationCode = i % 127;
        e.DayGroup = 1;
        e.Function = i % 3;
        ++i;
    }
    for (int m = 1; m <= veltrano::kMotorCount; ++m) {
        model.motorName(m) = "Küche Süd " + std::to_string(m);
        model.shading(m).TemperatureCode = m;
        model.wind(m).SpeedCode = m % 19;
        model.heating(m).DayTempCode = 100 + m;
        model.alarmPattern(m) = m % 3;
    }
    return model;
}

void BM_FormatBackup(benchmark::State& state) {
    const ConfigurationModel model = PopulatedModel();
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string text = veltrano::FormatBackup(model);
        bytes = text.size();
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["file_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_FormatBackup)->Unit(benchmark::kMillisecond);

void BM_ParseBackup(benchmark::State& state) {
    const std::string text = veltrano::FormatBackup(PopulatedModel());
    const ConfigurationModel current;
    for (auto _ : state) {
        veltrano::BackupParseResult result = veltrano::ParseBackup(text, current);
        if (!result.Ok()) state.SkipWithError("parse error");
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseBackup)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
