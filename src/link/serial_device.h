// One opened serial device: descriptor, advisory lock, exclusive mode and the
// settings it had before, all given back by the destructor.
#pragma once

#include <termios.h>

#include <memory>
#include <optional>
#include <string>

#include "link/serial_settings.h"

namespace veltrano::comm {

class SerialDevice {
  public:
    // Opens path (non-blocking, no controlling terminal), locks it against
    // other programs, makes it exclusive, applies line, flushes both queues
    // and drops DTR and RTS where the device has modem lines.
    // Throws ECommError with the text for deviceName; nothing stays open then.
    static std::unique_ptr<SerialDevice> Open(const std::string& path,
                                              const std::string& deviceName,
                                              const LineSettings& line);

    // Discards unsent output, releases exclusive mode, restores the original
    // settings, unlocks and closes.
    ~SerialDevice();
    SerialDevice(const SerialDevice&) = delete;
    SerialDevice& operator=(const SerialDevice&) = delete;

    int fd() const { return fd_; }

    // Applies new line settings to the open device; throws "Error writing dcb".
    void Apply(const LineSettings& line);

  private:
    explicit SerialDevice(int fd) : fd_(fd) {}
    void Lock(const std::string& deviceName);
    void SaveSettings();
    void MakeExclusive(const std::string& deviceName);
    void FlushQueues();
    void DropModemLines();

    int fd_ = -1;
    bool locked_ = false;
    bool exclusive_ = false;
    std::optional<termios> original_;
};

}  // namespace veltrano::comm
