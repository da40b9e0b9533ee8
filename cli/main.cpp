// veltrano-cli: back up, restore and compare Controllers from a terminal or a
// script. Results on standard output, German messages on standard error.
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli_arguments.h"
#include "cli_commands.h"
#include "cli_help.h"
#include "exit_status.h"

using namespace veltrano::cli;

namespace {

bool AskOnTerminal(const std::string& question) {
    std::fprintf(stderr, "%s [j/N] ", question.c_str());
    std::fflush(stderr);
    std::string answer;
    if (!std::getline(std::cin, answer)) return false;
    return !answer.empty() && (answer[0] == 'j' || answer[0] == 'J');
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    const auto parsed = ParseArguments(args, &error);
    if (!parsed) {
        std::fprintf(stderr, "%s\n\"veltrano-cli --help\" zeigt die Hilfe.\n", error.c_str());
        return kExitUsage;
    }
    CliConsole console;
    console.errIsTerminal = ::isatty(STDERR_FILENO) == 1;
    if (::isatty(STDIN_FILENO) == 1) console.ask = AskOnTerminal;
    if (!parsed->trace.empty()) {
        // Reported once; the command goes on without the trace.
        console.trace = std::make_shared<veltrano::ProtocolTrace>(
            parsed->trace,
            [](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); });
    }
    try {
        return RunCommand(*parsed, console);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Fehler: %s\n", e.what());
        return kExitTransferFailed;
    }
}
