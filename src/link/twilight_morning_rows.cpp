#include "link/twilight_morning_rows.h"

#include "model/cp1252.h"
#include "model/value_scales.h"

namespace veltrano {

std::string ReceivedTwilightMorningLine(const std::string& motorName,
                                        const TwilightMorningSettings& record) {
    const std::string onOff = ItemText(OnOffItems(), record.Off);
    std::string line = Utf8Left(motorName + std::string(11, ' '), 12) + "  " + onOff;
    if (onOff == "EIN") {
        line += "    " + ItemText(MorningHourItems(), record.FromCode) + "   " +
                ItemText(BrightnessItems(), record.BrightnessCode) + "      " +
                ItemText(RunTimeOrContinuousItems(), record.DurationCode);
    }
    return line;
}

std::vector<std::string> ReceivedTwilightMorningRows(const ConfigurationModel& model) {
    std::vector<std::string> rows;
    rows.reserve(kReceivedTwilightMorningRows);
    for (int motor = 1; motor <= kReceivedTwilightMorningRows; ++motor)
        rows.push_back(
            ReceivedTwilightMorningLine(model.motorName(motor), model.twilightMorning(motor)));
    return rows;
}

}  // namespace veltrano
