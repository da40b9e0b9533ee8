#include "link/frame_extractor.h"

namespace veltrano {
namespace {
constexpr std::string_view kStart = "start_";
constexpr std::string_view kEnd = "ende_";
constexpr std::size_t kHeader = kStart.size() + 3;  // "start_" + tag
}  // namespace

bool CompletesAFrame(std::string_view pending) {
    if (pending.find(kEnd) != std::string_view::npos) return true;
    for (std::size_t cut = 1; cut < kEnd.size(); ++cut) {
        if (pending.starts_with(kEnd.substr(cut))) return true;
    }
    return false;
}

std::vector<ReceivedFrame> FrameExtractor::Feed(std::string_view chars) {
    buffer_.append(chars);
    std::vector<ReceivedFrame> frames;
    for (;;) {
        const std::size_t e = buffer_.find(kEnd);
        if (e == std::string::npos) break;
        const std::size_t s = buffer_.rfind(kStart, e);
        if (s == std::string::npos || e < s + kHeader) {
            // An end marker left over from a broken frame: drop it with all
            // that precedes it, and nothing of what follows.
            ReceivedFrame stray;
            stray.kind = ReceivedFrame::Kind::StrayMarker;
            frames.push_back(std::move(stray));
            buffer_.erase(0, e + kEnd.size());
            continue;
        }
        // The frame starts at the last start marker before its end marker: an
        // earlier start marker that never closed is not part of it.
        ReceivedFrame frame;
        frame.tag = buffer_.substr(s + kStart.size(), 3);
        frame.payload = buffer_.substr(s + kHeader, e - s - kHeader);
        frames.push_back(std::move(frame));
        buffer_.erase(0, e + kEnd.size());
    }
    DropUnusable();
    return frames;
}

void FrameExtractor::DropUnusable() {
    const std::size_t s = buffer_.rfind(kStart);
    if (s != std::string::npos) {
        // Only the last unclosed frame can still complete.
        buffer_.erase(0, s);
        if (buffer_.size() > kMaxUnclosedFrame)
            buffer_.erase(0, buffer_.size() - (kStart.size() - 1));
        return;
    }
    // No start marker: keep only what could be the beginning of a marker.
    const std::size_t keep = kStart.size() - 1;
    if (buffer_.size() > keep) buffer_.erase(0, buffer_.size() - keep);
}

}  // namespace veltrano
