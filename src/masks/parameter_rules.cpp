#include "masks/parameter_rules.h"

#include <chrono>
#include <stdexcept>

namespace veltrano {

const std::array<ParameterField, 6>& ParameterFields() {
    static const std::array<ParameterField, 6> fields = {{
        {ParameterControl::ZufallsZeitspanne, "ZufallsZeitspanne", "Parameter_Label1",
         "Für die Zufallsfunktion im Bereich \"Schaltzeiten\"", kGeneralParameterFields[0]},
        {ParameterControl::BeschattungsHysterese, "BeschattungsHysterese", "Parameter_Label2",
         "Schalt-Hysterese des Helligkeitswertes bei Beschattungs-Automatik",
         kGeneralParameterFields[1]},
        {ParameterControl::OffsetAussentemperatur, "OffsetAussentemperatur", "Parameter_Label3",
         "Offset Außentemperatur", kGeneralParameterFields[2]},
        {ParameterControl::OffsetInnentemperatur, "OffsetInnentemperatur", "Parameter_Label4",
         "Offset Innentemperatur", kGeneralParameterFields[3]},
        {ParameterControl::Heiz_Hysterese, "Heiz_Hysterese", "Heiz_Hysterese_Label",
         "Schalt-Hysterese Heizung", kGeneralParameterFields[4]},
        {ParameterControl::AusloeseverzoegerungWind, "AusloeseverzoegerungWind", "Parameter_Label5",
         "Auslöseverzögerung Wind", kGeneralParameterFields[5]},
    }};
    return fields;
}

const ParameterField& FieldOf(ParameterControl control) {
    for (const ParameterField& field : ParameterFields())
        if (field.control == control) return field;
    throw std::invalid_argument("no such parameter box");
}

int ItemForCode(int code, int count) {
    return code >= 0 && code < count ? code : -1;
}

int NextBank(int bank) {
    return bank >= kBankCount || bank < 1 ? 1 : bank + 1;
}

int MotorOfBank(int bank, int position) {
    return kMotorsPerBank * (bank - 1) + position;
}

std::uint8_t GroupByte(const GroupColumn& ticked) {
    unsigned byte = 0;
    for (int i = 0; i < kMotorsPerBank; ++i)
        if (ticked[static_cast<std::size_t>(i)]) byte |= 1u << i;
    return static_cast<std::uint8_t>(byte);
}

GroupColumn GroupTicks(std::uint8_t byte) {
    GroupColumn ticked{};
    for (int i = 0; i < kMotorsPerBank; ++i)
        ticked[static_cast<std::size_t>(i)] = (byte >> i) & 1u;
    return ticked;
}

bool LeaveStartsPolling(bool windowHeld, bool pollingRunning) {
    return !windowHeld && !pollingRunning;
}

bool IsDateOfYear(int year, int month, int day) {
    if (month < 1 || month > 12 || day < 1 || day > 31) return false;
    const std::chrono::year_month_day date{std::chrono::year{year},
                                           std::chrono::month{static_cast<unsigned>(month)},
                                           std::chrono::day{static_cast<unsigned>(day)}};
    return date.ok();
}

}  // namespace veltrano
