// The small readers of user and file text: the holiday edit field
// ("       24.12.") and the settings file "Veltrano.ini".
//
// Input: byte 0 chooses the reader; the rest is the text.
#include <cstdint>
#include <string>
#include <string_view>

#include "app/settings_file.h"
#include "backup/holiday_field.h"
#include "fuzz_support.h"
#include "model/general_parameters.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltrano;
    using namespace veltrano::fuzz;
    if (size < 1) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    if (data[0] & 1) {
        const auto holiday = HolidayFromFieldText(text);
        if (!holiday) return 0;
        Require(
            holiday->Day >= 1 && holiday->Day <= 31 && holiday->Month >= 1 && holiday->Month <= 12,
            "a holiday outside the calendar");
        Require(HolidayFromFieldText(HolidayFieldText(*holiday)) == holiday,
                "a holiday does not survive its own field text");
        return 0;
    }

    int port = 0;
    try {
        port = ParseSettingsPortNumber(text);
    } catch (const SettingsFileError& e) {
        // Documented for a line that is no number; the start-up shows it.
        Require(IsValidUtf8(e.what()), "the settings message is not UTF-8");
        return 0;
    }
    // The file the program writes holds the number and CR LF.
    Require(ParseSettingsPortNumber(std::to_string(port) + "\r\n") == port,
            "a port number does not survive the file");
    return 0;
}
