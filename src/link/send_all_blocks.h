// The blocks of "PC --> Steuerung" as they go on the wire: a command word on
// its own (" rbp"), then every number as its own write of decimal digits and
// "\r". The receive layouts of the read-all frames are the same numbers,
// except where noted below.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "model/configuration_model.h"

namespace veltrano {

// One write to the port (Windows-1252 bytes).
using WireWrite = std::function<void(std::string_view bytes)>;

// Emits a block write by write.
class WireWriter {
  public:
    explicit WireWriter(const WireWrite& write) : write_(write) {}

    void Word(std::string_view word) { write_(word); }
    void Number(std::int64_t number);   // digits + "\r"
    void Text(std::string_view bytes);  // bytes + "\r"
    void Numbers(const std::int64_t* first, int count);
    // The numbers, then their plain sum.
    void NumbersWithSum(const std::int64_t* first, int count);

  private:
    const WireWrite& write_;
};

// The numbers of one record before its checksum (at most ten).
struct RecordNumbers {
    std::array<std::int64_t, 10> values{};
    int count = 0;

    void Add(std::int64_t v) { values[static_cast<std::size_t>(count++)] = v; }
    std::int64_t Sum() const;
    bool operator==(const RecordNumbers&) const = default;
};

// Command words.
inline constexpr std::string_view kWordSwitchTime = " rfs";
inline constexpr std::string_view kWordMotorName = " rmn";
inline constexpr std::string_view kWordHoliday = " rft";
inline constexpr std::string_view kWordGroups = " rgz";
inline constexpr std::string_view kWordReverse = " rjp";
inline constexpr std::string_view kWordShading = " rbp";
inline constexpr std::string_view kWordTwilightMorning = " rdm";
inline constexpr std::string_view kWordTwilightEvening = " rda";
inline constexpr std::string_view kWordWind = " rwp";
inline constexpr std::string_view kWordRain = " rrp";
inline constexpr std::string_view kWordOutsideOffset = " roa";
inline constexpr std::string_view kWordWindDelay = " raw";
inline constexpr std::string_view kWordAlarm = " ras";
inline constexpr std::string_view kWordProportionalTemp = " rpp";
inline constexpr std::string_view kWordInsideTemp = " rip";
inline constexpr std::string_view kWordHeating = " rhp";
inline constexpr std::string_view kWordHeatingHysteresis = " rhh";
inline constexpr std::string_view kWordHumidity = " rfp";
inline constexpr std::string_view kWordOutsideTemp = " rap";
inline constexpr std::string_view kWordInsideOffset = " roi";
inline constexpr std::string_view kWordTouch = " rta ";  // with its trailing blank
inline constexpr std::string_view kWordShadingHysteresis = " rbh";
inline constexpr std::string_view kWordRandomSpan = " rzz";

// The fixed number after the group and alarm masks.
inline constexpr std::int64_t kMaskBlockTrailer = 22;

// Per-motor records: motor 1..32 and the fields, converted by the record's
// wire table (link/motor_wire.h); the checksum (their plain sum) is added by
// WireWriter::NumbersWithSum.
RecordNumbers ShadingNumbers(int motor, const ShadingSettings& r);
RecordNumbers TwilightMorningNumbers(int motor, const TwilightMorningSettings& r);
RecordNumbers TwilightEveningNumbers(int motor, const TwilightEveningSettings& r);
RecordNumbers WindNumbers(int motor, const WindSettings& r);
RecordNumbers RainNumbers(int motor, const RainSettings& r);
RecordNumbers ReverseNumbers(int motor, const ReverseSettings& r);
// On a radio variant the run time travels as its position in the radio list + 48.
RecordNumbers TouchNumbers(int motor, const TouchSettings& r, bool radioVariant);
RecordNumbers ProportionalTempNumbers(int motor, const ProportionalTempSettings& r);
RecordNumbers InsideTempNumbers(int motor, const InsideTempSettings& r);
RecordNumbers HeatingNumbers(int motor, const HeatingSettings& r);
RecordNumbers HumidityNumbers(int motor, const HumiditySettings& r);
// Direction 0 up -> 1, 1 down -> 0; 2 (deactivated) and anything else unchanged.
RecordNumbers OutsideTempNumbers(int motor, const OutsideTempSettings& r);

// Switching times. Day 1..7, motor 1..32, slot 1..8: the nine numbers.
RecordNumbers SwitchTimeNumbers(int day, int motor, int slot, const SwitchTime& entry);
// The sum less 256 when above 255, and less 256 once more when still above 255.
std::int64_t SwitchTimeChecksum(std::int64_t sum);
// Whether day 1..7 sends this entry: a stored one of day group 1, or the
// first day of its group (Saturday for 2, Monday for 5 and 7).
bool SwitchTimeSentOnDay(const SwitchTime& entry, int day);
// " rfs", the nine numbers and the reduced checksum.
void WriteSwitchTime(WireWriter& w, int day, int motor, int slot, const SwitchTime& entry);
// " rfs" 0, 1, 1, 0, 24, 0, 40, 1, 0 with 67: erases the switching-time memory.
void WriteEraseRecord(WireWriter& w);
void WriteEndOfDayRecord(WireWriter& w);          // 255 and eight zeros, 255
void WriteEndOfSwitchTimesRecord(WireWriter& w);  // 8 and eight zeros, 8
// Writes the day's entries in motor and slot order and its end record;
// returns how many entries were written.
int WriteSwitchTimesOfDay(WireWriter& w, const SwitchTimeTable& table, int day);

// The name as it travels: WireSafeMotorName, then Windows-1252, padded with
// blanks or cut to exactly 12 characters. Control characters become blanks,
// so a name can never end its record early or run into the next, and no
// frame marker can cut the Controller's answer when the name is read back.
std::string MotorNameWireText(std::string_view utf8Name);
// " rmn", motor, then the 12 characters twice.
void WriteMotorName(WireWriter& w, int motor, std::string_view utf8Name);

void WriteHoliday(WireWriter& w, int number, const Holiday& holiday);

// Masks: bit m - 1 = motor m.
struct AlarmMasks {
    std::uint32_t up = 0;    // AlarmPatterns entry 0
    std::uint32_t down = 0;  // AlarmPatterns entry 2
};
AlarmMasks AlarmPatternMasks(const ConfigurationModel& model);
// " rgz", the four group masks as unsigned decimals, 22.
void WriteGroupBlock(WireWriter& w, const ConfigurationModel& model);
// " ras", the up mask, the down mask, 22.
void WriteAlarmBlock(WireWriter& w, const ConfigurationModel& model);

// Single parameters: the command word and the number twice.
void WriteSingleParameter(WireWriter& w, std::string_view word, std::int64_t number);
std::int64_t OutsideTempOffsetNumber(const GeneralParameters& p);  // code + 95
std::int64_t InsideTempOffsetNumber(const GeneralParameters& p);   // code + 95
std::int64_t HeatingHysteresisNumber(const GeneralParameters& p);  // code + 1
std::int64_t WindDelayNumber(const GeneralParameters& p);          // code
std::int64_t ShadingHysteresisNumber(const GeneralParameters& p);  // code + 2, + 128 for Soft-GZS
std::int64_t RandomSpanNumber(const GeneralParameters& p);         // code + 2

}  // namespace veltrano
