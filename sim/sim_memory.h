// The simulated Controller's configuration memory. It holds wire numbers,
// exactly as the Controller receives them in a send-all and reports them in
// a read-all: no model codes, no conversions.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sim_identity.h"
#include "sim_logbook_entry.h"

namespace veltrano::sim {

inline constexpr int kMaxMotors = 32;
inline constexpr int kHolidayCount = 15;
inline constexpr int kGroupCount = 4;
inline constexpr int kNameLength = 12;
// The Controller stores at most this many switching times; an entry for a
// day group is stored once for the whole group.
inline constexpr std::size_t kSwitchTimeCapacity = 240;

// The twelve per-motor blocks, in the order of the read requests.
enum class MotorBlock {
    Shading,           // sbp / rbp
    TwilightMorning,   // sdm / rdm
    TwilightEvening,   // sda / rda
    Wind,              // swp / rwp
    Rain,              // srp / rrp
    Reverse,           // sjp / rjp
    ProportionalTemp,  // spp / rpp
    InsideTemp,        // sip / rip
    Heating,           // shp / rhp
    Humidity,          // sfp / rfp
    OutsideTemp,       // sap / rap
    Touch,             // sta / rta
};
inline constexpr int kMotorBlockCount = 12;

// Inclusive range of one wire number.
struct WireRange {
    std::int32_t min;
    std::int32_t max;
};

// Layout of a per-motor record after its motor number: the on/off number
// first, then the block's fields; the checksum (plain sum of the motor
// number and these fields) follows on the wire.
struct MotorBlockLayout {
    MotorBlock block;
    std::string_view readTag;   // "sbp"
    std::string_view sendWord;  // "rbp"
    std::span<const WireRange> fields;
};

std::span<const MotorBlockLayout> MotorBlockLayouts();
const MotorBlockLayout& LayoutOf(MotorBlock block);
const MotorBlockLayout* LayoutByReadTag(std::string_view tag);
const MotorBlockLayout* LayoutBySendWord(std::string_view word);

// One stored switching time, as received with " rfs" (motor 1..32, slot
// 1..8, direction 1 = up); a day-group entry is stored once, under the day
// it was sent with.
struct SwitchTimeRecord {
    int day = 1;
    int motor = 1;
    int slot = 1;
    int direction = 1;
    int hour = 0;
    int minute = 0;
    int duration = 39;
    int dayGroup = 1;
    int function = 0;
    auto operator<=>(const SwitchTimeRecord&) const = default;
};

struct HolidayRecord {
    int day = 1;
    int month = 1;
    bool operator==(const HolidayRecord&) const = default;
};

// Numbers of a per-motor record: on/off first, then the fields.
using MotorRecord = std::vector<std::int32_t>;

struct SimMemory {
    // Sorted by day, motor, slot; at most one entry per day, motor and slot.
    std::vector<SwitchTimeRecord> switchTimes;
    // Exactly 12 bytes each, Windows-1252, blanks included.
    std::array<std::string, kMaxMotors> names;
    // records[block][motor - 1]
    std::array<std::array<MotorRecord, kMaxMotors>, kMotorBlockCount> records;
    std::uint32_t alarmUpMask = 0;    // bit m - 1: motor m moves up on alarm
    std::uint32_t alarmDownMask = 0;  // bit m - 1: motor m moves down on alarm
    std::array<std::uint32_t, kGroupCount> groupMasks{};
    std::array<HolidayRecord, kHolidayCount> holidays{};
    // Single parameters, as the " r.." blocks carry them.
    std::int32_t randomSpan = 30;         // szz: minutes
    std::int32_t shadingHysteresis = 10;  // sbh: + 128 when soft group control is on
    std::int32_t outsideOffset = 100;     // soa: offset + 100
    std::int32_t insideOffset = 100;      // soi: offset + 100
    std::int32_t heatingHysteresis = 3;   // shh: tenths of a degree
    std::int32_t windDelay = 0;           // saw: seconds
    // The logbook, entry 1 first; none: the Controller generates its own.
    std::optional<std::vector<LogbookEntry>> logbook;

    MotorRecord& Record(MotorBlock block, int motor) {
        return records[static_cast<int>(block)][motor - 1];
    }
    const MotorRecord& Record(MotorBlock block, int motor) const {
        return records[static_cast<int>(block)][motor - 1];
    }
    // Stores or replaces the entry of the record's day, motor and slot.
    void StoreSwitchTime(const SwitchTimeRecord& record);
    const SwitchTimeRecord* FindSwitchTime(int day, int motor, int slot) const;

    bool operator==(const SimMemory&) const = default;
};

// Pads with blanks and cuts to exactly 12 bytes.
std::string PadName(std::string_view name);

// The memory of a Controller fresh from the factory: the program's start-up
// defaults in wire numbers, names "Motor 1" .. "Motor 32", no switching
// times. Touch run times carry the radio offset when radio is set.
SimMemory FactoryMemory(bool radio);

// A plausible installed Controller: named rooms, a dozen switching times
// with day groups, several automations switched on, alarm, groups and
// holidays; only motors and slots the identity has.
SimMemory DemoMemory(const ModelFeatures& features);

}  // namespace veltrano::sim
