#include "backup/holiday_field.h"

#include "backup/backup_text.h"

namespace veltrano {

std::optional<Holiday> HolidayFromFieldText(std::string_view text) {
    const auto day = backup::ToInteger(backup::Mid(text, 8, 2));
    const auto month = backup::ToInteger(backup::Mid(text, 11, 2));
    if (!day || !month || *day < 1 || *day > 31 || *month < 1 || *month > 12) return std::nullopt;
    return Holiday{*day, *month};
}

}  // namespace veltrano
