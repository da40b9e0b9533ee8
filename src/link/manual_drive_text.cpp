#include "link/manual_drive_text.h"

#include <stdexcept>

#include "link/manual_drive_code.h"

namespace veltrano {

std::string ManualDriveMotorText(int motor) {
    return " rhb" + std::to_string(motor) + "\r";
}

std::string ManualDriveDirectionText(int row) {
    static constexpr const char* kWords[] = {"up", "off", "down"};
    if (row < kManualRowUp || row > kManualRowDown)
        throw std::out_of_range("Kein Fahrbefehl für diese Zeile");
    return std::string(kWords[row]) + "\r" + kManualDriveConfirmationCode + "\r + sti\r";
}

}  // namespace veltrano
