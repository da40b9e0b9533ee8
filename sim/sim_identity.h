// Who the simulated Controller claims to be: its model text, firmware text
// and the features that model text announces. The presets build model texts
// from a family and a feature mix; a mix the model text cannot express is
// refused with a message that names the mixes that exist.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace veltrano::sim {

enum class Family { Roller, SunProtection, Conservatory };

// A feature mix as chosen on the command line.
struct IdentityRequest {
    Family family = Family::Conservatory;
    int motors = 32;      // 32 or 8
    int slotsPerDay = 8;  // 8 or 4
    bool touch = false;
    bool groups = false;
    bool radio = false;
};

// What the model text announces, read back the way the Controller's family
// codes are defined (characters 9 and 13 to 16, counted from 1).
struct ModelFeatures {
    bool sunProtection = false;
    bool conservatory = false;
    bool touch = false;
    bool groups = false;
    bool radio = false;
    int motors = 8;
    int slotsPerDay = 8;
    bool operator==(const ModelFeatures&) const = default;
};

struct SimIdentity {
    std::string modelText;
    std::string firmware = "7.514";
    ModelFeatures features;
};

// The features a model text announces. Characters beyond the end read as
// empty; a character 13 that is not a digit counts as 8 motors, 8 per day.
ModelFeatures FeaturesOfModelText(const std::string& modelText);

// The model text of a preset, or std::nullopt with *error set when the mix
// does not exist.
std::optional<std::string> PresetModelText(const IdentityRequest& request, std::string* error);

// Human-readable list of the mixes that exist (for --help and error messages).
std::string ValidMixesText();

// Every request whose preset exists, in a fixed order (for tests and --help).
std::vector<IdentityRequest> AllValidRequests();

// "7.514": one digit, a point, three digits.
bool IsValidFirmwareText(const std::string& text);

// A model text the simulator can send: no flow-control characters, no frame
// markers, no line ends.
bool IsSendableModelText(const std::string& text, std::string* error);

const char* FamilyName(Family family);  // "roller", "sun", "conservatory"

}  // namespace veltrano::sim
