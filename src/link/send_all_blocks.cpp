#include "link/send_all_blocks.h"

#include <charconv>

#include "link/motor_wire.h"
#include "link/wire_safe_names.h"
#include "model/cp1252.h"

namespace veltrano {
namespace {

constexpr std::size_t kNameLength = 12;

constexpr int kSaturday = 6;
constexpr int kMonday = 1;

}  // namespace

void WireWriter::Number(std::int64_t number) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer - 1, number);
    *result.ptr = '\r';
    write_(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer) + 1));
}

void WireWriter::Text(std::string_view bytes) {
    std::string line;
    line.reserve(bytes.size() + 1);
    line.append(bytes);
    line += '\r';
    write_(line);
}

void WireWriter::Numbers(const std::int64_t* first, int count) {
    for (int i = 0; i < count; ++i)
        Number(first[i]);
}

void WireWriter::NumbersWithSum(const std::int64_t* first, int count) {
    std::int64_t sum = 0;
    for (int i = 0; i < count; ++i) {
        Number(first[i]);
        sum += first[i];
    }
    Number(sum);
}

std::int64_t RecordNumbers::Sum() const {
    std::int64_t sum = 0;
    for (int i = 0; i < count; ++i)
        sum += values[static_cast<std::size_t>(i)];
    return sum;
}

RecordNumbers ShadingNumbers(int motor, const ShadingSettings& r) {
    return WireNumbers(motor, r, false);
}
RecordNumbers TwilightMorningNumbers(int motor, const TwilightMorningSettings& r) {
    return WireNumbers(motor, r, false);
}
RecordNumbers TwilightEveningNumbers(int motor, const TwilightEveningSettings& r) {
    return WireNumbers(motor, r, false);
}
RecordNumbers WindNumbers(int motor, const WindSettings& r) {
    return WireNumbers(motor, r, false);
}
RecordNumbers RainNumbers(int motor, const RainSettings& r) {
    return WireNumbers(motor, r, false);
}
RecordNumbers ReverseNumbers(int motor, const ReverseSettings& r) {
    return WireNumbers(motor, r, false);
}
RecordNumbers TouchNumbers(int motor, const TouchSettings& r, bool radioVariant) {
    return WireNumbers(motor, r, radioVariant);
}
RecordNumbers ProportionalTempNumbers(int motor, const ProportionalTempSettings& r) {
    return WireNumbers(motor, r, false);
}
RecordNumbers InsideTempNumbers(int motor, const InsideTempSettings& r) {
    return WireNumbers(motor, r, false);
}
RecordNumbers HeatingNumbers(int motor, const HeatingSettings& r) {
    return WireNumbers(motor, r, false);
}
RecordNumbers HumidityNumbers(int motor, const HumiditySettings& r) {
    return WireNumbers(motor, r, false);
}
RecordNumbers OutsideTempNumbers(int motor, const OutsideTempSettings& r) {
    return WireNumbers(motor, r, false);
}

RecordNumbers SwitchTimeNumbers(int day, int motor, int slot, const SwitchTime& entry) {
    const std::int64_t minutes = std::int64_t{entry.TimeCode} - 1;
    const std::int64_t hour = minutes / 60;
    RecordNumbers n;
    n.Add(day);
    n.Add(motor);
    n.Add(slot);
    n.Add(entry.Direction == kUp ? 1 : 0);
    n.Add(hour);
    n.Add(minutes - 60 * hour);
    n.Add(entry.DurationCode);
    n.Add(entry.DayGroup);
    n.Add(entry.Function);
    return n;
}

std::int64_t SwitchTimeChecksum(std::int64_t sum) {
    if (sum > 255) sum -= 256;
    if (sum > 255) sum -= 256;
    return sum;
}

bool SwitchTimeSentOnDay(const SwitchTime& entry, int day) {
    if (entry.IsEmpty()) return false;
    switch (entry.DayGroup) {
        case kDayGroupSingleDay:
            return true;
        case kDayGroupWeekend:
            return day == kSaturday;
        case kDayGroupWeekdays:
        case kDayGroupWholeWeek:
            return day == kMonday;
        default:
            return false;  // names no days
    }
}

void WriteSwitchTime(WireWriter& w, int day, int motor, int slot, const SwitchTime& entry) {
    const RecordNumbers n = SwitchTimeNumbers(day, motor, slot, entry);
    w.Word(kWordSwitchTime);
    w.Numbers(n.values.data(), n.count);
    w.Number(SwitchTimeChecksum(n.Sum()));
}

void WriteEraseRecord(WireWriter& w) {
    static constexpr std::int64_t kErase[] = {0, 1, 1, 0, 24, 0, 40, 1, 0, 67};
    w.Word(kWordSwitchTime);
    w.Numbers(kErase, 10);
}

void WriteEndOfDayRecord(WireWriter& w) {
    static constexpr std::int64_t kEndOfDay[] = {255, 0, 0, 0, 0, 0, 0, 0, 0, 255};
    w.Word(kWordSwitchTime);
    w.Numbers(kEndOfDay, 10);
}

void WriteEndOfSwitchTimesRecord(WireWriter& w) {
    static constexpr std::int64_t kEnd[] = {8, 0, 0, 0, 0, 0, 0, 0, 0, 8};
    w.Word(kWordSwitchTime);
    w.Numbers(kEnd, 10);
}

int WriteSwitchTimesOfDay(WireWriter& w, const SwitchTimeTable& table, int day) {
    int written = 0;
    for (int motor = 1; motor <= kMotorCount; ++motor) {
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            const SwitchTime& entry = table.entry(day - 1, motor - 1, slot - 1);
            if (!SwitchTimeSentOnDay(entry, day)) continue;
            WriteSwitchTime(w, day, motor, slot, entry);
            ++written;
        }
    }
    WriteEndOfDayRecord(w);
    return written;
}

std::string MotorNameWireText(std::string_view utf8Name) {
    // Converted after the markers are broken, one byte per character, so
    // the cut is a byte count.
    std::string bytes = Utf8ToCp1252(WireSafeMotorName(utf8Name));
    bytes.resize(kNameLength, ' ');
    return bytes;
}

void WriteMotorName(WireWriter& w, int motor, std::string_view utf8Name) {
    const std::string name = MotorNameWireText(utf8Name);
    w.Word(kWordMotorName);
    w.Number(motor);
    w.Text(name);
    w.Text(name);
}

void WriteHoliday(WireWriter& w, int number, const Holiday& holiday) {
    const std::int64_t n[] = {number, holiday.Day, holiday.Month};
    w.Word(kWordHoliday);
    w.NumbersWithSum(n, 3);
}

AlarmMasks AlarmPatternMasks(const ConfigurationModel& model) {
    AlarmMasks masks;
    for (int motor = 1; motor <= kMotorCount; ++motor) {
        const std::uint32_t bit = std::uint32_t{1} << (motor - 1);
        if (model.alarmPattern(motor) == kAlarmUp) masks.up |= bit;
        if (model.alarmPattern(motor) == kAlarmDown) masks.down |= bit;
    }
    return masks;
}

void WriteGroupBlock(WireWriter& w, const ConfigurationModel& model) {
    w.Word(kWordGroups);
    for (int group = 1; group <= kGroupCount; ++group)
        w.Number(model.GroupMotorMask(group));
    w.Number(kMaskBlockTrailer);
}

void WriteAlarmBlock(WireWriter& w, const ConfigurationModel& model) {
    const AlarmMasks masks = AlarmPatternMasks(model);
    w.Word(kWordAlarm);
    w.Number(masks.up);
    w.Number(masks.down);
    w.Number(kMaskBlockTrailer);
}

void WriteSingleParameter(WireWriter& w, std::string_view word, std::int64_t number) {
    w.Word(word);
    w.Number(number);
    w.Number(number);
}

std::int64_t OutsideTempOffsetNumber(const GeneralParameters& p) {
    return std::int64_t{p.OutsideTempOffsetCode} + 95;
}
std::int64_t InsideTempOffsetNumber(const GeneralParameters& p) {
    return std::int64_t{p.InsideTempOffsetCode} + 95;
}
std::int64_t HeatingHysteresisNumber(const GeneralParameters& p) {
    return std::int64_t{p.HeatingHysteresisCode} + 1;
}
std::int64_t WindDelayNumber(const GeneralParameters& p) {
    return p.WindDelayCode;
}
std::int64_t ShadingHysteresisNumber(const GeneralParameters& p) {
    return std::int64_t{p.ShadingHysteresisCode} + 2 + (p.SoftGzsActive ? 128 : 0);
}
std::int64_t RandomSpanNumber(const GeneralParameters& p) {
    return std::int64_t{p.RandomSpanCode} + 2;
}

}  // namespace veltrano
