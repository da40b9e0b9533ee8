#include "simulator_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <thread>

namespace veltrano::sim {

namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

SimulatorProcess::SimulatorProcess(const std::string& executable,
                                   const std::vector<std::string>& args, const std::string& workDir,
                                   std::chrono::milliseconds timeout) {
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");

    // Everything the child needs is prepared before fork: after it only
    // async-signal-safe calls are allowed.
    std::vector<std::string> argvText{executable};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argvText)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ < 0) {
        close(pipeFds[0]);
        close(pipeFds[1]);
        throw std::runtime_error("fork failed");
    }
    if (pid_ == 0) {
        // A test killed before it could end the simulator takes it along,
        // instead of leaving it running with its line and link.
        if (prctl(PR_SET_PDEATHSIG, SIGTERM) != 0 || getppid() != parent) _exit(126);
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        if (chdir(workDir.c_str()) != 0) _exit(126);
        if (dup2(pipeFds[1], STDOUT_FILENO) < 0) _exit(126);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(pipeFds[1]);
    stdout_ = pipeFds[0];

    const auto line = WaitForLine("link ", timeout);
    if (!line) {
        Terminate(std::chrono::seconds(2));
        throw std::runtime_error("the simulator did not publish its link");
    }
    // "link <link> -> <terminal>"
    const std::string text = line->substr(5);
    const auto arrow = text.rfind(" -> ");
    linkPath_ = text.substr(0, arrow);
    terminalPath_ = arrow == std::string::npos ? std::string() : text.substr(arrow + 4);
}

SimulatorProcess::~SimulatorProcess() {
    Terminate(std::chrono::seconds(5));
    if (stdout_ >= 0) close(stdout_);
}

bool SimulatorProcess::ReadMore(Clock::time_point deadline) {
    if (stdout_ < 0) return false;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() < 0) return false;
    pollfd p{stdout_, POLLIN, 0};
    const int ready = poll(&p, 1, static_cast<int>(left.count()));
    if (ready <= 0) return false;
    char buffer[1024];
    const ssize_t n = read(stdout_, buffer, sizeof buffer);
    if (n <= 0) {
        close(stdout_);
        stdout_ = -1;
        return false;
    }
    buffered_.append(buffer, static_cast<std::size_t>(n));
    return true;
}

std::optional<std::string> SimulatorProcess::WaitForLine(const std::string& prefix,
                                                         std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        std::size_t end;
        while ((end = buffered_.find('\n')) != std::string::npos) {
            std::string line = buffered_.substr(0, end);
            buffered_.erase(0, end + 1);
            if (line.rfind(prefix, 0) == 0) return line;
        }
        if (!ReadMore(deadline)) return std::nullopt;
    }
}

void SimulatorProcess::Signal(int signal) const {
    if (pid_ > 0 && !exited_) kill(pid_, signal);
}

bool SimulatorProcess::RequestDump(std::chrono::milliseconds timeout) {
    Signal(SIGUSR2);
    return WaitForLine("dumped", timeout).has_value();
}

std::optional<std::string> SimulatorProcess::ToggleSilence(std::chrono::milliseconds timeout) {
    Signal(SIGUSR1);
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        std::size_t end;
        while ((end = buffered_.find('\n')) != std::string::npos) {
            std::string line = buffered_.substr(0, end);
            buffered_.erase(0, end + 1);
            if (line == "silent" || line == "answering") return line;
        }
        if (!ReadMore(deadline)) return std::nullopt;
    }
}

std::optional<int> SimulatorProcess::Terminate(std::chrono::milliseconds timeout) {
    if (pid_ <= 0 || exited_) return std::nullopt;
    kill(pid_, SIGTERM);
    const auto deadline = Clock::now() + timeout;
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(pid_, &status, WNOHANG);
        if (done == pid_ || (done < 0 && errno != EINTR)) break;
        if (Clock::now() >= deadline) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
            exited_ = true;
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    exited_ = true;
    return status;
}

}  // namespace veltrano::sim
