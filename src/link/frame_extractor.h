// Cuts "start_" + tag + payload + "ende_" frames out of the received
// character stream. Every complete frame of one receive event is returned,
// in order; what cannot belong to a frame is dropped so the buffer stays small.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace veltrano {

struct ReceivedFrame {
    enum class Kind {
        Frame,       // tag and payload are set
        StrayMarker  // an end marker without a start marker was dropped
    };
    Kind kind = Kind::Frame;
    std::string tag;
    std::string payload;
};

// Whether characters not yet handed to the receive handler complete a frame:
// they hold an end marker, or begin with the rest of one that was split at
// the previous hand-over. The port hands such characters over at once and
// lets others wait briefly for more.
bool CompletesAFrame(std::string_view pending);

class FrameExtractor {
  public:
    // An unclosed frame longer than this is garbage: no Controller frame comes near it.
    static constexpr std::size_t kMaxUnclosedFrame = 4096;

    // Appends the characters and returns every complete frame now in the buffer.
    std::vector<ReceivedFrame> Feed(std::string_view chars);

    const std::string& Buffer() const { return buffer_; }

  private:
    void DropUnusable();

    std::string buffer_;
};

}  // namespace veltrano
