// The command line of veltrano-cli: a command, its options and operands.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace veltrano::cli {

enum class Command { None, Status, Read, Write, Diff };

struct CliArguments {
    Command command = Command::None;
    bool help = false;
    std::string port;                   // --port
    std::string output;                 // -o (read)
    std::string trace;                  // --trace
    bool yes = false;                   // --yes (write)
    std::vector<std::string> operands;  // write: FILE; diff: A B
};

// The arguments after the program's name; std::nullopt and `error` (German)
// when they do not make a valid command line.
std::optional<CliArguments> ParseArguments(const std::vector<std::string>& args,
                                           std::string* error);

}  // namespace veltrano::cli
