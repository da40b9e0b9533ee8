// The item lists of the combo boxes that edit the model. A model code is the
// index of an item in one of these lists (code 0 = first item). Each list is
// built once from its rule and never changes; texts are UTF-8.
#pragma once

#include <string>
#include <vector>

namespace veltrano {

using ItemList = std::vector<std::string>;

// The item of `code`, or "" when the code lies outside the list.
std::string ItemText(const ItemList& items, int code);

// --- Per-motor automation ----------------------------------------------------

// "EIN", "AUS": `Off` 0 = on, 1 = off.
const ItemList& OnOffItems();
// 190 items "1s" .. "99s", "100s", "110s" .. "990s", "999s".
// Codes 0..98: code + 1 s; 99..188: (code - 89) x 10 s; 189: 999 s.
const ItemList& RunTimeItems();
// The 190 run-time items and "Dauer" (code 190: continuous running).
const ItemList& RunTimeOrContinuousItems();
// 225 items "0,1 " .. "0,9 ", "1 " .. "9 ", "10 " .. "90 ", "100 " .. "900 "
// (these 36 with one trailing blank), "1 k" .. "100 k" (codes 36..135), "110 k" ..
// "990 k" (codes 136..224). Lux as shown.
const ItemList& BrightnessItems();
// 189 items "1 k" .. "990 k": shading code n is brightness code n + 36.
const ItemList& ShadingBrightnessItems();
// 60 items "-9°" .. "50°": code - 9 °C.
const ItemList& ThresholdTemperatureItems();
// 46 items "-10" .. "35": code - 10 °C.
const ItemList& ShadingTemperatureItems();
// 50 items "1°" .. "50°": code + 1 °C.
const ItemList& SetpointTemperatureItems();
// 256 items "4,0°C" .. "29,5°C": 4,0 °C + code x 0,1 °C.
const ItemList& HeatingTemperatureItems();
// 24 items "00:00" .. "23:00": hour = code.
const ItemList& HourItems();
// 18 items "05:00" .. "22:00": hour = code + 5.
const ItemList& ShadingHourItems();
// 9 items "03:00" .. "10:00", "Nr. 3": hour = code + 3; code 8 takes the time of
// the motor's fixed switching time No. 3.
const ItemList& MorningHourItems();
// 10 items "14:00" .. "22:00", "Nr. 4": hour = code + 14; code 9 takes the time of
// fixed switching time No. 4.
const ItemList& EveningHourItems();
// 19 items "5" .. "95": (code + 1) x 5 km/h.
const ItemList& WindSpeedItems();
// 41 items "0,0" .. "4,0": code x 0,1 s.
const ItemList& ReverseTimeItems();
// 99 items "1%" .. "99%": code + 1 %.
const ItemList& HumidityItems();
// 9 items "1°" .. "9°": code + 1 K.
const ItemList& ControlRangeItems();
// 8 items "2" .. "9": code + 2 opening positions.
const ItemList& StepsItems();
// 87 touch run times of a radio variant, "2s" .. "32s" in steps of 2 s, then
// groups of eight whose step doubles from group to group (the last group has
// seven): "36s" .. "56s", "01:00" (code 22) .. "59:44", "1:04:00" .. "4:16:00".
const ItemList& RadioRunTimeItems();
// "T>", "T<": inside-temperature `Comparison`.
const ItemList& TemperatureComparisonItems();
// "F>", "F<": humidity `Comparison`.
const ItemList& HumidityComparisonItems();
// Up and down arrow: `Direction` 0 up, 1 down.
const ItemList& DirectionItems();
// Up arrow, down arrow, "DEAKTIV": outside-temperature `Direction`, 2 = drive deactivated.
const ItemList& OutsideDirectionItems();
// "Tag", "Nacht": heating `DayNight`.
const ItemList& DayNightItems();
// "Heizbetrieb", "Kühlbetrieb": heating `Mode`.
const ItemList& HeatingModeItems();

// --- Switching times ---------------------------------------------------------

// "Mo" .. "So": day 0..6.
const ItemList& WeekdayItems();
// "1" .. "8" and a ninth item " " (no slot).
const ItemList& SlotNumberItems();
// 1441 items: "     " (five blanks, empty slot), then "00:00" .. "23:59";
// index = `TimeCode` = minutes after midnight + 1.
const ItemList& TimeOfDayItems();
// 127 items "0s" .. "99s", "100", "110" .. "350" (no unit), "Dau".
const ItemList& SwitchTimeRunTimeItems();
// "-", "Astro", "Zufall": `Function`.
const ItemList& FunctionItems();
// The day-group box of day 0..6: "-", "Mo - Fr", "Mo - So" for a weekday,
// "-", "Sa - So", "Mo - So" for Saturday and Sunday. Its index is not the
// `DayGroup` code.
const ItemList& DayGroupItems(int day);

// --- General parameters ------------------------------------------------------

// 253 items "± 2 min" .. "± 254 min": ± (code + 2) minutes.
const ItemList& RandomSpanItems();
// 49 items "2" .. "50": code + 2.
const ItemList& ShadingHysteresisItems();
// 11 items "- 5 °C" .. "- 1 °C", "0 °C", "+ 1 °C" .. "+ 5 °C": code - 5 °C.
const ItemList& TemperatureOffsetItems();
// 9 items "± 0,1 °C" .. "± 0,9 °C": ± (code + 1) x 0,1 °C.
const ItemList& HeatingHysteresisItems();
// 21 items "0 s" .. "20 s": code seconds.
const ItemList& WindDelayItems();
// Up arrow, en dash, down arrow: `AlarmPatterns` 0 up, 1 no action, 2 down.
const ItemList& AlarmPatternItems();

}  // namespace veltrano
