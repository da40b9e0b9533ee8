#include "help/help_topics.h"

#include <array>

namespace veltrano {
namespace {

constexpr std::array<HelpTopic, 25> kTopics = {{
    {"Help_FS", "Help_FSClick", "[Programmierung fester Schaltzeiten]", 352, 0, 441, 505},
    {"Help_Datenaustausch", "Help_DatenaustauschClick", "[Datenaustausch]", 355, 160, 440, 310},
    {"Help_Sicherung", "Help_SicherungClick", "[Sicherung auf Datenträger]", 355, 160, 400, 140},
    {"Help_SchZeitCopy", "Help_SchZeitCopyClick", "[Schaltzeiten kopieren]", 260, 220, 490, 240},
    {"Help_Port", "Help_PortClick", "[Port-Auswahl]", 260, 220, 490, 240},
    {"Help_BA", "Help_BAClick", "[Beschattungs-Automatik]", 352, 0, 441, 505},
    {"Help_DM", "Help_DMClick", "[Dämmerungsautomatik Morgen]", 352, 0, 441, 505},
    {"Help_DA", "Help_DAClick", "[Dämmerungsautomatik Abend]", 352, 0, 441, 505},
    {"Help_EW", "Help_EWClick", "[Einfahren bei Wind]", 352, 0, 441, 505},
    {"Help_ER", "Help_ERClick", "[Einfahren bei Regen]", 352, 0, 441, 505},
    {"Help_Feuchte", "Help_FeuchteClick", "[Luftfeuchtigkeits-Steuerung]", 352, 0, 441, 505},
    {"Help_PT", "Help_PTClick", "[Proportionale Temperatursteuerung]", 352, 0, 441, 505},
    {"Help_IT", "Help_ITClick", "[Innen-Temperatursteuerung]", 352, 0, 441, 505},
    {"Help_AT", "Help_ATClick", "[Außen-Temperatursteuerung]", 352, 0, 441, 505},
    {"Help_Heiz", "Help_HeizClick", "[Heizungs-Steuerung]", 352, 0, 441, 505},
    {"Help_HandStrg", "Help_HandStrgClick", "[Hand-Steuerung]", 20, 220, 760, 285},
    {"Help_TA", "Help_TAClick", "[Tast-Automatik]", 352, 0, 441, 505},
    {"Help_Reversier", "Help_ReversierClick", "[Reversier-Automatik]", 352, 0, 441, 505},
    {"Help_Logbuch", "Help_LogbuchClick", "[Logbuch]", 352, 0, 441, 480},
    {"Help_ZufallSpanne", "Help_ZufallsSpanne", "[Zufalls-Steuerung]", 337, 190, 461, 90},
    {"Help_Alarm", "Help_AlarmClick", "[Alarm Setup]", 20, 182, 760, 333},
    {"Help_SensorTypen", "Help_SensorTypenClick", "[Sensor-Typen]", 337, 75, 461, 429},
    {"Help_Wintergarten", "Help_WintergartenClick", "[Wintergarten-Steuerungen]", 337, 200, 461,
     305},
    {"Help_GZS", "Help_GZSClick", "[Gruppen-Zentralsteuerung]", 10, 6, 770, 330},
    {"Help_Feiertage", "Help_FeiertageClick", "[Feiertagsautomatik]", 452, 93, 341, 387},
}};

}  // namespace

std::span<const HelpTopic> HelpTopics() {
    return kTopics;
}

}  // namespace veltrano
