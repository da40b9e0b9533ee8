// The start-up sequence of the main window, run once on its first activation.
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QProgressBar>
#include <QTimer>

#include "app/settings_file.h"
#include "app/tquorvan.h"
#include "app/user_dialogs.h"
#include "masks/heating_sheet.h"
#include "masks/manual_sheet.h"
#include "masks/parameter_sheet.h"
#include "masks/shading_sheet.h"
#include "masks/switch_time_editor.h"
#include "masks/temperature_sheet.h"
#include "masks/wind_rain_sheet.h"

namespace veltrano {
namespace {

constexpr const char* kNoPortOpenedHint =
    "Es wurde keine Schnittstelle geöffnet. Bitte wählen Sie den Port unter \"Port\" aus.";

}  // namespace

void TQuorvan::FormActivate() {
    if (startupDone_) return;
    startupDone_ = true;
    // Sheets built after the window's constructor have their "?" buttons by now.
    ConnectHelpButtons();

    programFolder_ = QDir::currentPath();
    switchTimes_->ShowMotorListFirst();

    state_.SettingsFileWritten = false;
    state_.LogbookRewindSent = false;
    state_.SendInProgress = false;
    state_.ShowAverageBrightness = true;

    progressBar_->hide();
    SetControlVisible("LogbuchProgressBar", false);
    switchTimes_->SetStartDefaults();

    SetPanelText(6, "Freier Schaltzeiten-Speicher: 100%");

    // Nothing has been read from a Controller yet: a send-all must ask first.
    state_.OverwriteConfirmed = false;
    parameters_->SetStartBanks();

    model_.ResetToDefaults();
    // The per-motor masks on motor 1 with the default records.
    shadingSheet_->SetStartDefaults();
    windRainSheet_->SetStartDefaults();
    temperatureSheet_->SetStartDefaults();
    heatingSheet_->SetStartDefaults();
    manualSheet_->SetStartDefaults();

    if (auto* d = findChild<QFileDialog*>("SaveDialog1")) {
        d->setNameFilter("Quorvan Schaltzeiten (*.qts)");
        d->setDefaultSuffix("qts");
    }
    if (auto* d = findChild<QFileDialog*>("SaveDialog_Logbuch")) {
        d->setNameFilter("Quorvan Logbuch-File (*.qlf)");
        d->setDefaultSuffix("qlf");
    }
    if (auto* d = findChild<QFileDialog*>("OpenDialog1")) {
        d->setNameFilter("Quorvan Schaltzeiten (*.qts)");
    }

    parameters_->SetParameterDefaults();
    parameters_->SetHolidayDefaults(QDate::currentDate());

    timer1_->start();
    timer3_->start();

    // The settings file decides the port; a failure leaves the port closed
    // until the user picks one.
    bool portChosen = true;
    try {
        const auto number = ReadSettingsPortNumber();
        SelectPortItem(number && *number >= 1 && *number <= 8 ? *number - 1 : 0);
    } catch (const SettingsFileError& e) {
        SelectPortItem(0);
        ShowException(QString::fromStdString(e.what()) + "\n\n" + kNoPortOpenedHint);
        portChosen = false;
    }

    if (portChosen) Guarded([this] { OpenPortFromSelection(); });
    // The lists and the timeline show the model however the port fared.
    switchTimes_->DrawInitially();
}

void TQuorvan::SelectPortItem(int index) {
    // A programmatic selection: no port change handler runs.
    portCombo_->setCurrentIndex(index);
}

void TQuorvan::OpenPortFromSelection() {
    comm1_->Close();
    try {
        comm1_->SetPortNum(portCombo_->currentIndex() + 1);
    } catch (...) {
        SelectPortItem(comm1_->PortNum() - 1);
        throw;
    }
    comm1_->SetBaudrate(9600);
    comm1_->SetDatabits(8);
    comm1_->SetParity('N');
    comm1_->SetStopbits(1);
    try {
        comm1_->Open();
    } catch (const ECommError& e) {
        // A missing device may be plugged in later; other causes need the user.
        RetryOpeningPort(e.deviceMissing());
        throw;
    }
    RetryOpeningPort(false);
}

}  // namespace veltrano
