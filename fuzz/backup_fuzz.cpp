// The backup reader on any bytes, and the writer and reader in agreement:
// whatever model the reader makes of a file, writing it and reading that
// back gives a file of the same bytes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "backup/backup_format.h"
#include "backup/backup_parser.h"
#include "fuzz_support.h"
#include "model/cp1252.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltrano;
    using namespace veltrano::fuzz;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const ConfigurationModel start;
    const BackupParseResult result = ParseBackup(bytes, start);
    if (!result.Ok()) {
        // The message names the line and the value; it goes into a box.
        const std::string text = BackupParseErrorText(*result.Error, "datei.qts");
        Require(IsValidUtf8(text), "the error message is not UTF-8");
        Require(result.Error->LineNumber >= 1, "an error without its line");
        return 0;
    }
    for (int m = 1; m <= kMotorCount; ++m)
        Require(IsValidUtf8(result.Model.motorName(m)), "a name read is not UTF-8");

    // Writing and reading a whole file is slow under the sanitizers; most
    // inputs leave the same few models, so each is checked once.
    static std::vector<ConfigurationModel> checked;
    for (const ConfigurationModel& model : checked)
        if (model == result.Model) return 0;
    if (checked.size() >= 32) checked.erase(checked.begin());
    checked.push_back(result.Model);

    const std::string written = FormatBackup(result.Model);
    const BackupParseResult again = ParseBackup(written, start);
    Require(again.Ok(), "the reader refuses what the writer wrote");
    Require(FormatBackup(again.Model) == written, "written, read and written again differs");
    return 0;
}
