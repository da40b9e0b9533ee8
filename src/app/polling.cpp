// Polling, link supervision, controller identification and the port change.
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QTabWidget>
#include <QTimer>

#include "app/settings_file.h"
#include "app/tquorvan.h"
#include "app/user_dialogs.h"

namespace veltrano {
namespace {

const char* const kLogbookButtons[] = {"Logbuch_Button", "Logbuch_Anfang", "Logbuch_save_Button",
                                       "Logbuch_Loeschen"};
const char* const kBankControls[] = {"AS_Bank_next_", "AS_Bank_Label", "GZ_Bank_next_",
                                     "GZ_Bank_Label", "HS_Bank_next_", "HS_Bank_Label"};

constexpr int kSheetShading = 1, kSheetWind = 2, kSheetTemperature = 3, kSheetHeating = 4;

// Widths of the switching-time lists and their headings with 4 slots per day.
struct NarrowWidth {
    const char* name;
    int width;
};
constexpr NarrowWidth kNarrowed[] = {
    {"DatenListe_Motor", 447}, {"DatenListe_Tag", 447}, {"Label42", 447}, {"Label37", 300}};

constexpr const char* kPollCommands = "sfi\rsdt\rsti\rskd\rsmo\r";
constexpr int kPollTally = 24;

}  // namespace

void TQuorvan::Timer1Timer() {
    if (!state_.SendInProgress) {
        // Output still waiting (XOFF held, slow adapter): polls would only
        // pile up behind it until the queue is full.
        if (!comm1_->OutputPending()) {
            comm1_->WriteText(kPollCommands);
            state_.TxCount += kPollTally;
            SetPanelText(12, QString("TxD: %1").arg(state_.TxCount));
        }

        if (PanelText(0) == kNoConnection) {
            ShowNotConnected();
        } else if (const auto rejection = FirmwareRejection(state_.FirmwareVersion)) {
            timer1_->stop();
            dialogs_->ShowError(QString::fromStdString(*rejection));
            dialogs_->EndProgram();
            return;
        } else {
            EvaluateFamily();
        }
    }

    // The activity dot blinks while a Controller is linked.
    if (PanelText(0) == kNoConnection) {
        dotRed_ = true;
        dot_->setStyleSheet("background: red;");
    } else if (dotRed_) {
        dotRed_ = false;
        dot_->setStyleSheet("background: #ff00ff; border-radius: 4px;");
    } else {
        dotRed_ = true;
        dot_->setStyleSheet("background: red;");
    }
}

void TQuorvan::ShowNotConnected() {
    keineVerbindung_->show();
    state_.LinkDown = true;
    for (const char* name : kLogbookButtons)
        SetControlEnabled(name, false);
    for (int panel : {1, 2, 3})
        SetPanelText(panel, QString());
    state_.Identity.EightTimesPerDay = true;
    state_.Identity.ThirtyTwoMotors = true;
}

void TQuorvan::EvaluateFamily() {
    const ControllerIdentity id = IdentifyController(PanelText(0).toStdString());
    state_.Identity = id;

    // Bank controls and list widths follow the Controller now linked, so a
    // different Controller later in the run gets its own view back.
    for (const char* name : kBankControls)
        SetControlVisible(name, id.ThirtyTwoMotors);
    for (const NarrowWidth& n : kNarrowed) {
        auto* w = findChild<QWidget*>(n.name);
        if (!w) continue;
        if (!wideWidths_.count(n.name)) wideWidths_[n.name] = w->width();
        SetControlWidth(n.name, id.EightTimesPerDay ? wideWidths_[n.name] : n.width);
    }

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
    auto forgetController = [this] {
        model_.MarkAllModified();
        for (int panel = 0; panel < kPanelCount; ++panel)
            SetPanelText(panel, QString());
        SetPanelText(0, kNoConnection);
    };
    try {
        OpenPortFromSelection();
    } catch (...) {
        forgetController();
        throw;
    }
    forgetController();
}

void TQuorvan::Comm1RxChar(int) {
    receiver_.OnReceive(comm1_->ReadText());
}

void TQuorvan::Comm1Error(unsigned errors) {
    label21_->setText("Fehler RS232");
    if (errors & CE_DEVICE_LOST) EndTransfersOnLostDevice();
}

void TQuorvan::EndTransfersOnLostDevice() {
    readAll_.Abandon(ReadAllEnd::DeviceLost);
    sendAll_.Abort(SendAllEnd::DeviceLost);
}

void TQuorvan::ShowSensorTexts(const SensorTexts& t) {
    auto set = [this](const char* name, const std::string& text) {
        if (auto* label = findChild<QLabel*>(name)) label->setText(QString::fromStdString(text));
    };
    const char* colour =
        t.BrightnessAverage ? "background: palette(tooltip-base);" : "background: palette(button);";
    for (const char* name : {"BA_LuxAktuell", "DM_LuxAktuell", "DA_LuxAktuell"}) {
        if (auto* label = findChild<QLabel*>(name)) {
            label->setText(QString::fromStdString(t.Brightness));
            label->setStyleSheet(colour);
        }
    }
    for (const char* name : {"IT_Aktuell", "IT_Aktuell2", "IT_Aktuell3"})
        set(name, t.InsideNow);
    for (const char* name : {"IT_Min", "IT_Min2", "IT_Min3"})
        set(name, t.InsideMin);
    for (const char* name : {"IT_Max", "IT_Max2", "IT_Max3"})
        set(name, t.InsideMax);
    for (const char* name : {"AT_Aktuell", "AT_Aktuell2", "AT_Aktuell3"})
        set(name, t.OutsideNow);
    for (const char* name : {"AT_Min", "AT_min2", "AT_Min3"})
        set(name, t.OutsideMin);
    for (const char* name : {"AT_Max", "AT_Max2", "AT_Max3"})
        set(name, t.OutsideMax);
    set("AktWind", t.WindNow);
    if (auto* bar = findChild<QProgressBar*>("WindProgressBar")) {
        bar->setVisible(t.WindBarVisible);
        bar->setValue(t.WindBarPosition);
    }
    set("MaxWind", t.WindMax);
    set("AlarmStatus", t.Alarm);
    set("RegenStatus", t.Rain);
    set("RelFeuchte", t.Humidity);
}

}  // namespace veltrano
