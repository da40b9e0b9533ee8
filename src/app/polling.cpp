// Polling, link supervision, controller identification and the port change.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>

#include "app/settings_file.h"
#include "app/status_panel.h"
#include "app/tquorvan.h"
#include "app/user_dialogs.h"
#include "link/transfer_end.h"
#include "masks/manual_sheet.h"
#include "masks/switch_time_editor.h"

namespace veltrano {
namespace {

const char* const kLogbookButtons[] = {"Logbuch_Button", "Logbuch_Anfang", "Logbuch_save_Button",
                                       "Logbuch_Loeschen"};
const char* const kBankControls[] = {"AS_Bank_next_",  "AS_Bank_Label", "GZ_Bank_next_",
                                     "GZ_Bank_Label",  "HS_Bank_next_", "HS_Bank_Label",
                                     "HS_Bank_Caption"};

constexpr int kSheetShading = 1, kSheetWind = 2, kSheetTemperature = 3, kSheetHeating = 4;

}  // namespace

void TQuorvan::Timer1Timer() {
    if (!state_.SendInProgress) {
        const bool wasDown = state_.LinkDown;
        // Output still waiting (XOFF held, slow adapter): polls would only
        // pile up behind it until the queue is full.
        if (!comm1_->OutputPending()) {
            comm1_->WriteText(kPollRequests);
            state_.TxCount += kPollTally;
            SetPanelText(12, QString("TxD: %1").arg(state_.TxCount));
        }

        const PollVerdict verdict = JudgePoll(PanelText(0).toStdString(), state_.FirmwareVersion);
        switch (verdict.kind) {
            case PollVerdict::Kind::NotConnected:
                ShowNotConnected();
                break;
            case PollVerdict::Kind::Rejected:
                timer1_->stop();
                dialogs_->ShowError(QString::fromStdString(verdict.rejection));
                dialogs_->EndProgram();
                return;
            case PollVerdict::Kind::Linked:
                EvaluateFamily(verdict.identity);
                break;
        }
        if (state_.LinkDown != wasDown) manualSheet_->LinkChanged(state_.LinkDown);
    }

    // The activity dot blinks while a Controller is linked.
    if (PanelText(0) == kNoConnection) {
        dotRed_ = true;
    } else {
        dotRed_ = !dotRed_;
    }
    ShowDot(dotRed_);
}

void TQuorvan::ShowNotConnected() {
    keineVerbindung_->show();
    // The last values stay, greyed: they are no longer live.
    ShowLiveValuesStale(true);
    state_.LinkDown = true;
    for (const char* name : kLogbookButtons)
        SetControlEnabled(name, false);
    for (int panel : {1, 2, 3})
        SetPanelText(panel, QString());
    state_.Identity.EightTimesPerDay = true;
    state_.Identity.ThirtyTwoMotors = true;
}

void TQuorvan::EvaluateFamily(const ControllerIdentity& id) {
    state_.Identity = id;

    // Bank controls and list widths follow the Controller now linked, so a
    // different Controller later in the run gets its own view back.
    for (const char* name : kBankControls)
        SetControlVisible(name, id.ThirtyTwoMotors);
    switchTimes_->ShowSlotsPerDay(id.EightTimesPerDay ? kSlotCount : 4);

    const bool sunOrConservatory = id.SunProtectionFamily || id.ConservatoryFamily;
    pages_->setTabVisible(kSheetShading, sunOrConservatory);
    pages_->setTabVisible(kSheetWind, sunOrConservatory);
    pages_->setTabVisible(kSheetTemperature, id.ConservatoryFamily);
    pages_->setTabVisible(kSheetHeating, id.ConservatoryFamily);
    SetControlVisible("Heiz_Hysterese", id.ConservatoryFamily);
    SetControlVisible("Heiz_Hysterese_Label", id.ConservatoryFamily);

    for (const char* name :
         {"FeuchteSteuerung", "RelF_Liste", "RelF_Label_7", "GroupBox_WintergStrg",
          "GroupBoxInnentemperatur", "GroupBoxInnentemperatur2"}) {
        SetControlVisible(name, id.ConservatoryFamily);
    }
    SetControlVisible("GroupBox_SensorTypen", sunOrConservatory);
    SetControlVisible("GroupBox_AlarmSetUp", !id.RadioVariant && sunOrConservatory);
    SetControlVisible("GroupBox_GZS", id.GroupCentralAvailable);
    for (const char* name : {"GroupBox_Tast_Automatik", "Tast_Label2", "Tast_Liste"}) {
        SetControlVisible(name, id.TouchAutomationAvailable);
    }

    keineVerbindung_->hide();
    state_.LinkDown = false;

    ShowFamilyButtonPair();
    const bool ws = id.ConservatoryFamily;
    for (const char* name : kLogbookButtons)
        SetControlEnabled(name, true);

    urlLabel_->setText(ws ? "www.quorvan.de/wintergarten" : "www.quorvan.de/rollladen");

    if (!state_.SettingsFileWritten) {
        state_.SettingsFileWritten = true;
        if (!WriteSettingsPortNumber(portCombo_->currentIndex() + 1)) {
            dialogs_->ShowMessage("    Kann Initialisierungs-File nicht schreiben    ");
        }
    }
    if (!state_.LogbookRewindSent) {
        comm1_->WriteText("slr");
        state_.LogbookRewindSent = true;
    }

    if (const auto visible = WindDelayVisible(state_.FirmwareVersion)) {
        SetControlVisible("AusloeseverzoegerungWind", *visible);
        SetControlVisible("Parameter_Label5", *visible);
    }
}

void TQuorvan::Timer3Timer() {
    if (state_.SendInProgress) return;
    if (state_.RxCount == state_.RxCountAtLastCheck) {
        SetPanelText(0, kNoConnection);
        model_.MarkAllModified();
    }
    state_.RxCountAtLastCheck = state_.RxCount;
}

void TQuorvan::Combo_PortNumChange() {
    // Whatever the new port does, the old Controller is gone: its panels go
    // and the next send-all sends everything, even when the open fails.
    try {
        OpenPortFromSelection();
    } catch (...) {
        ForgetController();
        throw;
    }
    ForgetController();
}

void TQuorvan::ForgetController() {
    model_.MarkAllModified();
    for (int panel = 0; panel < kPanelCount; ++panel)
        SetPanelText(panel, QString());
    SetPanelText(0, kNoConnection);
}

void TQuorvan::Comm1RxChar(int) {
    receiver_.OnReceive(comm1_->ReadText());
}

void TQuorvan::Comm1Error(unsigned errors) {
    label21_->setText("Fehler RS232");
    // A pulled adapter or a restarted simulator: open the port again as soon
    // as the device is back.
    if (errors & CE_DEVICE_LOST) {
        EndTransfersOnLostDevice();
        RetryOpeningPort(true);
    }
}

void TQuorvan::EndTransfersOnLostDevice() {
    veltrano::EndTransfersOnLostDevice(readAll_, sendAll_);
    logbook_.Abandon();
}

namespace {

// The sensor fields of the masks, found by name (a mask that is not built
// has none), and which live value each shows.
struct SensorField {
    const char* name;
    std::string SensorTexts::*text;
};
constexpr SensorField kSensorFields[] = {
    {"BA_LuxAktuell", &SensorTexts::Brightness}, {"DM_LuxAktuell", &SensorTexts::Brightness},
    {"DA_LuxAktuell", &SensorTexts::Brightness}, {"IT_Aktuell", &SensorTexts::InsideNow},
    {"IT_Aktuell2", &SensorTexts::InsideNow},    {"IT_Aktuell3", &SensorTexts::InsideNow},
    {"IT_Min", &SensorTexts::InsideMin},         {"IT_Min2", &SensorTexts::InsideMin},
    {"IT_Min3", &SensorTexts::InsideMin},        {"IT_Max", &SensorTexts::InsideMax},
    {"IT_Max2", &SensorTexts::InsideMax},        {"IT_Max3", &SensorTexts::InsideMax},
    {"AT_Aktuell", &SensorTexts::OutsideNow},    {"AT_Aktuell2", &SensorTexts::OutsideNow},
    {"AT_Aktuell3", &SensorTexts::OutsideNow},   {"AT_Min", &SensorTexts::OutsideMin},
    {"AT_min2", &SensorTexts::OutsideMin},       {"AT_Min3", &SensorTexts::OutsideMin},
    {"AT_Max", &SensorTexts::OutsideMax},        {"AT_Max2", &SensorTexts::OutsideMax},
    {"AT_Max3", &SensorTexts::OutsideMax},       {"AktWind", &SensorTexts::WindNow},
    {"MaxWind", &SensorTexts::WindMax},          {"AlarmStatus", &SensorTexts::Alarm},
    {"RegenStatus", &SensorTexts::Rain},         {"RelFeuchte", &SensorTexts::Humidity},
};
constexpr const char* kBrightnessFields[] = {"BA_LuxAktuell", "DM_LuxAktuell", "DA_LuxAktuell"};
constexpr int kSensorPanels[] = {7, 8, 9, 10};

// Text in the colour of disabled text while stale, in the normal colour otherwise.
void ShowStale(QWidget* w, bool stale) {
    QPalette palette = w->palette();
    const QPalette normal = QApplication::palette(w);
    const QColor colour =
        normal.color(stale ? QPalette::Disabled : QPalette::Active, QPalette::WindowText);
    if (palette.color(QPalette::Active, QPalette::WindowText) == colour) return;
    for (auto group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::WindowText, colour);
    w->setPalette(palette);
}

}  // namespace

// Found once, at the first status report: every mask is built by then, and
// a search of the whole window for each field at every report would cost
// more than the report itself.
const std::vector<TQuorvan::SensorFieldWidget>& TQuorvan::SensorFieldWidgets() {
    if (!sensorFields_) {
        sensorFields_.emplace();
        for (const SensorField& field : kSensorFields) {
            if (auto* label = findChild<QLabel*>(field.name))
                sensorFields_->push_back({label, field.text});
        }
    }
    return *sensorFields_;
}

void TQuorvan::ShowSensorTexts(const SensorTexts& t) {
    for (const SensorFieldWidget& field : SensorFieldWidgets())
        field.label->setText(QString::fromStdString(t.*field.text));
    const char* colour =
        t.BrightnessAverage ? "background: palette(tooltip-base);" : "background: palette(button);";
    for (const char* name : kBrightnessFields) {
        if (auto* label = findChild<QLabel*>(name)) label->setStyleSheet(colour);
    }
    if (auto* bar = findChild<QProgressBar*>("WindProgressBar")) {
        bar->setVisible(t.WindBarVisible);
        bar->setValue(std::clamp(t.WindBarPosition, 0, 100));  // 130 km/h: a full bar
    }
    // A status report: the values are live again.
    ShowLiveValuesStale(false);
}

void TQuorvan::ShowLiveValuesStale(bool stale) {
    for (int panel : kSensorPanels)
        ShowStale(panels_[panel], stale);
    for (const SensorFieldWidget& field : SensorFieldWidgets())
        ShowStale(field.label, stale);
}

}  // namespace veltrano
