// The logbook sheet's buttons: reading the Controller's logbook a page at a
// time, exporting all of it to a ".qlf" file, erasing it. Where the entries
// go and when a transfer ends lives in LogbookTransfer; this file does the
// window's part around it.
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <filesystem>

#include "app/tquorvan.h"
#include "app/user_dialogs.h"
#include "backup/backup_file.h"
#include "logbook/logbook_frames.h"
#include "masks/logbook_sheet.h"

namespace veltrano {
namespace {

constexpr const char* kReadIncomplete =
    "Das Logbuch wurde nicht vollständig von der Steuerung gelesen.\n"
    "Bitte prüfen Sie die Verbindung und lesen Sie das Logbuch mit \"Ab Anfang\" erneut.";
constexpr const char* kExportIncomplete =
    "Das Logbuch wurde nicht vollständig von der Steuerung gelesen.\n"
    "Die Datei %1 wurde nicht geschrieben; eine bereits vorhandene Datei bleibt unverändert.";

// How often the watchdog looks; the transfer ends at most this much after its time-out.
constexpr int kWatchdogIntervalMs = 1000;

QString AbsoluteName(const QString& chosen) {
    return chosen.isEmpty() ? chosen : QFileInfo(chosen).absoluteFilePath();
}

}  // namespace

void TQuorvan::SetUpLogbook() {
    logbook_.List = logbookSheet_->ListHooks();
    logbook_.OnEnded = [this](LogbookTransferKind kind) { LogbookEnded(kind); };
    logbook_.OnAbandoned = [this](LogbookTransferKind kind) { LogbookAbandoned(kind); };
    RegisterLogbookDecoders(receiver_, logbook_);

    const std::pair<QPushButton*, void (TQuorvan::*)()> handlers[] = {
        {logbookSheet_->ReadButton(), &TQuorvan::Logbuch_ButtonClick},
        {logbookSheet_->FromStartButton(), &TQuorvan::Logbuch_AnfangClick},
        {logbookSheet_->SaveButton(), &TQuorvan::Logbuch_save_ButtonClick},
        {logbookSheet_->EraseButton(), &TQuorvan::Logbuch_LoeschenClick},
    };
    for (const auto& entry : handlers) {
        const auto handler = entry.second;
        connect(entry.first, &QPushButton::clicked, this,
                [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
    }
    logbookWatchdog_ = MakeGuardedTimer("LogbookWatchdog", kWatchdogIntervalMs,
                                        [this] { LogbookWatchdogTimer(); });
}

bool TQuorvan::AnyTransferRunning() const {
    return logbook_.Running() || state_.ReadAllInProgress || state_.SendInProgress;
}

void TQuorvan::Logbuch_ButtonClick() {
    if (AnyTransferRunning()) return;
    StartLogbookTransfer(LogbookTransferKind::PageRead, "smnslasld");
}

void TQuorvan::Logbuch_AnfangClick() {
    if (AnyTransferRunning()) return;
    StartLogbookTransfer(LogbookTransferKind::PageRead, "smnslaslrsld");
}

void TQuorvan::Logbuch_save_ButtonClick() {
    if (AnyTransferRunning()) return;
    auto* dialog = findChild<QFileDialog*>("SaveDialog_Logbuch");
    const QString fileName = dialog ? AbsoluteName(dialogs_->GetSaveFileName(*dialog)) : QString();
    // Cancelled: nothing was held, nothing is sent.
    if (fileName.isEmpty()) return;
    logbookExportFile_ = fileName;
    logbookSheet_->ShowProgressFromZero();
    StartLogbookTransfer(LogbookTransferKind::Export, "smnslaslf");
}

void TQuorvan::Logbuch_LoeschenClick() {
    if (AnyTransferRunning()) return;
    comm1_->WriteText("sll");
    logbook_.Erase();
}

void TQuorvan::StartLogbookTransfer(LogbookTransferKind kind, std::string_view commands) {
    timer1_->stop();
    timer3_->stop();
    BeginTransferControls(std::nullopt);
    logbookSheet_->SetButtonsEnabled(false);
    // Watching first: should the write fail, the transfer still ends.
    if (kind == LogbookTransferKind::Export)
        logbook_.BeginExport();
    else
        logbook_.BeginPageRead();
    logbookWatchdog_->start();
    comm1_->WriteText(commands);
}

void TQuorvan::LogbookWatchdogTimer() {
    logbook_.CheckWatchdog();
}

void TQuorvan::RestoreWindowAfterLogbook() {
    logbookWatchdog_->stop();
    logbookSheet_->ProgressBar()->hide();
    EndTransferControls();
    logbookSheet_->SetButtonsEnabled(true);
}

// The end marker arrived (inside the receive handler): the window is given
// back at once; the file is written after the handler has returned, so a
// message about it never holds up the port.
void TQuorvan::LogbookEnded(LogbookTransferKind kind) {
    RestoreWindowAfterLogbook();
    if (kind != LogbookTransferKind::Export) return;
    QMetaObject::invokeMethod(
        this,
        [this, fileName = logbookExportFile_, bytes = logbook_.TakeExportBytes()] {
            Guarded([&] { WriteLogbookExport(fileName, bytes); });
        },
        Qt::QueuedConnection);
}

// The whole file or nothing: the previous file stays until the new one is
// complete. When it cannot be written, the user may choose another name for
// the entries already read; cancelling drops them.
void TQuorvan::WriteLogbookExport(QString fileName, const std::string& bytes) {
    auto* dialog = findChild<QFileDialog*>("SaveDialog_Logbuch");
    while (!fileName.isEmpty()) {
        try {
            WriteBackupFile(std::filesystem::path(QFile::encodeName(fileName).toStdString()),
                            bytes);
            return;
        } catch (const BackupWriteError& e) {
            dialogs_->ShowError(QString::fromStdString(e.what()));
        }
        fileName = dialog ? AbsoluteName(dialogs_->GetSaveFileName(*dialog)) : QString();
    }
}

// No answer for the watchdog's time-out (or the line was lost): the list
// shows where the read stopped, an export writes nothing; the window is
// usable again and the message opens once the current handler has returned.
void TQuorvan::LogbookAbandoned(LogbookTransferKind kind) {
    RestoreWindowAfterLogbook();
    const QString text = kind == LogbookTransferKind::Export
                             ? QString(kExportIncomplete).arg(logbookExportFile_)
                             : QString(kReadIncomplete);
    QMetaObject::invokeMethod(
        this, [this, text] { Guarded([&] { dialogs_->ShowError(text); }); }, Qt::QueuedConnection);
}

}  // namespace veltrano
