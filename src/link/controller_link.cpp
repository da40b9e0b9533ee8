#include "link/controller_link.h"

#include <cctype>

#include "link/block_decoders.h"
#include "link/frame_extractor.h"
#include "link/send_all_steps.h"
#include "link/transfer_end.h"

namespace veltrano {
namespace {

// How often the polling requests go out while waiting for the answers.
constexpr std::chrono::milliseconds kPollInterval{900};
// Characters that arrive at the line's pace go to the decoders a frame at a time.
constexpr std::chrono::milliseconds kReceiveBatchDelay{20};
// Between looks at a line that brings a frame character by character, as the
// window does while no send-all waits for acknowledgements.
constexpr std::chrono::milliseconds kReceivePause{10};

std::string WithoutPrefix(const std::string& text, std::string_view prefix) {
    if (text.rfind(prefix, 0) != 0) return text;
    std::string rest = text.substr(prefix.size());
    const auto first = rest.find_first_not_of(' ');
    const auto last = rest.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : rest.substr(first, last - first + 1);
}

}  // namespace

std::optional<PortChoice> ParsePortChoice(const std::string& text) {
    if (text.size() == 4 && text.rfind("COM", 0) == 0 && text[3] >= '1' && text[3] <= '8')
        return PortChoice{text[3] - '0', {}};
    if (text.empty() || text.rfind("COM", 0) == 0) return std::nullopt;
    return PortChoice{1, text};
}

ControllerLink::ControllerLink(ConfigurationModel& model)
    : model_(model),
      receiver_(state_, hooks_),
      readAll_(state_, model_),
      sendAll_(model_, state_, hooks_, [this](std::string_view bytes) { Write(bytes); }),
      port_(queue_.Dispatcher()) {
    panels_[0] = kNoConnectionText;
    ConnectHooks();
    RegisterBlockDecoders(receiver_, model_, state_, hooks_, readAll_);
    receiver_.RegisterDecoder("stc", [this](const std::string& payload) {
        sendAll_.Acknowledge(payload);
        SendStepWritten();
    });
    readAll_.WriteText = [this](std::string_view bytes) { Write(bytes); };

    port_.SetReceiveBatching(CompletesAFrame, kReceiveBatchDelay);
    port_.SetReceivePause(kReceivePause);
    port_.OnRxChar = [this](int) {
        const std::string bytes = port_.ReadText();
        receivedTotal_ += static_cast<long>(bytes.size());
        receiver_.OnReceive(bytes);
    };
    port_.OnError = [this](unsigned errors) {
        if (errors & CE_DEVICE_LOST) EndTransfersOnLostDevice(readAll_, sendAll_);
    };
    port_.OnOutputDrained = [this] { sendAll_.OutputDrained(); };
}

ControllerLink::~ControllerLink() {
    // The port's threads stop before the state they report into goes.
    port_.Close();
}

void ControllerLink::ConnectHooks() {
    hooks_.SetPanelText = [this](int panel, const std::string& text) {
        if (panel >= 0 && panel < kPanelCount) panels_[static_cast<std::size_t>(panel)] = text;
        if (panel == 6 && state_.ReadAllInProgress) Progress(progress_.position, text);
    };
    hooks_.PanelText = [this](int panel) { return Panel(panel); };
    hooks_.ShowSensorTexts = [this](const SensorTexts& texts) {
        liveValues_ = texts;
        liveValuesReported_ = true;
    };
    hooks_.SetProgressPosition = [this](int position) { Progress(position, progress_.block); };
    hooks_.SetMotorListRow6 = [this](const std::string& text) {
        Progress(progress_.position, WithoutPrefix(text, SendAllSequence::kSendingRow));
    };
}

const std::string& ControllerLink::Panel(int panel) const {
    static const std::string kNone;
    if (panel < 0 || panel >= kPanelCount) return kNone;
    return panels_[static_cast<std::size_t>(panel)];
}

void ControllerLink::Open(const PortChoice& port) {
    port_.Close();
    port_.SetDevicePath(port.devicePath);
    port_.SetPortNum(port.portNum);
    port_.SetBaudrate(9600);
    port_.SetDatabits(8);
    port_.SetParity('N');
    port_.SetStopbits(1);
    port_.Open();
}

void ControllerLink::Write(std::string_view bytes) {
    port_.WriteText(bytes);
}

void ControllerLink::Progress(int position, std::string block) {
    if (position == progress_.position && block == progress_.block) return;
    progress_.position = position;
    progress_.block = std::move(block);
    if (OnProgress) OnProgress(progress_);
}

PollVerdict ControllerLink::Identify(std::chrono::milliseconds timeout, bool liveValues) {
    panels_[0] = kNoConnectionText;
    panels_[1].clear();
    panels_[2].clear();
    panels_[3].clear();
    liveValuesReported_ = false;
    const auto answered = [&] {
        const bool named =
            panels_[0] != kNoConnectionText && !panels_[1].empty() && !panels_[2].empty();
        return named && (!liveValues || (!panels_[3].empty() && liveValuesReported_));
    };
    const auto poll = [this] {
        // Output still waiting (XOFF held): polls would only pile up behind it.
        if (port_.OutputPending()) return;
        Write(kPollRequests);
        state_.TxCount += kPollTally;
    };
    poll();
    const auto deadline = TaskQueue::Clock::now() + timeout;
    if (!queue_.RunUntil(answered, deadline, kPollInterval, poll)) {
        state_.LinkDown = true;
        return PollVerdict{};
    }
    PollVerdict verdict = JudgePoll(panels_[0], state_.FirmwareVersion);
    if (verdict.kind == PollVerdict::Kind::Linked) {
        state_.Identity = verdict.identity;
        state_.LinkDown = false;
    }
    return verdict;
}

ReadAllResult ControllerLink::ReadAll() {
    std::optional<ReadAllResult> result;
    readAll_.OnCompleted = [&](const ReadAllResult& r) { result = r; };
    readAll_.OnAbandoned = [&](ReadAllEnd why) { result = ReadAllResult{why, {}, 0}; };
    progress_ = TransferProgress{0, ReadAllProgressMaximum(state_.Identity), {}};
    readAll_.Start(state_.Identity);
    // The watchdog ends a read the Controller no longer answers; a lost
    // device ends it at once.
    queue_.RunUntil([&] { return result.has_value(); }, TaskQueue::Clock::time_point::max(), tick_,
                    [this] { readAll_.CheckWatchdog(); });
    readAll_.OnCompleted = nullptr;
    readAll_.OnAbandoned = nullptr;
    return *result;
}

void ControllerLink::SendStepWritten() {
    // A closed or lost port holds nothing back and will never report its
    // queue drained: the acknowledgement is due from now on.
    if (sendAll_.AwaitingDrain() && !port_.IsOpen()) sendAll_.OutputDrained();
}

SendAllResult ControllerLink::SendAll() {
    std::optional<SendAllResult> result;
    sendAll_.OnFinished = [&](const SendAllResult& r) { result = r; };
    progress_ = TransferProgress{0, SendProgressMaximum(state_.Identity), {}};
    port_.SetReceivePause(std::chrono::milliseconds(0));
    sendAll_.Start();
    SendStepWritten();
    queue_.RunUntil([&] { return result.has_value(); }, TaskQueue::Clock::time_point::max(), tick_,
                    [this] { sendAll_.CheckAckTimeout(); });
    sendAll_.OnFinished = nullptr;
    return *result;
}

}  // namespace veltrano
