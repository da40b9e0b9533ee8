// The texts the logbook makes of an entry: the row of the list LB and the
// line of the export file (".qlf", semicolon-separated). Both take the
// displayed number n (the newest entry has the highest) and the motor's
// name as the program holds it; lengths count characters, not bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "logbook/logbook_entry.h"

namespace veltrano {

// The heading label above LB.
inline constexpr const char* kLogbookListHeading =
    "Nr.    Motor / Raum          Datum          Uhrzeit      Richtung       Ausgelöst durch    ";
// The first line of an export file.
inline constexpr const char* kLogbookExportHeader =
    "Nr;Motor/Raum;Datum;Uhrzeit;Richtung;Ausgelöst durch";
// The text of an entry whose day and month are 0.
inline constexpr const char* kLogbookNoEntries = "   Keine Logbucheinträge gespeichert";
// The row that marks a read the Controller never finished.
inline constexpr const char* kLogbookIncomplete =
    "   Logbuch unvollständig: keine Antwort der Steuerung";
// The longest row LB has to show in full, in characters.
inline constexpr int kLogbookRowWidth = 92;

std::string LogbookListRow(const LogbookEntry& entry, std::int64_t n, std::string_view name);
std::string LogbookExportLine(const LogbookEntry& entry, std::int64_t n, std::string_view name);

// The file's bytes: each line in Windows-1252 followed by CR LF, the last
// one included; no byte-order mark.
std::string LogbookExportBytes(const std::vector<std::string>& lines);

}  // namespace veltrano
