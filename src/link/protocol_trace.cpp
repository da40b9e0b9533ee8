#include "link/protocol_trace.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace veltrano {

std::string TraceBytes(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 4);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\r') {
            text += "\\r";
        } else if (byte == '\\') {
            // Doubled, so "\x0D" as typed characters cannot pass for a byte.
            text += "\\\\";
        } else if (byte >= 0x20 && byte < 0x7F) {
            text += c;
        } else {
            text += "\\x";
            text += kHex[byte >> 4];
            text += kHex[byte & 0x0F];
        }
    }
    return text;
}

std::string TraceLine(std::int64_t milliseconds, std::string_view direction,
                      std::string_view bytes) {
    std::string stamp = std::to_string(milliseconds);
    // Right-aligned to eight digits (a day) so the columns line up.
    if (stamp.size() < 8) stamp.insert(0, 8 - stamp.size(), ' ');
    std::string line = stamp;
    line += ' ';
    line += direction;
    line += ' ';
    line += TraceBytes(bytes);
    return line;
}

namespace {

std::string OpenFailure(const std::string& path, int error) {
    return "Die Protokolldatei " + path + " kann nicht angelegt werden.\n" + FileErrorCause(error) +
           "\nDie Übertragung wird nicht aufgezeichnet.";
}

std::string WriteFailure(const std::string& path, int error) {
    return "Die Protokolldatei " + path + " kann nicht geschrieben werden.\n" +
           FileErrorCause(error) + "\nDie Aufzeichnung der Übertragung wurde beendet.";
}

// Writes all of text; errno on failure, 0 on success.
int WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return EIO;
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

}  // namespace

ProtocolTrace::ProtocolTrace(std::string path, ErrorReport onError)
    : path_(std::move(path)),
      onError_(std::move(onError)),
      file_(::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)) {
    if (file_.get() < 0) {
        Fail(OpenFailure(path_, errno));
        return;
    }
    writer_ = std::thread([this] { WriterLoop(); });
}

ProtocolTrace::~ProtocolTrace() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    if (writer_.joinable()) writer_.join();
}

void ProtocolTrace::Sent(std::string_view bytes) {
    Add(true, bytes);
}

void ProtocolTrace::Received(std::string_view bytes) {
    Add(false, bytes);
}

void ProtocolTrace::Add(bool sent, std::string_view bytes) {
    {
        std::lock_guard lock(mutex_);
        if (error_ || stop_) return;
        // Stamped under the lock, so the stamps rise with the order of the lines.
        const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start_);
        queue_.push_back({elapsed.count(), sent, std::string(bytes)});
        ++queued_;
    }
    wake_.notify_one();
}

void ProtocolTrace::Flush() {
    std::unique_lock lock(mutex_);
    const std::uint64_t mark = queued_;
    written_.wait(lock, [&] { return done_ >= mark || reported_; });
}

std::optional<std::string> ProtocolTrace::Error() const {
    std::lock_guard lock(mutex_);
    return error_;
}

void ProtocolTrace::Fail(const std::string& text) {
    {
        std::lock_guard lock(mutex_);
        if (error_) return;
        error_ = text;
        queue_.clear();
    }
    if (onError_) onError_(text);
    // Only now: a Flush() that returns has seen the report made.
    {
        std::lock_guard lock(mutex_);
        reported_ = true;
    }
    written_.notify_all();
}

void ProtocolTrace::WriterLoop() {
    std::vector<Entry> batch;
    std::string text;
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [&] { return stop_ || !queue_.empty(); });
            if (queue_.empty()) return;  // stopped, everything written
            batch.swap(queue_);
        }
        text.clear();
        for (const Entry& entry : batch) {
            text += TraceLine(entry.milliseconds, entry.sent ? "TX" : "RX", entry.bytes);
            text += '\n';
        }
        if (const int error = WriteAll(file_.get(), text); error != 0) {
            Fail(WriteFailure(path_, error));
            return;
        }
        {
            std::lock_guard lock(mutex_);
            done_ += batch.size();
        }
        batch.clear();
        written_.notify_all();
    }
}

}  // namespace veltrano
