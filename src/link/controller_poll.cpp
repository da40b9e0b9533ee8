#include "link/controller_poll.h"

namespace veltrano {

PollVerdict JudgePoll(std::string_view modelText, int firmwareVersion) {
    PollVerdict verdict;
    if (modelText == kNoConnectionText) return verdict;
    if (auto rejection = FirmwareRejection(firmwareVersion)) {
        verdict.kind = PollVerdict::Kind::Rejected;
        verdict.rejection = std::move(*rejection);
        return verdict;
    }
    verdict.kind = PollVerdict::Kind::Linked;
    verdict.identity = IdentifyController(modelText);
    return verdict;
}

}  // namespace veltrano
