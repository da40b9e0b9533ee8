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

namespace veltrano {
namespace {

// The date the Controller shows until its radio clock is decoded.
constexpr const char* kDateNotDecoded = "01.01.00";
constexpr const char* kDcf77Message =
    "Bitte warten Sie, bis das Funk-Zeitsignal (DCF77) entschlüsselt wurde. Erst wenn Datum und "
    "Uhrzeit richtig angezeigt werden, ist es möglich, die Daten zur Steuerung zu senden.";
constexpr const char* kOverwriteQuestion =
    "Alle Daten in der Steuerung werden überschrieben. Fortfahren?";
constexpr const char* kStalledMessage =
    "Die Steuerung nimmt keine Daten an (XOFF).\n\n"
    "Die Übertragung wurde abgebrochen; die Konfiguration in der Steuerung ist möglicherweise "
    "unvollständig. Bitte prüfen Sie die Verbindung und wiederholen Sie die Übertragung "
    "(PC --> Steuerung).";

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
    if (state_.LinkDown) return;
    // The buttons are disabled during either transfer; a second start would
    // interleave its blocks with the running one.
    if (sendAll_.Running() || state_.ReadAllInProgress) return;

    if (PanelText(2) == kDateNotDecoded) {
        dialogs_->ShowMessage(kDcf77Message);
        return;
    }
    if (readIncomplete_ && !dialogs_->AskYesNo(kIncompleteSendQuestion)) return;
    if (!state_.OverwriteConfirmed) {
        if (dialogs_->AskYesNo(kOverwriteQuestion)) state_.OverwriteConfirmed = true;
        if (!state_.OverwriteConfirmed) return;
    }

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
            ShowErrorLater(kConnectionLostMessage);
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
