// The list lines of the sheet "Beschattung, Dämmerung" and the coupling of
// the shading period's two boxes. Pure text and numbers.
#pragma once

#include <string>

#include "model/motor_records.h"

namespace veltrano {

// BA_Liste: the prefix, then for "EIN" the temperature right-aligned in four
// characters, "°C  ", start " - " end, two blanks, brightness, four blanks,
// run time. A code outside its list shows as empty text.
std::string ShadingLine(const std::string& name, const ShadingSettings& record);
// DM_Liste: the prefix, then for "EIN" four blanks, start, three blanks,
// brightness, four blanks, run time.
std::string TwilightMorningLine(const std::string& name, const TwilightMorningSettings& record);
// DA_Liste: as the morning line with three blanks (not four) before the start.
std::string TwilightEveningLine(const std::string& name, const TwilightEveningSettings& record);

// Item indexes of BA_von and BA_Bis; -1 for a box without an item.
struct ShadingPeriod {
    int from = 0;
    int to = 0;
    bool operator==(const ShadingPeriod&) const = default;
};

// The user chose start `from` while the end box shows `to`: an end not after
// the start (or none) becomes start + 1, and the latest period is 21:00 to
// 22:00.
ShadingPeriod ShadingStartChosen(int from, int to);
// The user chose end `to` while the start box shows `from`: a start not
// before the end (or none) becomes end - 1, and the earliest period is 05:00
// to 06:00. The chosen end stays wherever it can.
ShadingPeriod ShadingEndChosen(int from, int to);

}  // namespace veltrano
