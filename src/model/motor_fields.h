// Each per-motor record described once: where the model keeps its 32
// records, and its fields in wire order, each with its member and the item
// list (value_scales.h) that gives its codes their meaning. The link's wire
// conversions, the masks' boxes and any comparison of two configurations
// walk these tables instead of naming the fields again.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <type_traits>

#include "configuration_model.h"
#include "value_scales.h"

namespace veltrano {

template <typename Record>
struct MotorField {
    std::string_view name;  // the member's name
    std::int32_t Record::*member;
    const ItemList& (*items)();  // the item list of its codes
};

// Specialised for every per-motor record: `Table`, the model's 32 records,
// and `Fields`, the fields in wire order (`Modified` is not one of them).
template <typename Record>
struct MotorRecordFields;

template <>
struct MotorRecordFields<ShadingSettings> {
    using R = ShadingSettings;
    static constexpr MotorTable<R> ConfigurationModel::*Table = &ConfigurationModel::Shading;
    static constexpr std::array<MotorField<R>, 6> Fields = {{
        {"Off", &R::Off, OnOffItems},
        {"TemperatureCode", &R::TemperatureCode, ShadingTemperatureItems},
        {"FromCode", &R::FromCode, ShadingHourItems},
        {"ToCode", &R::ToCode, ShadingHourItems},
        {"BrightnessCode", &R::BrightnessCode, ShadingBrightnessItems},
        {"DurationCode", &R::DurationCode, RunTimeItems},
    }};
};

template <>
struct MotorRecordFields<TwilightMorningSettings> {
    using R = TwilightMorningSettings;
    static constexpr MotorTable<R> ConfigurationModel::*Table =
        &ConfigurationModel::TwilightMorning;
    static constexpr std::array<MotorField<R>, 4> Fields = {{
        {"Off", &R::Off, OnOffItems},
        {"FromCode", &R::FromCode, MorningHourItems},
        {"BrightnessCode", &R::BrightnessCode, BrightnessItems},
        {"DurationCode", &R::DurationCode, RunTimeOrContinuousItems},
    }};
};

template <>
struct MotorRecordFields<TwilightEveningSettings> {
    using R = TwilightEveningSettings;
    static constexpr MotorTable<R> ConfigurationModel::*Table =
        &ConfigurationModel::TwilightEvening;
    static constexpr std::array<MotorField<R>, 4> Fields = {{
        {"Off", &R::Off, OnOffItems},
        {"FromCode", &R::FromCode, EveningHourItems},
        {"BrightnessCode", &R::BrightnessCode, BrightnessItems},
        {"DurationCode", &R::DurationCode, RunTimeOrContinuousItems},
    }};
};

template <>
struct MotorRecordFields<WindSettings> {
    using R = WindSettings;
    static constexpr MotorTable<R> ConfigurationModel::*Table = &ConfigurationModel::Wind;
    static constexpr std::array<MotorField<R>, 2> Fields = {{
        {"Off", &R::Off, OnOffItems},
        {"SpeedCode", &R::SpeedCode, WindSpeedItems},
    }};
};

template <>
struct MotorRecordFields<RainSettings> {
    using R = RainSettings;
    static constexpr MotorTable<R> ConfigurationModel::*Table = &ConfigurationModel::Rain;
    static constexpr std::array<MotorField<R>, 2> Fields = {{
        {"Off", &R::Off, OnOffItems},
        {"Direction", &R::Direction, DirectionItems},
    }};
};

template <>
struct MotorRecordFields<ReverseSettings> {
    using R = ReverseSettings;
    static constexpr MotorTable<R> ConfigurationModel::*Table = &ConfigurationModel::Reverse;
    static constexpr std::array<MotorField<R>, 3> Fields = {{
        {"Off", &R::Off, OnOffItems},
        {"AtUp", &R::AtUp, ReverseTimeItems},
        {"AtDown", &R::AtDown, ReverseTimeItems},
    }};
};

// On a radio variant the run time indexes RadioRunTimeItems instead.
template <>
struct MotorRecordFields<TouchSettings> {
    using R = TouchSettings;
    static constexpr MotorTable<R> ConfigurationModel::*Table = &ConfigurationModel::Touch;
    static constexpr std::array<MotorField<R>, 2> Fields = {{
        {"Off", &R::Off, OnOffItems},
        {"DurationCode", &R::DurationCode, RunTimeOrContinuousItems},
    }};
};

template <>
struct MotorRecordFields<ProportionalTempSettings> {
    using R = ProportionalTempSettings;
    static constexpr MotorTable<R> ConfigurationModel::*Table =
        &ConfigurationModel::ProportionalTemp;
    static constexpr std::array<MotorField<R>, 8> Fields = {{
        {"Off", &R::Off, OnOffItems},
        {"From", &R::From, HourItems},
        {"To", &R::To, HourItems},
        {"SetpointCode", &R::SetpointCode, SetpointTemperatureItems},
        {"Direction", &R::Direction, DirectionItems},
        {"ControlRangeCode", &R::ControlRangeCode, ControlRangeItems},
        {"MaxTravelCode", &R::MaxTravelCode, RunTimeItems},
        {"StepsCode", &R::StepsCode, StepsItems},
    }};
};

template <>
struct MotorRecordFields<InsideTempSettings> {
    using R = InsideTempSettings;
    static constexpr MotorTable<R> ConfigurationModel::*Table = &ConfigurationModel::InsideTemp;
    static constexpr std::array<MotorField<R>, 8> Fields = {{
        {"Off", &R::Off, OnOffItems},
        {"Comparison", &R::Comparison, TemperatureComparisonItems},
        {"Threshold1Code", &R::Threshold1Code, ThresholdTemperatureItems},
        {"Direction", &R::Direction, DirectionItems},
        {"Threshold2Code", &R::Threshold2Code, ThresholdTemperatureItems},
        {"DurationCode", &R::DurationCode, RunTimeOrContinuousItems},
        {"From", &R::From, HourItems},
        {"To", &R::To, HourItems},
    }};
};

template <>
struct MotorRecordFields<HeatingSettings> {
    using R = HeatingSettings;
    static constexpr MotorTable<R> ConfigurationModel::*Table = &ConfigurationModel::Heating;
    static constexpr std::array<MotorField<R>, 5> Fields = {{
        {"Off", &R::Off, OnOffItems},
        {"DayNight", &R::DayNight, DayNightItems},
        {"Mode", &R::Mode, HeatingModeItems},
        {"DayTempCode", &R::DayTempCode, HeatingTemperatureItems},
        {"NightTempCode", &R::NightTempCode, HeatingTemperatureItems},
    }};
};

template <>
struct MotorRecordFields<HumiditySettings> {
    using R = HumiditySettings;
    static constexpr MotorTable<R> ConfigurationModel::*Table = &ConfigurationModel::Humidity;
    static constexpr std::array<MotorField<R>, 7> Fields = {{
        {"Off", &R::Off, OnOffItems},
        {"Comparison", &R::Comparison, HumidityComparisonItems},
        {"Threshold1Code", &R::Threshold1Code, HumidityItems},
        {"Threshold2Code", &R::Threshold2Code, HumidityItems},
        {"DurationCode", &R::DurationCode, RunTimeOrContinuousItems},
        {"From", &R::From, HourItems},
        {"To", &R::To, HourItems},
    }};
};

template <>
struct MotorRecordFields<OutsideTempSettings> {
    using R = OutsideTempSettings;
    static constexpr MotorTable<R> ConfigurationModel::*Table = &ConfigurationModel::OutsideTemp;
    static constexpr std::array<MotorField<R>, 5> Fields = {{
        {"Off", &R::Off, OnOffItems},
        {"Threshold1Code", &R::Threshold1Code, ThresholdTemperatureItems},
        {"Direction", &R::Direction, OutsideDirectionItems},
        {"Threshold2Code", &R::Threshold2Code, ThresholdTemperatureItems},
        {"DurationCode", &R::DurationCode, RunTimeOrContinuousItems},
    }};
};

// The model's 32 records of a kind.
template <typename Record>
MotorTable<Record>& RecordsOf(ConfigurationModel& model) {
    return model.*MotorRecordFields<Record>::Table;
}
template <typename Record>
const MotorTable<Record>& RecordsOf(const ConfigurationModel& model) {
    return model.*MotorRecordFields<Record>::Table;
}

// The description of `member`; throws std::logic_error for a member that is
// not one of the record's fields.
template <typename Record>
const MotorField<Record>& FieldOf(std::int32_t Record::*member) {
    for (const MotorField<Record>& field : MotorRecordFields<Record>::Fields)
        if (field.member == member) return field;
    throw std::logic_error("not a field of its record");
}

// The item list of `member`'s codes.
template <typename Record>
const ItemList& ItemsOf(std::int32_t Record::*member) {
    return FieldOf(member).items();
}

// Calls fn(std::type_identity<Record>{}) for each of the twelve per-motor records.
template <typename Fn>
void ForEachMotorRecordKind(Fn&& fn) {
    fn(std::type_identity<ShadingSettings>{});
    fn(std::type_identity<TwilightMorningSettings>{});
    fn(std::type_identity<TwilightEveningSettings>{});
    fn(std::type_identity<WindSettings>{});
    fn(std::type_identity<RainSettings>{});
    fn(std::type_identity<ReverseSettings>{});
    fn(std::type_identity<TouchSettings>{});
    fn(std::type_identity<ProportionalTempSettings>{});
    fn(std::type_identity<InsideTempSettings>{});
    fn(std::type_identity<HeatingSettings>{});
    fn(std::type_identity<HumiditySettings>{});
    fn(std::type_identity<OutsideTempSettings>{});
}

}  // namespace veltrano
