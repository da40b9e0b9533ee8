// The simulator's main loop: the pseudo-terminal, pacing, signals and the
// memory dump around one SimController.
//
// Lines it prints (each flushed at once, so a test can wait for them):
//   "link <link path> -> <terminal path>"   the line is ready
//   "silent" / "answering"                   SIGUSR1 pulled or re-plugged the cable
//   "dumped <file>"                          the dump file has been replaced
//   "hung up, link <link> -> <terminal>"     --hang-up-after-...: the old terminal
//                                            closed, a new one waits at the link
//   "stopped"                                SIGINT/SIGTERM ended the loop
#pragma once

#include <ostream>

#include "sim_options.h"

namespace veltrano::sim {

// Runs until SIGINT, SIGTERM or SIGHUP; returns the process exit code.
// Blocks those signals and SIGUSR1/SIGUSR2 in the calling thread and
// receives them through a descriptor.
int RunSimulator(const SimOptions& options, std::ostream& out, std::ostream& err);

}  // namespace veltrano::sim
