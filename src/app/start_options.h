// The window's command line. The program has two options beyond what the
// Part describes (it knows no options or environment variables):
//   --trace FILE (or --trace=FILE)  records the protocol in FILE; without it
//                                   the environment's VELTRANO_TRACE names the file
//   --desktop                       works in the per-user folder (desktop menu start)
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace veltrano {

struct StartOptions {
    std::optional<std::string> tracePath;
    bool desktop = false;
    // German texts for the user: options that are not understood.
    std::vector<std::string> problems;
};

// arguments: without the program's own name; traceEnvironment: the value
// of VELTRANO_TRACE, nullptr when not set.
StartOptions ParseStartOptions(const std::vector<std::string>& arguments,
                               const char* traceEnvironment);

}  // namespace veltrano
