#include "logbook/logbook_texts.h"

#include <array>

namespace veltrano {
namespace {

struct EventTexts {
    const char* list;
    const char* exported;  // nullptr: as in the list
};

// Code 0 by its sub-code.
constexpr std::array<EventTexts, 3> kSwitchTimeEvents = {{
    {"Fest programmierte Schaltzeit", nullptr},
    {"Programmierte Schaltzeit mit Solarfunktion", "Programmierte Schaltzeit mit Astrofunktion"},
    {"Programmierte Schaltzeit mit Zufallsfunktion", nullptr},
}};

// Codes 1 to 24.
constexpr std::array<EventTexts, 24> kEvents = {{
    {"Beschattungs-Automatik", nullptr},
    {"Dämmerungs-Automatik", nullptr},
    {"Einfahren bei Wind", nullptr},
    {"Manuelle Auslösung des Motors an der Steuerung", nullptr},
    {"Abbruch durch Vorrang des Bedienschalters", nullptr},
    {"Einfahren bei Regen", nullptr},
    {"Innen-Temperatursteuerung", "Innentemperatur-Automatik"},
    {"Alarm bzw. Zentralschalter ausgelöst", "Alarmkontakt wurde ausgelöst"},
    {"Neustart nach Anlagen-Reset", nullptr},
    {"Außen-Temperatursteuerung", "Außentemperatur-Automatik"},
    {"Durch Außen-Temper.-Strg ist Motor de-aktiviert",
     "Durch AT-Steuerung ist Motor de-aktiviert"},
    {"Wegen Regen ist Motor de-aktiviert", nullptr},
    {"Wegen Wind ist Motor de-aktiviert", nullptr},
    {"Start der Proportionalen IT-Regelung", nullptr},
    {"Ende der Proportionalen IT-Regelung", nullptr},
    {"Proportionale IT-Regelung erreicht Max-Wert", nullptr},
    {"Re-Kallibrierung der Proportionalen IT-Regelung", nullptr},
    {"Umstellung MEZ -> MESZ, Astro-Zeiten angepasst", nullptr},
    {"Umstellung MESZ -> MEZ, Astro-Zeiten angepasst", nullptr},
    {"Alarm bzw. Zentralschalter aufgehoben", nullptr},
    {"Tast-Automatik ausgelöst", nullptr},
    {"Gruppen-Zentralsteuerung ausgelöst", nullptr},
    {"Luftfeuchtigkeits-Steuerung", nullptr},
    {"Heizungs-Steuerung", ""},  // the export has no text for it
}};

const EventTexts* Find(std::int64_t code, std::int64_t subCode) {
    if (code == 0)
        return subCode >= 0 && subCode < static_cast<std::int64_t>(kSwitchTimeEvents.size())
                   ? &kSwitchTimeEvents[static_cast<std::size_t>(subCode)]
                   : nullptr;
    if (code >= 1 && code <= static_cast<std::int64_t>(kEvents.size()))
        return &kEvents[static_cast<std::size_t>(code - 1)];
    return nullptr;
}

}  // namespace

std::string LogbookListText(std::int64_t code, std::int64_t subCode) {
    const EventTexts* texts = Find(code, subCode);
    return texts ? texts->list : "";
}

std::string LogbookExportText(std::int64_t code, std::int64_t subCode) {
    const EventTexts* texts = Find(code, subCode);
    if (!texts) return "";
    return texts->exported ? texts->exported : texts->list;
}

bool ListShowsNoMotor(std::int64_t code) {
    return code == 8 || code == 9 || code == 18 || code == 19 || code == 20;
}

bool ListShowsNoDirection(std::int64_t code) {
    return code == 5 || ListShowsNoMotor(code);
}

bool ExportShowsNoMotor(std::int64_t code) {
    return code == 8 || code == 9;
}

}  // namespace veltrano
