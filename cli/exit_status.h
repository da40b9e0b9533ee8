// The exit statuses of veltrano-cli, as its help describes them.
#pragma once

namespace veltrano::cli {

enum ExitStatus : int {
    kExitOk = 0,
    kExitUsage = 1,           // wrong arguments; write without confirmation
    kExitNoController = 2,    // port cannot be opened, no Controller answers, firmware refused
    kExitTransferFailed = 3,  // incomplete, refused, timed out, line lost
    kExitDifferent = 4,       // diff found differences
    kExitBadFile = 5,         // not a backup file, damaged, cannot be written
};

}  // namespace veltrano::cli
