// Shared parts of the benchmarks that run the real window, offscreen,
// against the simulated Controller: the application object, a temporary
// working folder, message boxes that answer by themselves, a Controller
// memory filled to capacity, the connection, and a terminal relay that
// tells when a given text has been handed to the window's line.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "app/tquorvan.h"
#include "app/user_dialogs.h"
#include "memory_dump.h"
#include "offscreen_window.h"
#include "sim_memory.h"
#include "sim_options.h"
#include "simulator_process.h"

namespace veltrano::bench {

using Clock = std::chrono::steady_clock;

// A fresh temporary folder as the working directory, removed afterwards.
class BenchFolder {
  public:
    BenchFolder() : previous_(std::filesystem::current_path()) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "veltrano-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
        std::filesystem::current_path(path_);
    }
    ~BenchFolder() {
        std::error_code ec;
        std::filesystem::current_path(previous_, ec);
        std::filesystem::remove_all(path_, ec);
    }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path previous_, path_;
};

// Every question answered "Ja"; errors kept for the report.
class SilentDialogs : public UserDialogs {
  public:
    explicit SilentDialogs(QStringList& errors) : errors_(errors) {}
    void ShowError(const QString& text) override { errors_ << text; }
    void ShowInformation(const QString&) override {}
    void ShowMessage(const QString& text) override { errors_ << text; }
    bool AskYesNo(const QString&) override { return true; }
    void EndProgram() override { errors_ << "EndProgram"; }

  private:
    QStringList& errors_;
};

// A Controller with every switching time it can store (240) on top of the
// demonstration memory of its features.
inline sim::SimMemory FullMemory(const sim::ModelFeatures& f) {
    sim::SimMemory m = sim::DemoMemory(f);
    for (int slot = 1; slot <= f.slotsPerDay; ++slot) {
        for (int motor = 1; motor <= f.motors; ++motor) {
            for (int day = 1; day <= 7; ++day) {
                if (m.switchTimes.size() >= sim::kSwitchTimeCapacity) return m;
                if (m.FindSwitchTime(day, motor, slot)) continue;
                m.StoreSwitchTime({day, motor, slot, (day + motor) % 2, (slot * 3 + day) % 24,
                                   (motor * 7) % 60, 20 + slot, 1, motor % 3});
            }
        }
    }
    return m;
}

// Runs the event loop (sleeping while idle) until quit() or the bound.
inline bool RunEventLoopUntil(const std::function<bool()>& done, int boundMs) {
    QEventLoop loop;
    QTimer check;
    check.setInterval(5);
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done()) loop.quit();
    });
    QTimer bound;
    bound.setSingleShot(true);
    QObject::connect(&bound, &QTimer::timeout, &loop, [&] { loop.quit(); });
    if (done()) return true;
    check.start();
    bound.start(boundMs);
    loop.exec();
    return done();
}

// Polls until the window shows a model text, then the tick that adapts it.
inline bool ConnectWindow(TQuorvan& window) {
    window.Timer1()->stop();
    window.Timer3()->stop();
    window.Timer1Timer();
    if (!RunEventLoopUntil([&] { return window.PanelText(0) != TQuorvan::kNoConnection; }, 10000))
        return false;
    window.Timer1Timer();
    return !window.State().LinkDown;
}

// A pseudo-terminal whose far end is linked at `linkPath` for the window; its
// near end is relayed to and from `targetDevice` (the simulator's line) by a
// thread. It notes when the bytes that complete `marker` have been written
// towards the window.
class PtyRelay {
  public:
    PtyRelay(const std::string& linkPath, const std::string& targetDevice, std::string marker)
        : marker_(std::move(marker)), linkPath_(linkPath) {
        master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
            throw std::runtime_error("no pseudo-terminal");
        const char* slave = ptsname(master_);
        if (!slave) throw std::runtime_error("no pseudo-terminal name");
        // Held open, so the near end never reports a hang-up; raw, so
        // nothing is echoed before the window sets the line up.
        heldSlave_ = open(slave, O_RDWR | O_NOCTTY | O_CLOEXEC);
        target_ = open(targetDevice.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (heldSlave_ < 0 || target_ < 0) throw std::runtime_error("cannot open the lines");
        MakeRaw(heldSlave_);
        MakeRaw(target_);
        std::filesystem::create_symlink(slave, linkPath_);
        if (pipe2(stop_, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
        thread_ = std::thread([this] { Run(); });
    }
    ~PtyRelay() {
        const char byte = 0;
        (void)!write(stop_[1], &byte, 1);
        if (thread_.joinable()) thread_.join();
        std::error_code ec;
        std::filesystem::remove(linkPath_, ec);
        for (int fd : {master_, heldSlave_, target_, stop_[0], stop_[1]})
            if (fd >= 0) close(fd);
    }
    PtyRelay(const PtyRelay&) = delete;
    PtyRelay& operator=(const PtyRelay&) = delete;

    // When the marker was last completed towards the window.
    std::optional<Clock::time_point> MarkerWritten() const {
        const auto ticks = markerAt_.load();
        if (ticks == 0) return std::nullopt;
        return Clock::time_point(Clock::duration(ticks));
    }
    void ForgetMarker() { markerAt_ = 0; }

  private:
    static void MakeRaw(int fd) {
        termios t{};
        if (tcgetattr(fd, &t) != 0) return;
        cfmakeraw(&t);
        t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
        tcsetattr(fd, TCSANOW, &t);
    }

    static void WriteAll(int fd, const char* data, std::size_t size) {
        while (size > 0) {
            const ssize_t n = write(fd, data, size);
            if (n > 0) {
                data += n;
                size -= static_cast<std::size_t>(n);
            } else {
                pollfd p{fd, POLLOUT, 0};
                poll(&p, 1, 10);
            }
        }
    }

    void Run() {
        char buffer[4096];
        bool targetGone = false;  // the simulator ended: only the stop remains
        for (;;) {
            pollfd fds[3] = {{stop_[0], POLLIN, 0},
                             {targetGone ? -1 : target_, POLLIN, 0},
                             {master_, POLLIN, 0}};
            if (poll(fds, 3, -1) < 0) continue;
            if (fds[0].revents) return;
            if ((fds[1].revents & (POLLHUP | POLLERR)) && !(fds[1].revents & POLLIN))
                targetGone = true;
            if (fds[1].revents & POLLIN) {
                const ssize_t n = read(target_, buffer, sizeof buffer);
                if (n > 0) {
                    WriteAll(master_, buffer, static_cast<std::size_t>(n));
                    tail_.append(buffer, static_cast<std::size_t>(n));
                    if (tail_.find(marker_) != std::string::npos) {
                        markerAt_ = Clock::now().time_since_epoch().count();
                        tail_.clear();
                    } else if (tail_.size() > marker_.size()) {
                        tail_.erase(0, tail_.size() - marker_.size());
                    }
                }
            }
            if (fds[2].revents & POLLIN) {
                const ssize_t n = read(master_, buffer, sizeof buffer);
                if (n > 0) WriteAll(target_, buffer, static_cast<std::size_t>(n));
            }
        }
    }

    std::string marker_;
    std::string linkPath_;
    int master_ = -1, heldSlave_ = -1, target_ = -1;
    int stop_[2] = {-1, -1};
    std::string tail_;
    std::atomic<Clock::rep> markerAt_{0};
    std::thread thread_;
};

// The window against one simulated conservatory Controller filled to
// capacity, connected and ready. With a relay the window's line passes
// through a PtyRelay that watches for `marker`.
class SimulatedWindow {
  public:
    static constexpr const char* kClosingFrame = "start_sfs255,0,0,0,0,0,0,0,0,255,ende_";

    SimulatedWindow(bool fast, bool relay,
                    const std::vector<std::string>& identity = {"--family", "conservatory",
                                                                "--touch", "--groups"},
                    const std::string& marker = kClosingFrame) {
        BenchApp();
        std::vector<std::string> args = identity;
        std::string error;
        const auto options = sim::ParseOptions(args, &error);
        if (!options) throw std::runtime_error(error);
        const auto load = folder_.Path() / "full.load";
        sim::WriteMemoryDump(load.string(), FullMemory(options->config.identity.features));
        args.insert(args.end(), {"--load", load.string(), "--link", relay ? "SIM1" : "COM1"});
        if (fast) args.push_back("--fast");
        sim_ = std::make_unique<sim::SimulatorProcess>(VELTRANO_SIM_PATH, args,
                                                       folder_.Path().string());
        if (relay) {
            relay_ = std::make_unique<PtyRelay>((folder_.Path() / "COM1").string(),
                                                (folder_.Path() / "SIM1").string(), marker);
        }
        window_ = std::make_unique<TQuorvan>(std::make_unique<SilentDialogs>(errors_));
        window_->Comm1().SetDeviceResolver(
            [dir = folder_.Path()](int n) { return (dir / ("COM" + std::to_string(n))).string(); });
        window_->FormActivate();
        if (!ConnectWindow(*window_)) throw std::runtime_error("the window did not connect");
    }
    ~SimulatedWindow() {
        window_.reset();
        relay_.reset();
        sim_.reset();
    }
    SimulatedWindow(const SimulatedWindow&) = delete;
    SimulatedWindow& operator=(const SimulatedWindow&) = delete;

    TQuorvan& Window() { return *window_; }
    PtyRelay* Relay() { return relay_.get(); }
    const QStringList& Errors() const { return errors_; }

  private:
    BenchFolder folder_;
    QStringList errors_;
    std::unique_ptr<sim::SimulatorProcess> sim_;
    std::unique_ptr<PtyRelay> relay_;
    std::unique_ptr<TQuorvan> window_;
};

// CPU time of the calling thread.
inline std::chrono::nanoseconds ThreadCpuTime() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return std::chrono::seconds(ts.tv_sec) + std::chrono::nanoseconds(ts.tv_nsec);
}

// User and system processor time of the calling thread in milliseconds, from
// /proc (10 ms steps): where the time of the thread goes.
struct ThreadTimes {
    double userMs = 0, systemMs = 0;
};
inline ThreadTimes ThreadUserAndSystemTime() {
    std::FILE* stat = std::fopen("/proc/thread-self/stat", "r");
    if (!stat) return {};
    char text[1024] = {};
    const std::size_t n = std::fread(text, 1, sizeof text - 1, stat);
    std::fclose(stat);
    const std::string line(text, n);
    // Fields after the command name in parentheses: state is field 3, utime 14, stime 15.
    const auto close = line.rfind(')');
    if (close == std::string::npos) return {};
    std::vector<std::string> fields;
    std::string field;
    for (char c : line.substr(close + 2)) {
        if (c == ' ') {
            fields.push_back(field);
            field.clear();
        } else {
            field += c;
        }
    }
    if (fields.size() < 13) return {};
    const double tick = 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
    return {std::stod(fields[11]) * tick, std::stod(fields[12]) * tick};
}

inline double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace veltrano::bench
