#include "logbook/logbook_lines.h"

#include "logbook/logbook_texts.h"
#include "model/cp1252.h"

namespace veltrano {
namespace {

constexpr std::string_view kNameBlanks = "            ";  // a name's 12 characters

// Two digits with a leading zero below 10; other values as they come.
std::string TwoDigits(std::int64_t value) {
    const std::string digits = std::to_string(value);
    return value >= 0 && value < 10 ? "0" + digits : digits;
}

std::string DateText(const LogbookEntry& e) {
    return TwoDigits(e.Day) + "." + TwoDigits(e.Month) + ".";
}

std::string TimeText(const LogbookEntry& e) {
    return TwoDigits(e.Hour) + ":" + TwoDigits(e.Minute);
}

std::string_view Arrow(const LogbookEntry& e) {
    return e.Direction != 0 ? "^" : "v";
}

std::string NumberColumn(std::int64_t n) {
    const std::size_t blanks = n < 10 ? 4 : n < 100 ? 3 : n < 1000 ? 2 : 0;
    return std::string(blanks, ' ') + std::to_string(n) + "  ";
}

// A field that would split the line or end it early is quoted, its own
// quotes doubled; every other name goes out as it is.
std::string ExportField(std::string_view text) {
    if (text.find_first_of(";\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace

std::string LogbookListRow(const LogbookEntry& e, std::int64_t n, std::string_view name) {
    if (IsEmptySlot(e)) return kLogbookNoEntries;
    std::string row = NumberColumn(n);
    row += ListShowsNoMotor(e.Code) ? std::string(kNameBlanks)
                                    : Utf8Left(std::string(name) + std::string(kNameBlanks), 12);
    row += " ";
    row += DateText(e) + "   ";
    row += TimeText(e) + "    ";
    row += ListShowsNoDirection(e.Code) ? std::string(6, ' ') : std::string(Arrow(e)) + "     ";
    row += LogbookListText(e.Code, e.SubCode);
    return row;
}

std::string LogbookExportLine(const LogbookEntry& e, std::int64_t n, std::string_view name) {
    const bool noMotor = ExportShowsNoMotor(e.Code);
    std::string line = std::to_string(n) + ";";
    line += (noMotor ? std::string(kNameBlanks) : ExportField(name)) + ";";
    line += DateText(e) + ";";
    line += TimeText(e) + ";";
    line += std::string(noMotor ? " " : Arrow(e)) + ";";
    line += IsEmptySlot(e) ? kLogbookNoEntries : LogbookExportText(e.Code, e.SubCode);
    return line;
}

std::string LogbookExportBytes(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += Utf8ToCp1252(line) + "\r\n";
    return bytes;
}

}  // namespace veltrano
