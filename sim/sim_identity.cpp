#include "sim_identity.h"

#include <cctype>

namespace veltrano::sim {

namespace {

// Model text layout of the presets: "QVS-900 " + family letter (character 9)
// + " K:" + motor code (13) + family letter (14) + feature code (15) + group
// code (16). Character 9 'W' marks the conservatory family; character 14 'S'
// the sun-protection family; character 13 '9' 32 motors with 8 switching
// times per day, '8' 8 motors with 8, '4' 8 motors with 4; character 15 'T'
// touch automation with group control, 'F' the radio variant (which has
// touch automation), '-' neither; character 16 'G' group control.
constexpr const char* kModelPrefix = "QVS-900 ";

char CharAt(const std::string& text, std::size_t position1) {
    return position1 <= text.size() ? text[position1 - 1] : '\0';
}

char FamilyLetter(Family family) {
    switch (family) {
        case Family::Roller:
            return 'R';
        case Family::SunProtection:
            return 'S';
        case Family::Conservatory:
            return 'W';
    }
    return 'R';
}

}  // namespace

const char* FamilyName(Family family) {
    switch (family) {
        case Family::Roller:
            return "roller";
        case Family::SunProtection:
            return "sun";
        case Family::Conservatory:
            return "conservatory";
    }
    return "roller";
}

ModelFeatures FeaturesOfModelText(const std::string& text) {
    const char c9 = CharAt(text, 9);
    const char c13 = CharAt(text, 13);
    const char c14 = CharAt(text, 14);
    const char c15 = CharAt(text, 15);
    const char c16 = CharAt(text, 16);
    const bool combined = c14 == 'M' && c13 == '9';

    ModelFeatures f;
    f.sunProtection = c14 == 'S' || combined;
    f.conservatory = c9 == 'W';
    f.radio = c15 == 'F';
    f.touch = c15 == 'T' || combined || f.radio;
    f.groups = c15 == 'T' || combined || c16 == 'G' || (c13 == '9' && f.touch && !f.radio);
    f.motors = c13 == '9' ? 32 : 8;
    f.slotsPerDay = (c13 >= '0' && c13 <= '7') ? 4 : 8;
    return f;
}

std::optional<std::string> PresetModelText(const IdentityRequest& r, std::string* error) {
    auto refuse = [&](const std::string& why) -> std::optional<std::string> {
        if (error) *error = why + "\n" + ValidMixesText();
        return std::nullopt;
    };
    if (r.motors != 32 && r.motors != 8) return refuse("--motors must be 32 or 8.");
    if (r.slotsPerDay != 8 && r.slotsPerDay != 4) return refuse("--slots must be 8 or 4.");
    if (r.motors == 32 && r.slotsPerDay == 4)
        return refuse("A Controller with 32 motors always stores 8 switching times per day.");
    if (r.radio && !r.touch)
        return refuse("The radio variant always has touch automation: add --touch.");
    if (r.touch && !r.radio && !r.groups)
        return refuse(
            "Touch automation without group control exists only on the radio variant: add "
            "--groups or --radio.");

    std::string text = kModelPrefix;
    text += FamilyLetter(r.family);
    text += " K:";
    text += r.motors == 32 ? '9' : (r.slotsPerDay == 8 ? '8' : '4');
    text += FamilyLetter(r.family);
    text += r.radio ? 'F' : (r.touch ? 'T' : '-');
    text += r.groups ? 'G' : '-';
    return text;
}

std::vector<IdentityRequest> AllValidRequests() {
    std::vector<IdentityRequest> all;
    const Family families[] = {Family::Roller, Family::SunProtection, Family::Conservatory};
    const std::pair<int, int> sizes[] = {{32, 8}, {8, 8}, {8, 4}};
    struct Mix {
        bool touch, groups, radio;
    };
    const Mix mixes[] = {{false, false, false},
                         {false, true, false},
                         {true, true, false},
                         {true, false, true},
                         {true, true, true}};
    for (Family family : families)
        for (auto [motors, slots] : sizes)
            for (const Mix& m : mixes)
                all.push_back({family, motors, slots, m.touch, m.groups, m.radio});
    return all;
}

std::string ValidMixesText() {
    return "Mixes that exist (any --family roller|sun|conservatory):\n"
           "  --motors 32 --slots 8 | --motors 8 --slots 8 | --motors 8 --slots 4\n"
           "  combined with one of:\n"
           "    (no feature)\n"
           "    --groups\n"
           "    --touch --groups\n"
           "    --radio --touch\n"
           "    --radio --touch --groups\n"
           "Not expressible: 32 motors with 4 slots, touch without group control outside the\n"
           "radio variant, the radio variant without touch.";
}

bool IsValidFirmwareText(const std::string& t) {
    auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    return t.size() == 5 && digit(t[0]) && t[1] == '.' && digit(t[2]) && digit(t[3]) && digit(t[4]);
}

bool IsSendableModelText(const std::string& text, std::string* error) {
    auto fail = [&](const char* why) {
        if (error) *error = why;
        return false;
    };
    if (text.empty()) return fail("The model text is empty.");
    for (char c : text) {
        if (c == '\x11' || c == '\x13') return fail("The model text holds a flow-control byte.");
        if (c == '\r' || c == '\n') return fail("The model text holds a line end.");
    }
    if (text.find("start_") != std::string::npos || text.find("ende_") != std::string::npos)
        return fail("The model text holds a frame marker.");
    return true;
}

}  // namespace veltrano::sim
