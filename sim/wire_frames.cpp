#include "wire_frames.h"

#include <cstdio>
#include <numeric>

namespace veltrano::sim {

std::string NumberList(std::span<const std::int64_t> numbers) {
    std::string out;
    for (std::int64_t n : numbers) {
        out += std::to_string(n);
        out += ',';
    }
    return out;
}

std::string RenderFrame(const OutgoingFrame& frame) {
    std::string out;
    out += kFrameStart;
    out += frame.tag;
    out += frame.text.empty() ? NumberList(frame.numbers) : WithoutFlowControl(frame.text);
    out += kFrameEnd;
    return out;
}

OutgoingFrame TextFrame(std::string_view tag, std::string_view text) {
    OutgoingFrame f;
    f.tag = tag;
    f.text = text;
    return f;
}

OutgoingFrame NumberFrame(std::string_view tag, std::vector<std::int64_t> numbers) {
    OutgoingFrame f;
    f.tag = tag;
    f.numbers = std::move(numbers);
    return f;
}

OutgoingFrame ChecksumFrame(std::string_view tag, std::vector<std::int64_t> numbers) {
    const std::int64_t sum = std::accumulate(numbers.begin(), numbers.end(), std::int64_t{0});
    numbers.push_back(sum);
    OutgoingFrame f = NumberFrame(tag, std::move(numbers));
    f.hasChecksum = true;
    return f;
}

std::int64_t MaskNumber(std::uint32_t mask, bool signedForm) {
    if (signedForm) return static_cast<std::int32_t>(mask);
    return static_cast<std::int64_t>(mask);
}

OutgoingFrame MotorBlockFrame(const MotorBlockLayout& layout, int motor,
                              const MotorRecord& record) {
    std::vector<std::int64_t> numbers{motor};
    numbers.insert(numbers.end(), record.begin(), record.end());
    return ChecksumFrame(layout.readTag, std::move(numbers));
}

OutgoingFrame NameFrame(int motor, std::string_view name12) {
    char number[8];
    std::snprintf(number, sizeof number, "%02d,", motor);
    return TextFrame("smn", std::string(number) + std::string(name12));
}

OutgoingFrame HolidayFrame(int number, const HolidayRecord& holiday) {
    return ChecksumFrame("sft", {number, holiday.day, holiday.month});
}

OutgoingFrame SwitchTimeFrame(const SwitchTimeRecord& r) {
    return ChecksumFrame("sfs", {r.day, r.motor - 1, r.slot, r.direction, r.hour, r.minute,
                                 r.duration, r.dayGroup, r.function});
}

OutgoingFrame SwitchTimeListOpening() {
    return ChecksumFrame("sfs", {0, 0, 0, 0, 0, 0, 0, 0, 0});
}

OutgoingFrame SwitchTimeListClosing() {
    return ChecksumFrame("sfs", {255, 0, 0, 0, 0, 0, 0, 0, 0});
}

bool IsFlowControlByte(char c) {
    return c == '\x11' || c == '\x13';
}

std::string WithoutFlowControl(std::string text) {
    for (char& c : text)
        if (IsFlowControlByte(c)) c = '?';
    return text;
}

}  // namespace veltrano::sim
