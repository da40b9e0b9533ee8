#include "masks/mask_lines.h"

#include "model/cp1252.h"
#include "model/value_scales.h"

namespace veltrano {

std::string MotorNameField(const std::string& name) {
    return Utf8Left(name + std::string(11, ' '), 12);
}

std::string MaskLinePrefix(const std::string& name, std::int32_t off) {
    return MotorNameField(name) + "  " + ItemText(OnOffItems(), off);
}

std::string PadTo(const std::string& text, int width) {
    const int length = static_cast<int>(Utf8Length(text));
    return length < width ? std::string(static_cast<std::size_t>(width - length), ' ')
                          : std::string();
}

}  // namespace veltrano
