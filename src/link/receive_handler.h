// The receive handler: runs once per receive event of the port, cuts out
// every complete frame and dispatches it on its tag.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "link/frame_extractor.h"
#include "link/link_state.h"
#include "link/window_hooks.h"

namespace veltrano {

class ReceiveHandler {
  public:
    // Decodes one frame's payload (UTF-8). May throw PayloadError.
    using Decoder = std::function<void(const std::string& payload)>;

    ReceiveHandler(LinkState& state, const WindowHooks& hooks);

    // Decoders of the configuration blocks, the logbook and the send-all
    // acknowledgement ("stc", which runs after the event's counters).
    void RegisterDecoder(const std::string& tag, Decoder decoder);
    // The decoder registered for tag (empty when none), so a later one can
    // take over some of its frames and hand it the rest.
    Decoder DecoderFor(const std::string& tag) const;

    // One receive event: the bytes read from the port (Windows-1252).
    void OnReceive(std::string_view bytes);

    const std::string& CurrentTag() const { return currentTag_; }
    const std::string& CurrentPayload() const { return currentPayload_; }
    const FrameExtractor& Extractor() const { return extractor_; }

  private:
    void Dispatch(const std::string& tag, const std::string& payload);

    LinkState& state_;
    const WindowHooks& hooks_;
    FrameExtractor extractor_;
    std::map<std::string, Decoder, std::less<>> decoders_;
    std::string currentTag_;
    std::string currentPayload_;
};

}  // namespace veltrano
