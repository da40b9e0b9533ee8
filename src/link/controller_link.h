// The Controller's line without a window: the port, the receive handler with
// every decoder, and the read-all and send-all sequences, driven on the
// calling thread. The command-line tool works through it; the window wires
// the same pieces to its own event loop and controls.
#pragma once

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "link/comm_port.h"
#include "link/controller_poll.h"
#include "link/link_state.h"
#include "link/read_all.h"
#include "link/receive_handler.h"
#include "link/send_all_sequence.h"
#include "link/task_queue.h"
#include "link/window_hooks.h"
#include "model/configuration_model.h"

namespace veltrano {

// Where a transfer stands: characters (received for a read, sent for a
// send-all) out of what the whole transfer takes, and the block now under way.
struct TransferProgress {
    int position = 0;
    int maximum = 0;
    std::string block;
};

// "COM1".."COM8" give their port number; anything else is a device path.
// std::nullopt for "COM" with another number.
struct PortChoice {
    int portNum = 1;
    std::string devicePath;  // empty for a port number
};
std::optional<PortChoice> ParsePortChoice(const std::string& text);

class ControllerLink {
  public:
    static constexpr int kPanelCount = 14;

    explicit ControllerLink(ConfigurationModel& model);
    ~ControllerLink();
    ControllerLink(const ControllerLink&) = delete;
    ControllerLink& operator=(const ControllerLink&) = delete;

    // Opens the port at 9600 8N1. Throws ECommError.
    void Open(const PortChoice& port);
    TCommPort& Port() { return port_; }

    // Polls as the window does until the Controller has named its model,
    // firmware and date (and, with liveValues, its time and live values), at
    // most `timeout`; then judges the answers (firmware gate, family).
    PollVerdict Identify(std::chrono::milliseconds timeout, bool liveValues);

    // The whole transfers; each ends complete, incomplete, timed out or
    // with the device lost, never later than its watchdog allows.
    ReadAllResult ReadAll();
    SendAllResult SendAll();

    // Progress of the running transfer.
    std::function<void(const TransferProgress&)> OnProgress;

    const std::string& Panel(int panel) const;
    const SensorTexts& LiveValues() const { return liveValues_; }
    LinkState& State() { return state_; }
    // Characters received since the port was opened.
    long ReceivedTotal() const { return receivedTotal_; }

    // Seams for tests.
    void SetWatchdogTick(std::chrono::milliseconds tick) { tick_ = tick; }
    ReadAllSequence& ReadAllSteps() { return readAll_; }
    SendAllSequence& SendAllSteps() { return sendAll_; }

  private:
    void ConnectHooks();
    void Write(std::string_view bytes);
    void Progress(int position, std::string block);
    void SendStepWritten();

    ConfigurationModel& model_;
    LinkState state_;
    WindowHooks hooks_;
    std::array<std::string, kPanelCount> panels_;
    SensorTexts liveValues_;
    bool liveValuesReported_ = false;
    long receivedTotal_ = 0;
    TransferProgress progress_;
    std::chrono::milliseconds tick_{200};

    ReceiveHandler receiver_;
    ReadAllSequence readAll_;
    SendAllSequence sendAll_;
    // The queue outlives the port: the port's last tasks may still be posted.
    TaskQueue queue_;
    TCommPort port_;
};

}  // namespace veltrano
