// The simulated Controller's memory as a plain text file, one record per
// line, holding the wire numbers as the Controller stores them:
//
//   # comment lines and blank lines are ignored
//   sfs 1 3 2 1 7 30 39 5 0   day motor(1..32) slot direction(1 up) hour minute
//                             run-time day-group function
//   smn 7 "B\xFCro        "    motor and its 12 name bytes (Windows-1252) in
//                             quotes; bytes outside 0x20..0x7E and the
//                             characters \ and " are written \xNN
//   sbp 7 1 112 10 20 40 12   per-motor block by its read tag: motor, on/off,
//                             the fields (no checksum); likewise sdm sda swp
//                             srp sjp spp sip shp sfp sap sta
//   sas 1 6                   alarm masks up, down (unsigned decimals)
//   sgz 15 240 129 60         group masks 1..4 (unsigned decimals)
//   sft 3 18 4                holiday number, day, month
//   szz 15                    single parameters: szz sbh soa soi shh saw
//   sla 2                     the logbook: its number of entries, then as
//   sld 1 3 1 14 6 1 21 50 0  many entries, entry 1 first: number motor
//   sld 2 7 0 14 6 0 20 13 1  direction day month code hour minute sub-code
//                             (wire numbers, sent as written). A file without
//                             "sla" keeps the Controller's generated logbook.
//
// A file names only what it changes: loading starts from the factory memory.
// A dump always holds every record, so it loads back exactly.
#pragma once

#include <string>
#include <string_view>

#include "sim_memory.h"

namespace veltrano::sim {

std::string FormatMemoryDump(const SimMemory& memory);

// Throws std::runtime_error naming the line on malformed input. Records the
// text does not name keep their value in base (by default the factory
// memory of a Controller that is not the radio variant).
SimMemory ParseMemoryDump(std::string_view text);
SimMemory ParseMemoryDump(std::string_view text, SimMemory base);
SimMemory LoadMemoryDump(const std::string& path);
SimMemory LoadMemoryDump(const std::string& path, SimMemory base);

// Writes the dump to a temporary file beside path and renames it over path,
// so a reader never sees half a dump. Throws std::runtime_error on failure.
void WriteMemoryDump(const std::string& path, const SimMemory& memory);

// Quoting of name bytes used by the dump.
std::string QuoteBytes(std::string_view bytes);
// Inverse of QuoteBytes; false when the text is not a quoted byte string.
bool UnquoteBytes(std::string_view quoted, std::string* bytes);

}  // namespace veltrano::sim
