// Files on disk: an owned descriptor and the German cause of a failed call.
#pragma once

#include <string>

namespace veltrano {

// Owns one file descriptor.
class UniqueFd {
  public:
    explicit UniqueFd(int fd = -1) : fd_(fd) {}
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd();
    int get() const { return fd_; }
    // Closes now and reports the result (a delayed write error shows here).
    int close();

  private:
    int fd_;
};

// A short German sentence for the user naming why a file operation failed.
std::string FileErrorCause(int error);

}  // namespace veltrano
