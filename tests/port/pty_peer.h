// The far end of the line for the port tests: a pseudo-terminal whose slave
// side the port opens and whose master side the test drives. The master runs
// in packet mode, so the test also sees when the port's output is stopped and
// started by XOFF/XON.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

namespace veltrano::testing {

class PtyPeer {
  public:
    PtyPeer() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
            throw std::runtime_error("no pseudo-terminal");
        }
        char name[128];
        if (::ptsname_r(master_, name, sizeof name) != 0) throw std::runtime_error("ptsname");
        slavePath_ = name;
        // Held open so the master never sees the slave side closed, and to
        // read the settings the port made.
        slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
        if (slave_ < 0) throw std::runtime_error("cannot open pseudo-terminal slave");
        int on = 1;
        if (::ioctl(master_, TIOCPKT, &on) != 0) throw std::runtime_error("TIOCPKT");
    }
    ~PtyPeer() { HangUp(); }
    PtyPeer(const PtyPeer&) = delete;
    PtyPeer& operator=(const PtyPeer&) = delete;

    const std::string& slavePath() const { return slavePath_; }
    int master() const { return master_; }
    int slave() const { return slave_; }

    // The settings of the line as the port left them.
    termios LineSettings() const {
        termios t{};
        if (::tcgetattr(slave_, &t) != 0) throw std::runtime_error("tcgetattr");
        return t;
    }

    // Sends bytes to the port; false when they could not all go within timeout.
    bool Send(std::string_view bytes,
              std::chrono::milliseconds timeout = std::chrono::seconds(5)) const {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!bytes.empty()) {
            const ssize_t n = ::write(master_, bytes.data(), bytes.size());
            if (n > 0) {
                bytes.remove_prefix(static_cast<std::size_t>(n));
                continue;
            }
            if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
            if (!WaitFor(POLLOUT, deadline)) return false;
        }
        return true;
    }

    // Reads what the port sent until at least count data bytes are held in
    // Data(), or timeout; packet-mode status bytes are collected separately.
    bool ReceiveAtLeast(std::size_t count,
                        std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (data_.size() < count) {
            if (!ReadPacket() && !WaitFor(POLLIN, deadline)) return false;
        }
        return true;
    }

    // Waits until the packet-mode status has shown all bits of flag
    // (TIOCPKT_STOP, TIOCPKT_START, ...); data read meanwhile is kept.
    bool WaitForStatus(int flag, std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while ((status_ & flag) != flag) {
            if (!ReadPacket() && !WaitFor(POLLIN, deadline)) return false;
        }
        return true;
    }

    // Reads whatever is there now, without waiting.
    void ReceiveAvailable() {
        while (ReadPacket()) {
        }
    }

    const std::string& Data() const { return data_; }
    std::string TakeData() {
        std::string taken;
        taken.swap(data_);
        return taken;
    }
    int Status() const { return status_; }
    void ClearStatus() { status_ = 0; }

    // Bytes waiting on the master side, read or not.
    int Pending() const {
        int n = 0;
        ::ioctl(master_, FIONREAD, &n);
        return n;
    }

    // The far end goes away: the port's side of the line is hung up.
    void HangUp() {
        if (slave_ >= 0) ::close(slave_);
        if (master_ >= 0) ::close(master_);
        slave_ = master_ = -1;
    }

  private:
    // One packet: a leading 0 means data follows, anything else is status.
    bool ReadPacket() {
        char buffer[4097];
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0) return false;
        if (buffer[0] == TIOCPKT_DATA) {
            data_.append(buffer + 1, static_cast<std::size_t>(n - 1));
        } else {
            status_ |= static_cast<unsigned char>(buffer[0]);
        }
        return true;
    }

    bool WaitFor(short events, std::chrono::steady_clock::time_point deadline) const {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd fd{master_, events, 0};
        const int rc = ::poll(&fd, 1, static_cast<int>(std::min<long long>(left.count(), 50)));
        return rc >= 0 || errno == EINTR;
    }

    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
    std::string data_;
    int status_ = 0;
};

}  // namespace veltrano::testing
