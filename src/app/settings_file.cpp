#include "app/settings_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#include "link/payload_numbers.h"
#include "model/cp1252.h"

namespace veltrano {

std::optional<int> ReadSettingsPortNumber() {
    std::ifstream file(kSettingsFileName, std::ios::binary);
    if (!file) {
        if (errno == ENOENT) return std::nullopt;
        throw SettingsFileError(std::string("Die Datei ") + kSettingsFileName +
                                " kann nicht gelesen werden: " + std::strerror(errno));
    }
    std::string line;
    std::getline(file, line);
    if (file.bad()) {
        throw SettingsFileError(std::string("Die Datei ") + kSettingsFileName +
                                " kann nicht gelesen werden.");
    }
    return ParseSettingsPortNumber(line);
}

int ParseSettingsPortNumber(std::string_view fileBytes) {
    std::string_view line = fileBytes.substr(0, fileBytes.find('\n'));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const auto number = ParseWireInteger(line, NumberRange::Signed32);
    if (!number) {
        throw SettingsFileError("'" + Cp1252ToUtf8(line) +
                                "' ist kein gültiger ganzzahliger Wert (" + kSettingsFileName +
                                ").");
    }
    return static_cast<int>(*number);
}

bool WriteSettingsPortNumber(int portNumber) {
    std::ofstream file(kSettingsFileName, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file << portNumber << "\r\n";
    file.close();
    return !file.fail();
}

}  // namespace veltrano
