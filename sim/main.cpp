// veltrano-sim: the simulated Controller on a pseudo-terminal.
#include <signal.h>

#include <iostream>
#include <string>
#include <vector>

#include "sim_options.h"
#include "sim_runner.h"

int main(int argc, char** argv) {
    using namespace veltrano::sim;
    // A reader of the status lines that went away must not end the simulator
    // before it has removed its link.
    signal(SIGPIPE, SIG_IGN);

    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    const auto options = ParseOptions(args, &error);
    if (!options) {
        std::cerr << "veltrano-sim: " << error << "\n";
        return 2;
    }
    if (options->help) {
        std::cout << UsageText();
        return 0;
    }
    return RunSimulator(*options, std::cout, std::cerr);
}
