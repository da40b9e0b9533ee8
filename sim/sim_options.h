// Command line of the simulated Controller.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sim_controller.h"

namespace veltrano::sim {

struct SimOptions {
    SimConfig config;
    std::string linkPath = "COM1";
    bool fast = false;  // send as fast as the terminal takes it, not at 960 characters/s
    std::string loadPath;
    std::string dumpPath;
    bool help = false;
};

// Parses argv[1..]; on failure returns std::nullopt and sets *error.
std::optional<SimOptions> ParseOptions(const std::vector<std::string>& args, std::string* error);

std::string UsageText();

}  // namespace veltrano::sim
