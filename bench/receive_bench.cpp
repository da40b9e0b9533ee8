// The receive handler against a recorded stream holding every frame kind,
// fed in chunks of 1 to 64 characters as a serial port delivers them.
// Every configuration decoder is registered, so the model is written as in a
// read-all. Reports the handler's CPU time per second of 9600-baud wire traffic.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "link/block_decoders.h"
#include "link/link_state.h"
#include "link/read_all.h"
#include "link/receive_handler.h"
#include "link/window_hooks.h"
#include "model/configuration_model.h"

namespace {

std::string Frame(const std::string& tag, const std::string& payload) {
    return "start_" + tag + payload + "ende_";
}

std::string Numbers(std::vector<int> n, bool checksum) {
    std::string s;
    int sum = 0;
    for (int v : n) {
        s += std::to_string(v) + ",";
        sum += v;
    }
    if (checksum) s += std::to_string(sum) + ",";
    return s;
}

// About 26,000 characters: polls, every configuration block, logbook and acknowledgements.
std::string RecordedStream() {
    std::string s;
    while (s.size() < 26000) {
        s += Frame("smo", "QX-7000-W-7-9 TG") + Frame("sfi", "7.514") + Frame("sdt", "09.12.26") +
             Frame("sti", "10:11:12") +
             Frame("skd",
                   Numbers({140, 21, 5, 18, 24, -3, 2, -7, 4, 12, 30, 0, 1, 11, 136, 55}, false));
        for (int m = 1; m <= 4; ++m) {
            s += Frame("sbp", Numbers({m, 1, 112, 10, 20, 40, 12}, true));
            s += Frame("sdm", Numbers({m, 1, 6, 30, 12}, true));
            s += Frame("sda", Numbers({m, 1, 18, 30, 12}, true));
            s += Frame("swp", Numbers({m, 1, 8, 12}, true));
            s += Frame("srp", Numbers({m, 1, 12}, true));
            s += Frame("smn", (m < 10 ? "0" : "") + std::to_string(m) + "Wohnzimmer  ");
            s += Frame("sfs", Numbers({1, m - 1, 1, 1, 480, 40, 1, 0, 1}, true));
        }
        s += Frame("sas", "4294967295,0,4294967295,");
        s += Frame("sgz", "255,0,65280,4294967295,");
        s += Frame("szz", "28,28,") + Frame("sbh", "8,0,8,") + Frame("ssp", "");
        s += Frame("sld", Numbers({17, 3, 1, 9, 12, 26, 10, 11, 1}, true));
        s += Frame("stc", "0,");
        s += "noise";
    }
    return s;
}

void BM_ReceiveHandler(benchmark::State& bench) {
    const std::string stream = RecordedStream();
    std::mt19937 rng(7);
    std::uniform_int_distribution<std::size_t> chunk(1, 64);
    std::vector<std::string_view> chunks;
    for (std::size_t pos = 0; pos < stream.size();) {
        const std::size_t n = std::min(chunk(rng), stream.size() - pos);
        chunks.emplace_back(stream.data() + pos, n);
        pos += n;
    }
    std::array<std::string, 14> panels{};
    veltrano::WindowHooks hooks;
    hooks.SetPanelText = [&](int n, const std::string& t) { panels[n] = t; };
    hooks.PanelText = [&](int n) { return panels[n]; };
    hooks.ShowSensorTexts = [](const veltrano::SensorTexts&) {};
    veltrano::LinkState state;
    state.Identity.ConservatoryFamily = true;
    veltrano::ConfigurationModel model;
    veltrano::ReadAllSequence readAll(state, model);
    int acks = 0;
    for (auto _ : bench) {
        veltrano::ReceiveHandler handler(state, hooks);
        veltrano::RegisterBlockDecoders(handler, model, state, hooks, readAll);
        handler.RegisterDecoder("stc", [&](const std::string&) { ++acks; });
        for (std::string_view c : chunks)
            handler.OnReceive(c);
        benchmark::DoNotOptimize(panels);
    }
    bench.SetBytesProcessed(static_cast<int64_t>(bench.iterations() * stream.size()));
    // Wire seconds of the stream at 960 characters per second.
    bench.counters["wire_seconds"] = static_cast<double>(stream.size()) / 960.0;
    bench.counters["stream_chars"] = static_cast<double>(stream.size());
}
BENCHMARK(BM_ReceiveHandler)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
