// The backup file (".qts") as bytes: an INI-like text of 2196 sections in a
// fixed order, Windows-1252, lines ended by CR LF. Formatting is pure, so it
// can be tested and measured apart from the file system (backup_file.h).
#pragma once

#include <string>

#include "model/configuration_model.h"

namespace veltrano {

// Sections of a complete file: names, 1792 switching times, 11 x 32 per-motor
// records, alarm patterns, parameters, group central control, Soft-GZS,
// 32 touch records, 15 holidays.
inline constexpr int kBackupSectionCount = 2196;

// The whole file for `model`. Motor names are converted to Windows-1252; a
// line break inside a name is written as a blank, since it would end the line.
// `Modified` flags and the reserved parameter are not written.
std::string FormatBackup(const ConfigurationModel& model);

}  // namespace veltrano
