#include "sensor_model.h"

#include <algorithm>
#include <cmath>

namespace veltrano::sim {

namespace {

double Wave(double seconds, double period, double phase) {
    return std::sin(2.0 * 3.14159265358979 * seconds / period + phase);
}

// Whole degrees for min/max: rounded toward minus infinity.
int WholeDegrees(int tenths) {
    return tenths >= 0 ? tenths / 10 : -((-tenths + 9) / 10);
}

}  // namespace

SensorModel::SensorModel(SensorOptions options)
    : options_(options), phase_(static_cast<double>(options.seed % 1000) / 159.0) {}

SensorModel::Reading SensorModel::Read(std::chrono::milliseconds sinceStart) const {
    const double s = static_cast<double>(sinceStart.count()) / 1000.0;
    Reading r{};
    // Brightness: a slow day-like wave with fast clouds, codes 1..225.
    const double light = 120 + 70 * Wave(s, 900, phase_) + 25 * Wave(s, 37, phase_ * 2);
    r.brightness = std::clamp(static_cast<int>(light), 1, 225);
    r.averageBrightness = std::clamp(static_cast<int>(120 + 70 * Wave(s, 900, phase_)), 1, 225);
    // Temperatures stay above zero, so whole degrees and tenths share a sign.
    r.insideTenths = static_cast<int>(215 + 15 * Wave(s, 600, phase_) + 4 * Wave(s, 23, 1));
    r.outsideTenths = static_cast<int>(125 + 60 * Wave(s, 1200, phase_ + 1) + 6 * Wave(s, 41, 2));
    r.wind = std::max(0, static_cast<int>(14 + 11 * Wave(s, 60, phase_) + 6 * Wave(s, 7, 3)));
    r.humidity = options_.humiditySensor
                     ? std::clamp(static_cast<int>(58 + 17 * Wave(s, 500, phase_ + 2)), 1, 99)
                     : 0;
    r.rain = Wave(s, 400, phase_ + 4) > 0.6;
    r.alarm = static_cast<long long>(s) % 600 >= 300 && static_cast<long long>(s) % 600 < 315;
    return r;
}

std::array<std::int64_t, kSkdCount> SensorModel::Sample(std::chrono::milliseconds sinceStart) {
    const Reading r = Read(sinceStart);
    const int inside = WholeDegrees(r.insideTenths);
    const int outside = WholeDegrees(r.outsideTenths);
    if (!sampled_) {
        insideMin_ = insideMax_ = inside;
        outsideMin_ = outsideMax_ = outside;
        windMax_ = r.wind;
        sampled_ = true;
    }
    insideMin_ = std::min(insideMin_, inside);
    insideMax_ = std::max(insideMax_, inside);
    outsideMin_ = std::min(outsideMin_, outside);
    outsideMax_ = std::max(outsideMax_, outside);
    windMax_ = std::max(windMax_, r.wind);

    std::array<std::int64_t, kSkdCount> v{};
    v[kSkdBrightness] = r.brightness;
    if (options_.insideSensor) {
        v[kSkdInsideWhole] = inside;
        v[kSkdInsideTenths] = r.insideTenths % 10;
        v[kSkdInsideMin] = insideMin_;
        v[kSkdInsideMax] = insideMax_;
    } else {
        v[kSkdInsideWhole] = kNoSensor;
        v[kSkdInsideTenths] = 0;
        v[kSkdInsideMin] = kNoSensor;
        v[kSkdInsideMax] = kNoSensor;
    }
    v[kSkdOutsideWhole] = outside;
    v[kSkdOutsideTenths] = r.outsideTenths % 10;
    v[kSkdOutsideMin] = outsideMin_;
    v[kSkdOutsideMax] = outsideMax_;
    v[kSkdWind] = r.wind;
    v[kSkdWindMax] = windMax_;
    v[kSkdAlarm] = r.alarm ? 1 : 0;
    v[kSkdRain] = r.rain ? 1 : 0;
    v[kSkdWindStatus] = r.wind;
    v[kSkdAverageBrightness] = r.averageBrightness;
    v[kSkdHumidity] = r.humidity;
    return v;
}

void SensorModel::ResetMaximumWind(std::chrono::milliseconds sinceStart) {
    windMax_ = Read(sinceStart).wind;
}

}  // namespace veltrano::sim
