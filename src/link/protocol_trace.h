// A record of every byte that goes over the line, for a support team: one
// text line per write and per receive event,
//
//     <milliseconds since the trace started> TX|RX <bytes>
//
// "TX" = sent by the program, "RX" = received from the Controller. The bytes
// are shown readably: printable ASCII as it is, a backslash as "\\", CR as
// "\r", every other byte (line feed, control characters, Windows-1252 bytes
// 0x80..0xFF) as "\xNN". The file itself is ASCII with LF line ends.
//
// A background thread writes the lines, so a caller never waits on the disk.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "model/file_errors.h"

namespace veltrano {

// The readable form of wire bytes (see above).
std::string TraceBytes(std::string_view bytes);
// One line of the trace, without its line end: "<ms> <direction> <bytes>".
std::string TraceLine(std::int64_t milliseconds, std::string_view direction,
                      std::string_view bytes);

class ProtocolTrace {
  public:
    // Gets the German text of the first failure; called once at most: from
    // the constructor when the file cannot be opened, otherwise from the
    // writer thread.
    using ErrorReport = std::function<void(const std::string& text)>;

    // Creates or empties the file. On failure the trace does nothing more.
    explicit ProtocolTrace(std::string path, ErrorReport onError = {});
    // Writes everything queued, then ends the writer thread.
    ~ProtocolTrace();
    ProtocolTrace(const ProtocolTrace&) = delete;
    ProtocolTrace& operator=(const ProtocolTrace&) = delete;

    // Callable from any thread; the lines keep the order of the calls.
    void Sent(std::string_view bytes);
    void Received(std::string_view bytes);

    // Waits until every line queued before the call is written, or the
    // trace failed and the failure was reported.
    void Flush();
    // The text of the failure, if the file could not be opened or written.
    std::optional<std::string> Error() const;
    const std::string& Path() const { return path_; }

  private:
    struct Entry {
        std::int64_t milliseconds;
        bool sent;
        std::string bytes;
    };

    void Add(bool sent, std::string_view bytes);
    void WriterLoop();
    // Records the first failure and reports it; later ones are dropped.
    void Fail(const std::string& text);

    const std::string path_;
    const ErrorReport onError_;
    const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    UniqueFd file_;  // written by the writer thread only

    mutable std::mutex mutex_;
    std::condition_variable wake_;     // new entries or stop
    std::condition_variable written_;  // the writer finished a batch
    std::vector<Entry> queue_;
    std::uint64_t queued_ = 0;  // entries ever queued
    std::uint64_t done_ = 0;    // entries ever written (or dropped after a failure)
    bool stop_ = false;
    std::optional<std::string> error_;
    bool reported_ = false;  // the failure was handed to onError_
    std::thread writer_;
};

}  // namespace veltrano
