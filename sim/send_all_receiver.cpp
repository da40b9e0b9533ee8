#include "send_all_receiver.h"

#include <numeric>

namespace veltrano::sim {

namespace {

constexpr long long kMaskChecksum = 22;

bool IsSingleBlock(const std::string& w) {
    return w == "roa" || w == "roi" || w == "rhh" || w == "raw" || w == "rbh" || w == "rzz";
}

bool InRange(long long value, long long min, long long max) {
    return value >= min && value <= max;
}

// A mask may come as an unsigned or a signed 32-bit decimal.
bool IsMaskNumber(long long value) {
    return InRange(value, -2147483648LL, 4294967295LL);
}

std::uint32_t MaskBits(long long value) {
    return static_cast<std::uint32_t>(value);
}

long long SumOf(const std::vector<std::int64_t>& n, std::size_t count) {
    return std::accumulate(n.begin(), n.begin() + static_cast<long>(count), 0LL);
}

std::string Describe(const ParsedCommand& r) {
    std::string text = r.word;
    for (auto n : r.numbers) {
        text += ' ';
        text += std::to_string(n);
    }
    return text;
}

}  // namespace

bool EndsStep(const ParsedCommand& r) {
    const std::string& w = r.word;
    if (w == "rgz" || w == "ras" || IsSingleBlock(w)) return true;
    if (r.numbers.empty()) return false;
    const auto first = r.numbers.front();
    if (w == "rfs") return first == 0 || first == 255 || first == 8;
    if (w == "rft") return first == 15;
    if (w == "rmn" || LayoutBySendWord(w)) return first == kMaxMotors;
    return false;
}

long long SendAllReceiver::SwitchTimeChecksum(long long sum) {
    if (sum > 255) sum -= 256;
    if (sum > 255) sum -= 256;
    return sum;
}

SendAllReceiver::SendAllReceiver(ModelFeatures features, std::set<std::string> refusedWords)
    : features_(features), refusedWords_(std::move(refusedWords)) {}

std::optional<int> SendAllReceiver::Accept(const ParsedCommand& r, SimMemory& memory) {
    if (Check(r, memory))
        Apply(r, memory);
    else
        stepRefused_ = true;
    if (!EndsStep(r)) return std::nullopt;
    const int ack = stepRefused_ ? 1 : 0;
    stepRefused_ = false;
    return ack;
}

bool SendAllReceiver::Refuse(std::string why) {
    lastRefusal_ = std::move(why);
    return false;
}

bool SendAllReceiver::Check(const ParsedCommand& r, const SimMemory& memory) {
    const std::string& w = r.word;
    const auto& n = r.numbers;
    if (!r.wellFormed) return Refuse("malformed record: " + Describe(r));
    if (refusedWords_.count(w)) return Refuse("refused on demand: " + w);
    if (static_cast<int>(n.size()) != CommandParser::NumberCount(w))
        return Refuse("wrong number count: " + Describe(r));

    if (const MotorBlockLayout* layout = LayoutBySendWord(w)) {
        if (n.back() != SumOf(n, n.size() - 1)) return Refuse("checksum: " + Describe(r));
        if (!InRange(n[0], 1, kMaxMotors)) return Refuse("motor: " + Describe(r));
        for (std::size_t i = 0; i < layout->fields.size(); ++i) {
            WireRange range = layout->fields[i];
            if (layout->block == MotorBlock::Touch && i == 1 && features_.radio)
                range = {49, 135};  // the radio run-time list, offset by 48
            if (!InRange(n[i + 1], range.min, range.max))
                return Refuse("field " + std::to_string(i + 1) + ": " + Describe(r));
        }
        return true;
    }
    if (w == "rfs") {
        if (n[9] != SwitchTimeChecksum(SumOf(n, 9))) return Refuse("checksum: " + Describe(r));
        const auto day = n[0];
        if (day == 0 || day == 8 || day == 255) return true;
        if (!InRange(day, 1, 7)) return Refuse("day: " + Describe(r));
        const bool valid = InRange(n[1], 1, features_.motors) &&
                           InRange(n[2], 1, features_.slotsPerDay) && InRange(n[3], 0, 1) &&
                           InRange(n[4], 0, 23) && InRange(n[5], 0, 59) && InRange(n[6], 0, 129) &&
                           (n[7] == 1 || n[7] == 2 || n[7] == 5 || n[7] == 7) &&
                           InRange(n[8], 0, 2);
        if (!valid) return Refuse("switching time out of range: " + Describe(r));
        const bool replaces = memory.FindSwitchTime(static_cast<int>(n[0]), static_cast<int>(n[1]),
                                                    static_cast<int>(n[2])) != nullptr;
        if (!replaces && memory.switchTimes.size() >= kSwitchTimeCapacity)
            return Refuse("switching-time memory full");
        return true;
    }
    if (w == "rmn") {
        if (!InRange(n[0], 1, kMaxMotors)) return Refuse("motor: " + Describe(r));
        if (r.texts.size() != 2 || r.texts[0] != r.texts[1])
            return Refuse("the two name texts differ: " + Describe(r));
        return true;
    }
    if (w == "rft") {
        if (n[3] != SumOf(n, 3)) return Refuse("checksum: " + Describe(r));
        if (!InRange(n[0], 1, kHolidayCount) || !InRange(n[1], 1, 31) || !InRange(n[2], 1, 12))
            return Refuse("holiday out of range: " + Describe(r));
        return true;
    }
    if (w == "rgz" || w == "ras") {
        if (n.back() != kMaskChecksum) return Refuse("checksum: " + Describe(r));
        for (std::size_t i = 0; i + 1 < n.size(); ++i)
            if (!IsMaskNumber(n[i])) return Refuse("mask: " + Describe(r));
        return true;
    }
    if (IsSingleBlock(w)) {
        if (n[1] != n[0]) return Refuse("checksum: " + Describe(r));
        const auto v = n[0];
        bool valid = false;
        if (w == "roa" || w == "roi") valid = InRange(v, 95, 105);
        if (w == "rhh") valid = InRange(v, 1, 9);
        if (w == "raw") valid = InRange(v, 0, 20);
        if (w == "rbh") valid = InRange(v, 2, 50) || InRange(v, 130, 178);
        if (w == "rzz") valid = InRange(v, 2, 254);
        return valid ? true : Refuse("value out of range: " + Describe(r));
    }
    return Refuse("unknown record: " + Describe(r));
}

void SendAllReceiver::Apply(const ParsedCommand& r, SimMemory& memory) {
    const std::string& w = r.word;
    const auto& n = r.numbers;
    auto at = [&](std::size_t i) { return static_cast<std::int32_t>(n[i]); };

    if (const MotorBlockLayout* layout = LayoutBySendWord(w)) {
        MotorRecord& record = memory.Record(layout->block, at(0));
        record.assign(n.begin() + 1, n.end() - 1);
    } else if (w == "rfs") {
        if (n[0] == 0) {
            memory.switchTimes.clear();
        } else if (n[0] >= 1 && n[0] <= 7) {
            memory.StoreSwitchTime({at(0), at(1), at(2), at(3), at(4), at(5), at(6), at(7), at(8)});
        }
    } else if (w == "rmn") {
        memory.names[at(0) - 1] = r.texts[0];
    } else if (w == "rft") {
        memory.holidays[at(0) - 1] = {at(1), at(2)};
    } else if (w == "rgz") {
        for (int g = 0; g < kGroupCount; ++g)
            memory.groupMasks[g] = MaskBits(n[g]);
    } else if (w == "ras") {
        memory.alarmUpMask = MaskBits(n[0]);
        memory.alarmDownMask = MaskBits(n[1]);
    } else if (w == "roa") {
        memory.outsideOffset = at(0);
    } else if (w == "roi") {
        memory.insideOffset = at(0);
    } else if (w == "rhh") {
        memory.heatingHysteresis = at(0);
    } else if (w == "raw") {
        memory.windDelay = at(0);
    } else if (w == "rbh") {
        memory.shadingHysteresis = at(0);
    } else if (w == "rzz") {
        memory.randomSpan = at(0);
    }
}

}  // namespace veltrano::sim
