// What the model text and firmware version of a Controller say about it:
// its family, its features, its size, and whether this program may work with it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veltrano {

struct ControllerIdentity {
    bool SunProtectionFamily = false;
    bool ConservatoryFamily = false;
    bool TouchAutomationAvailable = false;
    bool GroupCentralAvailable = false;
    bool RadioVariant = false;
    bool ThirtyTwoMotors = true;
    bool EightTimesPerDay = true;

    bool RollerShutterFamily() const { return !SunProtectionFamily && !ConservatoryFamily; }
    bool operator==(const ControllerIdentity&) const = default;
};

// Characters 9 and 13 to 16 of the model text (counted from 1) carry the codes.
// A text whose character 13 is not a digit counts as an 8-motor, 8-slot device.
ControllerIdentity IdentifyController(std::string_view modelString);

// The message that refuses a firmware version, or std::nullopt when accepted.
std::optional<std::string> FirmwareRejection(int firmwareVersion);

// Whether the wind trigger delay is offered; std::nullopt: leave it as it is.
std::optional<bool> WindDelayVisible(int firmwareVersion);

// "7.014" -> 7014: character 1 and characters 3 to 5; std::nullopt unless digits.
std::optional<int> ParseFirmwareVersion(std::string_view text);

}  // namespace veltrano
