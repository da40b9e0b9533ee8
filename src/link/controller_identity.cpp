#include "link/controller_identity.h"

#include "model/cp1252.h"

namespace veltrano {

ControllerIdentity IdentifyController(std::string_view modelString) {
    auto at = [&](std::size_t pos) { return Utf8CharAt(modelString, pos); };
    const std::string c9 = at(9), c13 = at(13), c14 = at(14), c15 = at(15), c16 = at(16);

    ControllerIdentity id;
    if (c14 == "S") id.SunProtectionFamily = true;
    if (c9 == "W") id.ConservatoryFamily = true;
    if (c15 == "T") {
        id.TouchAutomationAvailable = true;
        id.GroupCentralAvailable = true;
    }
    if (c14 == "M" && c13 == "9") {
        id.SunProtectionFamily = true;
        id.TouchAutomationAvailable = true;
        id.GroupCentralAvailable = true;
    }
    if (c15 == "F") {
        id.RadioVariant = true;
        id.TouchAutomationAvailable = true;
    }
    if (c16 == "G") id.GroupCentralAvailable = true;

    if (c13 != "9") {
        id.ThirtyTwoMotors = false;
        const bool digit = c13.size() == 1 && c13[0] >= '0' && c13[0] <= '9';
        if (digit && c13[0] < '8') id.EightTimesPerDay = false;
    } else if (id.TouchAutomationAvailable && !id.RadioVariant) {
        id.GroupCentralAvailable = true;
    }
    return id;
}

std::optional<std::string> FirmwareRejection(int firmwareVersion) {
    if (firmwareVersion < 7014) {
        return "   Diese Version von Veltrano kann ausschließlich für \nSteuerungen mit Firmware "
               "V7.014 oder höher verwendet werden.\n";
    }
    if (firmwareVersion > 7500 && firmwareVersion < 7514) {
        return "   Diese Version von Veltrano kann ausschließlich für \nSteuerungen mit Firmware "
               "V7.514 oder höher verwendet werden.\n";
    }
    return std::nullopt;
}

std::optional<bool> WindDelayVisible(int firmwareVersion) {
    if (firmwareVersion >= 7513 || (firmwareVersion >= 7013 && firmwareVersion <= 7499))
        return true;
    if (firmwareVersion < 7013) return false;
    return std::nullopt;
}

std::optional<int> ParseFirmwareVersion(std::string_view text) {
    if (text.size() < 5) return std::nullopt;
    const char digits[4] = {text[0], text[2], text[3], text[4]};
    int value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace veltrano
