// Reads the bytes of a backup file into a model. The reader matches keys by
// their first characters and takes most values from fixed positions; it
// keeps the section word, day, motor, number and one variable per key across
// lines and sections, and stores a record when it meets the section's store
// line (see backup_parser.cpp). What the file does not set keeps its value.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/configuration_model.h"

namespace veltrano {

// A value that should be an integer and is not; reading stops there.
struct BackupParseError {
    int LineNumber = 0;  // 1-based
    std::string Value;   // the text that is not an integer, UTF-8
    bool operator==(const BackupParseError&) const = default;
};

struct BackupParseResult {
    // `current` overwritten by the file, every `Modified` flag set. After an
    // error: what was read up to the faulty line; not to be applied.
    ConfigurationModel Model;
    std::optional<BackupParseError> Error;
    int KeyLineCount = 0;  // lines holding "=", up to the end or the error

    bool Ok() const { return !Error; }
};

// Parses the file's bytes (Windows-1252; lines ended by CR LF or LF) on top of
// a copy of `current`. Headers or keys whose numbers lie outside the model
// (motor 0 or 33, slot 9, holiday 16, group 5, a day text that is no weekday)
// are skipped, never stored.
BackupParseResult ParseBackup(std::string_view bytes, const ConfigurationModel& current);

// The German message for a parse error in file `fileName` (UTF-8).
std::string BackupParseErrorText(const BackupParseError& error, std::string_view fileName);

}  // namespace veltrano
