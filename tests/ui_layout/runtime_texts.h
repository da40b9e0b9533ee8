// Texts the window fills in at run time, each in its longest form, one table
// per sheet: the no-cut-text check puts each into its control.
#pragma once

#include <string>
#include <vector>

namespace veltrano::testing {

struct RuntimeText {
    const char* control;  // object name of a label, combo box (item 0), button or status panel
    std::string text;
};

// Shell: status panels, header and the port group.
std::vector<RuntimeText> ShellRuntimeTexts();
// "Schaltzeiten".
std::vector<RuntimeText> SwitchTimeRuntimeTexts();
// "Heizung".
std::vector<RuntimeText> HeatingRuntimeTexts();
// "Hand-, Tast-, Reversier-Automatik".
std::vector<RuntimeText> ManualRuntimeTexts();

// "Beschattung, Dämmerung".
std::vector<RuntimeText> ShadingRuntimeTexts();
// " Parameter": motor names of the alarm and group banks, bank numbers, the alarm status.
std::vector<RuntimeText> ParameterRuntimeTexts();
// "Wind-, Regen-, Feuchte".
std::vector<RuntimeText> WindRainRuntimeTexts();
// "Temperatur-Steuerung".
std::vector<RuntimeText> TemperatureRuntimeTexts();

// Every table, for the check.
std::vector<RuntimeText> AllRuntimeTexts();

}  // namespace veltrano::testing
