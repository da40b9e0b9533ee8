#include "backup/holiday_field.h"

#include <cctype>

namespace veltrano {
namespace {

constexpr std::string_view kLayout = "       dd.mm.";  // d, m: a digit each

int Digit(char c) {
    return c - '0';
}

}  // namespace

std::optional<Holiday> HolidayFromFieldText(std::string_view text) {
    if (text.size() != kLayout.size()) return std::nullopt;
    for (std::size_t i = 0; i < kLayout.size(); ++i) {
        const bool digitWanted = kLayout[i] == 'd' || kLayout[i] == 'm';
        const bool isDigit = std::isdigit(static_cast<unsigned char>(text[i])) != 0;
        if (digitWanted ? !isDigit : text[i] != kLayout[i]) return std::nullopt;
    }
    const int day = Digit(text[7]) * 10 + Digit(text[8]);
    const int month = Digit(text[10]) * 10 + Digit(text[11]);
    if (day < 1 || day > 31 || month < 1 || month > 12) return std::nullopt;
    return Holiday{day, month};
}

}  // namespace veltrano
