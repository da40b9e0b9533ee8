// How a transfer ends without success, and what the user is told then.
#pragma once

#include <string_view>

#include "link/read_all.h"
#include "link/send_all_sequence.h"

namespace veltrano {

inline constexpr std::string_view kConnectionLostMessage =
    "Die Verbindung zur Steuerung wurde unterbrochen (Schnittstelle nicht mehr verfügbar). "
    "Die Übertragung wurde abgebrochen und ist unvollständig.\n\n"
    "Bitte prüfen Sie Kabel und Schnittstelle und wiederholen Sie die Übertragung.";

inline constexpr std::string_view kStalledMessage =
    "Die Steuerung nimmt keine Daten an (XOFF).\n\n"
    "Die Übertragung wurde abgebrochen; die Konfiguration in der Steuerung ist möglicherweise "
    "unvollständig. Bitte prüfen Sie die Verbindung und wiederholen Sie die Übertragung "
    "(PC --> Steuerung).";

inline constexpr std::string_view kReadTimedOutMessage =
    "Die Daten wurden nicht vollständig von der Steuerung gelesen.\n"
    "Bitte wiederholen Sie \"Steuerung --> PC\".";

// A port that lost its device (adapter pulled, hang-up) ends every running
// transfer at once as failed: the watchdogs would wait in vain for bytes
// that can never leave.
// Ends a running read-all and send-all; nothing when none runs.
void EndTransfersOnLostDevice(ReadAllSequence& readAll, SendAllSequence& sendAll);

}  // namespace veltrano
