// The per-motor automation blocks: [0] is the motor 1..32, then the fields
// of the record's wire table (link/motor_wire.h), then the plain sum of all
// numbers before it.
#include <array>

#include "link/decode_common.h"
#include "link/motor_wire.h"
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

// The record's fields from the block, by its wire table.
template <typename Record>
void Store(ConfigurationModel& model, int motor, const N& n, const LinkState& state) {
    StoreFromWire(RecordsOf<Record>(model).motor(motor), n, state.Identity.RadioVariant);
}

template <typename Record>
constexpr MotorBlock Block(const char* tag, const char* caption, const char* errorText,
                           void (*refresh)(const Context&)) {
    // The checksum covers the motor and every field.
    return {tag, caption, errorText, MotorWireFieldCount<Record>() + 1, Store<Record>, refresh};
}

constexpr std::array<MotorBlock, 12> kMotorBlocks = {{
    Block<ShadingSettings>("sbp", "Beschattungsparameter", "Fehler Beschatt.",
                           Refresh<&WindowHooks::FormatShadingList>),
    Block<TwilightMorningSettings>("sdm", "Dämmerungssteuerung Morgen", "Fehler DämmMorgen",
                                   RefreshTwilightMorningRows),
    Block<TwilightEveningSettings>("sda", "Dämmerungssteuerung Abend", "Fehler DämmAbend",
                                   Refresh<&WindowHooks::FormatTwilightEveningList>),
    Block<WindSettings>("swp", "Einfahren bei Wind", "Fehler Wind",
                        Refresh<&WindowHooks::FormatWindList>),
    Block<RainSettings>("srp", "Einfahren bei Regen", "Fehler Regen",
                        Refresh<&WindowHooks::FormatRainList>),
    Block<ReverseSettings>("sjp", "Reversier-Automatik", "Fehler Reversier",
                           Refresh<&WindowHooks::FormatReverseList>),
    Block<TouchSettings>("sta", "Tast-Automatik", "Fehler Tast-Automatik",
                         Refresh<&WindowHooks::FormatTouchList>),
    Block<ProportionalTempSettings>("spp", "Proportionale Temp.-Steuerung", "Fehler Prop.T.-Strg",
                                    Refresh<&WindowHooks::FormatProportionalTempList>),
    Block<InsideTempSettings>("sip", "Innentemperatur-Steuerung", "Fehler InnenTemp.-Strg",
                              Refresh<&WindowHooks::FormatInsideTempList>),
    Block<HeatingSettings>("shp", "Heizungs-Steuerung", "Fehler Heizungs-Steuerung",
                           Refresh<&WindowHooks::FormatHeatingList>),
    Block<HumiditySettings>("sfp", "Luftfeuchtigkeits-Steuerung", "Fehler Feuchte-Strg",
                            Refresh<&WindowHooks::FormatHumidityList>),
    Block<OutsideTempSettings>("sap", "Außentemperatur-Steuerung", "Fehler Außentemp.-Strg",
                               Refresh<&WindowHooks::FormatOutsideTempList>),
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
