// A wake-up signal a worker thread can wait for in poll() next to the device.
#pragma once

namespace veltrano::comm {

class Wakeup {
  public:
    // Throws " Error setting EventMask" when the kernel refuses an eventfd.
    Wakeup();
    ~Wakeup();
    Wakeup(const Wakeup&) = delete;
    Wakeup& operator=(const Wakeup&) = delete;

    int fd() const { return fd_; }
    // Makes fd() readable until Clear(); any thread, never blocks.
    void Signal();
    void Clear();

  private:
    int fd_ = -1;
};

}  // namespace veltrano::comm
