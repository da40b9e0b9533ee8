// What must hold before "PC --> Steuerung" starts, and what the user is
// asked first. The window shows the refusal and asks in boxes; the
// command-line tool prints and asks on its terminal.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/link_state.h"

namespace veltrano {

// The date the Controller shows until its radio clock is decoded.
inline constexpr std::string_view kDateNotDecoded = "01.01.00";
inline constexpr std::string_view kDcf77Message =
    "Bitte warten Sie, bis das Funk-Zeitsignal (DCF77) entschlüsselt wurde. Erst wenn Datum und "
    "Uhrzeit richtig angezeigt werden, ist es möglich, die Daten zur Steuerung zu senden.";
inline constexpr std::string_view kOverwriteQuestion =
    "Alle Daten in der Steuerung werden überschrieben. Fortfahren?";
inline constexpr std::string_view kIncompleteSendQuestion =
    "Die Daten der Steuerung wurden nicht vollständig gelesen. Beim Senden werden alle "
    "Schaltzeiten der Steuerung gelöscht und nicht gelesene Werte mit denen des Programms "
    "überschrieben. Trotzdem senden?";
inline constexpr std::string_view kNoLinkMessage = "Keine Verbindung zur Steuerung.";

struct SendAllGate {
    enum class Refusal { None, NoLink, TransferRunning, DateNotDecoded };
    Refusal refusal = Refusal::None;
    // What the refusal says to the user (empty for None).
    std::string message;
    // Yes/no questions, in order; a "no" to any of them sends nothing.
    std::vector<std::string> questions;
    // The answer "yes" to all questions confirms the overwrite for the next send-alls.
    bool Allowed() const { return refusal == Refusal::None; }
};

// dateText: panel 2, the Controller's date; readIncomplete: the model holds
// values a read-all did not get.
SendAllGate CheckSendAll(const LinkState& state, bool transferRunning, std::string_view dateText,
                         bool readIncomplete);

}  // namespace veltrano
