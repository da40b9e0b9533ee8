// Motor names, holidays, the motor masks of the alarm set-up, the manual
// drive and the group central control, and the single parameters.
#include "link/decode_common.h"
#include "link/motor_name_frame.h"
#include "link/payload_error.h"

namespace veltrano::decode {
namespace {

// "smn": the motor's name into the model and the motor selectors.
void DecodeMotorName(const Context& ctx, const std::string& payload) {
    ShowCaption(ctx, "Motor-Namen");
    const auto frame = ParseMotorNameFrame(payload);
    if (!frame) return;  // no such motor
    ctx.model.motorName(frame->Motor) = frame->Name;
    WindowHooks::Call(ctx.hooks.SetMotorNameItem, frame->Motor, frame->Name);
    ctx.readAll.Received("smn", frame->Motor);
}

// "sft": [0] holiday 1..15, [1] day, [2] month, [3] checksum. The frame of
// holiday 15, the last one, redraws all holiday fields.
void DecodeHoliday(const Context& ctx, const std::string& payload) {
    ShowCaption(ctx, "Feiertage");
    ShowReadingInLists(ctx, "Feiertage");
    const PayloadNumbers n = SplitOrThrow(payload);
    if (!ChecksumValid(n, 3) || n[0] < 1 || n[0] > kHolidayCount) {
        ShowError(ctx, "Fehler Feiertage");
    } else {
        Holiday& holiday = ctx.model.holiday(static_cast<int>(n[0]));
        holiday.Day = Code(n[1]);
        holiday.Month = Code(n[2]);
        ctx.readAll.Received("sft", static_cast<int>(n[0]));
    }
    if (n[0] == kHolidayCount) WindowHooks::Call(ctx.hooks.RedrawHolidayFields);
}

// Two masks, bit m - 1 = motor m: [0] the motors with the "up" code, [1]
// those with the "down" code; down wins where both are set; every other motor
// gets the neutral code.
void StoreUpDownMasks(MotorTable<std::int32_t>& table, const PayloadNumbers& n, std::int32_t up,
                      std::int32_t neutral, std::int32_t down) {
    const std::uint32_t upMask = MaskBits(n[0]);
    const std::uint32_t downMask = MaskBits(n[1]);
    for (int m = 1; m <= kMotorCount; ++m) {
        const std::uint32_t bit = std::uint32_t{1} << (m - 1);
        std::int32_t code = neutral;
        if (upMask & bit) code = up;
        if (downMask & bit) code = down;
        table.motor(m) = code;
    }
}

void DecodeAlarmSetup(const Context& ctx, const std::string& payload) {
    ShowCaption(ctx, "Alarm Setup");
    ShowReadingInLists(ctx, "Alarm Setup");
    const PayloadNumbers n = SplitOrThrow(payload, NumberRange::Mask32);
    StoreUpDownMasks(ctx.model.AlarmPatterns, n, kAlarmUp, kAlarmNoAction, kAlarmDown);
    ctx.readAll.Received("sas");
    WindowHooks::Call(ctx.hooks.ShowAlarmBank, 1);
}

void DecodeManualStates(const Context& ctx, const std::string& payload) {
    const PayloadNumbers n = SplitOrThrow(payload, NumberRange::Mask32);
    StoreUpDownMasks(ctx.model.ManualStates, n, kManualUp, kManualOff, kManualDown);
    WindowHooks::Call(ctx.hooks.ShowReportedBank);
}

// "sgz": [0]..[3] the 32-bit motor masks of groups 1..4.
void DecodeGroupCentral(const Context& ctx, const std::string& payload) {
    ShowCaption(ctx, "Gruppen-Zentralsteuerung");
    ShowReadingInLists(ctx, "Gruppen-Zentralsteuerung");
    const PayloadNumbers n = SplitOrThrow(payload, NumberRange::Mask32);
    for (int group = 1; group <= kGroupCount; ++group)
        ctx.model.SetGroupMotorMask(group, MaskBits(n[group - 1]));
    ctx.readAll.Received("sgz");
    WindowHooks::Call(ctx.hooks.LoadGroupCheckBoxes);
}

void ShowParameter(const Context& ctx, ParameterControl control, std::int32_t code) {
    WindowHooks::Call(ctx.hooks.SelectParameterItem, control, static_cast<int>(code));
}

// The single parameters: [0] only, no caption, no checksum.
void DecodeRandomSpan(const Context& ctx, const std::string& payload) {
    const PayloadNumbers n = SplitOrThrow(payload);
    ctx.model.Parameters.RandomSpanCode = Code(n[0], 2);
    ctx.readAll.Received("szz");
    ShowParameter(ctx, ParameterControl::ZufallsZeitspanne, ctx.model.Parameters.RandomSpanCode);
}

// Bit 7 of the shading hysteresis carries the soft group central flag.
constexpr std::int64_t kSoftGzsFlag = 128;

void DecodeShadingHysteresis(const Context& ctx, const std::string& payload) {
    const PayloadNumbers n = SplitOrThrow(payload);
    GeneralParameters& p = ctx.model.Parameters;
    std::int64_t value = n[0];
    p.SoftGzsActive = value >= kSoftGzsFlag;
    if (p.SoftGzsActive) value -= kSoftGzsFlag;
    p.ShadingHysteresisCode = Code(value, 2);
    ctx.readAll.Received("sbh");
    WindowHooks::Call(ctx.hooks.SetSoftGzsChecked, p.SoftGzsActive);
    ShowParameter(ctx, ParameterControl::BeschattungsHysterese, p.ShadingHysteresisCode);
}

void DecodeOutsideOffset(const Context& ctx, const std::string& payload) {
    const PayloadNumbers n = SplitOrThrow(payload);
    ctx.model.Parameters.OutsideTempOffsetCode = Code(n[0], 95);
    ctx.readAll.Received("soa");
    ShowParameter(ctx, ParameterControl::OffsetAussentemperatur,
                  ctx.model.Parameters.OutsideTempOffsetCode);
}

void DecodeInsideOffset(const Context& ctx, const std::string& payload) {
    const PayloadNumbers n = SplitOrThrow(payload);
    ctx.model.Parameters.InsideTempOffsetCode = Code(n[0], 95);
    ctx.readAll.Received("soi");
    ShowParameter(ctx, ParameterControl::OffsetInnentemperatur,
                  ctx.model.Parameters.InsideTempOffsetCode);
}

void DecodeHeatingHysteresis(const Context& ctx, const std::string& payload) {
    const PayloadNumbers n = SplitOrThrow(payload);
    ctx.model.Parameters.HeatingHysteresisCode = Code(n[0], 1);
    ctx.readAll.Received("shh");
    ShowParameter(ctx, ParameterControl::Heiz_Hysterese,
                  ctx.model.Parameters.HeatingHysteresisCode);
}

void DecodeWindDelay(const Context& ctx, const std::string& payload) {
    const PayloadNumbers n = SplitOrThrow(payload);
    ctx.model.Parameters.WindDelayCode = Code(n[0]);
    ctx.readAll.Received("saw");
    ShowParameter(ctx, ParameterControl::AusloeseverzoegerungWind,
                  ctx.model.Parameters.WindDelayCode);
}

}  // namespace

void RegisterParameterBlocks(ReceiveHandler& handler, const Context& ctx) {
    using Decode = void (*)(const Context&, const std::string&);
    const std::pair<const char*, Decode> decoders[] = {
        {"smn", DecodeMotorName},         {"sft", DecodeHoliday},       {"sas", DecodeAlarmSetup},
        {"srs", DecodeManualStates},      {"sgz", DecodeGroupCentral},  {"szz", DecodeRandomSpan},
        {"sbh", DecodeShadingHysteresis}, {"soa", DecodeOutsideOffset}, {"soi", DecodeInsideOffset},
        {"shh", DecodeHeatingHysteresis}, {"saw", DecodeWindDelay},
    };
    // Not a structured binding: C++20 compilers before clang 16 cannot capture one.
    for (const auto& entry : decoders) {
        const Decode decode = entry.second;
        handler.RegisterDecoder(entry.first,
                                [ctx, decode](const std::string& p) { decode(ctx, p); });
    }

    handler.RegisterDecoder("ssp", [](const std::string&) {});  // answered, nothing to keep
    handler.RegisterDecoder(
        "sts", [ctx](const std::string&) { WindowHooks::Call(ctx.hooks.ParameterExit); });
}

}  // namespace veltrano::decode
