#include "link/status_frames.h"

#include "link/payload_error.h"
#include "model/value_scales.h"

namespace veltrano {
namespace {

constexpr int kNoSensor = 999;

std::string BrightnessText(std::int64_t code) {
    // The Controller sends the 1-based position in the brightness scale.
    const auto& items = BrightnessItems();
    if (code < 1 || code > static_cast<std::int64_t>(items.size())) return {};
    return items[static_cast<std::size_t>(code - 1)];
}

std::string Temperature(std::int64_t whole, std::int64_t tenths) {
    return std::to_string(whole) + "," + std::to_string(tenths) + "°";
}

}  // namespace

void DecodeModelFrame(const std::string& payload, const WindowHooks& hooks) {
    hooks.Panel(0, payload);
}

void DecodeFirmwareFrame(const std::string& payload, LinkState& state, const WindowHooks& hooks) {
    const auto version = ParseFirmwareVersion(payload);
    if (!version) throw PayloadError("sfi");
    hooks.Panel(1, "V" + payload);
    state.FirmwareVersion = *version;
}

void DecodeDateFrame(const std::string& payload, const WindowHooks& hooks) {
    hooks.Panel(2, payload);
}

void DecodeTimeFrame(const std::string& payload, const WindowHooks& hooks) {
    hooks.Panel(3, payload);
}

SensorTexts FormatSensorTexts(const PayloadNumbers& n, bool showAverageBrightness) {
    SensorTexts t;
    t.BrightnessAverage = showAverageBrightness;
    t.Brightness = BrightnessText(showAverageBrightness ? n[14] : n[0]);
    if (n[1] == kNoSensor) {
        t.InsideNow = "    -";
        t.InsideMin = t.InsideMax = "  -";
    } else {
        t.InsideNow = Temperature(n[1], n[2]);
        t.InsideMin = std::to_string(n[3]) + "°";
        t.InsideMax = std::to_string(n[4]) + "°";
    }
    if (n[5] == kNoSensor) {
        t.OutsideNow = "    -";
        t.OutsideMin = t.OutsideMax = "  -";
    } else {
        t.OutsideNow = Temperature(n[5], n[6]);
        t.OutsideMin = std::to_string(n[7]) + "°";
        t.OutsideMax = std::to_string(n[8]) + "°";
    }
    t.WindNow = std::to_string(n[9]) + " km/h";
    t.WindBarVisible = n[9] != 0;
    t.WindBarPosition = static_cast<int>(n[9]);
    t.WindMax = std::to_string(n[10]) + " km/h";
    t.Alarm = n[11] != 0 ? "Alarm ausgelöst" : "   Kein Alarm";
    t.Rain = n[12] != 0 ? " Es regnet" : " Kein Regen";
    t.Humidity = n[15] != 0 ? std::to_string(n[15]) + " %" : " - ";
    return t;
}

void DecodeSensorFrame(const std::string& payload, const LinkState& state,
                       const WindowHooks& hooks) {
    const auto numbers = SplitPayloadNumbers(payload);
    if (!numbers) throw PayloadError("skd");
    const PayloadNumbers& n = *numbers;
    const ControllerIdentity& id = state.Identity;
    if (id.SunProtectionFamily || id.ConservatoryFamily) {
        hooks.Panel(7, "Sonne: " + BrightnessText(n[0]));
        hooks.Panel(8, "Wind: " + std::to_string(n[13]));
    }
    const SensorTexts texts = FormatSensorTexts(n, state.ShowAverageBrightness);
    if (n[1] != kNoSensor) hooks.Panel(10, "IT: " + texts.InsideNow);
    if (n[5] != kNoSensor) hooks.Panel(9, "AT: " + texts.OutsideNow);
    WindowHooks::Call(hooks.ShowSensorTexts, texts);
}

}  // namespace veltrano
