// Controller memories for the end-to-end tests: every per-motor field drawn
// from its wire range, names in Windows-1252 with umlauts, the euro sign,
// typographic quotes and blanks at either end, switching times with every
// day group at the edges of the day. The generator is seeded and does not
// depend on the standard library's distributions, so a seed gives the same
// memory everywhere.
#pragma once

#include <cstdint>
#include <iterator>
#include <set>
#include <string>
#include <utility>

#include "sim_identity.h"
#include "sim_memory.h"

namespace veltrano::testing {

class TestRandom {
  public:
    explicit TestRandom(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // min .. max inclusive.
    std::int32_t Between(std::int64_t min, std::int64_t max) {
        return static_cast<std::int32_t>(
            min + static_cast<std::int64_t>(Next() % static_cast<std::uint64_t>(max - min + 1)));
    }
    std::uint32_t Mask() { return static_cast<std::uint32_t>(Next()); }

  private:
    std::uint64_t state_;
};

// Twelve-byte Windows-1252 names that test the conversion and the padding.
inline const char* const kAwkwardNames[] = {
    "K\xFC"
    "che       ",    // umlaut, padded
    "ABCDEFGHIJKL",  // exactly twelve, no blank
    "            ",  // nothing but blanks
    "  Flur oben ",  // blanks at both ends
    "Bad, oben 2 ",  // a comma
    "\x80-B\xFC"
    "ro      ",                                          // euro sign
    "\x84G\xE4ste\x93     ",                             // typographic quotes
    "\xC4\xD6\xDC\xE4\xF6\xFC\xDF     ",                 // every umlaut and sharp s
    "\x8A\x8C\x8E\x9A\x9C\x9E\x9F\x99\x95\x96\x97\x85",  // the rest of 0x80..0x9F
    "Raum\x81 \xA0\xA7\xB0\xBD\xFF ",                    // a byte the code page leaves free
    "a=\"b\";[c]\\#1",                                   // the backup file's and the dump's
};

// A memory for a Controller with these features, different for every seed.
// With oddities it also holds what only a read-all can meet (a Controller
// does not get it from this program): a day-group entry filed under a later
// day of its group, an empty slot sent with hour 24, a wind speed that is no
// multiple of 5, alarm bits set in both masks.
inline sim::SimMemory RichMemory(const sim::ModelFeatures& f, std::uint64_t seed,
                                 bool oddities = false) {
    TestRandom random(seed);
    sim::SimMemory m = sim::FactoryMemory(f.radio);

    for (int motor = 1; motor <= sim::kMaxMotors; ++motor) {
        const int awkward = static_cast<int>(std::size(kAwkwardNames));
        m.names[motor - 1] =
            motor <= awkward
                ? kAwkwardNames[(motor - 1 + static_cast<int>(seed % awkward)) % awkward]
                : sim::PadName("Zimmer " + std::to_string(motor) + "." + std::to_string(seed % 10));
    }

    for (const sim::MotorBlockLayout& layout : sim::MotorBlockLayouts()) {
        for (int motor = 1; motor <= sim::kMaxMotors; ++motor) {
            sim::MotorRecord& record = m.Record(layout.block, motor);
            record.clear();
            for (std::size_t i = 0; i < layout.fields.size(); ++i) {
                sim::WireRange range = layout.fields[i];
                if (layout.block == sim::MotorBlock::Touch && i == 1 && f.radio) range = {49, 135};
                std::int32_t value = random.Between(range.min, range.max);
                if (layout.block == sim::MotorBlock::Wind && i == 1) value = value / 5 * 5;
                record.push_back(value);
            }
        }
    }

    // Switching times: both ends of the day and of the table, then a spread
    // of single days and day groups, each group filed under its first day.
    const int lastSlot = f.slotsPerDay;
    m.StoreSwitchTime({1, 1, 1, 1, 0, 0, 0, 1, 0});
    m.StoreSwitchTime({7, f.motors, lastSlot, 0, 23, 59, 129, 1, 2});
    m.StoreSwitchTime({1, 2, 1, 1, 6, 30, 39, 5, 0});
    m.StoreSwitchTime({6, 2, 2, 0, 22, 15, 40, 2, 1});
    m.StoreSwitchTime({1, 3, lastSlot, 1, 12, 0, 99, 7, 2});
    const int wanted = f.motors == 32 ? 48 : 24;
    for (int placed = 0; placed < wanted * 4 && m.switchTimes.size() < std::size_t(wanted);
         ++placed) {
        const int groups[] = {1, 1, 1, 2, 5, 7};
        const int group = groups[random.Between(0, 5)];
        const int day = group == 1 ? random.Between(1, 7) : group == 2 ? 6 : 1;
        const int motor = random.Between(1, f.motors);
        const int slot = random.Between(1, lastSlot);
        if (m.FindSwitchTime(day, motor, slot)) continue;
        m.StoreSwitchTime({day, motor, slot, random.Between(0, 1), random.Between(0, 23),
                           random.Between(0, 59), random.Between(0, 129), group,
                           random.Between(0, 2)});
    }

    m.alarmUpMask = random.Mask();
    m.alarmDownMask = random.Mask() & ~m.alarmUpMask;
    for (auto& mask : m.groupMasks)
        mask = random.Mask();
    m.groupMasks[0] |= 0x80000001u;  // the highest bit must survive as an unsigned number
    for (auto& holiday : m.holidays) {
        const int month = random.Between(1, 12);
        const int lastDay = month == 2                                              ? 29
                            : month == 4 || month == 6 || month == 9 || month == 11 ? 30
                                                                                    : 31;
        holiday = {random.Between(1, lastDay), month};
    }
    m.holidays[14] = {31, 12};
    m.randomSpan = random.Between(2, 254);
    m.shadingHysteresis = random.Between(2, 50) + (seed % 2 ? 128 : 0);
    m.outsideOffset = random.Between(95, 105);
    m.insideOffset = random.Between(95, 105);
    m.heatingHysteresis = random.Between(1, 9);
    m.windDelay = random.Between(0, 20);

    if (oddities) {
        // Monday to Friday, filed under Wednesday: written into all five days.
        m.StoreSwitchTime({3, 4, 1, 0, 18, 45, 20, 5, 1});
        // Saturday and Sunday, filed under Sunday.
        m.StoreSwitchTime({7, 5, lastSlot, 1, 9, 5, 3, 2, 0});
        // Hour 24: an empty slot, whatever the minute.
        m.StoreSwitchTime({2, 6, 1, 1, 24, 30, 39, 1, 0});
        m.Record(sim::MotorBlock::Wind, 2)[1] = 32;        // shown as 30 km/h
        m.Record(sim::MotorBlock::OutsideTemp, 3)[2] = 2;  // deactivated
        m.alarmDownMask |= 0x5u;
        m.alarmUpMask |= 0x3u;                                     // motor 1 both: down wins
        if (f.radio) m.Record(sim::MotorBlock::Touch, 4)[1] = 12;  // below the radio offset
    }
    return m;
}

// The memory filled to the Controller's capacity of 240 switching times:
// single days added where no entry of any day uses the motor's slot.
inline sim::SimMemory FullMemory(const sim::ModelFeatures& f, std::uint64_t seed) {
    sim::SimMemory m = RichMemory(f, seed);
    std::set<std::pair<int, int>> used;
    for (const sim::SwitchTimeRecord& r : m.switchTimes)
        used.insert({r.motor, r.slot});
    for (int slot = 1; slot <= f.slotsPerDay; ++slot) {
        for (int motor = 1; motor <= f.motors; ++motor) {
            if (used.count({motor, slot})) continue;
            for (int day = 1; day <= 7; ++day) {
                if (m.switchTimes.size() >= sim::kSwitchTimeCapacity) return m;
                m.StoreSwitchTime({day, motor, slot, day % 2, (slot * 3 + day) % 24,
                                   (motor * 7) % 60, 20 + slot, 1, motor % 3});
            }
        }
    }
    return m;
}

}  // namespace veltrano::testing
