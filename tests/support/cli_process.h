// Runs veltrano-cli as a child process in the test folder: standard input
// from /dev/null (no terminal), standard output and error caught in files,
// and a generous bound after which it is killed and the test fails.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace veltrano::testing {

struct CliRun {
    int status = -1;  // exit status; -1 when it had to be killed
    std::string out;
    std::string err;
    double wallSeconds = 0;  // from the start to the end of the process
    double cpuSeconds = 0;   // user and system time of the process
};

inline std::string SlurpFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline CliRun RunCli(const std::vector<std::string>& args,
                     std::chrono::seconds bound = std::chrono::seconds(60)) {
    std::vector<std::string> all = {VELTRANO_CLI_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "cli.out", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, "cli.err", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    const auto start = std::chrono::steady_clock::now();
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) throw std::runtime_error("veltrano-cli could not be started");

    CliRun run;
    const auto deadline = std::chrono::steady_clock::now() + bound;
    int wstatus = 0;
    rusage usage{};
    // Waits on the child's end, looking every millisecond.
    while (wait4(pid, &wstatus, WNOHANG, &usage) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &wstatus, 0);
            wstatus = -1;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    run.wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    run.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    if (wstatus != -1 && WIFEXITED(wstatus)) run.status = WEXITSTATUS(wstatus);
    run.out = SlurpFile("cli.out");
    run.err = SlurpFile("cli.err");
    return run;
}

}  // namespace veltrano::testing
