// The main window: header strip, the eight tab sheets, the status bar with
// its 14 panels, the two timers, the serial port and the link state.
#pragma once

#include <QMainWindow>
#include <QPixmap>
#include <QString>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/user_dialogs.h"
#include "link/comm_port.h"
#include "link/controller_poll.h"
#include "link/link_state.h"
#include "link/read_all.h"
#include "link/receive_handler.h"
#include "link/send_all_sequence.h"
#include "link/window_hooks.h"
#include "logbook/logbook_transfer.h"
#include "model/configuration_model.h"

class QComboBox;
class QFileDialog;
class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTextEdit;
class QTimer;

namespace veltrano {

class ParameterSheet;
class StatusPanel;
class HelpViewer;
class LogbookSheet;
class ShadingSheet;
class TemperatureSheet;
class WindRainSheet;
class HeatingSheet;
class ManualSheet;
class SwitchTimeEditor;

class TQuorvan : public QMainWindow {
    Q_OBJECT

  public:
    static constexpr int kPanelCount = 14;
    static constexpr const char* kNoConnection = kNoConnectionText.data();
    // A transfer ended because the port lost its device.
    static constexpr const char* kConnectionLostPanel = "Verbindung unterbrochen";
    static constexpr const char* kIncompleteSaveQuestion =
        "Die Daten der Steuerung wurden nicht vollständig gelesen. Die Datei enthält dann "
        "Werte, die nicht aus der Steuerung stammen. Trotzdem speichern?";

    // dialogs: message boxes and program end; nullptr for the real ones.
    explicit TQuorvan(std::unique_ptr<UserDialogs> dialogs = nullptr, QWidget* parent = nullptr);
    ~TQuorvan() override;

    // The start-up sequence; runs once, on the first activation.
    void FormActivate();

    // Timers and handlers, public so tests can drive them.
    void Timer1Timer();  // the polling tick
    void Timer3Timer();  // the link check
    void Combo_PortNumChange();
    void Comm1RxChar(int count);
    void Comm1Error(unsigned errors);
    void Parameter_MaskeChange();
    void Read_ButtonClick();        // read-all, "Steuerung --> PC"
    void Send_ButtonClick();        // send-all, "PC --> Steuerung"
    void SaveToDisk_ButtonClick();  // " Speichern auf File": backup file
    void Read_From_DiskClick();     // " Lesen von File     ": backup file
    void ReadAllWatchdogTimer();    // ends a read-all whose answers stopped
    void ReconnectTimerTick();      // tries the chosen port again after it was lost
    void SendAllWatchdogTimer();    // ends a send-all whose acknowledgement is overdue
    // The logbook sheet's buttons and the watchdog of its transfers.
    void Logbuch_ButtonClick();       // "Logbuch lesen": the next 100 entries
    void Logbuch_AnfangClick();       // "Ab Anfang": from the first entry
    void Logbuch_save_ButtonClick();  // "Save to Disk": all entries into a ".qlf" file
    void Logbuch_LoeschenClick();     // "Logbuch löschen"
    void LogbookWatchdogTimer();      // ends a logbook transfer whose answers stopped
    // The port lost its device: whatever transfer runs ends at once as
    // failed, through the same routine as on its watchdog.
    void EndTransfersOnLostDevice();
    // The last read-all completed with values missing; cleared by a complete
    // read-all or a loaded backup file.
    bool ReadIncomplete() const { return readIncomplete_; }

    // Status panels.
    void SetPanelText(int panel, const QString& text);
    QString PanelText(int panel) const;

    TCommPort& Comm1() { return *comm1_; }
    LinkState& State() { return state_; }
    ConfigurationModel& Model() { return model_; }
    ReceiveHandler& Receiver() { return receiver_; }
    ReadAllSequence& ReadAll() { return readAll_; }  // tests replace its writer and clock
    QTimer* ReadAllWatchdog() const { return readAllWatchdog_; }
    SendAllSequence& SendAll() { return sendAll_; }  // tests replace its writer and clock
    QTimer* SendAllWatchdog() const { return sendAllWatchdog_; }
    QTimer* ReconnectTimer() const { return reconnectTimer_; }
    UserDialogs& Dialogs() { return *dialogs_; }
    const WindowHooks& Hooks() const { return hooks_; }
    WindowHooks& Hooks() { return hooks_; }  // masks (and tests) connect theirs here
    QTimer* Timer1() const { return timer1_; }
    QTimer* Timer3() const { return timer3_; }
    QString ProgramFolder() const { return programFolder_; }
    SwitchTimeEditor& SwitchTimes() { return *switchTimes_; }  // sheet 1's editor
    ManualSheet& Manual() { return *manualSheet_; }            // tests replace its writer
    ParameterSheet& Parameters() { return *parameters_; }      // the sheet " Parameter"
    // The logbook transfer; LogbookTransfer::Abandon() ends a running one at
    // once (a lost line), the window restored and the user told.
    LogbookTransfer& Logbook() { return logbook_; }
    QTimer* LogbookWatchdog() const { return logbookWatchdog_; }
    HelpViewer& Help() { return *help_; }
    // Connects the "?" buttons that exist now to their help topics; call
    // again after building a sheet later.
    void ConnectHelpButtons();

    // Runs fn and shows any exception that escapes it in an error box; the
    // program goes on. Nested failures while a box is open are not stacked.
    void Guarded(const std::function<void()>& fn);

    // Named-control helpers: a control that does not exist (yet) is skipped.
    void SetControlVisible(const char* name, bool visible);
    void SetControlEnabled(const char* name, bool enabled);
    void SetControlWidth(const char* name, int width);
    // The transfer buttons of the linked family: the "_WS" pair for a
    // conservatory Controller, the "_RS" pair for all others.
    void ShowFamilyButtonPair();
    // A transfer holds the window: transfer buttons, page control and port
    // selector disabled, the progress bar shown from 0 to progressMaximum
    // (not shown without one: the logbook has its own).
    void BeginTransferControls(std::optional<int> progressMaximum);
    // Its end: progress bar hidden, both timers running, the family's button
    // pair, the page control and the port selector usable again.
    void EndTransferControls();
    // A stopped timer whose tick runs under Guarded.
    QTimer* MakeGuardedTimer(const char* name, int intervalMs, std::function<void()> tick);

  protected:
    void showEvent(QShowEvent* event) override;
    // On the manual-drive sheet: its leave step, and " rhe\r" out of the port
    // (at most 1 s) before the port closes with the window.
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildHeader(QWidget* central);
    void BuildPages(QWidget* central);
    void BuildSheetOneShell(QWidget* sheet);
    void BuildStatusBar();
    void BuildDialogs();
    void ConnectHooks();
    void OpenPortFromSelection();
    void ShowNotConnected();
    // The activity dot: a red square, or a fuchsia circle.
    void ShowDot(bool red);
    // Panels emptied but panel 0 "Keine Verbindung", every record to be sent.
    void ForgetController();
    // Whether ReconnectTimer tries the port again every second.
    void RetryOpeningPort(bool retry);
    void EvaluateFamily(const ControllerIdentity& id);
    void ShowSensorTexts(const SensorTexts& texts);
    // Sensor panels and fields greyed (their last values kept) or normal.
    void ShowLiveValuesStale(bool stale);
    // A sensor field of the masks and the live value it shows.
    struct SensorFieldWidget {
        QLabel* label;
        std::string SensorTexts::*text;
    };
    const std::vector<SensorFieldWidget>& SensorFieldWidgets();
    void ShowException(const QString& text);
    // An error box once the current handler has returned (never from inside
    // a port handler).
    void ShowErrorLater(const QString& text);
    void ShowInformationLater(const QString& text);
    void SelectPortItem(int index);
    void SetUpReadAll();
    void ReadAllCompleted(const ReadAllResult& result);
    void ReadAllTimedOut(ReadAllEnd why);
    void RestoreWindowAfterReadAll();
    void SelectFirstEditorEntry();
    void ShowFreeSwitchTimeMemoryFigure();
    void SetUpSendAll();
    void SendAllStepWritten();
    void SendAllFinished(const SendAllResult& result);
    // How often the port looks at the line: at every character while a
    // send-all waits for acknowledgements, in short pauses otherwise.
    void ApplyReceivePace();
    void SetUpLogbook();
    bool AnyTransferRunning() const;
    void StartLogbookTransfer(LogbookTransferKind kind, std::string_view commands);
    void RestoreWindowAfterLogbook();
    void LogbookEnded(LogbookTransferKind kind);
    void LogbookAbandoned(LogbookTransferKind kind);
    void WriteLogbookExport(QString fileName, const std::string& bytes);

    std::unique_ptr<UserDialogs> dialogs_;
    LinkState state_;
    ConfigurationModel model_;
    WindowHooks hooks_;
    ReceiveHandler receiver_;
    std::unique_ptr<TCommPort> comm1_;
    ReadAllSequence readAll_{state_, model_};
    SendAllSequence sendAll_{model_, state_, hooks_, nullptr};
    std::unique_ptr<SwitchTimeEditor> switchTimes_;
    std::unique_ptr<ParameterSheet> parameters_;
    LogbookTransfer logbook_{state_, model_, hooks_};
    std::unique_ptr<LogbookSheet> logbookSheet_;
    std::unique_ptr<HelpViewer> help_;
    QString logbookExportFile_;
    std::unique_ptr<ShadingSheet> shadingSheet_;
    std::unique_ptr<WindRainSheet> windRainSheet_;
    std::unique_ptr<TemperatureSheet> temperatureSheet_;
    std::unique_ptr<HeatingSheet> heatingSheet_;
    std::unique_ptr<ManualSheet> manualSheet_;

    bool startupDone_ = false;
    bool showingError_ = false;
    bool readIncomplete_ = false;
    QString programFolder_;

    QTabWidget* pages_ = nullptr;
    std::array<StatusPanel*, kPanelCount> panels_{};
    QTimer* timer1_ = nullptr;
    QTimer* timer3_ = nullptr;
    QComboBox* portCombo_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QLabel* keineVerbindung_ = nullptr;
    QLabel* dot_ = nullptr;
    QLabel* urlLabel_ = nullptr;
    QLabel* speicherplatz_ = nullptr;
    QTextEdit* helpBox_ = nullptr;
    QLabel* label21_ = nullptr;
    QTimer* readAllWatchdog_ = nullptr;
    QTimer* sendAllWatchdog_ = nullptr;
    QTimer* reconnectTimer_ = nullptr;
    QTimer* logbookWatchdog_ = nullptr;
    bool dotRed_ = true;
    std::array<QPixmap, 2> dotPixmaps_;  // red square, fuchsia circle
    std::optional<std::vector<SensorFieldWidget>> sensorFields_;
    QString panel5AtReadStart_;  // an error text of the running read-all differs
};

}  // namespace veltrano
