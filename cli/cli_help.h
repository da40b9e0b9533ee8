// The German help of veltrano-cli, for the tool and for each command.
#pragma once

#include <string>

#include "cli_arguments.h"

namespace veltrano::cli {

// Command::None: the overview of all commands.
std::string HelpText(Command command);

}  // namespace veltrano::cli
