// How the link reaches the window: status panel texts and refresh hooks.
// The window connects what it has; a hook nobody connected is not called.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace veltrano {

// The live values of a status report, as the sensor fields of the masks show them.
struct SensorTexts {
    std::string Brightness;         // BA_LuxAktuell, copied by DM_/DA_LuxAktuell
    bool BrightnessAverage = true;  // averaged value (tooltip colour) or current (button face)
    std::string InsideNow;          // IT_Aktuell, IT_Aktuell2, IT_Aktuell3
    std::string InsideMin, InsideMax;
    std::string OutsideNow;  // AT_Aktuell ...
    std::string OutsideMin, OutsideMax;
    std::string WindNow;  // AktWind
    bool WindBarVisible = false;
    int WindBarPosition = 0;
    std::string WindMax;   // MaxWind
    std::string Alarm;     // AlarmStatus
    std::string Rain;      // RegenStatus
    std::string Humidity;  // RelFeuchte
};

// The combo boxes of the parameter mask that show one general parameter each.
enum class ParameterControl {
    ZufallsZeitspanne,        // RandomSpanCode
    BeschattungsHysterese,    // ShadingHysteresisCode
    OffsetAussentemperatur,   // OutsideTempOffsetCode
    OffsetInnentemperatur,    // InsideTempOffsetCode
    Heiz_Hysterese,           // HeatingHysteresisCode
    AusloeseverzoegerungWind  // WindDelayCode
};

struct WindowHooks {
    // --- Shell: status panels, sensor fields, progress bar -------------------
    std::function<void(int panel, const std::string& text)> SetPanelText;
    std::function<std::string(int panel)> PanelText;
    std::function<void(const SensorTexts&)> ShowSensorTexts;
    std::function<void(int position)> SetProgressPosition;

    // --- Switching-time editor -----------------------------------------------
    // Row 6 of DatenListe_Tag and of DatenListe_Motor := text; the other rows
    // stay. Called for every block of a read-all ("    Lese Daten von
    // Steuerung ... " + the block's caption).
    std::function<void(const std::string& text)> SetSwitchTimeListsRow6;
    // Start of a read-all: blank rows 0..61 of DatenListe_Tag and 0..63 of
    // DatenListe_Motor, write text into row 6 of both, leave no row selected.
    std::function<void(const std::string& row6)> BlankSwitchTimeListsForRead;
    // Regenerate both switching-time lists from the model (and show the free
    // switching-time memory); the selected day and motor stay.
    std::function<void()> RebuildSwitchTimeLists;
    // Load the selected entry into the editor (end of a read-all).
    std::function<void()> CB_WochentagClick;
    // Start of a send-all: hide DatenListe_Tag, show DatenListe_Motor with
    // rows 0..63 blank and row 6 := row6, scrolled to the top, no row selected.
    std::function<void(const std::string& row6)> BlankMotorListForSend;
    // Row 6 of DatenListe_Motor only := text (the progress of a send-all).
    std::function<void(const std::string& text)> SetMotorListRow6;
    // The warning label Speicherplatz_Label: shown when the switching-time
    // memory is insufficient, hidden otherwise.
    std::function<void(bool insufficient)> SetMemoryWarningVisible;
    // A received motor name: item motor - 1 of CB_Raum and of CB_Copy_Raum := name.
    std::function<void(int motor, const std::string& name)> SetMotorNameItem;
    // Item index 0..6 of CB_Wochentag ("Mo" .. "So"); unconnected, the fixed
    // weekday names are used.
    std::function<std::string(int index)> WeekdayItemText;
    // After a backup file was loaded: Monday, motor 1 and slot 1 selected
    // (item 0 of CB_Wochentag, CB_Raum, CB_Schaltzeit_Nr), copy_from_label :=
    // item 0 of CB_Raum. Loads nothing; CB_WochentagClick follows.
    std::function<void()> SelectFirstSwitchTime;

    // --- Per-motor masks: rebuild all 32 lines of a list from the model --------
    std::function<void()> FormatShadingList;           // BA_Liste, after "sbp"
    std::function<void()> FormatTwilightEveningList;   // DA_Liste, after "sda"
    std::function<void()> FormatWindList;              // EW_Liste, after "swp"
    std::function<void()> FormatRainList;              // ER_Liste, after "srp"
    std::function<void()> FormatHumidityList;          // RelF_Liste, after "sfp"
    std::function<void()> FormatProportionalTempList;  // PT_Liste, after "spp"
    std::function<void()> FormatInsideTempList;        // IT_Liste, after "sip"
    std::function<void()> FormatOutsideTempList;       // AT_Liste, after "sap"
    std::function<void()> FormatHeatingList;           // Heiz_Liste, after "shp"
    std::function<void()> FormatReverseList;           // RA_Liste, after "sjp"
    std::function<void()> FormatTouchList;             // Tast_Liste, after "sta"
    // After "sdm": rows 0..7 of DM_Liste := rows (motors 1..8, already
    // formatted); rows 8..31 stay as they are.
    std::function<void(const std::vector<std::string>& rows)> SetTwilightMorningRows;
    // Mask enter handlers, run when a read-all completes.
    std::function<void()> Beschattung_MaskeEnter;
    std::function<void()> Wind_Regen_MaskeEnter;
    std::function<void()> Wintergarten_MaskeEnter;
    // The heating mask shows its selected motor again (after a backup file was loaded).
    std::function<void()> Heiz_Raum_Click;
    // The heating mask's week overview of the switching times; redrawn
    // whenever the switching-time editor redraws its day timeline.
    std::function<void()> DrawHeatingWeekOverview;

    // --- Manual control ----------------------------------------------------------
    // After "srs": redraw the current bank from ManualStates.
    std::function<void()> ShowReportedBank;

    // --- Parameter mask ----------------------------------------------------------
    // After "sas": the alarm set-up goes to this bank (always 1) and is redrawn.
    std::function<void(int bank)> ShowAlarmBank;
    // After "sgz" and at the start of a read-all: the group check boxes show
    // GroupMasks of the current group bank.
    std::function<void()> LoadGroupCheckBoxes;
    // Before the group block of a send-all: the group check boxes of the
    // current group bank into GroupMasks.
    std::function<void()> StoreGroupCheckBoxes;
    // After the "sft" frame of holiday 15: Edit1..Edit15 (and the pickers) from Holidays.
    std::function<void()> RedrawHolidayFields;
    // A single-parameter frame: select item `code` of the combo box (no item
    // when the code lies outside its list).
    std::function<void(ParameterControl control, int code)> SelectParameterItem;
    // "sbh": the check box Soft_GZS := SoftGzsActive.
    std::function<void(bool checked)> SetSoftGzsChecked;
    // The state of the check box Soft_GZS (read before a backup file is written).
    std::function<bool()> IsSoftGzsChecked;
    // The text of holiday edit field Edit<number>, number 1..15 (read before a
    // backup file is written).
    std::function<std::string(int number)> HolidayEditText;
    // The current group bank := bank; GZ_Bank_Label and the captions of
    // CheckBox1..8 show it. The check boxes are not touched (LoadGroupCheckBoxes).
    std::function<void(int bank)> SelectGroupBank;
    // "sts": the parameter sheet's leave handler.
    std::function<void()> ParameterExit;
    // End of a read-all: the parameter sheet's enter handler.
    std::function<void()> ParameterEnter;

    template <typename Hook, typename... Args>
    static void Call(const Hook& hook, Args&&... args) {
        if (hook) hook(std::forward<Args>(args)...);
    }
    void Panel(int panel, const std::string& text) const { Call(SetPanelText, panel, text); }
    std::string Panel(int panel) const { return PanelText ? PanelText(panel) : std::string(); }
};

}  // namespace veltrano
