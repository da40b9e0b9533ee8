#include "link/wire_safe_names.h"

#include <array>

namespace veltrano {
namespace {

constexpr std::array<std::string_view, 2> kMarkers = {"start_", "ende_"};

}  // namespace

bool ContainsFrameMarker(std::string_view name) {
    for (std::string_view marker : kMarkers)
        if (name.find(marker) != std::string_view::npos) return true;
    return false;
}

std::string WireSafeMotorName(std::string_view utf8Name) {
    std::string name(utf8Name);
    // Only single bytes change (ASCII in UTF-8), so the text stays valid UTF-8.
    for (char& c : name) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F) c = ' ';
    }
    // Each pass removes an underscore, and a blank starts no marker: this ends.
    for (bool changed = true; changed;) {
        changed = false;
        for (std::string_view marker : kMarkers) {
            const std::size_t at = name.find(marker);
            if (at == std::string::npos) continue;
            name[at + marker.size() - 1] = ' ';
            changed = true;
        }
    }
    return name;
}

}  // namespace veltrano
