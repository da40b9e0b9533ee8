// "PC --> Steuerung": the step machine that writes the configuration into
// the Controller, one block per acknowledgement ("stc").
//
// The window checks the link, the date and the overwrite confirmation,
// disables its controls, shows the progress bar and calls Start(). Every
// "stc" frame goes to Acknowledge(), which writes the next block. When the
// transfer ends, OnFinished tells the window to give its controls back.
//
// A watchdog ends a transfer the Controller no longer answers: its clock
// starts when the port reports that the step's bytes have left it
// (OutputDrained), so neither a slow adapter nor a Controller holding XOFF
// briefly counts against the Controller; CheckAckTimeout() is called
// periodically. An outer bound ends a transfer whose bytes have not left the
// port for long (XOFF held), and a lost device ends it at once (Abort).
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/link_state.h"
#include "link/send_all_blocks.h"
#include "link/send_all_steps.h"
#include "link/window_hooks.h"
#include "model/configuration_model.h"

namespace veltrano {

enum class SendAllEnd {
    Completed,      // the last block was acknowledged
    TimedOut,       // no acknowledgement within the time-out
    WriteFailed,    // the port refused the bytes (the error goes on to the caller)
    DeviceLost,     // the port lost its device (adapter pulled, hang-up)
    OutputStalled,  // the bytes of a step did not leave the port (XOFF held)
};

// A block the Controller refused: the step that wrote it (for the switching
// times also the day: 0 the erase record, 1..7 a day, 8 their end record).
struct RefusedStep {
    int step = 0;
    int day = 0;
    bool operator==(const RefusedStep&) const = default;
};

struct SendAllResult {
    SendAllEnd end = SendAllEnd::Completed;
    // Completed: the blocks the Controller refused, in the order sent.
    std::vector<RefusedStep> refused;
    // Motors whose names were changed so the Controller can keep them.
    std::vector<int> renamedMotors;
};

// The caption of a refused block in the user's words.
std::string RefusedStepCaption(const RefusedStep& refused);
// What the user learns after a completed send-all: the refused blocks, which
// will be sent again, and the renamed motors; empty when there is nothing
// to say. motorName(m) gives the name of motor m as now stored.
std::string SendAllEndMessage(const SendAllResult& result,
                              const std::function<std::string(int motor)>& motorName);

class SendAllSequence {
  public:
    using WriteFunction = std::function<void(std::string_view bytes)>;
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    static constexpr std::chrono::milliseconds kDefaultAckTimeout{15000};
    // How long the bytes of a step may stay in the port (XOFF held).
    static constexpr std::chrono::milliseconds kDefaultDrainTimeout{30000};
    // Row 6 of the motor list while sending: this + the step's caption.
    static constexpr std::string_view kSendingRow = "   S e n d e  Daten zur Steuerung ...  ";
    static constexpr std::string_view kEraseCaption = " Bestehende Daten löschen ";
    static constexpr std::string_view kTimeoutPanelText = "Zeitüberschreitung beim Senden";
    static constexpr std::string_view kWriteFailedPanelText = "Fehler beim Senden";
    static constexpr std::string_view kConnectionLostPanelText = "Verbindung unterbrochen";
    static constexpr std::string_view kStalledText = "Die Steuerung nimmt keine Daten an (XOFF).";
    // The message box after a time-out.
    static constexpr std::string_view kTimeoutMessage =
        "Die Steuerung hat den Empfang der Daten nicht bestätigt.\n\n"
        "Die Konfiguration in der Steuerung ist möglicherweise unvollständig. "
        "Bitte wiederholen Sie die Übertragung (PC --> Steuerung).";

    SendAllSequence(ConfigurationModel& model, LinkState& state, const WindowHooks& hooks,
                    WriteFunction write);

    void SetWriteFunction(WriteFunction write) { write_ = std::move(write); }
    void SetClock(Clock clock) { clock_ = std::move(clock); }
    void SetAckTimeout(std::chrono::milliseconds timeout) { ackTimeout_ = timeout; }
    std::chrono::milliseconds AckTimeout() const { return ackTimeout_; }
    void SetDrainTimeout(std::chrono::milliseconds timeout) { drainTimeout_ = timeout; }

    // The window's part of the end: progress bar, timers, buttons, page
    // control, port selector, and the message box it calls for.
    std::function<void(const SendAllResult&)> OnFinished;

    // Prepares the motor list, sets SendInProgress, resets the counters and
    // writes the erase record; the next acknowledgement runs step 0. Does
    // nothing while a transfer runs. Rethrows a write error after ending the
    // transfer.
    void Start();

    // One "stc" frame (its payload). Ignored while no transfer runs. A first
    // number other than 0, or a payload that cannot be read, reports
    // "Fehler " + the next step in panel 5 and notes the refused step; the
    // transfer goes on regardless.
    void Acknowledge(std::string_view payload);

    // The port's output queue is empty: the bytes of the step have left.
    void OutputDrained();

    // Ends the transfer when the acknowledgement is overdue, or when the
    // step's bytes have not left the port within the drain time-out; true
    // when it did.
    bool CheckAckTimeout();

    // Ends a running transfer as failed (DeviceLost, OutputStalled, TimedOut):
    // panel 5 says why, everything is marked to be sent again, the overwrite
    // confirmation is withdrawn, then OnFinished. Nothing while none runs.
    void Abort(SendAllEnd why);

    bool Running() const { return running_; }
    // Bytes of the current step were written but not yet reported drained.
    bool AwaitingDrain() const { return awaitingDrain_; }
    // When the watchdog fires, if its clock runs.
    std::optional<std::chrono::steady_clock::time_point> AckDeadline() const { return deadline_; }
    int SendStep() const { return step_; }
    int SendDay() const { return day_; }
    int ProgressMaximum() const { return progressMaximum_; }

  private:
    void RunStep();
    void RunSwitchTimeDay();
    void RunBlockStep(int step);
    template <typename Record, typename Encode>
    void WritePerMotor(std::string_view word, const MotorTable<Record>& table, Encode encode);
    void WriteMotorNames(WireWriter& w);
    void FitRadioRunTimes();
    void Caption(std::string_view caption);
    void AddProgress(int units);
    void AwaitDrain();
    void Complete();
    void End(SendAllEnd why, std::string_view panelText);
    void ReportRefusal();

    ConfigurationModel& model_;
    LinkState& state_;
    const WindowHooks& hooks_;
    WriteFunction write_;
    Clock clock_;
    std::chrono::milliseconds ackTimeout_ = kDefaultAckTimeout;
    std::chrono::milliseconds drainTimeout_ = kDefaultDrainTimeout;

    SendTarget target_;
    int progressMaximum_ = 0;
    int step_ = kStepSwitchTimes;
    int day_ = 0;
    bool running_ = false;
    bool awaitingDrain_ = false;
    bool refusalShown_ = false;
    std::optional<std::chrono::steady_clock::time_point> deadline_;
    std::chrono::steady_clock::time_point drainSince_{};
    RefusedStep written_;  // the block the next acknowledgement answers
    std::vector<RefusedStep> refused_;
    std::vector<int> renamed_;
};

}  // namespace veltrano
