#include "pty_line.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace veltrano::sim {

namespace {

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

}  // namespace

PtyLine::PtyLine(std::string linkPath) : linkPath_(std::move(linkPath)) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0) Fail("cannot open a pseudo-terminal");
    try {
        // O_CLOEXEC is not guaranteed by every posix_openpt; make sure.
        if (fcntl(master_, F_SETFD, FD_CLOEXEC) != 0) Fail("cannot set close-on-exec");
        if (fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK) != 0)
            Fail("cannot make the terminal non-blocking");
        if (grantpt(master_) != 0 || unlockpt(master_) != 0) Fail("cannot unlock the terminal");
        const char* name = ptsname(master_);
        if (!name) Fail("cannot name the terminal");
        slavePath_ = name;

        // Raw both ways; terminal settings made on the master apply to the
        // slave side the program opens.
        termios t{};
        if (tcgetattr(master_, &t) != 0) Fail("cannot read the terminal settings");
        cfmakeraw(&t);
        t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
        t.c_cflag |= CLOCAL | CREAD;
        cfsetispeed(&t, B9600);
        cfsetospeed(&t, B9600);
        if (tcsetattr(master_, TCSANOW, &t) != 0) Fail("cannot set raw mode");

        // Publish the slave: a stale link of an earlier run is replaced
        // atomically; a file or folder of that name is not touched.
        struct stat st {};
        if (lstat(linkPath_.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) {
            errno = EEXIST;
            Fail("cannot link " + linkPath_ + ", something else is there");
        }
        const std::string temporary = linkPath_ + ".new" + std::to_string(getpid());
        unlink(temporary.c_str());
        if (symlink(slavePath_.c_str(), temporary.c_str()) != 0)
            Fail("cannot create the link " + temporary);
        if (rename(temporary.c_str(), linkPath_.c_str()) != 0) {
            const int saved = errno;
            unlink(temporary.c_str());
            errno = saved;
            Fail("cannot create the link " + linkPath_);
        }
    } catch (...) {
        close(master_);
        throw;
    }
}

PtyLine::~PtyLine() {
    // Remove the link only while it still names this terminal.
    char target[4096];
    const ssize_t n = readlink(linkPath_.c_str(), target, sizeof target - 1);
    if (n > 0 && std::string(target, static_cast<std::size_t>(n)) == slavePath_)
        unlink(linkPath_.c_str());
    close(master_);
}

}  // namespace veltrano::sim
