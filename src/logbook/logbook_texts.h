// The event texts of the logbook: the list and the export file use partly
// different wording. A code without a text gives "".
#pragma once

#include <cstdint>
#include <string>

namespace veltrano {

std::string LogbookListText(std::int64_t code, std::int64_t subCode);
std::string LogbookExportText(std::int64_t code, std::int64_t subCode);

// Events that concern no single motor: the list shows neither name nor
// direction for them (codes 8, 9, 18, 19, 20; no direction for code 5 either).
bool ListShowsNoMotor(std::int64_t code);
bool ListShowsNoDirection(std::int64_t code);
// The export leaves name and direction blank for codes 8 and 9 only.
bool ExportShowsNoMotor(std::int64_t code);

}  // namespace veltrano
