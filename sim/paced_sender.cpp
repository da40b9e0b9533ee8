#include "paced_sender.h"

#include <algorithm>

namespace veltrano::sim {

PacedSender::PacedSender(bool fast, Clock::duration pieceGap, int charsPerSecond)
    : fast_(fast), pieceGap_(pieceGap), charsPerSecond_(charsPerSecond) {}

PacedSender::Clock::time_point PacedSender::Deadline(long long byteInBurst) const {
    // Rounded up, so that a byte is due at its deadline and not a moment later.
    const auto ns = std::chrono::nanoseconds((byteInBurst * 1000000000LL + charsPerSecond_ - 1) /
                                             charsPerSecond_);
    return burstStart_ + std::chrono::duration_cast<Clock::duration>(ns);
}

void PacedSender::Enqueue(std::vector<std::string> pieces, Clock::time_point now) {
    // A line that has been idle starts a new burst now; a busy one keeps its
    // deadlines.
    if (pieces_.empty() && Deadline(burstBytes_) <= now) {
        burstStart_ = now;
        burstBytes_ = 0;
    }
    for (std::string& piece : pieces)
        if (!piece.empty()) pieces_.push_back(std::move(piece));
}

std::size_t PacedSender::QueuedBytes() const {
    std::size_t total = 0;
    for (const std::string& piece : pieces_)
        total += piece.size();
    return total - offset_;
}

void PacedSender::Clear() {
    pieces_.clear();
    offset_ = 0;
    paused_ = false;
}

void PacedSender::Resume(Clock::time_point now) {
    if (!paused_) return;
    paused_ = false;
    // No catch-up burst for the time spent stopped.
    burstStart_ = now;
    burstBytes_ = 0;
}

std::string_view PacedSender::Due(Clock::time_point now) const {
    if (pieces_.empty() || paused_ || now < nextPieceAt_) return {};
    std::string_view rest = std::string_view(pieces_.front()).substr(offset_);
    if (fast_) return rest;
    const long long elapsedNs =
        std::chrono::duration_cast<std::chrono::nanoseconds>(now - burstStart_).count();
    const long long allowed = elapsedNs * charsPerSecond_ / 1000000000LL + 1 - burstBytes_;
    if (allowed <= 0) return {};
    return rest.substr(0, static_cast<std::size_t>(std::min<long long>(allowed, rest.size())));
}

void PacedSender::Written(std::size_t n, Clock::time_point now) {
    if (pieces_.empty()) return;
    burstBytes_ += static_cast<long long>(n);
    offset_ += n;
    if (offset_ >= pieces_.front().size()) {
        pieces_.pop_front();
        offset_ = 0;
        if (pieceGap_ > Clock::duration::zero()) nextPieceAt_ = now + pieceGap_;
    }
}

std::optional<PacedSender::Clock::duration> PacedSender::Wait(Clock::time_point now) const {
    if (pieces_.empty() || paused_) return std::nullopt;
    Clock::time_point ready = nextPieceAt_;
    if (!fast_) ready = std::max(ready, Deadline(burstBytes_));
    return ready > now ? ready - now : Clock::duration::zero();
}

std::string TakeFlowControl(std::string_view bytes, PacedSender& sender,
                            PacedSender::Clock::time_point now) {
    std::string input;
    for (char c : bytes) {
        if (c == '\x13')
            sender.Pause();
        else if (c == '\x11')
            sender.Resume(now);
        else
            input += c;
    }
    return input;
}

}  // namespace veltrano::sim
