// The transmit side of the simulated line: a queue of write pieces let out
// at the pace of the real line, 960 characters per second (9600 baud, 10
// bits a character). Each byte has a deadline counted from the start of its
// burst, so a long transfer does not drift however late the writer wakes.
// XOFF from the other side pauses it; XON resumes it.
#pragma once

#include <chrono>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltrano::sim {

class PacedSender {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr int kLineCharsPerSecond = 960;

    // fast: no pacing. pieceGap: a pause after every piece, so that pieces
    // of a split frame reach the reader in separate reads.
    explicit PacedSender(bool fast, Clock::duration pieceGap = Clock::duration::zero(),
                         int charsPerSecond = kLineCharsPerSecond);

    void Enqueue(std::vector<std::string> pieces, Clock::time_point now);
    bool Empty() const { return pieces_.empty(); }
    std::size_t QueuedBytes() const;
    // Drops everything queued (nobody listens, or the cable was pulled).
    void Clear();

    void Pause() { paused_ = true; }
    void Resume(Clock::time_point now);
    bool Paused() const { return paused_; }

    // The bytes that may be written now: never beyond the current piece.
    std::string_view Due(Clock::time_point now) const;
    // n bytes of Due() went out.
    void Written(std::size_t n, Clock::time_point now);
    // Time until the next byte may go; std::nullopt when nothing is queued or
    // the line is paused.
    std::optional<Clock::duration> Wait(Clock::time_point now) const;

  private:
    Clock::time_point Deadline(long long byteInBurst) const;

    bool fast_;
    Clock::duration pieceGap_;
    int charsPerSecond_;
    std::deque<std::string> pieces_;
    std::size_t offset_ = 0;  // bytes of the front piece already written
    Clock::time_point burstStart_{};
    long long burstBytes_ = 0;
    Clock::time_point nextPieceAt_{};
    bool paused_ = false;
};

// The other side's terminal signals its flow control in the byte stream:
// XOFF (0x13) pauses the sender, XON (0x11) resumes it. Returns the other
// bytes, which are input.
std::string TakeFlowControl(std::string_view bytes, PacedSender& sender,
                            PacedSender::Clock::time_point now);

}  // namespace veltrano::sim
