// "Veltrano.ini" in the working directory: one line with the COM port number.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace veltrano {

inline constexpr const char* kSettingsFileName = "Veltrano.ini";

class SettingsFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The number on the first line; std::nullopt when the file does not exist.
// Throws SettingsFileError (German text) when it cannot be read or the line
// is no decimal integer. A trailing CR belongs to the line end.
std::optional<int> ReadSettingsPortNumber();

// The number on the first line of the file's bytes; throws SettingsFileError
// when that line is no decimal integer.
int ParseSettingsPortNumber(std::string_view fileBytes);

// Replaces the file with the number and CR LF; false on an input/output error.
bool WriteSettingsPortNumber(int portNumber);

}  // namespace veltrano
