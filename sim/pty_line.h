// The simulated serial line: a pseudo-terminal in raw mode (no echo, no
// CR/LF translation, 8-bit clean, no flow control of its own) whose slave
// is published as a symbolic link, e.g. COM1 in the working folder. The
// terminal is never locked, so the program can open it like a serial port.
// The link is removed again when the line is destroyed.
#pragma once

#include <string>

namespace veltrano::sim {

class PtyLine {
  public:
    // Throws std::runtime_error when no terminal can be had or the link
    // cannot be made. An existing symbolic link at linkPath (left by an
    // earlier run) is replaced; anything else there is left alone and
    // reported.
    explicit PtyLine(std::string linkPath);
    ~PtyLine();
    PtyLine(const PtyLine&) = delete;
    PtyLine& operator=(const PtyLine&) = delete;

    // Non-blocking, close-on-exec.
    int MasterFd() const { return master_; }
    const std::string& SlavePath() const { return slavePath_; }
    const std::string& LinkPath() const { return linkPath_; }

  private:
    int master_ = -1;
    std::string slavePath_;
    std::string linkPath_;
};

}  // namespace veltrano::sim
