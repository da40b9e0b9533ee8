// " Speichern auf File" and " Lesen von File     ": the backup file (".qts")
// as the window saves and loads it.
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <filesystem>

#include "app/tquorvan.h"
#include "backup/backup_file.h"
#include "backup/backup_format.h"
#include "backup/backup_parser.h"
#include "backup/holiday_field.h"

namespace veltrano {
namespace {

std::filesystem::path LocalPath(const QString& fileName) {
    return std::filesystem::path(QFile::encodeName(fileName).toStdString());
}

// Before writing: the group check boxes of the bank shown, Soft_GZS and the
// holiday fields hold the newest state; the model takes it over.
void TakeOverParameterControls(const WindowHooks& hooks, ConfigurationModel& model) {
    WindowHooks::Call(hooks.StoreGroupCheckBoxes);
    if (hooks.IsSoftGzsChecked) model.Parameters.SoftGzsActive = hooks.IsSoftGzsChecked();
    if (hooks.HolidayEditText) {
        for (int n = 1; n <= kHolidayCount; ++n) {
            if (const auto holiday = HolidayFromFieldText(hooks.HolidayEditText(n)))
                model.holiday(n) = *holiday;
        }
    }
}

// After a file was taken over: the controls that are no list show the model.
void ShowLoadedControls(const WindowHooks& hooks, const ConfigurationModel& model,
                        bool anyKeyLine) {
    for (int m = 1; m <= kMotorCount; ++m)
        WindowHooks::Call(hooks.SetMotorNameItem, m, model.motorName(m));
    WindowHooks::Call(hooks.SetSoftGzsChecked, model.Parameters.SoftGzsActive);
    if (anyKeyLine) {
        WindowHooks::Call(hooks.SelectGroupBank, 1);
        WindowHooks::Call(hooks.LoadGroupCheckBoxes);
    }
}

// The end of every load that got a file name, also after "File not found".
void RefreshAfterLoad(const WindowHooks& hooks) {
    WindowHooks::Call(hooks.RebuildSwitchTimeLists);
    WindowHooks::Call(hooks.Heiz_Raum_Click);
    WindowHooks::Call(hooks.SelectFirstSwitchTime);
    WindowHooks::Call(hooks.CB_WochentagClick);
    WindowHooks::Call(hooks.RedrawHolidayFields);
}

}  // namespace

void TQuorvan::SaveToDisk_ButtonClick() {
    auto* dialog = findChild<QFileDialog*>("SaveDialog1");
    if (!dialog) return;
    if (readIncomplete_ && !dialogs_->AskYesNo(kIncompleteSaveQuestion)) {
        dialogs_->ShowInformation("Die Daten wurden nicht gespeichert");
        return;
    }
    const QString chosen = dialogs_->GetSaveFileName(*dialog);
    if (chosen.isEmpty()) return;
    const QString fileName = QFileInfo(chosen).absoluteFilePath();
    if (QFileInfo::exists(fileName) &&
        !dialogs_->AskYesNo(fileName + " existiert. Wollen Sie die Datei überschreiben?")) {
        dialogs_->ShowInformation("Die Daten wurden nicht gespeichert");
        return;
    }
    TakeOverParameterControls(hooks_, model_);
    try {
        WriteBackupFile(LocalPath(fileName), FormatBackup(model_));
    } catch (const BackupWriteError& e) {
        dialogs_->ShowError(QString::fromStdString(e.what()));
    }
}

void TQuorvan::Read_From_DiskClick() {
    auto* dialog = findChild<QFileDialog*>("OpenDialog1");
    if (!dialog) return;
    const QString chosen = dialogs_->GetOpenFileName(*dialog);
    if (chosen.isEmpty()) return;
    const QString fileName = QFileInfo(chosen).absoluteFilePath();

    // Whatever comes of it, the next send-all asks again and sends everything.
    state_.OverwriteConfirmed = false;
    model_.MarkAllModified();

    const std::optional<std::string> bytes = ReadBackupFile(LocalPath(fileName));
    if (!bytes) {
        dialogs_->ShowMessage("File not found");
        RefreshAfterLoad(hooks_);
        return;
    }
    WindowHooks::Call(hooks_.LoadGroupCheckBoxes);

    // The file is read into a copy, which replaces the model only when the
    // whole file was read: a faulty line leaves every setting as it was.
    BackupParseResult result = ParseBackup(*bytes, model_);
    if (!result.Ok()) {
        dialogs_->ShowError(
            QString::fromStdString(BackupParseErrorText(*result.Error, fileName.toStdString())));
        return;
    }
    model_ = std::move(result.Model);
    // The model is the file's now, not a partly read Controller.
    readIncomplete_ = false;
    ShowLoadedControls(hooks_, model_, result.KeyLineCount > 0);

    ShowFreeSwitchTimeMemoryFigure();

    RefreshAfterLoad(hooks_);
}

}  // namespace veltrano
