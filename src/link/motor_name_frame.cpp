#include "link/motor_name_frame.h"

#include "link/payload_error.h"
#include "link/payload_numbers.h"
#include "model/model_codes.h"

namespace veltrano {

std::optional<MotorNameFrame> ParseMotorNameFrame(const std::string& payload) {
    const std::size_t comma = payload.find(',');
    if (comma == std::string::npos) throw PayloadError("motor name without number");
    const auto motor =
        ParseWireInteger(std::string_view(payload).substr(0, comma), NumberRange::Signed32);
    if (!motor) throw PayloadError("motor number not an integer");
    if (*motor < 1 || *motor > kMotorCount) return std::nullopt;  // no such motor
    return MotorNameFrame{static_cast<int>(*motor), payload.substr(comma + 1)};
}

}  // namespace veltrano
