#include "link/comm_wakeup.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>

#include "link/comm_errors.h"

namespace veltrano::comm {

Wakeup::Wakeup() : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (fd_ < 0) throw EventMaskError(errno);
}

Wakeup::~Wakeup() {
    ::close(fd_);
}

void Wakeup::Signal() {
    // Only fails with EAGAIN when the counter is already huge: still readable.
    ::eventfd_write(fd_, 1);
}

void Wakeup::Clear() {
    eventfd_t value;
    ::eventfd_read(fd_, &value);
}

}  // namespace veltrano::comm
