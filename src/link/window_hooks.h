// How the link reaches the window: status panel texts and refresh hooks.
// The window connects what it has; a hook nobody connected is not called.
#pragma once

#include <functional>
#include <string>
#include <utility>

namespace veltrano {

// The live values of a status report, as the sensor fields of the masks show them.
struct SensorTexts {
    std::string Brightness;         // BA_LuxAktuell, copied by DM_/DA_LuxAktuell
    bool BrightnessAverage = true;  // averaged value (tooltip colour) or current (button face)
    std::string InsideNow;          // IT_Aktuell, IT_Aktuell2, IT_Aktuell3
    std::string InsideMin, InsideMax;
    std::string OutsideNow;  // AT_Aktuell ...
    std::string OutsideMin, OutsideMax;
    std::string WindNow;  // AktWind
    bool WindBarVisible = false;
    int WindBarPosition = 0;
    std::string WindMax;   // MaxWind
    std::string Alarm;     // AlarmStatus
    std::string Rain;      // RegenStatus
    std::string Humidity;  // RelFeuchte
};

struct WindowHooks {
    std::function<void(int panel, const std::string& text)> SetPanelText;
    std::function<std::string(int panel)> PanelText;
    std::function<void(const SensorTexts&)> ShowSensorTexts;
    std::function<void(int position)> SetProgressPosition;

    template <typename Hook, typename... Args>
    static void Call(const Hook& hook, Args&&... args) {
        if (hook) hook(std::forward<Args>(args)...);
    }
    void Panel(int panel, const std::string& text) const { Call(SetPanelText, panel, text); }
    std::string Panel(int panel) const { return PanelText ? PanelText(panel) : std::string(); }
};

}  // namespace veltrano
