// How much of the Controller's switching-time memory the table leaves free.
#pragma once

#include <string>

#include "switch_time_table.h"

namespace veltrano {

// The Controller stores at most this many switching times; a group entry
// counts once for its whole group.
inline constexpr int kSwitchTimeCapacity = 240;

// The free switching-time memory as the status bar shows it.
struct FreeMemoryFigure {
    int percent = 100;          // 0..100, truncated
    bool insufficient = false;  // show the "nicht ausreichend" warning
    std::string panelText;      // "Freier Schaltzeiten-Speicher: " + percent + "%"
    bool operator==(const FreeMemoryFigure&) const = default;
};

// Each non-empty entry counts its share of its day group (1, 1/2, 1/5 or
// 1/7 for day groups 1, 2, 5, 7), so the copies of a group count once.
// Empty entries and entries with any other day group count nothing.
FreeMemoryFigure FreeSwitchTimeMemory(const SwitchTimeTable& table);

}  // namespace veltrano
