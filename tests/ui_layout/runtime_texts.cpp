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

std::vector<RuntimeText> WindRainRuntimeTexts() {
    return {
        {"EW_Raum", kLongestName}, {"ER_Raum", kLongestName}, {"RelF_Raum", kLongestName},
        {"AktWind", "255 km/h"},   {"MaxWind", "255 km/h"},   {"RegenStatus", " Kein Regen"},
        {"RelFeuchte", "100 %"},   {"RelF_kl_gr", "F<"},      {"RelF_Ab_Auf", "\u2193"},
    };
}

std::vector<RuntimeText> TemperatureRuntimeTexts() {
    return {
        {"PT_Raum", kLongestName}, {"IT_Raum", kLongestName}, {"AT_Raum", kLongestName},
        {"IT_kl_gr", "T<"},        {"IT_Ab_Auf", "\u2193"},   {"AT_Ab_Auf", "\u2193"},
        {"IT_Min2", "-20°"},       {"IT_Aktuell2", "-20,9°"}, {"IT_Max2", "-20°"},
        {"AT_min2", "-20°"},       {"AT_Aktuell2", "-20,9°"}, {"AT_Max2", "-20°"},
        {"IT_Min2", "999°"},       {"AT_Max2", "999°"},
    };
}

std::vector<RuntimeText> HeatingRuntimeTexts() {
    std::vector<RuntimeText> rows = {{"Heiz_Raum", kLongestName}};
    for (const char* field : {"AT_Min3", "AT_Max3", "IT_Min3", "IT_Max3"})
        rows.push_back({field, "-20°"});
    for (const char* field : {"AT_Aktuell3", "IT_Aktuell3"})
        rows.push_back({field, "-20,9°"});
    return rows;
}

std::vector<RuntimeText> ManualRuntimeTexts() {
    std::vector<RuntimeText> rows = {
        {"RA_Raum", kLongestName},
        {"Tast_Raum", kLongestName},
        {"HS_Bank_Label", "4"},
    };
    for (const char* label : {"HS_1_Label", "HS_2_Label", "HS_3_Label", "HS_4_Label", "HS_5_Label",
                              "HS_6_Label", "HS_7_Label", "HS_8_Label"})
        rows.push_back({label, kLongestName});
    return rows;
}

std::vector<RuntimeText> AllRuntimeTexts() {
    std::vector<RuntimeText> all;
    for (auto table : {ShellRuntimeTexts(), SwitchTimeRuntimeTexts(), ShadingRuntimeTexts(),
                       ParameterRuntimeTexts(), WindRainRuntimeTexts(), TemperatureRuntimeTexts(),
                       HeatingRuntimeTexts(), ManualRuntimeTexts()})
        all.insert(all.end(), table.begin(), table.end());
    return all;
}

}  // namespace veltrano::testing
