#include "fault_injector.h"

#include <algorithm>

namespace veltrano::sim {

std::uint64_t SeededRandom::Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

FaultInjector::FaultInjector(FaultOptions options) : options_(options), random_(options.seed) {}

std::string FaultInjector::Garbage() {
    // Printable noise only: never a flow-control byte.
    static constexpr char kNoise[] = "abcxyz0123456789,.;:-+#*_ \r";
    switch (random_.Below(4)) {
        case 0: {
            std::string noise;
            const int length = 1 + random_.Below(6);
            for (int i = 0; i < length; ++i)
                noise += kNoise[random_.Below(sizeof kNoise - 1)];
            return noise;
        }
        case 1:
            return std::string(kFrameEnd);  // a stray end marker
        case 2:
            return std::string(kFrameStart) + "sk";  // a start marker never closed
        default:
            return {};
    }
}

std::vector<std::string> FaultInjector::Render(OutgoingFrame frame) {
    ++frames_;
    if (frame.hasChecksum) {
        ++dataFrames_;
        if (options_.badChecksumEvery > 0 && dataFrames_ % options_.badChecksumEvery == 0)
            frame.numbers.back() += 1;
    }
    lastSent_ = !(options_.dropEvery > 0 && frames_ % options_.dropEvery == 0);
    if (!lastSent_) return {};

    std::string bytes = RenderFrame(frame);
    if (options_.garbage) bytes = Garbage() + bytes;
    if (!options_.split) return {bytes};

    std::vector<std::string> pieces;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = std::min<std::size_t>(1 + random_.Below(7), bytes.size() - at);
        pieces.push_back(bytes.substr(at, length));
        at += length;
    }
    return pieces;
}

}  // namespace veltrano::sim
