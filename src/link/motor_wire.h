// How the per-motor records travel: for each record one conversion per
// field, beside the model's field table (model/motor_fields.h) and in its
// order, so the block decoder and the send-all encoder of a record read the
// same table. A record goes as motor 1..32, then its fields in table order,
// then the checksum (the plain sum of all numbers before it).
#pragma once

#include <array>
#include <cstdint>

#include "link/payload_numbers.h"
#include "link/send_all_blocks.h"
#include "model/motor_fields.h"

namespace veltrano {

enum class WireRule {
    Offset,  // wire = code + offset
    // On/off: wire 1 = on (code 0), 0 = off; any other received number is off.
    OnOff,
    // Two-valued: wire 1 = the first item (code 0: up, "T>", "Tag"), 0 = the
    // second; any other received number is the second, any other code sent as 1.
    TwoValued,
    // Wind speed in km/h, (code + 1) x 5; received numbers truncate to the
    // 5 km/h step below (32 km/h gives code 5).
    WindSpeed,
    // Heating mode: sent as TwoValued (1 = heating); received, 0 is cooling
    // and any other number heating.
    HeatingMode,
    // Outside direction: 1 = up (code 0), 0 = down (code 1); any other number
    // (2 = deactivated) as it is, both ways.
    OutsideDirection,
    // Touch run time: code + 1, on a radio variant + 48 more; received, a
    // radio variant's result of 48 or more is reduced by 48.
    TouchRunTime,
};

struct WireConversion {
    WireRule rule;
    std::int64_t offset = 0;  // WireRule::Offset only
};

inline constexpr WireConversion kWireOnOff{WireRule::OnOff};
inline constexpr WireConversion kWireTwoValued{WireRule::TwoValued};
inline constexpr WireConversion kWireRaw{WireRule::Offset, 0};
constexpr WireConversion WireOffset(std::int64_t offset) {
    return {WireRule::Offset, offset};
}

// Specialised for every per-motor record: `Fields`, one conversion per field
// of MotorRecordFields<Record>::Fields, in the same order.
template <typename Record>
struct MotorWireLayout;

template <>
struct MotorWireLayout<ShadingSettings> {
    static constexpr std::array<WireConversion, 6> Fields = {
        {kWireOnOff, WireOffset(90), WireOffset(5), WireOffset(5), WireOffset(37), WireOffset(1)}};
};

template <>
struct MotorWireLayout<TwilightMorningSettings> {
    static constexpr std::array<WireConversion, 4> Fields = {
        {kWireOnOff, WireOffset(3), WireOffset(1), WireOffset(1)}};
};

template <>
struct MotorWireLayout<TwilightEveningSettings> {
    static constexpr std::array<WireConversion, 4> Fields = {
        {kWireOnOff, WireOffset(14), WireOffset(1), WireOffset(1)}};
};

template <>
struct MotorWireLayout<WindSettings> {
    static constexpr std::array<WireConversion, 2> Fields = {{kWireOnOff, {WireRule::WindSpeed}}};
};

template <>
struct MotorWireLayout<RainSettings> {
    static constexpr std::array<WireConversion, 2> Fields = {{kWireOnOff, kWireTwoValued}};
};

template <>
struct MotorWireLayout<ReverseSettings> {
    static constexpr std::array<WireConversion, 3> Fields = {{kWireOnOff, kWireRaw, kWireRaw}};
};

template <>
struct MotorWireLayout<TouchSettings> {
    static constexpr std::array<WireConversion, 2> Fields = {
        {kWireOnOff, {WireRule::TouchRunTime}}};
};

template <>
struct MotorWireLayout<ProportionalTempSettings> {
    static constexpr std::array<WireConversion, 8> Fields = {
        {kWireOnOff, kWireRaw, kWireRaw, WireOffset(101), kWireTwoValued, WireOffset(1),
         WireOffset(1), WireOffset(2)}};
};

template <>
struct MotorWireLayout<InsideTempSettings> {
    static constexpr std::array<WireConversion, 8> Fields = {
        {kWireOnOff, kWireTwoValued, WireOffset(91), kWireTwoValued, WireOffset(91), WireOffset(1),
         kWireRaw, kWireRaw}};
};

template <>
struct MotorWireLayout<HeatingSettings> {
    static constexpr std::array<WireConversion, 5> Fields = {
        {kWireOnOff, kWireTwoValued, {WireRule::HeatingMode}, kWireRaw, kWireRaw}};
};

template <>
struct MotorWireLayout<HumiditySettings> {
    static constexpr std::array<WireConversion, 7> Fields = {{kWireOnOff, kWireTwoValued,
                                                              WireOffset(1), WireOffset(1),
                                                              WireOffset(1), kWireRaw, kWireRaw}};
};

template <>
struct MotorWireLayout<OutsideTempSettings> {
    static constexpr std::array<WireConversion, 5> Fields = {
        {kWireOnOff, WireOffset(91), {WireRule::OutsideDirection}, WireOffset(91), WireOffset(1)}};
};

// The code a received number stands for. Values outside a scale are kept;
// only what no 32-bit code can hold is limited.
std::int32_t CodeFromWire(WireConversion conversion, std::int64_t number, bool radioVariant);
// The number a code goes out as.
std::int64_t WireFromCode(WireConversion conversion, std::int32_t code, bool radioVariant);

// Numbers in a record block: the motor, then one per field, then the checksum.
template <typename Record>
constexpr int MotorWireFieldCount() {
    static_assert(
        MotorWireLayout<Record>::Fields.size() == MotorRecordFields<Record>::Fields.size(),
        "one wire conversion per field");
    return static_cast<int>(MotorRecordFields<Record>::Fields.size());
}

// The fields of `record` from a received block (numbers[1] is the first field).
template <typename Record>
void StoreFromWire(Record& record, const PayloadNumbers& numbers, bool radioVariant) {
    constexpr int count = MotorWireFieldCount<Record>();
    for (int i = 0; i < count; ++i) {
        const auto& field = MotorRecordFields<Record>::Fields[static_cast<std::size_t>(i)];
        record.*field.member =
            CodeFromWire(MotorWireLayout<Record>::Fields[static_cast<std::size_t>(i)],
                         numbers[static_cast<std::size_t>(i) + 1], radioVariant);
    }
}

// Motor 1..32 and the fields of `record` as they go out, before the checksum.
template <typename Record>
RecordNumbers WireNumbers(int motor, const Record& record, bool radioVariant) {
    constexpr int count = MotorWireFieldCount<Record>();
    RecordNumbers numbers;
    numbers.Add(motor);
    for (int i = 0; i < count; ++i) {
        const auto& field = MotorRecordFields<Record>::Fields[static_cast<std::size_t>(i)];
        numbers.Add(WireFromCode(MotorWireLayout<Record>::Fields[static_cast<std::size_t>(i)],
                                 record.*field.member, radioVariant));
    }
    return numbers;
}

}  // namespace veltrano
