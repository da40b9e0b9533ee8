// The per-motor automation blocks: [0] is the motor 1..32, [1] on/off, then
// the fields, then the plain sum of all numbers before it.
#include <array>

#include "link/decode_common.h"
#include "link/twilight_morning_rows.h"

namespace veltrano::decode {
namespace {

using N = PayloadNumbers;

struct MotorBlock {
    const char* tag;
    const char* caption;
    const char* errorText;
    int checkOver;  // numbers summed; the checksum follows them
    void (*store)(ConfigurationModel& model, int motor, const N& n, const LinkState& state);
    void (*refresh)(const Context& ctx);
};

template <std::function<void()> WindowHooks::*Hook>
void Refresh(const Context& ctx) {
    WindowHooks::Call(ctx.hooks.*Hook);
}

void RefreshTwilightMorningRows(const Context& ctx) {
    WindowHooks::Call(ctx.hooks.SetTwilightMorningRows, ReceivedTwilightMorningRows(ctx.model));
}

void StoreShading(ConfigurationModel& model, int motor, const N& n, const LinkState&) {
    ShadingSettings& r = model.shading(motor);
    r.Off = OffFromWire(n[1]);
    r.TemperatureCode = Code(n[2], 90);
    r.FromCode = Code(n[3], 5);
    r.ToCode = Code(n[4], 5);
    r.BrightnessCode = Code(n[5], 37);
    r.DurationCode = Code(n[6], 1);
}

void StoreTwilightMorning(ConfigurationModel& model, int motor, const N& n, const LinkState&) {
    TwilightMorningSettings& r = model.twilightMorning(motor);
    r.Off = OffFromWire(n[1]);
    r.FromCode = Code(n[2], 3);
    r.BrightnessCode = Code(n[3], 1);
    r.DurationCode = Code(n[4], 1);
}

void StoreTwilightEvening(ConfigurationModel& model, int motor, const N& n, const LinkState&) {
    TwilightEveningSettings& r = model.twilightEvening(motor);
    r.Off = OffFromWire(n[1]);
    r.FromCode = Code(n[2], 14);
    r.BrightnessCode = Code(n[3], 1);
    r.DurationCode = Code(n[4], 1);
}

void StoreWind(ConfigurationModel& model, int motor, const N& n, const LinkState&) {
    WindSettings& r = model.wind(motor);
    r.Off = OffFromWire(n[1]);
    // km/h to the 5 km/h steps of the scale, truncated: 32 km/h shows as 30.
    r.SpeedCode = Code(n[2] / 5, 1);
}

void StoreRain(ConfigurationModel& model, int motor, const N& n, const LinkState&) {
    RainSettings& r = model.rain(motor);
    r.Off = OffFromWire(n[1]);
    r.Direction = OneToZero(n[2]);
}

void StoreReverse(ConfigurationModel& model, int motor, const N& n, const LinkState&) {
    ReverseSettings& r = model.reverse(motor);
    r.Off = OffFromWire(n[1]);
    r.AtUp = Code(n[2]);
    r.AtDown = Code(n[3]);
}

// A radio variant carries its own run-time list, 48 above the ordinary one.
constexpr std::int32_t kRadioRunTimeOffset = 48;

void StoreTouch(ConfigurationModel& model, int motor, const N& n, const LinkState& state) {
    TouchSettings& r = model.touch(motor);
    r.Off = OffFromWire(n[1]);
    std::int32_t code = Code(n[2], 1);
    if (state.Identity.RadioVariant && code >= kRadioRunTimeOffset) code -= kRadioRunTimeOffset;
    r.DurationCode = code;
}

void StoreProportionalTemp(ConfigurationModel& model, int motor, const N& n, const LinkState&) {
    ProportionalTempSettings& r = model.proportionalTemp(motor);
    r.Off = OffFromWire(n[1]);
    r.From = Code(n[2]);
    r.To = Code(n[3]);
    r.SetpointCode = Code(n[4], 101);
    r.Direction = OneToZero(n[5]);
    r.ControlRangeCode = Code(n[6], 1);
    r.MaxTravelCode = Code(n[7], 1);
    r.StepsCode = Code(n[8], 2);
}

void StoreInsideTemp(ConfigurationModel& model, int motor, const N& n, const LinkState&) {
    InsideTempSettings& r = model.insideTemp(motor);
    r.Off = OffFromWire(n[1]);
    r.Comparison = OneToZero(n[2]);
    r.Threshold1Code = Code(n[3], 91);
    r.Direction = OneToZero(n[4]);
    r.Threshold2Code = Code(n[5], 91);
    r.DurationCode = Code(n[6], 1);
    r.From = Code(n[7]);
    r.To = Code(n[8]);
}

void StoreHeating(ConfigurationModel& model, int motor, const N& n, const LinkState&) {
    HeatingSettings& r = model.heating(motor);
    r.Off = OffFromWire(n[1]);
    // Wire 1 = "Tag" as send-all writes it, like every two-valued field.
    r.DayNight = OneToZero(n[2]);
    // Wire 1 = heating, 0 = cooling.
    r.Mode = n[3] == 0 ? kCooling : kHeating;
    r.DayTempCode = Code(n[4]);
    r.NightTempCode = Code(n[5]);
}

void StoreHumidity(ConfigurationModel& model, int motor, const N& n, const LinkState&) {
    HumiditySettings& r = model.humidity(motor);
    r.Off = OffFromWire(n[1]);
    r.Comparison = OneToZero(n[2]);
    r.Threshold1Code = Code(n[3], 1);
    r.Threshold2Code = Code(n[4], 1);
    r.DurationCode = Code(n[5], 1);
    r.From = Code(n[6]);
    r.To = Code(n[7]);
}

void StoreOutsideTemp(ConfigurationModel& model, int motor, const N& n, const LinkState&) {
    OutsideTempSettings& r = model.outsideTemp(motor);
    r.Off = OffFromWire(n[1]);
    r.Threshold1Code = Code(n[2], 91);
    // 1 up, 0 down; any other number (2 = deactivated) as it comes.
    r.Direction = n[3] == 1 ? kUp : n[3] == 0 ? kDown : Code(n[3]);
    r.Threshold2Code = Code(n[4], 91);
    r.DurationCode = Code(n[5], 1);
}

constexpr std::array<MotorBlock, 12> kMotorBlocks = {{
    {"sbp", "Beschattungsparameter", "Fehler Beschatt.", 7, StoreShading,
     Refresh<&WindowHooks::FormatShadingList>},
    {"sdm", "Dämmerungssteuerung Morgen", "Fehler DämmMorgen", 5, StoreTwilightMorning,
     RefreshTwilightMorningRows},
    {"sda", "Dämmerungssteuerung Abend", "Fehler DämmAbend", 5, StoreTwilightEvening,
     Refresh<&WindowHooks::FormatTwilightEveningList>},
    {"swp", "Einfahren bei Wind", "Fehler Wind", 3, StoreWind,
     Refresh<&WindowHooks::FormatWindList>},
    {"srp", "Einfahren bei Regen", "Fehler Regen", 3, StoreRain,
     Refresh<&WindowHooks::FormatRainList>},
    {"sjp", "Reversier-Automatik", "Fehler Reversier", 4, StoreReverse,
     Refresh<&WindowHooks::FormatReverseList>},
    {"sta", "Tast-Automatik", "Fehler Tast-Automatik", 3, StoreTouch,
     Refresh<&WindowHooks::FormatTouchList>},
    {"spp", "Proportionale Temp.-Steuerung", "Fehler Prop.T.-Strg", 9, StoreProportionalTemp,
     Refresh<&WindowHooks::FormatProportionalTempList>},
    {"sip", "Innentemperatur-Steuerung", "Fehler InnenTemp.-Strg", 9, StoreInsideTemp,
     Refresh<&WindowHooks::FormatInsideTempList>},
    {"shp", "Heizungs-Steuerung", "Fehler Heizungs-Steuerung", 6, StoreHeating,
     Refresh<&WindowHooks::FormatHeatingList>},
    {"sfp", "Luftfeuchtigkeits-Steuerung", "Fehler Feuchte-Strg", 8, StoreHumidity,
     Refresh<&WindowHooks::FormatHumidityList>},
    {"sap", "Außentemperatur-Steuerung", "Fehler Außentemp.-Strg", 6, StoreOutsideTemp,
     Refresh<&WindowHooks::FormatOutsideTempList>},
}};

void DecodeMotorBlock(const MotorBlock& block, const Context& ctx, const std::string& payload) {
    ShowCaption(ctx, block.caption);
    ShowReadingInLists(ctx, block.caption);
    const PayloadNumbers n = SplitOrThrow(payload);
    if (!ChecksumValid(n, block.checkOver)) {
        ShowError(ctx, block.errorText);
    } else if (n[0] < 1 || n[0] > kMotorCount) {
        // The model has no such motor.
        ShowError(ctx, block.errorText);
    } else {
        block.store(ctx.model, static_cast<int>(n[0]), n, ctx.state);
        ctx.readAll.Received(block.tag, static_cast<int>(n[0]));
    }
    // The list shows the model whether or not the record changed.
    block.refresh(ctx);
}

}  // namespace

void RegisterMotorBlocks(ReceiveHandler& handler, const Context& ctx) {
    for (const MotorBlock& block : kMotorBlocks) {
        handler.RegisterDecoder(block.tag, [&block, ctx](const std::string& payload) {
            DecodeMotorBlock(block, ctx, payload);
        });
    }
}

}  // namespace veltrano::decode
