#include "general_parameters.h"

namespace veltrano {

namespace {

std::string TwoDigits(std::int32_t value) {
    std::string text = std::to_string(value);
    return value >= 0 && value < 10 ? "0" + text : text;
}

}  // namespace

std::string HolidayFieldText(const Holiday& holiday) {
    return "       " + TwoDigits(holiday.Day) + "." + TwoDigits(holiday.Month) + ".";
}

}  // namespace veltrano
