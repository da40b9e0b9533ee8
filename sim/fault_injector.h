// Faults on demand for tests of the program's receive side: a wrong
// checksum in every Nth data frame, every Nth frame dropped, stray bytes
// between frames, frames cut into small write pieces. The random choices
// come from a seeded generator of its own, so a seed reproduces a run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "wire_frames.h"

namespace veltrano::sim {

struct FaultOptions {
    int badChecksumEvery = 0;  // 0: off
    int dropEvery = 0;         // 0: off
    bool garbage = false;
    bool split = false;
    std::uint64_t seed = 1;
};

// A small generator with a fixed algorithm (splitmix64), the same on every
// platform and library.
class SeededRandom {
  public:
    explicit SeededRandom(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next();
    // Uniform enough for faults: 0 .. bound - 1.
    int Below(int bound) { return static_cast<int>(Next() % static_cast<std::uint64_t>(bound)); }

  private:
    std::uint64_t state_;
};

class FaultInjector {
  public:
    explicit FaultInjector(FaultOptions options);

    // Renders one frame with the faults that fall on it, as write pieces
    // (several when splitting; none when the frame is dropped).
    std::vector<std::string> Render(OutgoingFrame frame);

    // False when the last rendered frame was dropped.
    bool LastWasSent() const { return lastSent_; }

  private:
    std::string Garbage();

    FaultOptions options_;
    SeededRandom random_;
    long long frames_ = 0;
    long long dataFrames_ = 0;
    bool lastSent_ = true;
};

}  // namespace veltrano::sim
