// The commands of veltrano-cli: status, read, write, diff.
#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "link/protocol_trace.h"

#include "cli_arguments.h"

namespace veltrano::cli {

// Where the tool talks: results to `out`, messages and progress to `err`.
struct CliConsole {
    std::FILE* out = stdout;
    std::FILE* err = stderr;
    bool errIsTerminal = false;
    // A yes/no question on the terminal; empty when standard input is none.
    std::function<bool(const std::string& question)> ask;
    // Every byte on the line, when --trace asked for it.
    std::shared_ptr<ProtocolTrace> trace;
};

// Runs the command; returns its exit status.
int RunCommand(const CliArguments& args, CliConsole& console);

}  // namespace veltrano::cli
