// The texts the manual-drive block writes to the Controller. Pure text; the
// mask writes them through the window's port and waits for no answer.
#pragma once

#include <string>

namespace veltrano {

// Ask for the reported states of all motors (sheet entered, next bank).
inline constexpr const char* kManualStatesRequest = "srs\r";
// Manual mode on: the selectors' group gained the focus.
inline constexpr const char* kManualModeBegin = " rhi\r";
// Manual mode off: the sheet is left.
inline constexpr const char* kManualModeEnd = " rhe\r";

// Selector rows: 0 up, 1 off (stop), 2 down.
inline constexpr int kManualRowUp = 0;
inline constexpr int kManualRowOff = 1;
inline constexpr int kManualRowDown = 2;

// The motor a selector drives: 8 (bank - 1) + selector, bank 1..4, selector 1..8.
constexpr int ManualMotor(int bank, int selector) {
    return 8 * (bank - 1) + selector;
}

// First write of a drive: " rhb" + motor in decimal + CR.
std::string ManualDriveMotorText(int motor);
// Second write: the direction word of `row` ("up", "off", "down"), CR, the
// confirmation code, CR, then " + sti" and CR. Throws std::out_of_range for
// another row.
std::string ManualDriveDirectionText(int row);

}  // namespace veltrano
