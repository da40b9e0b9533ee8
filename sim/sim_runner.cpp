#include "sim_runner.h"

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "memory_dump.h"
#include "paced_sender.h"
#include "pty_line.h"
#include "sim_controller.h"

namespace veltrano::sim {

namespace {

using Clock = std::chrono::steady_clock;

// How often the loop looks again while nobody holds the terminal, and at
// the latest while idle (timed silence).
constexpr auto kHangUpBackOff = std::chrono::milliseconds(20);
constexpr auto kIdleWake = std::chrono::milliseconds(100);
constexpr auto kSplitPieceGap = std::chrono::milliseconds(2);

// Signals delivered through a descriptor; blocked for ordinary delivery.
class SignalDescriptor {
  public:
    SignalDescriptor() {
        sigemptyset(&set_);
        for (int s : {SIGINT, SIGTERM, SIGHUP, SIGUSR1, SIGUSR2})
            sigaddset(&set_, s);
        if (pthread_sigmask(SIG_BLOCK, &set_, &previous_) != 0)
            throw std::runtime_error("cannot block signals");
        fd_ = signalfd(-1, &set_, SFD_NONBLOCK | SFD_CLOEXEC);
        if (fd_ < 0) {
            pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
            throw std::runtime_error(std::string("cannot receive signals: ") +
                                     std::strerror(errno));
        }
    }
    ~SignalDescriptor() {
        close(fd_);
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
    SignalDescriptor(const SignalDescriptor&) = delete;
    SignalDescriptor& operator=(const SignalDescriptor&) = delete;

    int Fd() const { return fd_; }
    // The next pending signal number, or 0.
    int Next() {
        signalfd_siginfo info{};
        const ssize_t n = read(fd_, &info, sizeof info);
        return n == static_cast<ssize_t>(sizeof info) ? static_cast<int>(info.ssi_signo) : 0;
    }

  private:
    sigset_t set_{};
    sigset_t previous_{};
    int fd_ = -1;
};

bool MasterHungUp(int fd) {
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, 0) > 0 && (p.revents & POLLHUP);
}

class Loop {
  public:
    Loop(const SimOptions& options, SimController& controller, std::unique_ptr<PtyLine> line,
         SignalDescriptor& signals, std::ostream& out, std::ostream& err)
        : options_(options),
          signals_(signals),
          controller_(controller),
          line_(std::move(line)),
          out_(out),
          err_(err),
          sender_(options.fast, options.config.faults.split ? Clock::duration(kSplitPieceGap)
                                                            : Clock::duration::zero()) {}

    int Run() {
        start_ = Clock::now();
        out_ << "link " << line_->LinkPath() << " -> " << line_->SlavePath() << std::endl;
        while (!stop_) {
            const auto now = Clock::now();
            // A timed pull of the cable loses what is still on its way; a
            // silence after N frames or acknowledgements lets those go out.
            const bool wasSilent = controller_.Silent();
            controller_.Tick(Instant(now));
            if (!wasSilent && controller_.Silent()) sender_.Clear();
            WaitForEvents(now);
            HandleSignals();
            if (stop_) break;
            ReadInput();
            WriteDue();
            if (dropDue_ && sender_.Empty()) DropLine();
        }
        out_ << "stopped" << std::endl;
        return 0;
    }

    void Dump() {
        if (options_.dumpPath.empty()) return;
        try {
            WriteMemoryDump(options_.dumpPath, controller_.Memory());
            out_ << "dumped " << options_.dumpPath << std::endl;
        } catch (const std::exception& e) {
            err_ << "veltrano-sim: " << e.what() << std::endl;
        }
    }

  private:
    SimInstant Instant(Clock::time_point now) const {
        return {std::chrono::duration_cast<std::chrono::milliseconds>(now - start_),
                std::chrono::system_clock::now()};
    }

    void WaitForEvents(Clock::time_point now) {
        pollfd fds[2] = {{signals_.Fd(), POLLIN, 0}, {line_->MasterFd(), POLLIN, 0}};
        nfds_t count = 2;
        Clock::duration timeout = kIdleWake;
        if (hungUp_) {
            // The master reports hang-up without pause while no program holds
            // the terminal: look again later instead of spinning.
            count = 1;
            timeout = kHangUpBackOff;
        } else if (writeBlocked_) {
            fds[1].events |= POLLOUT;
        } else if (const auto wait = sender_.Wait(now)) {
            timeout = std::min<Clock::duration>(timeout, *wait);
        }
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(timeout).count();
        timespec ts{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
        ppoll(fds, count, &ts, nullptr);
        if (hungUp_ && !MasterHungUp(line_->MasterFd())) hungUp_ = false;
    }

    void HandleSignals() {
        while (const int s = signals_.Next()) {
            if (s == SIGUSR1) {
                controller_.ToggleSilence();
                if (controller_.Silent()) sender_.Clear();
                out_ << (controller_.Silent() ? "silent" : "answering") << std::endl;
            } else if (s == SIGUSR2) {
                Dump();
            } else {
                stop_ = true;
            }
        }
    }

    void ReadInput() {
        if (hungUp_) return;
        char buffer[4096];
        for (;;) {
            const ssize_t n = read(line_->MasterFd(), buffer, sizeof buffer);
            if (n > 0) {
                Take(std::string_view(buffer, static_cast<std::size_t>(n)));
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && errno == EIO) LoseListener();  // nobody holds the terminal
            break;
        }
        if (!hungUp_ && MasterHungUp(line_->MasterFd())) LoseListener();
    }

    void Take(std::string_view bytes) {
        const auto now = Clock::now();
        const std::string input = TakeFlowControl(bytes, sender_, now);
        if (!input.empty()) sender_.Enqueue(controller_.Receive(input, Instant(now)), now);
        if (controller_.TakeHangUp()) dropDue_ = true;
    }

    // The program's side of the line is hung up (the old terminal closes);
    // a new terminal waits at the same link, as after re-plugging an adapter.
    void DropLine() {
        dropDue_ = false;
        auto fresh = std::make_unique<PtyLine>(options_.linkPath);
        line_ = std::move(fresh);
        sender_.Clear();
        writeBlocked_ = false;
        hungUp_ = false;
        out_ << "hung up, link " << line_->LinkPath() << " -> " << line_->SlavePath() << std::endl;
    }

    // No program holds the terminal: what is still queued would only pile
    // up in the terminal for the next program, so it is lost as on a real
    // line without a listener.
    void LoseListener() {
        hungUp_ = true;
        writeBlocked_ = false;
        sender_.Clear();
    }

    void WriteDue() {
        writeBlocked_ = false;
        if (hungUp_) return;
        for (;;) {
            const auto now = Clock::now();
            const std::string_view due = sender_.Due(now);
            if (due.empty()) return;
            const ssize_t n = write(line_->MasterFd(), due.data(), due.size());
            if (n > 0) {
                sender_.Written(static_cast<std::size_t>(n), now);
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) writeBlocked_ = true;
            if (n < 0 && errno == EIO) LoseListener();
            return;
        }
    }

    const SimOptions& options_;
    SignalDescriptor& signals_;
    SimController& controller_;
    std::unique_ptr<PtyLine> line_;
    bool dropDue_ = false;  // the line drops once what is queued has gone out
    std::ostream& out_;
    std::ostream& err_;
    PacedSender sender_;
    Clock::time_point start_{};
    bool stop_ = false;
    bool hungUp_ = false;
    bool writeBlocked_ = false;
};

}  // namespace

int RunSimulator(const SimOptions& options, std::ostream& out, std::ostream& err) {
    try {
        // Signals first: a SIGTERM must never find the link made but the
        // handling not yet in place.
        SignalDescriptor signals;
        const ModelFeatures& features = options.config.identity.features;
        SimMemory memory = options.loadPath.empty()
                               ? DemoMemory(features)
                               : LoadMemoryDump(options.loadPath, FactoryMemory(features.radio));
        SimController controller(options.config, std::move(memory));
        Loop loop(options, controller, std::make_unique<PtyLine>(options.linkPath), signals, out,
                  err);
        const int code = loop.Run();
        loop.Dump();
        return code;
    } catch (const std::exception& e) {
        err << "veltrano-sim: " << e.what() << std::endl;
        return 1;
    }
}

}  // namespace veltrano::sim
