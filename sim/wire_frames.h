// The Controller's answer frames: "start_" + tag + payload + "ende_", with
// numeric payloads written as decimals each followed by ",". Every numeric
// frame of the Controller ends each number with a comma, the last included:
// a reader that misses a comma reads 0 there.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sim_memory.h"

namespace veltrano::sim {

inline constexpr std::string_view kFrameStart = "start_";
inline constexpr std::string_view kFrameEnd = "ende_";

// A frame's parts before rendering, so that faults can touch its checksum.
struct OutgoingFrame {
    std::string tag;
    std::string text;                   // text payload (smo, sfi, sdt, sti, smn)
    std::vector<std::int64_t> numbers;  // numeric payload (used when text is empty)
    bool hasChecksum = false;           // the last number is a checksum
};

std::string RenderFrame(const OutgoingFrame& frame);
std::string NumberList(std::span<const std::int64_t> numbers);

OutgoingFrame TextFrame(std::string_view tag, std::string_view text);
OutgoingFrame NumberFrame(std::string_view tag, std::vector<std::int64_t> numbers);
// Appends the plain sum of the numbers as checksum.
OutgoingFrame ChecksumFrame(std::string_view tag, std::vector<std::int64_t> numbers);

// A 32-bit mask as the Controller writes it: unsigned decimal, or the
// signed 32-bit reading of the same bits.
std::int64_t MaskNumber(std::uint32_t mask, bool signedForm);

// The answers of the configuration read requests.
OutgoingFrame MotorBlockFrame(const MotorBlockLayout& layout, int motor, const MotorRecord& record);
OutgoingFrame NameFrame(int motor, std::string_view name12);           // "smn": "07," + name
OutgoingFrame HolidayFrame(int number, const HolidayRecord& holiday);  // "sft"
// "sfs" entry: motor numbered 0..31, plain checksum.
OutgoingFrame SwitchTimeFrame(const SwitchTimeRecord& record);
OutgoingFrame SwitchTimeListOpening();  // day 0
OutgoingFrame SwitchTimeListClosing();  // day 255

// Bytes the Controller never sends: the flow-control characters of the line.
bool IsFlowControlByte(char c);
// Replaces flow-control bytes by '?', so no frame can stop the line.
std::string WithoutFlowControl(std::string text);

}  // namespace veltrano::sim
