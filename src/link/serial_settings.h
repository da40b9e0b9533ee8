// The terminal settings of the line to the Controller and the check that the
// driver really took them.
#pragma once

#include <termios.h>

#include <optional>

namespace veltrano::comm {

// What the owner asks for: baud rate, data bits, parity ('N', 'E', 'O'), stop bits.
struct LineSettings {
    int baud = 9600;
    int databits = 8;
    char parity = 'N';
    int stopbits = 1;
};

// The start and stop characters of software flow control.
inline constexpr unsigned char kXon = 0x11;
inline constexpr unsigned char kXoff = 0x13;

// Raw 8-bit transfer without any character processing, XON/XOFF in both
// directions, no modem handshake or hang-up on close, reads that return as
// soon as one byte is there (the descriptor itself is non-blocking).
// std::nullopt when a value has no terminal equivalent.
std::optional<termios> MakeTerminalSettings(const termios& original, const LineSettings& line);

// True when everything MakeTerminalSettings decides is present in actual.
bool TerminalSettingsTookEffect(const termios& wanted, const termios& actual);

}  // namespace veltrano::comm
