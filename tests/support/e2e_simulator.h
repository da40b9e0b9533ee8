// One simulated Controller for the end-to-end tests: the simulator
// executable as a child process in the test folder, its line linked there
// (COM1 unless told otherwise), its memory dumped into a file of its own on
// request and read back as wire numbers.
#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "memory_dump.h"
#include "sim_identity.h"
#include "sim_memory.h"
#include "sim_options.h"
#include "simulator_process.h"

namespace veltrano::testing {

struct SimulatorSetup {
    // Identity and faults as on the command line, e.g. {"--family", "sun", "--motors", "8"}.
    std::vector<std::string> args;
    std::string link = "COM1";
    bool fast = true;  // false: the real pace of 960 characters per second
    // The memory it starts with; none: the simulator's own demonstration memory.
    std::optional<sim::SimMemory> memory;
};

inline SimulatorSetup Setup(std::vector<std::string> args, std::string link = "COM1") {
    SimulatorSetup setup;
    setup.args = std::move(args);
    setup.link = std::move(link);
    return setup;
}

class E2eSimulator {
  public:
    E2eSimulator(const std::filesystem::path& folder, std::vector<std::string> args,
                 std::string link = "COM1")
        : E2eSimulator(folder, Setup(std::move(args), std::move(link))) {}

    E2eSimulator(const std::filesystem::path& folder, SimulatorSetup setup)
        : dumpPath_(folder / (setup.link + ".dump")) {
        std::vector<std::string> args = setup.args;
        args.insert(args.end(), {"--link", setup.link, "--dump", dumpPath_.string()});
        if (setup.fast) args.push_back("--fast");
        if (setup.memory) {
            const auto loadPath = folder / (setup.link + ".load");
            sim::WriteMemoryDump(loadPath.string(), *setup.memory);
            args.insert(args.end(), {"--load", loadPath.string()});
        }
        std::string error;
        const auto options = sim::ParseOptions(args, &error);
        if (!options) throw std::runtime_error("simulator options: " + error);
        identity_ = options->config.identity;
        process_ =
            std::make_unique<sim::SimulatorProcess>(VELTRANO_SIM_PATH, args, folder.string());
    }

    // The Controller's memory now, as wire numbers.
    sim::SimMemory Dump() {
        // A generous bound: on a busy machine the simulator may wait for its turn.
        if (!process_->RequestDump(std::chrono::seconds(30)))
            throw std::runtime_error("the simulator did not dump");
        return sim::LoadMemoryDump(dumpPath_.string(), sim::FactoryMemory(Features().radio));
    }

    const sim::ModelFeatures& Features() const { return identity_.features; }
    const std::string& ModelText() const { return identity_.modelText; }
    const std::string& FirmwareText() const { return identity_.firmware; }
    sim::SimulatorProcess& Process() { return *process_; }

  private:
    std::filesystem::path dumpPath_;
    sim::SimIdentity identity_;
    std::unique_ptr<sim::SimulatorProcess> process_;
};

}  // namespace veltrano::testing
