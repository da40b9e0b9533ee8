#include "progress_display.h"

#include <algorithm>

namespace veltrano::cli {
namespace {

constexpr int kBarWidth = 24;
constexpr int kCharactersPerSecond = 960;

}  // namespace

std::string ProgressLine(const std::string& verb, const TransferProgress& progress) {
    const int maximum = std::max(progress.maximum, 1);
    const int position = std::clamp(progress.position, 0, maximum);
    const int filled = position * kBarWidth / maximum;
    const int secondsLeft = (maximum - position + kCharactersPerSecond - 1) / kCharactersPerSecond;
    return verb + " [" + std::string(static_cast<std::size_t>(filled), '#') +
           std::string(static_cast<std::size_t>(kBarWidth - filled), '-') + "] " +
           std::to_string(position) + "/" + std::to_string(maximum) + " Zeichen, noch " +
           std::to_string(secondsLeft) + " s  " + progress.block;
}

ProgressDisplay::ProgressDisplay(std::FILE* out, bool terminal, std::string verb)
    : out_(out), terminal_(terminal), verb_(std::move(verb)) {}

void ProgressDisplay::Show(const TransferProgress& progress) {
    if (terminal_) {
        // Clear to the end of the line: the block caption may get shorter.
        std::fprintf(out_, "\r%s\033[K", ProgressLine(verb_, progress).c_str());
        std::fflush(out_);
        drawn_ = true;
        return;
    }
    if (progress.block.empty() || progress.block == lastBlock_) return;
    lastBlock_ = progress.block;
    std::fprintf(out_, "%s: %s\n", verb_.c_str(), progress.block.c_str());
}

void ProgressDisplay::Finish() {
    if (terminal_ && drawn_) std::fputc('\n', out_);
    drawn_ = false;
}

}  // namespace veltrano::cli
