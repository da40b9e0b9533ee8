// "PC --> Steuerung": the send-all transfer as the window starts and ends it.
// The blocks, the step order and the acknowledgement watchdog live in
// SendAllSequence; this file does the window's part around them.
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QTabWidget>
#include <QTimer>

#include "app/tquorvan.h"
#include "app/user_dialogs.h"
#include "link/send_all_checks.h"
#include "link/transfer_end.h"

namespace veltrano {
namespace {

constexpr const char* kSendDonePanel = "Senden beendet";
constexpr std::chrono::milliseconds kIdleReceivePause{10};

// How often the watchdog looks; the transfer ends at most this much after its time-out.
constexpr int kWatchdogIntervalMs = 1000;

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void TQuorvan::SetUpSendAll() {
    sendAll_.SetWriteFunction([this](std::string_view bytes) { comm1_->WriteText(bytes); });
    sendAll_.OnFinished = [this](const SendAllResult& result) { SendAllFinished(result); };
    receiver_.RegisterDecoder("stc", [this](const std::string& payload) {
        sendAll_.Acknowledge(payload);
        SendAllStepWritten();
    });
    comm1_->OnOutputDrained = [this] { Guarded([this] { sendAll_.OutputDrained(); }); };

    sendAllWatchdog_ = MakeGuardedTimer("SendAllWatchdog", kWatchdogIntervalMs,
                                        [this] { SendAllWatchdogTimer(); });
}

void TQuorvan::Send_ButtonClick() {
    const SendAllGate gate =
        CheckSendAll(state_, sendAll_.Running(), PanelText(2).toStdString(), readIncomplete_);
    if (gate.refusal == SendAllGate::Refusal::DateNotDecoded)
        dialogs_->ShowMessage(QString::fromStdString(gate.message));
    // Without a link or during a transfer the button is not offered at all.
    if (!gate.Allowed()) return;
    for (const std::string& question : gate.questions) {
        if (!dialogs_->AskYesNo(QString::fromStdString(question))) return;
    }
    state_.OverwriteConfirmed = true;

    BeginTransferControls(SendProgressMaximum(state_.Identity));
    SetPanelText(5, QString());

    // Watching first: should a write fail, the transfer still ends.
    sendAllWatchdog_->start();
    // Prepares the motor list, sets SendInProgress, zeroes both counters and
    // writes the erase record.
    sendAll_.Start();
    ApplyReceivePace();
    SendAllStepWritten();
}

void TQuorvan::ApplyReceivePace() {
    // Acknowledgements arrive only while a send-all runs, and the next block
    // waits for each: then every character is looked at as it comes. Polling
    // answers may gather for a few milliseconds, which spares the laptop's
    // processor most of its wakes.
    comm1_->SetReceivePause(state_.SendInProgress ? std::chrono::milliseconds(0)
                                                  : kIdleReceivePause);
}

void TQuorvan::SendAllStepWritten() {
    // A closed or lost port holds nothing back and will never report its
    // queue drained: the acknowledgement is due from now on.
    if (sendAll_.AwaitingDrain() && !comm1_->IsOpen()) sendAll_.OutputDrained();
}

void TQuorvan::SendAllWatchdogTimer() {
    sendAll_.CheckAckTimeout();
}

void TQuorvan::SendAllFinished(const SendAllResult& result) {
    sendAllWatchdog_->stop();
    ApplyReceivePace();
    EndTransferControls();

    switch (result.end) {
        case SendAllEnd::TimedOut:
            dialogs_->ShowError(FromView(SendAllSequence::kTimeoutMessage));
            return;
        case SendAllEnd::OutputStalled:
            dialogs_->ShowError(FromView(kStalledMessage));
            return;
        case SendAllEnd::DeviceLost:
            // Reported from the port's handler: the box waits until it returned.
            ShowErrorLater(FromView(kConnectionLostMessage));
            return;
        case SendAllEnd::WriteFailed:
            return;  // the error itself is shown
        case SendAllEnd::Completed:
            break;
    }
    // A transfer without an error text says that it ended, until the next
    // text replaces it.
    if (PanelText(5).isEmpty()) SetPanelText(5, kSendDonePanel);
    // The last acknowledgement ends the transfer inside the receive handler:
    // the box waits until it returned.
    const std::string message =
        SendAllEndMessage(result, [this](int motor) { return model_.motorName(motor); });
    if (message.empty()) return;
    if (result.refused.empty())
        ShowInformationLater(QString::fromStdString(message));
    else
        ShowErrorLater(QString::fromStdString(message));
}

}  // namespace veltrano
