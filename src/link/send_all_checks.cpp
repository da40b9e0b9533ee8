#include "link/send_all_checks.h"

namespace veltrano {

SendAllGate CheckSendAll(const LinkState& state, bool transferRunning, std::string_view dateText,
                         bool readIncomplete) {
    SendAllGate gate;
    using Refusal = SendAllGate::Refusal;
    if (state.LinkDown) {
        gate.refusal = Refusal::NoLink;
        gate.message = kNoLinkMessage;
        return gate;
    }
    // A second start would interleave its blocks with the running transfer.
    if (transferRunning || state.SendInProgress || state.ReadAllInProgress) {
        gate.refusal = Refusal::TransferRunning;
        return gate;
    }
    if (dateText == kDateNotDecoded) {
        gate.refusal = Refusal::DateNotDecoded;
        gate.message = kDcf77Message;
        return gate;
    }
    if (readIncomplete) gate.questions.emplace_back(kIncompleteSendQuestion);
    if (!state.OverwriteConfirmed) gate.questions.emplace_back(kOverwriteQuestion);
    return gate;
}

}  // namespace veltrano
