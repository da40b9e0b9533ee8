#include "link/receive_handler.h"

#include <vector>

#include "link/payload_error.h"
#include "link/status_frames.h"
#include "model/cp1252.h"

namespace veltrano {

ReceiveHandler::ReceiveHandler(LinkState& state, const WindowHooks& hooks)
    : state_(state), hooks_(hooks) {}

void ReceiveHandler::RegisterDecoder(const std::string& tag, Decoder decoder) {
    decoders_[tag] = std::move(decoder);
}

ReceiveHandler::Decoder ReceiveHandler::DecoderFor(const std::string& tag) const {
    const auto it = decoders_.find(tag);
    return it != decoders_.end() ? it->second : Decoder();
}

void ReceiveHandler::OnReceive(std::string_view bytes) {
    currentTag_.clear();
    std::vector<std::string> acknowledgements;
    for (ReceivedFrame& frame : extractor_.Feed(bytes)) {
        if (frame.kind == ReceivedFrame::Kind::StrayMarker) {
            hooks_.Panel(13, " del " + currentPayload_);
            continue;
        }
        currentTag_ = Cp1252ToUtf8(frame.tag);
        currentPayload_ = Cp1252ToUtf8(frame.payload);
        hooks_.Panel(13, currentTag_ + "  " + currentPayload_);
        if (currentTag_ == "stc") {
            acknowledgements.push_back(currentPayload_);
            continue;
        }
        try {
            Dispatch(currentTag_, currentPayload_);
        } catch (const PayloadError&) {
            // The frame is lost, the rest of the event goes on.
            hooks_.Panel(5, "Datenfehler " + currentTag_);
        }
    }

    state_.RxCount += static_cast<int>(bytes.size());
    hooks_.Panel(11, "R " + std::to_string(state_.RxCount));
    if (state_.ReadAllInProgress) WindowHooks::Call(hooks_.SetProgressPosition, state_.RxCount);
    hooks_.Panel(12, "T " + std::to_string(state_.TxCount));

    for (const std::string& payload : acknowledgements) {
        try {
            Dispatch("stc", payload);
        } catch (const PayloadError&) {
            hooks_.Panel(5, "Datenfehler stc");
        }
    }
}

void ReceiveHandler::Dispatch(const std::string& tag, const std::string& payload) {
    if (tag == "smo") return DecodeModelFrame(payload, hooks_);
    if (tag == "sfi") return DecodeFirmwareFrame(payload, state_, hooks_);
    if (tag == "sdt") return DecodeDateFrame(payload, hooks_);
    if (tag == "sti") return DecodeTimeFrame(payload, hooks_);
    if (tag == "skd") return DecodeSensorFrame(payload, state_, hooks_);
    const auto it = decoders_.find(tag);
    if (it != decoders_.end() && it->second) it->second(payload);
    // Any other tag was shown in panel 13 and is otherwise ignored.
}

}  // namespace veltrano
