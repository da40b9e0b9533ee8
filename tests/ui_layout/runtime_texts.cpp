#include "runtime_texts.h"

#include <algorithm>

#include "link/send_all_steps.h"
#include "model/value_scales.h"

namespace veltrano::testing {
namespace {

const std::string kLongestName(12, 'W');

std::string Longest(const std::vector<std::string>& texts) {
    return *std::max_element(texts.begin(), texts.end(),
                             [](const auto& a, const auto& b) { return a.size() < b.size(); });
}

}  // namespace

std::vector<RuntimeText> ShellRuntimeTexts() {
    std::vector<RuntimeText> rows = {
        {"StatusPanel0", "QVS-900 W K:9WTG"},
        {"StatusPanel0", "Keine Verbindung"},
        {"StatusPanel1", "V7.514"},
        {"StatusPanel2", "28.08.38"},
        {"StatusPanel3", "20:08:08"},
        {"StatusPanel6", "Freier Schaltzeiten-Speicher: 100%"},
        {"StatusPanel6", "Schaltzeiten Donnerstag"},
        {"StatusPanel6", "Gruppen-Zentralsteuerung"},
        {"StatusPanel6", " Bestehende Daten löschen "},
        {"StatusPanel7", "Sonne: " + Longest(BrightnessItems())},
        {"StatusPanel8", "Wind: 130"},
        {"StatusPanel9", "AT: -20,9°"},
        {"StatusPanel10", "IT: -20,9°"},
        {"Label21", "Fehler RS232"},
        {"URL_Label", "www.quorvan.de/wintergarten"},
    };
    for (int step = 0; step < 64; ++step) {
        const std::string_view caption = SendStepCaption(step);
        if (!caption.empty()) rows.push_back({"StatusPanel6", std::string(caption)});
    }
    return rows;
}

std::vector<RuntimeText> SwitchTimeRuntimeTexts() {
    return {
        {"CB_Raum", kLongestName},
        {"CB_Copy_Raum", kLongestName},
        {"copy_from_label", kLongestName},
        {"Tag_und_Motor", "Mo, " + kLongestName},
    };
}

std::vector<RuntimeText> ShadingRuntimeTexts() {
    const std::string brightness = Longest(BrightnessItems());
    std::vector<RuntimeText> rows;
    for (const char* name : {"BA_Raum", "DM_Raum", "DA_Raum"})
        rows.push_back({name, kLongestName});
    for (const char* name : {"BA_LuxAktuell", "DM_LuxAktuell", "DA_LuxAktuell"})
        rows.push_back({name, brightness});
    for (const char* name : {"IT_Aktuell", "AT_Aktuell"})
        rows.push_back({name, "-20,9°"});
    for (const char* name : {"IT_Min", "IT_Max", "AT_Min", "AT_Max"})
        rows.push_back({name, "-20°"});
    return rows;
}

std::vector<RuntimeText> ParameterRuntimeTexts() {
    static const char* const kAlarmNames[] = {"AS_1_Label", "AS_2_Label", "AS_3_Label",
                                              "AS_4_Label", "AS_5_Label", "AS_6_Label",
                                              "AS_7_Label", "AS_8_Label"};
    static const char* const kGroupNames[] = {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4",
                                              "CheckBox5", "CheckBox6", "CheckBox7", "CheckBox8"};
    std::vector<RuntimeText> rows = {
        {"AS_Bank_Label", "4"},
        {"GZ_Bank_Label", "4"},
        {"AlarmStatus", "Alarm ausgelöst"},
        {"AlarmStatus", "   Kein Alarm"},
    };
    for (const char* name : kAlarmNames)
        rows.push_back({name, kLongestName});
    for (const char* name : kGroupNames)
        rows.push_back({name, kLongestName});
    return rows;
}

std::vector<RuntimeText> AllRuntimeTexts() {
    std::vector<RuntimeText> all;
    for (auto table : {ShellRuntimeTexts(), SwitchTimeRuntimeTexts(), ShadingRuntimeTexts(),
                       ParameterRuntimeTexts()})
        all.insert(all.end(), table.begin(), table.end());
    return all;
}

}  // namespace veltrano::testing
