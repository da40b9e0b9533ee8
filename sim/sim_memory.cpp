#include "sim_memory.h"

#include <algorithm>

namespace veltrano::sim {

namespace {

constexpr WireRange kOnOff{0, 1};
constexpr WireRange kTwoWay{0, 1};
constexpr WireRange kHour{0, 23};
constexpr WireRange kRunTime{1, 190};
constexpr WireRange kRunTimeOrContinuous{1, 191};
constexpr WireRange kBrightness{1, 225};
constexpr WireRange kThresholdTemp{91, 150};

constexpr WireRange kShading[] = {kOnOff, {90, 135}, {5, 22}, {5, 22}, {37, 225}, kRunTime};
constexpr WireRange kMorning[] = {kOnOff, {3, 11}, kBrightness, kRunTimeOrContinuous};
constexpr WireRange kEvening[] = {kOnOff, {14, 23}, kBrightness, kRunTimeOrContinuous};
constexpr WireRange kWind[] = {kOnOff, {5, 95}};
constexpr WireRange kRain[] = {kOnOff, kTwoWay};
constexpr WireRange kReverse[] = {kOnOff, {0, 40}, {0, 40}};
constexpr WireRange kProportional[] = {kOnOff,  kHour,  kHour,    {101, 150},
                                       kTwoWay, {1, 9}, kRunTime, {2, 9}};
constexpr WireRange kInside[] = {
    kOnOff, kTwoWay, kThresholdTemp, kTwoWay, kThresholdTemp, kRunTimeOrContinuous, kHour, kHour};
constexpr WireRange kHeating[] = {kOnOff, kTwoWay, kTwoWay, {0, 255}, {0, 255}};
constexpr WireRange kHumidity[] = {kOnOff, kTwoWay, {1, 99}, {1, 99}, kRunTimeOrContinuous,
                                   kHour,  kHour};
constexpr WireRange kOutside[] = {
    kOnOff, kThresholdTemp, {0, 2}, kThresholdTemp, kRunTimeOrContinuous};
// The touch run time of the radio variant is checked separately (49..135).
constexpr WireRange kTouch[] = {kOnOff, kRunTimeOrContinuous};

constexpr MotorBlockLayout kLayouts[] = {
    {MotorBlock::Shading, "sbp", "rbp", kShading},
    {MotorBlock::TwilightMorning, "sdm", "rdm", kMorning},
    {MotorBlock::TwilightEvening, "sda", "rda", kEvening},
    {MotorBlock::Wind, "swp", "rwp", kWind},
    {MotorBlock::Rain, "srp", "rrp", kRain},
    {MotorBlock::Reverse, "sjp", "rjp", kReverse},
    {MotorBlock::ProportionalTemp, "spp", "rpp", kProportional},
    {MotorBlock::InsideTemp, "sip", "rip", kInside},
    {MotorBlock::Heating, "shp", "rhp", kHeating},
    {MotorBlock::Humidity, "sfp", "rfp", kHumidity},
    {MotorBlock::OutsideTemp, "sap", "rap", kOutside},
    {MotorBlock::Touch, "sta", "rta", kTouch},
};

bool SameSlot(const SwitchTimeRecord& a, const SwitchTimeRecord& b) {
    return a.day == b.day && a.motor == b.motor && a.slot == b.slot;
}

bool SlotOrder(const SwitchTimeRecord& a, const SwitchTimeRecord& b) {
    if (a.day != b.day) return a.day < b.day;
    if (a.motor != b.motor) return a.motor < b.motor;
    return a.slot < b.slot;
}

}  // namespace

std::span<const MotorBlockLayout> MotorBlockLayouts() {
    return kLayouts;
}

const MotorBlockLayout& LayoutOf(MotorBlock block) {
    for (const auto& layout : kLayouts)
        if (layout.block == block) return layout;
    return kLayouts[0];
}

const MotorBlockLayout* LayoutByReadTag(std::string_view tag) {
    for (const auto& layout : kLayouts)
        if (layout.readTag == tag) return &layout;
    return nullptr;
}

const MotorBlockLayout* LayoutBySendWord(std::string_view word) {
    for (const auto& layout : kLayouts)
        if (layout.sendWord == word) return &layout;
    return nullptr;
}

void SimMemory::StoreSwitchTime(const SwitchTimeRecord& record) {
    auto it = std::lower_bound(switchTimes.begin(), switchTimes.end(), record, SlotOrder);
    if (it != switchTimes.end() && SameSlot(*it, record))
        *it = record;
    else
        switchTimes.insert(it, record);
}

const SwitchTimeRecord* SimMemory::FindSwitchTime(int day, int motor, int slot) const {
    for (const auto& r : switchTimes)
        if (r.day == day && r.motor == motor && r.slot == slot) return &r;
    return nullptr;
}

std::string PadName(std::string_view name) {
    std::string padded(name.substr(0, kNameLength));
    padded.resize(kNameLength, ' ');
    return padded;
}

SimMemory FactoryMemory(bool radio) {
    SimMemory m;
    for (int motor = 1; motor <= kMaxMotors; ++motor) {
        m.names[motor - 1] = PadName("Motor " + std::to_string(motor));
        // On/off 0 = off; directions 1 = up; codes plus their wire offsets.
        m.Record(MotorBlock::Shading, motor) = {0, 122, 10, 20, 186, 10};
        m.Record(MotorBlock::TwilightMorning, motor) = {0, 8, 29, 40};
        m.Record(MotorBlock::TwilightEvening, motor) = {0, 19, 29, 40};
        m.Record(MotorBlock::Wind, motor) = {0, 30};
        m.Record(MotorBlock::Rain, motor) = {0, 1};
        m.Record(MotorBlock::Reverse, motor) = {0, 4, 6};
        m.Record(MotorBlock::ProportionalTemp, motor) = {0, 10, 22, 123, 1, 3, 40, 6};
        m.Record(MotorBlock::InsideTemp, motor) = {0, 1, 122, 1, 120, 40, 8, 21};
        m.Record(MotorBlock::Heating, motor) = {0, 1, 1, 170, 140};
        m.Record(MotorBlock::Humidity, motor) = {0, 1, 76, 66, 40, 8, 21};
        m.Record(MotorBlock::OutsideTemp, motor) = {0, 102, 0, 105, 40};
        m.Record(MotorBlock::Touch, motor) = {0, radio ? 22 + 48 : 22};
    }
    for (auto& h : m.holidays)
        h = {1, 1};
    return m;
}

SimMemory DemoMemory(const ModelFeatures& f) {
    SimMemory m = FactoryMemory(f.radio);

    // Room names; "\xFC" and "\xE4" are Windows-1252 umlauts.
    const char* rooms[] = {"Wohnzimmer",
                           "K\xFC"
                           "che",
                           "Esszimmer",
                           "Schlafzimmer",
                           "Kinderzimmer",
                           "Bad",
                           "B\xFC"
                           "ro",
                           "G\xE4"
                           "ste-WC",
                           "Markise S\xFC"
                           "d",
                           "Wintergarten",
                           "Dachfenster",
                           "Terrasse",
                           "Flur",
                           "Treppenhaus",
                           "Gaube Nord",
                           "Gaube S\xFC"
                           "d"};
    for (int i = 0; i < 16; ++i)
        m.names[i] = PadName(rooms[i]);

    // Switching times (day, motor, slot, up, hour, minute, run time, group, function).
    const SwitchTimeRecord times[] = {
        {1, 1, 1, 1, 6, 30, 39, 5, 0},    {1, 1, 2, 0, 21, 15, 39, 5, 1},
        {6, 1, 1, 1, 8, 0, 39, 2, 0},     {6, 1, 2, 0, 22, 0, 39, 2, 1},
        {1, 2, 1, 1, 7, 0, 45, 7, 0},     {1, 2, 2, 0, 20, 30, 45, 7, 2},
        {3, 3, 1, 1, 5, 45, 20, 1, 0},    {3, 3, 4, 0, 19, 0, 20, 1, 0},
        {5, 4, 3, 0, 18, 0, 110, 1, 0},   {2, 5, 1, 1, 9, 10, 126, 1, 2},
        {7, 6, 1, 1, 10, 0, 0, 1, 0},     {4, 8, 2, 0, 23, 59, 99, 1, 1},
        {1, 32, 8, 0, 23, 59, 126, 1, 2}, {7, 20, 6, 1, 12, 5, 39, 1, 0},
    };
    for (const auto& t : times)
        if (t.motor <= f.motors && t.slot <= f.slotsPerDay) m.StoreSwitchTime(t);

    // Automations switched on for a few motors.
    m.Record(MotorBlock::Shading, 1) = {1, 124, 9, 19, 150, 12};
    m.Record(MotorBlock::Shading, 2) = {1, 117, 7, 21, 225, 190};
    m.Record(MotorBlock::TwilightMorning, 1) = {1, 11, 1, 191};
    m.Record(MotorBlock::TwilightEvening, 2) = {1, 23, 225, 60};
    m.Record(MotorBlock::Wind, 1) = {1, 45};
    m.Record(MotorBlock::Wind, 2) = {1, 95};
    m.Record(MotorBlock::Rain, 1) = {1, 0};
    m.Record(MotorBlock::Reverse, 3) = {1, 15, 0};
    m.Record(MotorBlock::ProportionalTemp, 2) = {1, 9, 20, 126, 0, 4, 90, 9};
    m.Record(MotorBlock::InsideTemp, 2) = {1, 0, 91, 0, 150, 191, 0, 23};
    m.Record(MotorBlock::Heating, 3) = {1, 0, 0, 255, 0};
    m.Record(MotorBlock::Humidity, 4) = {1, 0, 99, 1, 1, 6, 20};
    m.Record(MotorBlock::OutsideTemp, 1) = {1, 95, 2, 110, 100};
    m.Record(MotorBlock::Touch, 1) = {1, f.radio ? 48 + 87 : 191};
    m.Record(MotorBlock::Touch, 5) = {1, f.radio ? 48 + 23 : 2};

    // Alarm: motor 1 up, motors 2 and 3 down; on 32 motors also motor 32
    // up, so the up mask needs all 32 bits.
    m.alarmUpMask = 0x1u | (f.motors == 32 ? 0x80000000u : 0u);
    m.alarmDownMask = 0x6u;
    m.groupMasks = {0x0Fu, 0xF0u, 0x81u, f.motors == 32 ? 0xFF000001u : 0x3Cu};

    const HolidayRecord holidays[kHolidayCount] = {{1, 1},  {6, 1},   {18, 4},  {21, 4},  {1, 5},
                                                   {29, 5}, {9, 6},   {19, 6},  {3, 10},  {31, 10},
                                                   {1, 11}, {24, 12}, {25, 12}, {26, 12}, {31, 12}};
    for (int i = 0; i < kHolidayCount; ++i)
        m.holidays[i] = holidays[i];

    m.randomSpan = 15;
    m.shadingHysteresis = f.groups ? 12 + 128 : 12;
    m.outsideOffset = 101;
    m.insideOffset = 98;
    m.heatingHysteresis = 4;
    m.windDelay = 5;
    return m;
}

}  // namespace veltrano::sim
