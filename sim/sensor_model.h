// Live sensor values of the "skd" status frame: 16 numbers that drift with
// time (slow waves plus a seeded phase), with minimum and maximum kept since
// start and a maximum wind that "swl" resets.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>

namespace veltrano::sim {

// Positions of the skd numbers.
enum SkdIndex {
    kSkdBrightness = 0,   // brightness code 1..225
    kSkdInsideWhole = 1,  // whole degrees; 999 = no sensor
    kSkdInsideTenths = 2,
    kSkdInsideMin = 3,
    kSkdInsideMax = 4,
    kSkdOutsideWhole = 5,  // whole degrees; 999 = no sensor
    kSkdOutsideTenths = 6,
    kSkdOutsideMin = 7,
    kSkdOutsideMax = 8,
    kSkdWind = 9,      // km/h
    kSkdWindMax = 10,  // km/h since the last reset
    kSkdAlarm = 11,
    kSkdRain = 12,
    kSkdWindStatus = 13,  // wind for the status bar
    kSkdAverageBrightness = 14,
    kSkdHumidity = 15,  // percent; 0 = no sensor
};
inline constexpr int kSkdCount = 16;
inline constexpr int kNoSensor = 999;

struct SensorOptions {
    bool insideSensor = true;
    bool humiditySensor = true;
    std::uint64_t seed = 1;
};

class SensorModel {
  public:
    explicit SensorModel(SensorOptions options);

    // The values at this time since start; updates minimum, maximum and the
    // maximum wind.
    std::array<std::int64_t, kSkdCount> Sample(std::chrono::milliseconds sinceStart);

    // "swl": the maximum wind starts again from the current wind.
    void ResetMaximumWind(std::chrono::milliseconds sinceStart);

  private:
    struct Reading {
        int brightness, averageBrightness;
        int insideTenths, outsideTenths;  // temperature in tenths of a degree
        int wind, humidity;
        bool alarm, rain;
    };
    Reading Read(std::chrono::milliseconds sinceStart) const;

    SensorOptions options_;
    double phase_;
    bool sampled_ = false;
    int insideMin_ = 0, insideMax_ = 0, outsideMin_ = 0, outsideMax_ = 0, windMax_ = 0;
};

}  // namespace veltrano::sim
