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
    // A sensor reports whole degrees and tenths at `first`, then its minimum
    // and maximum; 999 in whole degrees means there is none.
    auto sensor = [&n](std::size_t first, std::string& now, std::string& min, std::string& max) {
        if (n[first] == kNoSensor) {
            now = "    -";
            min = max = "  -";
            return;
        }
        now = Temperature(n[first], n[first + 1]);
        min = std::to_string(n[first + 2]) + "°";
        max = std::to_string(n[first + 3]) + "°";
    };
    sensor(1, t.InsideNow, t.InsideMin, t.InsideMax);
    sensor(5, t.OutsideNow, t.OutsideMin, t.OutsideMax);
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
