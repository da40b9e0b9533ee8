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
    std::string_view caption;    // the sheet's caption of its box
    // Appended to an item text that carries no unit of its own ("°C", " km/h").
    std::string_view unit;
};

// Specialised for every per-motor record: `Caption`, the caption of its group
// on its sheet (a literal, so its data() ends in a null), `Table`, the model's 32 records, and
// `Fields`, the fields in wire order (`Modified` is not one of them).
template <typename Record>
struct MotorRecordFields;

template <>
struct MotorRecordFields<ShadingSettings> {
    using R = ShadingSettings;
    static constexpr std::string_view Caption = "Beschattungsautomatik";
    static constexpr MotorTable<R> ConfigurationModel::*Table = &ConfigurationModel::Shading;
    static constexpr std::array<MotorField<R>, 6> Fields = {{
        {"Off", &R::Off, OnOffItems, "Ein/Aus", ""},
        {"TemperatureCode", &R::TemperatureCode, ShadingTemperatureItems, "Temperatur", "°C"},
        {"FromCode", &R::FromCode, ShadingHourItems, "von", ""},
        {"ToCode", &R::ToCode, ShadingHourItems, "bis", ""},
        {"BrightnessCode", &R::BrightnessCode, ShadingBrightnessItems, "Grenz-Lux-Wert", ""},
        {"DurationCode", &R::DurationCode, RunTimeItems, "Aktivierungszeit", ""},
    }};
};

template <>
struct MotorRecordFields<TwilightMorningSettings> {
    using R = TwilightMorningSettings;
    static constexpr std::string_view Caption = "Dämmerungsautomatik Morgen";
    static constexpr MotorTable<R> ConfigurationModel::*Table =
        &ConfigurationModel::TwilightMorning;
    static constexpr std::array<MotorField<R>, 4> Fields = {{
        {"Off", &R::Off, OnOffItems, "Ein/Aus", ""},
        {"FromCode", &R::FromCode, MorningHourItems, "ab", ""},
        {"BrightnessCode", &R::BrightnessCode, BrightnessItems, "Grenz-Lux-Wert", ""},
        {"DurationCode", &R::DurationCode, RunTimeOrContinuousItems, "Aktivierungszeit", ""},
    }};
};

template <>
struct MotorRecordFields<TwilightEveningSettings> {
    using R = TwilightEveningSettings;
    static constexpr std::string_view Caption = "Dämmerungsautomatik Abend";
    static constexpr MotorTable<R> ConfigurationModel::*Table =
        &ConfigurationModel::TwilightEvening;
    static constexpr std::array<MotorField<R>, 4> Fields = {{
        {"Off", &R::Off, OnOffItems, "Ein/Aus", ""},
        {"FromCode", &R::FromCode, EveningHourItems, "ab", ""},
        {"BrightnessCode", &R::BrightnessCode, BrightnessItems, "Grenz-Lux-Wert", ""},
        {"DurationCode", &R::DurationCode, RunTimeOrContinuousItems, "Aktivierungszeit", ""},
    }};
};

template <>
struct MotorRecordFields<WindSettings> {
    using R = WindSettings;
    static constexpr std::string_view Caption = "Einfahren bei Wind";
    static constexpr MotorTable<R> ConfigurationModel::*Table = &ConfigurationModel::Wind;
    static constexpr std::array<MotorField<R>, 2> Fields = {{
        {"Off", &R::Off, OnOffItems, "Ein/Aus", ""},
        {"SpeedCode", &R::SpeedCode, WindSpeedItems, "bei v >", " km/h"},
    }};
};

template <>
struct MotorRecordFields<RainSettings> {
    using R = RainSettings;
    static constexpr std::string_view Caption = "Einfahren bei Regen";
    static constexpr MotorTable<R> ConfigurationModel::*Table = &ConfigurationModel::Rain;
    static constexpr std::array<MotorField<R>, 2> Fields = {{
        {"Off", &R::Off, OnOffItems, "Ein/Aus", ""},
        {"Direction", &R::Direction, DirectionItems, "in Richtung", ""},
    }};
};

template <>
struct MotorRecordFields<ReverseSettings> {
    using R = ReverseSettings;
    static constexpr std::string_view Caption = "Reversier-Automatik";
    static constexpr MotorTable<R> ConfigurationModel::*Table = &ConfigurationModel::Reverse;
    static constexpr std::array<MotorField<R>, 3> Fields = {{
        {"Off", &R::Off, OnOffItems, "Ein/Aus", ""},
        {"AtUp", &R::AtUp, ReverseTimeItems, "Rückl. nach AUF", " s"},
        {"AtDown", &R::AtDown, ReverseTimeItems, "Rückl. nach AB", " s"},
    }};
};

// On a radio variant the run time indexes RadioRunTimeItems instead.
template <>
struct MotorRecordFields<TouchSettings> {
    using R = TouchSettings;
    static constexpr std::string_view Caption = "Tast-Automatik";
    static constexpr MotorTable<R> ConfigurationModel::*Table = &ConfigurationModel::Touch;
    static constexpr std::array<MotorField<R>, 2> Fields = {{
        {"Off", &R::Off, OnOffItems, "Ein/Aus", ""},
        {"DurationCode", &R::DurationCode, RunTimeOrContinuousItems, "Aktivierungszeit", ""},
    }};
};

template <>
struct MotorRecordFields<ProportionalTempSettings> {
    using R = ProportionalTempSettings;
    static constexpr std::string_view Caption = "Proportionale Temperatursteuerung";
    static constexpr MotorTable<R> ConfigurationModel::*Table =
        &ConfigurationModel::ProportionalTemp;
    static constexpr std::array<MotorField<R>, 8> Fields = {{
        {"Off", &R::Off, OnOffItems, "Ein/Aus", ""},
        {"From", &R::From, HourItems, "von", ""},
        {"To", &R::To, HourItems, "bis", ""},
        {"SetpointCode", &R::SetpointCode, SetpointTemperatureItems, "Soll-Temperatur", ""},
        {"Direction", &R::Direction, DirectionItems, "Aktivier.-Richtung", ""},
        {"ControlRangeCode", &R::ControlRangeCode, ControlRangeItems, "Regel-Bereich", ""},
        {"MaxTravelCode", &R::MaxTravelCode, RunTimeItems, "Max. Stellzeit", ""},
        {"StepsCode", &R::StepsCode, StepsItems, "Anzahl Schritte", ""},
    }};
};

template <>
struct MotorRecordFields<InsideTempSettings> {
    using R = InsideTempSettings;
    static constexpr std::string_view Caption = "Innen-Temperatursteuerung";
    static constexpr MotorTable<R> ConfigurationModel::*Table = &ConfigurationModel::InsideTemp;
    static constexpr std::array<MotorField<R>, 8> Fields = {{
        {"Off", &R::Off, OnOffItems, "Ein/Aus", ""},
        {"Comparison", &R::Comparison, TemperatureComparisonItems, "größer kleiner", ""},
        {"Threshold1Code", &R::Threshold1Code, ThresholdTemperatureItems, "Temperatur-Schwelle 1",
         ""},
        {"Direction", &R::Direction, DirectionItems, "Auf Ab", ""},
        {"Threshold2Code", &R::Threshold2Code, ThresholdTemperatureItems, "Temperatur-Schwelle 2",
         ""},
        {"DurationCode", &R::DurationCode, RunTimeOrContinuousItems, "Stellzeit", ""},
        {"From", &R::From, HourItems, "von", ""},
        {"To", &R::To, HourItems, "bis", ""},
    }};
};

template <>
struct MotorRecordFields<HeatingSettings> {
    using R = HeatingSettings;
    static constexpr std::string_view Caption = "Heizungs-Steuerung";
    static constexpr MotorTable<R> ConfigurationModel::*Table = &ConfigurationModel::Heating;
    static constexpr std::array<MotorField<R>, 5> Fields = {{
        {"Off", &R::Off, OnOffItems, "Ein/Aus", ""},
        {"DayNight", &R::DayNight, DayNightItems, "Tag / Nacht", ""},
        {"Mode", &R::Mode, HeatingModeItems, "Betriebsart", ""},
        {"DayTempCode", &R::DayTempCode, HeatingTemperatureItems, "Tag-Temperatur", ""},
        {"NightTempCode", &R::NightTempCode, HeatingTemperatureItems, "Nacht-Temperatur", ""},
    }};
};

template <>
struct MotorRecordFields<HumiditySettings> {
    using R = HumiditySettings;
    static constexpr std::string_view Caption = "Luftfeuchtigkeits-Steuerung";
    static constexpr MotorTable<R> ConfigurationModel::*Table = &ConfigurationModel::Humidity;
    static constexpr std::array<MotorField<R>, 7> Fields = {{
        {"Off", &R::Off, OnOffItems, "Ein/Aus", ""},
        {"Comparison", &R::Comparison, HumidityComparisonItems, "größer kleiner", ""},
        {"Threshold1Code", &R::Threshold1Code, HumidityItems, "Feuchte-Schwelle 1", ""},
        {"Threshold2Code", &R::Threshold2Code, HumidityItems, "Feuchte-Schwelle 2", ""},
        {"DurationCode", &R::DurationCode, RunTimeOrContinuousItems, "Stellzeit", ""},
        {"From", &R::From, HourItems, "von", ""},
        {"To", &R::To, HourItems, "bis", ""},
    }};
};

template <>
struct MotorRecordFields<OutsideTempSettings> {
    using R = OutsideTempSettings;
    static constexpr std::string_view Caption = "Außen-Temperatursteuerung";
    static constexpr MotorTable<R> ConfigurationModel::*Table = &ConfigurationModel::OutsideTemp;
    static constexpr std::array<MotorField<R>, 5> Fields = {{
        {"Off", &R::Off, OnOffItems, "Ein/Aus", ""},
        {"Threshold1Code", &R::Threshold1Code, ThresholdTemperatureItems, "Temperatur-Schwelle 1",
         ""},
        {"Direction", &R::Direction, OutsideDirectionItems, "Auf, Ab, deaktiv", ""},
        {"Threshold2Code", &R::Threshold2Code, ThresholdTemperatureItems, "Temperatur-Schwelle 2",
         ""},
        {"DurationCode", &R::DurationCode, RunTimeOrContinuousItems, "Stellzeit", ""},
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
