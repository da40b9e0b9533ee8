// The Controller's wire numbers against the model's codes, written from the
// protocol's field offsets alone, without the program's decoders or
// encoders: what a completed read-all must leave in the model, and what a
// completed send-all must leave in the Controller's memory.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/configuration_model.h"
#include "sim_identity.h"
#include "sim_memory.h"

namespace veltrano::testing {

// --- Windows-1252 names ----------------------------------------------------------

// Characters of the bytes 0x80..0x9F; the five bytes the code page leaves
// free stand for the C1 control of the same number.
inline constexpr char32_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

inline std::string Cp1252BytesToUtf8(std::string_view bytes) {
    std::u32string characters;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        characters += b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : char32_t{b};
    }
    return QString::fromUcs4(characters.data(), static_cast<qsizetype>(characters.size()))
        .toStdString();
}

inline std::string Utf8ToCp1252Bytes(std::string_view utf8) {
    std::string bytes;
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    for (const char32_t c : text.toUcs4()) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            bytes += static_cast<char>(c);
            continue;
        }
        char byte = '?';
        for (int i = 0; i < 32; ++i)
            if (kCp1252High[i] == c) byte = static_cast<char>(0x80 + i);
        bytes += byte;
    }
    return bytes;
}

// A motor name as the Controller stores it after a send-all: Windows-1252,
// padded with blanks or cut to exactly 12 characters; control characters
// (a tab, the flow-control bytes XON and XOFF) go as blanks, so they can
// never stop the line.
inline std::string StoredName(std::string_view utf8) {
    std::string bytes = Utf8ToCp1252Bytes(utf8);
    bytes.resize(sim::kNameLength, ' ');
    for (char& c : bytes)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return bytes;
}

// --- Per-motor fields ------------------------------------------------------------

enum class Conversion {
    OnOff,             // wire 1 = on = code 0
    Minus,             // code = wire - offset
    Raw,               // code = wire
    OneToZero,         // wire 1 = code 0 (up, "T>", "Tag" ...), else code 1
    WindSpeed,         // wire km/h; code = km/h / 5 (truncated) - 1
    TouchRunTime,      // code = wire - 1; a radio variant adds 48 on the wire
    HeatingMode,       // wire 1 = heating = code 0, wire 0 = cooling = code 1
    OutsideDirection,  // wire 1 = up = code 0, wire 0 = down = code 1, 2 deactivated
};

struct FieldRule {
    const char* name;
    Conversion conversion;
    std::int32_t offset = 0;
};

inline std::int64_t CodeFromWire(const FieldRule& f, std::int64_t wire, bool radio) {
    switch (f.conversion) {
        case Conversion::OnOff:
        case Conversion::OneToZero:
            return wire == 1 ? 0 : 1;
        case Conversion::Minus:
            return wire - f.offset;
        case Conversion::Raw:
            return wire;
        case Conversion::WindSpeed:
            return wire / 5 - 1;
        case Conversion::TouchRunTime:
            return radio && wire - 1 >= 48 ? wire - 1 - 48 : wire - 1;
        case Conversion::HeatingMode:
            return wire == 0 ? 1 : 0;
        case Conversion::OutsideDirection:
            return wire == 1 ? 0 : wire == 0 ? 1 : wire;
    }
    return -1;
}

inline std::int64_t WireFromCode(const FieldRule& f, std::int64_t code, bool radio) {
    switch (f.conversion) {
        case Conversion::OnOff:
        case Conversion::OneToZero:
        case Conversion::HeatingMode:
            return code == 0 ? 1 : code == 1 ? 0 : 1;
        case Conversion::Minus:
            return code + f.offset;
        case Conversion::Raw:
            return code;
        case Conversion::WindSpeed:
            return (code + 1) * 5;
        case Conversion::TouchRunTime:
            return code + 1 + (radio ? 48 : 0);
        case Conversion::OutsideDirection:
            return code == 0 ? 1 : code == 1 ? 0 : code;
    }
    return -1;
}

// One per-motor block: its read tag, its error text and its fields in wire
// order (on/off first), with the model's code fields in the same order.
struct BlockRule {
    using Fields = std::vector<std::int32_t*>;
    sim::MotorBlock block;
    const char* tag;
    const char* errorText;
    std::vector<FieldRule> fields;
    std::function<Fields(ConfigurationModel&, int motor)> codeFields;
    std::function<bool*(ConfigurationModel&, int motor)> modifiedFlag;

    std::vector<std::int32_t> Codes(const ConfigurationModel& m, int motor) const {
        std::vector<std::int32_t> codes;
        // Read through the pointers only.
        for (const std::int32_t* field : codeFields(const_cast<ConfigurationModel&>(m), motor))
            codes.push_back(*field);
        return codes;
    }
    bool Modified(const ConfigurationModel& m, int motor) const {
        return *modifiedFlag(const_cast<ConfigurationModel&>(m), motor);
    }
    void Set(ConfigurationModel& m, int motor, const std::vector<std::int32_t>& codes) const {
        const Fields target = codeFields(m, motor);
        for (std::size_t i = 0; i < target.size() && i < codes.size(); ++i)
            *target[i] = codes[i];
    }
    // Marks the record as a mask marks what it changes (or clears the mark).
    void SetModified(ConfigurationModel& m, int motor, bool modified) const {
        *modifiedFlag(m, motor) = modified;
    }
};

// The per-motor blocks in the order the read requests name them.
inline const std::vector<BlockRule>& BlockRules() {
    using C = Conversion;
    using M = ConfigurationModel;
    using F = BlockRule::Fields;
    const FieldRule onOff{"on/off", C::OnOff};
    static const std::vector<BlockRule> rules = {
        {sim::MotorBlock::Shading,
         "sbp",
         "Fehler Beschatt.",
         {onOff,
          {"temperature", C::Minus, 90},
          {"from", C::Minus, 5},
          {"to", C::Minus, 5},
          {"brightness", C::Minus, 37},
          {"run time", C::Minus, 1}},
         [](M& m, int n) {
             auto& r = m.shading(n);
             return F{&r.Off,    &r.TemperatureCode, &r.FromCode,
                      &r.ToCode, &r.BrightnessCode,  &r.DurationCode};
         },
         [](M& m, int n) { return &m.shading(n).Modified; }},
        {sim::MotorBlock::TwilightMorning,
         "sdm",
         "Fehler DämmMorgen",
         {onOff, {"from", C::Minus, 3}, {"brightness", C::Minus, 1}, {"run time", C::Minus, 1}},
         [](M& m, int n) {
             auto& r = m.twilightMorning(n);
             return F{&r.Off, &r.FromCode, &r.BrightnessCode, &r.DurationCode};
         },
         [](M& m, int n) { return &m.twilightMorning(n).Modified; }},
        {sim::MotorBlock::TwilightEvening,
         "sda",
         "Fehler DämmAbend",
         {onOff, {"from", C::Minus, 14}, {"brightness", C::Minus, 1}, {"run time", C::Minus, 1}},
         [](M& m, int n) {
             auto& r = m.twilightEvening(n);
             return F{&r.Off, &r.FromCode, &r.BrightnessCode, &r.DurationCode};
         },
         [](M& m, int n) { return &m.twilightEvening(n).Modified; }},
        {sim::MotorBlock::Wind,
         "swp",
         "Fehler Wind",
         {onOff, {"speed", C::WindSpeed}},
         [](M& m, int n) {
             auto& r = m.wind(n);
             return F{&r.Off, &r.SpeedCode};
         },
         [](M& m, int n) { return &m.wind(n).Modified; }},
        {sim::MotorBlock::Rain,
         "srp",
         "Fehler Regen",
         {onOff, {"direction", C::OneToZero}},
         [](M& m, int n) {
             auto& r = m.rain(n);
             return F{&r.Off, &r.Direction};
         },
         [](M& m, int n) { return &m.rain(n).Modified; }},
        {sim::MotorBlock::Reverse,
         "sjp",
         "Fehler Reversier",
         {onOff, {"at up", C::Raw}, {"at down", C::Raw}},
         [](M& m, int n) {
             auto& r = m.reverse(n);
             return F{&r.Off, &r.AtUp, &r.AtDown};
         },
         [](M& m, int n) { return &m.reverse(n).Modified; }},
        {sim::MotorBlock::ProportionalTemp,
         "spp",
         "Fehler Prop.T.-Strg",
         {onOff,
          {"from hour", C::Raw},
          {"to hour", C::Raw},
          {"setpoint", C::Minus, 101},
          {"direction", C::OneToZero},
          {"control range", C::Minus, 1},
          {"maximum travel", C::Minus, 1},
          {"steps", C::Minus, 2}},
         [](M& m, int n) {
             auto& r = m.proportionalTemp(n);
             return F{&r.Off,           &r.From,      &r.To,
                      &r.SetpointCode,  &r.Direction, &r.ControlRangeCode,
                      &r.MaxTravelCode, &r.StepsCode};
         },
         [](M& m, int n) { return &m.proportionalTemp(n).Modified; }},
        {sim::MotorBlock::InsideTemp,
         "sip",
         "Fehler InnenTemp.-Strg",
         {onOff,
          {"comparison", C::OneToZero},
          {"threshold 1", C::Minus, 91},
          {"direction", C::OneToZero},
          {"threshold 2", C::Minus, 91},
          {"run time", C::Minus, 1},
          {"from hour", C::Raw},
          {"to hour", C::Raw}},
         [](M& m, int n) {
             auto& r = m.insideTemp(n);
             return F{&r.Off,
                      &r.Comparison,
                      &r.Threshold1Code,
                      &r.Direction,
                      &r.Threshold2Code,
                      &r.DurationCode,
                      &r.From,
                      &r.To};
         },
         [](M& m, int n) { return &m.insideTemp(n).Modified; }},
        {sim::MotorBlock::Heating,
         "shp",
         "Fehler Heizungs-Steuerung",
         {onOff,
          // Wire 1 = "Tag", as the send-all writes it.
          {"day/night", C::OneToZero},
          {"mode", C::HeatingMode},
          {"day temperature", C::Raw},
          {"night temperature", C::Raw}},
         [](M& m, int n) {
             auto& r = m.heating(n);
             return F{&r.Off, &r.DayNight, &r.Mode, &r.DayTempCode, &r.NightTempCode};
         },
         [](M& m, int n) { return &m.heating(n).Modified; }},
        {sim::MotorBlock::Humidity,
         "sfp",
         "Fehler Feuchte-Strg",
         {onOff,
          {"comparison", C::OneToZero},
          {"threshold 1", C::Minus, 1},
          {"threshold 2", C::Minus, 1},
          {"run time", C::Minus, 1},
          {"from hour", C::Raw},
          {"to hour", C::Raw}},
         [](M& m, int n) {
             auto& r = m.humidity(n);
             return F{&r.Off,  &r.Comparison, &r.Threshold1Code, &r.Threshold2Code, &r.DurationCode,
                      &r.From, &r.To};
         },
         [](M& m, int n) { return &m.humidity(n).Modified; }},
        {sim::MotorBlock::OutsideTemp,
         "sap",
         "Fehler Außentemp.-Strg",
         {onOff,
          {"threshold 1", C::Minus, 91},
          {"direction", C::OutsideDirection},
          {"threshold 2", C::Minus, 91},
          {"run time", C::Minus, 1}},
         [](M& m, int n) {
             auto& r = m.outsideTemp(n);
             return F{&r.Off, &r.Threshold1Code, &r.Direction, &r.Threshold2Code, &r.DurationCode};
         },
         [](M& m, int n) { return &m.outsideTemp(n).Modified; }},
        {sim::MotorBlock::Touch,
         "sta",
         "Fehler Tast-Automatik",
         {onOff, {"run time", C::TouchRunTime}},
         [](M& m, int n) {
             auto& r = m.touch(n);
             return F{&r.Off, &r.DurationCode};
         },
         [](M& m, int n) { return &m.touch(n).Modified; }},
    };
    return rules;
}

inline const BlockRule& RuleOf(sim::MotorBlock block) {
    for (const BlockRule& rule : BlockRules())
        if (rule.block == block) return rule;
    return BlockRules().front();
}

inline bool SunOrConservatory(const sim::ModelFeatures& f) {
    return f.sunProtection || f.conservatory;
}

// Whether a read-all asks a Controller of these features for the block.
inline bool ReadAllReads(sim::MotorBlock block, const sim::ModelFeatures& f) {
    switch (block) {
        case sim::MotorBlock::Shading:
        case sim::MotorBlock::TwilightMorning:
        case sim::MotorBlock::TwilightEvening:
        case sim::MotorBlock::Wind:
        case sim::MotorBlock::Rain:
        case sim::MotorBlock::Reverse:
            return SunOrConservatory(f);
        case sim::MotorBlock::Touch:
            return f.touch;
        default:
            return f.conservatory;
    }
}

// Whether a send-all writes the block to a Controller of these features:
// reverse automation always; touch automation to every roller-shutter and
// conservatory Controller, and to a sun-protection one that has it.
inline bool SendAllWrites(sim::MotorBlock block, const sim::ModelFeatures& f) {
    switch (block) {
        case sim::MotorBlock::Reverse:
            return true;
        case sim::MotorBlock::Touch:
            return !f.sunProtection || f.touch;
        case sim::MotorBlock::Shading:
        case sim::MotorBlock::TwilightMorning:
        case sim::MotorBlock::TwilightEvening:
        case sim::MotorBlock::Wind:
        case sim::MotorBlock::Rain:
            return SunOrConservatory(f);
        default:
            return f.conservatory;
    }
}

// --- Switching times -------------------------------------------------------------

struct EntryCodes {
    std::int32_t direction = 0, timeCode = 0, duration = 0, dayGroup = 0, function = 0;
    bool operator==(const EntryCodes&) const = default;
};

inline std::vector<int> DaysOfGroup(int day, int dayGroup) {
    switch (dayGroup) {
        case 1:
            return {day};
        case 2:
            return {6, 7};
        case 5:
            return {1, 2, 3, 4, 5};
        case 7:
            return {1, 2, 3, 4, 5, 6, 7};
        default:
            return {};
    }
}

// The switching-time table a read-all builds from the Controller's list, in
// the order the Controller sends it: each entry goes into every day of its
// group, a later entry overwrites an earlier one. Entries whose index is in
// `lost` never arrive intact. Index: EntryIndex.
inline std::vector<EntryCodes> TableFromList(const std::vector<sim::SwitchTimeRecord>& list,
                                             const std::set<int>& lost = {}) {
    std::vector<EntryCodes> table(kSwitchTimeCount);
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (lost.count(static_cast<int>(i))) continue;
        const sim::SwitchTimeRecord& r = list[i];
        EntryCodes e;
        e.direction = r.direction == 1 ? 0 : 1;
        e.timeCode = r.hour == 24 ? 0 : r.hour * 60 + r.minute + 1;
        e.duration = r.duration;
        e.dayGroup = r.dayGroup;
        e.function = r.function;
        for (int d : DaysOfGroup(r.day, r.dayGroup))
            table[EntryIndex(d - 1, r.motor - 1, r.slot - 1)] = e;
    }
    return table;
}

// The free switching-time memory the window shows for a table: percent
// (truncated, never below 0) and whether the warning label shows. The
// Controller stores 240 entries; a group entry is stored once, so each of
// its copies counts its share (shares in seventieths: exact).
struct FreeMemory {
    int percent = 100;
    bool warning = false;
};
inline FreeMemory FreeMemoryOf(const std::vector<EntryCodes>& table) {
    long used = 0;
    for (const EntryCodes& e : table) {
        if (e.timeCode <= 0) continue;
        used += e.dayGroup == 1   ? 70
                : e.dayGroup == 2 ? 35
                : e.dayGroup == 5 ? 14
                : e.dayGroup == 7 ? 10
                                  : 0;
    }
    const long capacity = 240 * 70;
    const long percent = (capacity - used) * 100 / capacity;
    return {static_cast<int>(percent < 0 ? 0 : percent), (capacity - used) * 1000 / capacity <= 0};
}

// The list a send-all leaves in the Controller: every stored switching time,
// a group entry once, under the first day of its group.
inline std::vector<sim::SwitchTimeRecord> ListFromModel(const ConfigurationModel& m) {
    std::vector<sim::SwitchTimeRecord> list;
    for (int d = 1; d <= kDayCount; ++d) {
        for (int motor = 1; motor <= kMotorCount; ++motor) {
            for (int slot = 1; slot <= kSlotCount; ++slot) {
                const SwitchTime& e = m.switchTime(d - 1, motor - 1, slot - 1);
                if (e.TimeCode <= 0) continue;
                const bool written = e.DayGroup == 1 || (e.DayGroup == 2 && d == 6) ||
                                     ((e.DayGroup == 5 || e.DayGroup == 7) && d == 1);
                if (!written) continue;
                const int hour = (e.TimeCode - 1) / 60;
                list.push_back({d, motor, slot, e.Direction == 0 ? 1 : 0, hour,
                                e.TimeCode - 1 - 60 * hour, e.DurationCode, e.DayGroup,
                                e.Function});
            }
        }
    }
    return list;
}

// --- The frames of a read-all that carry a checksum ------------------------------

// A frame by its tag and its number: the motor, the holiday, or the index of
// a switching time in the Controller's list (kOpening, kClosing for the frames
// around the list).
struct DataFrame {
    std::string tag;
    int number = 0;
    static constexpr int kOpening = -1;
    static constexpr int kClosing = -2;
    auto operator<=>(const DataFrame&) const = default;
};

// In the order the Controller answers the read requests.
inline std::vector<DataFrame> ReadAllDataFrames(const sim::SimMemory& memory,
                                                const sim::ModelFeatures& f) {
    std::vector<DataFrame> frames;
    auto perMotor = [&](sim::MotorBlock block) {
        if (!ReadAllReads(block, f)) return;
        for (int motor = 1; motor <= f.motors; ++motor)
            frames.push_back({RuleOf(block).tag, motor});
    };
    using B = sim::MotorBlock;
    for (B b :
         {B::Shading, B::TwilightMorning, B::TwilightEvening, B::Wind, B::Rain, B::Reverse,
          B::ProportionalTemp, B::InsideTemp, B::Heating, B::Humidity, B::OutsideTemp, B::Touch})
        perMotor(b);
    for (int holiday = 1; holiday <= sim::kHolidayCount; ++holiday)
        frames.push_back({"sft", holiday});
    frames.push_back({"sfs", DataFrame::kOpening});
    for (int i = 0; i < static_cast<int>(memory.switchTimes.size()); ++i)
        frames.push_back({"sfs", i});
    frames.push_back({"sfs", DataFrame::kClosing});
    return frames;
}

// Status panel 5 after the frame failed its check.
inline std::string ErrorTextOf(const DataFrame& frame, const sim::SimMemory& memory) {
    if (frame.tag == "sft") return "Fehler Feiertage";
    if (frame.tag == "sfs") {
        const int day = frame.number == DataFrame::kOpening ? 0
                        : frame.number == DataFrame::kClosing
                            ? 255
                            : memory.switchTimes[frame.number].day;
        return "Fehler Schalt " + std::to_string(day);
    }
    for (const BlockRule& rule : BlockRules())
        if (frame.tag == rule.tag) return rule.errorText;
    return "?";
}

// --- Comparison ------------------------------------------------------------------

template <typename T>
std::string Show(const T& value) {
    std::ostringstream out;
    out << value;
    return out.str();
}
inline std::string Show(const std::string& text) {
    return "\"" + text + "\"";
}
inline std::string Show(const std::vector<std::int32_t>& numbers) {
    std::string text = "{";
    for (std::size_t i = 0; i < numbers.size(); ++i)
        text += (i ? "," : "") + std::to_string(numbers[i]);
    return text + "}";
}
inline std::string Show(const EntryCodes& e) {
    return Show(
        std::vector<std::int32_t>{e.direction, e.timeCode, e.duration, e.dayGroup, e.function});
}
inline std::string Show(const sim::SwitchTimeRecord& r) {
    return "day " + std::to_string(r.day) + " motor " + std::to_string(r.motor) + " slot " +
           std::to_string(r.slot) + ": " +
           Show(std::vector<std::int32_t>{r.direction, r.hour, r.minute, r.duration, r.dayGroup,
                                          r.function});
}

// Collects differences, so one comparison reports all of them at once.
class Mismatches {
  public:
    template <typename A, typename B>
    void Expect(const A& actual, const B& expected, const std::string& what) {
        if (actual == expected) return;
        lines_.push_back(what + ": got " + Show(actual) + ", expected " + Show(expected));
    }
    void Add(const std::string& line) { lines_.push_back(line); }
    bool Empty() const { return lines_.empty(); }
    std::size_t Count() const { return lines_.size(); }
    // The first 40 differences, one a line.
    std::string Text() const {
        std::string text;
        for (std::size_t i = 0; i < lines_.size() && i < 40; ++i)
            text += lines_[i] + "\n";
        if (lines_.size() > 40) text += "... " + std::to_string(lines_.size() - 40) + " more\n";
        return text;
    }

  private:
    std::vector<std::string> lines_;
};

inline std::vector<std::int32_t> CodesFromWire(const BlockRule& rule, const sim::MotorRecord& wire,
                                               bool radio) {
    std::vector<std::int32_t> codes;
    for (std::size_t i = 0; i < rule.fields.size() && i < wire.size(); ++i)
        codes.push_back(static_cast<std::int32_t>(CodeFromWire(rule.fields[i], wire[i], radio)));
    return codes;
}

inline sim::MotorRecord WireFromCodes(const BlockRule& rule, const std::vector<std::int32_t>& codes,
                                      bool radio) {
    sim::MotorRecord wire;
    for (std::size_t i = 0; i < rule.fields.size(); ++i)
        wire.push_back(static_cast<std::int32_t>(WireFromCode(rule.fields[i], codes[i], radio)));
    return wire;
}

inline std::string At(const char* tag, int motor) {
    return std::string(tag) + " motor " + std::to_string(motor);
}

// What the model must hold after a completed read-all from a Controller with
// this memory and these features: every record it reported, converted by
// the wire offsets; every record it did not report (other blocks, motors it
// does not have, frames in `lost` that failed their check) as in `before`.
inline Mismatches ReadAllMismatches(const ConfigurationModel& model,
                                    const ConfigurationModel& before, const sim::SimMemory& memory,
                                    const sim::ModelFeatures& f,
                                    const std::set<DataFrame>& lost = {}) {
    Mismatches out;
    for (const BlockRule& rule : BlockRules()) {
        for (int motor = 1; motor <= kMotorCount; ++motor) {
            const bool arrived = ReadAllReads(rule.block, f) && motor <= f.motors &&
                                 !lost.count(DataFrame{rule.tag, motor});
            const auto expected =
                arrived ? CodesFromWire(rule, memory.Record(rule.block, motor), f.radio)
                        : rule.Codes(before, motor);
            out.Expect(rule.Codes(model, motor), expected, At(rule.tag, motor));
        }
    }

    std::set<int> lostEntries;
    for (const DataFrame& frame : lost)
        if (frame.tag == "sfs" && frame.number >= 0) lostEntries.insert(frame.number);
    const std::vector<EntryCodes> table = TableFromList(memory.switchTimes, lostEntries);
    for (int i = 0; i < kSwitchTimeCount; ++i) {
        const SwitchTime& e = model.SwitchTimes.at(i);
        const std::string where = "switching time " + std::to_string(i / 256 + 1) + "/" +
                                  std::to_string(i / 8 % 32 + 1) + "/" + std::to_string(i % 8 + 1);
        if (table[i].timeCode == 0) {
            out.Expect(e.TimeCode, 0, where + " (empty)");
        } else {
            out.Expect(EntryCodes{e.Direction, e.TimeCode, e.DurationCode, e.DayGroup, e.Function},
                       table[i], where);
        }
    }

    for (int motor = 1; motor <= kMotorCount; ++motor) {
        const std::string expected = motor <= f.motors ? Cp1252BytesToUtf8(memory.names[motor - 1])
                                                       : before.motorName(motor);
        out.Expect(model.motorName(motor), expected, "name of motor " + std::to_string(motor));
    }
    for (int n = 1; n <= kHolidayCount; ++n) {
        const bool arrived = !lost.count(DataFrame{"sft", n});
        const Holiday expected =
            arrived ? Holiday{memory.holidays[n - 1].day, memory.holidays[n - 1].month}
                    : before.holiday(n);
        out.Expect(Show(std::vector<std::int32_t>{model.holiday(n).Day, model.holiday(n).Month}),
                   Show(std::vector<std::int32_t>{expected.Day, expected.Month}),
                   "holiday " + std::to_string(n));
    }

    for (int motor = 1; motor <= kMotorCount; ++motor) {
        const std::uint32_t bit = std::uint32_t{1} << (motor - 1);
        std::int32_t expected = before.alarmPattern(motor);
        if (SunOrConservatory(f)) {
            expected = memory.alarmDownMask & bit ? 2 : memory.alarmUpMask & bit ? 0 : 1;
        }
        out.Expect(model.alarmPattern(motor), expected, "alarm pattern " + std::to_string(motor));
    }
    for (int group = 1; group <= kGroupCount; ++group) {
        for (int bank = 1; bank <= kBankCount; ++bank) {
            const int expected = f.groups
                                     ? (memory.groupMasks[group - 1] >> (8 * (bank - 1))) & 0xFF
                                     : before.groupMask(bank, group);
            out.Expect(static_cast<int>(model.groupMask(bank, group)), expected,
                       "group " + std::to_string(group) + " bank " + std::to_string(bank));
        }
    }

    const GeneralParameters& p = model.Parameters;
    const GeneralParameters& old = before.Parameters;
    const std::int32_t hysteresis = memory.shadingHysteresis;
    out.Expect(p.RandomSpanCode, memory.randomSpan - 2, "random span");
    out.Expect(p.SoftGzsActive, hysteresis >= 128, "soft group control");
    out.Expect(p.ShadingHysteresisCode, (hysteresis >= 128 ? hysteresis - 128 : hysteresis) - 2,
               "shading hysteresis");
    out.Expect(p.OutsideTempOffsetCode,
               SunOrConservatory(f) ? memory.outsideOffset - 95 : old.OutsideTempOffsetCode,
               "outside offset");
    out.Expect(p.WindDelayCode, SunOrConservatory(f) ? memory.windDelay : old.WindDelayCode,
               "wind delay");
    out.Expect(p.InsideTempOffsetCode,
               f.conservatory ? memory.insideOffset - 95 : old.InsideTempOffsetCode,
               "inside offset");
    out.Expect(p.HeatingHysteresisCode,
               f.conservatory ? memory.heatingHysteresis - 1 : old.HeatingHysteresisCode,
               "heating hysteresis");
    out.Expect(p.ReservedParameterCode, old.ReservedParameterCode, "reserved parameter");
    return out;
}

// Whether the send-all writes the wind trigger delay and the holidays for
// this firmware: 7500 to 7512 have no wind trigger delay, 7500 to 7503 no
// holiday block.
inline bool WindDelayWritten(int firmwareVersion) {
    return firmwareVersion < 7500 || firmwareVersion > 7512;
}
inline bool HolidaysWritten(int firmwareVersion) {
    return firmwareVersion < 7500 || firmwareVersion > 7503;
}

// What the Controller must hold after a completed send-all of `sent` (the
// model as it was when the transfer started, its Modified flags included):
// `before` is its memory before the transfer. Steps whose command word is in
// `refused` were refused by the Controller and changed nothing.
inline Mismatches SendAllMismatches(const sim::SimMemory& after, const sim::SimMemory& before,
                                    const ConfigurationModel& sent, const sim::ModelFeatures& f,
                                    int firmwareVersion,
                                    const std::set<std::string>& refused = {}) {
    Mismatches out;
    const auto writes = [&](const std::string& word) { return !refused.count(word); };
    for (const BlockRule& rule : BlockRules()) {
        const std::string word(sim::LayoutOf(rule.block).sendWord);
        const bool written = SendAllWrites(rule.block, f) && writes(word);
        for (int motor = 1; motor <= kMotorCount; ++motor) {
            const bool goes = written && (rule.Modified(sent, motor) || motor == kMotorCount);
            const sim::MotorRecord expected =
                goes ? WireFromCodes(rule, rule.Codes(sent, motor), f.radio)
                     : before.Record(rule.block, motor);
            out.Expect(Show(after.Record(rule.block, motor)), Show(expected), At(rule.tag, motor));
        }
    }

    const std::vector<sim::SwitchTimeRecord> list =
        writes("rfs") ? ListFromModel(sent) : before.switchTimes;
    out.Expect(after.switchTimes.size(), list.size(), "number of switching times");
    for (std::size_t i = 0; i < list.size() && i < after.switchTimes.size(); ++i)
        out.Expect(Show(after.switchTimes[i]), Show(list[i]),
                   "switching time " + std::to_string(i));

    for (int motor = 1; motor <= kMotorCount; ++motor) {
        out.Expect(Cp1252BytesToUtf8(after.names[motor - 1]),
                   Cp1252BytesToUtf8(writes("rmn") ? StoredName(sent.motorName(motor))
                                                   : before.names[motor - 1]),
                   "name of motor " + std::to_string(motor));
    }
    for (int n = 1; n <= kHolidayCount; ++n) {
        const sim::HolidayRecord expected =
            writes("rft") && HolidaysWritten(firmwareVersion)
                ? sim::HolidayRecord{sent.holiday(n).Day, sent.holiday(n).Month}
                : before.holidays[n - 1];
        out.Expect(
            Show(std::vector<std::int32_t>{after.holidays[n - 1].day, after.holidays[n - 1].month}),
            Show(std::vector<std::int32_t>{expected.day, expected.month}),
            "holiday " + std::to_string(n));
    }

    for (int group = 1; group <= kGroupCount; ++group) {
        std::uint32_t mask = 0;
        for (int bank = 1; bank <= kBankCount; ++bank)
            mask |= std::uint32_t{sent.groupMask(bank, group)} << (8 * (bank - 1));
        out.Expect(after.groupMasks[group - 1],
                   f.groups && writes("rgz") ? mask : before.groupMasks[group - 1],
                   "group mask " + std::to_string(group));
    }
    std::uint32_t up = 0, down = 0;
    for (int motor = 1; motor <= kMotorCount; ++motor) {
        const std::uint32_t bit = std::uint32_t{1} << (motor - 1);
        if (sent.alarmPattern(motor) == 0) up |= bit;
        if (sent.alarmPattern(motor) == 2) down |= bit;
    }
    const bool alarm = SunOrConservatory(f) && writes("ras");
    out.Expect(after.alarmUpMask, alarm ? up : before.alarmUpMask, "alarm up mask");
    out.Expect(after.alarmDownMask, alarm ? down : before.alarmDownMask, "alarm down mask");

    const GeneralParameters& p = sent.Parameters;
    out.Expect(after.shadingHysteresis,
               writes("rbh") ? p.ShadingHysteresisCode + 2 + (p.SoftGzsActive ? 128 : 0)
                             : before.shadingHysteresis,
               "shading hysteresis");
    out.Expect(after.randomSpan, writes("rzz") ? p.RandomSpanCode + 2 : before.randomSpan,
               "random span");
    out.Expect(
        after.outsideOffset,
        SunOrConservatory(f) && writes("roa") ? p.OutsideTempOffsetCode + 95 : before.outsideOffset,
        "outside offset");
    out.Expect(after.windDelay,
               SunOrConservatory(f) && WindDelayWritten(firmwareVersion) && writes("raw")
                   ? p.WindDelayCode
                   : before.windDelay,
               "wind delay");
    out.Expect(
        after.heatingHysteresis,
        f.conservatory && writes("rhh") ? p.HeatingHysteresisCode + 1 : before.heatingHysteresis,
        "heating hysteresis");
    out.Expect(after.insideOffset,
               f.conservatory && writes("roi") ? p.InsideTempOffsetCode + 95 : before.insideOffset,
               "inside offset");
    return out;
}

// Switching times and per-motor records whose Modified flag is set.
inline int ModifiedCount(const ConfigurationModel& model) {
    int count = 0;
    for (const SwitchTime& e : model.SwitchTimes)
        count += e.Modified ? 1 : 0;
    for (const BlockRule& rule : BlockRules())
        for (int motor = 1; motor <= kMotorCount; ++motor)
            count += rule.Modified(model, motor) ? 1 : 0;
    return count;
}
inline constexpr int kModifiableCount = kSwitchTimeCount + 12 * kMotorCount;

}  // namespace veltrano::testing
