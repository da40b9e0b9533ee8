// Runs the simulator executable as a child process for tests: in a chosen
// working folder, with its status lines read through a pipe, so a test can
// wait for the link, ask for a dump and end it cleanly (SIGTERM, then a
// bounded wait, SIGKILL only as a last resort). Should the test process die
// first, the simulator gets SIGTERM (the parent-death signal of the thread
// that started it, so start it from a thread that lives as long as it does).
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace veltrano::sim {

class SimulatorProcess {
  public:
    // Starts `executable args...` in workDir and waits (up to timeout) for
    // its "link" line. Throws std::runtime_error when it does not come.
    SimulatorProcess(const std::string& executable, const std::vector<std::string>& args,
                     const std::string& workDir = ".",
                     std::chrono::milliseconds timeout = std::chrono::seconds(5));
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    pid_t Pid() const { return pid_; }
    // As printed by the simulator: the link path (relative to its working
    // folder when given so) and the terminal it points to.
    const std::string& LinkPath() const { return linkPath_; }
    const std::string& TerminalPath() const { return terminalPath_; }

    // The next status line that begins with prefix; earlier lines are
    // skipped. std::nullopt on timeout or when the process ended.
    std::optional<std::string> WaitForLine(const std::string& prefix,
                                           std::chrono::milliseconds timeout);

    void Signal(int signal) const;
    // SIGUSR2 and the wait for the "dumped" line.
    bool RequestDump(std::chrono::milliseconds timeout = std::chrono::seconds(5));
    // SIGUSR1: toggles silence; waits for "silent" or "answering".
    std::optional<std::string> ToggleSilence(
        std::chrono::milliseconds timeout = std::chrono::seconds(5));

    // SIGTERM and wait; returns the exit status (as waitpid reports it), or
    // std::nullopt when the process had to be killed.
    std::optional<int> Terminate(std::chrono::milliseconds timeout = std::chrono::seconds(5));

  private:
    bool ReadMore(std::chrono::steady_clock::time_point deadline);

    pid_t pid_ = -1;
    int stdout_ = -1;
    bool exited_ = false;
    std::string buffered_;
    std::string linkPath_;
    std::string terminalPath_;
};

}  // namespace veltrano::sim
