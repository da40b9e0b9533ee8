#include "memory_dump.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "sim_logbook.h"

namespace veltrano::sim {

namespace {

std::string Line(std::string_view tag, const std::vector<long long>& numbers) {
    std::string line(tag);
    for (long long n : numbers) {
        line += ' ';
        line += std::to_string(n);
    }
    return line + "\n";
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

[[noreturn]] void Fail(int lineNumber, const std::string& why) {
    throw std::runtime_error("memory dump line " + std::to_string(lineNumber) + ": " + why);
}

std::vector<long long> ReadNumbers(std::istringstream& in, int lineNumber) {
    std::vector<long long> numbers;
    std::string word;
    while (in >> word) {
        std::size_t used = 0;
        long long value = 0;
        try {
            value = std::stoll(word, &used);
        } catch (const std::exception&) {
            Fail(lineNumber, "not a number: " + word);
        }
        if (used != word.size()) Fail(lineNumber, "not a number: " + word);
        numbers.push_back(value);
    }
    return numbers;
}

void Expect(const std::vector<long long>& n, std::size_t count, int lineNumber,
            const std::string& tag) {
    if (n.size() != count)
        Fail(lineNumber,
             tag + " needs " + std::to_string(count) + " numbers, has " + std::to_string(n.size()));
}

void ExpectRange(long long value, long long min, long long max, int lineNumber, const char* what) {
    if (value < min || value > max)
        Fail(lineNumber, std::string(what) + " out of range: " + std::to_string(value));
}

}  // namespace

std::string QuoteBytes(std::string_view bytes) {
    std::string quoted = "\"";
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u > 0x7E || c == '\\' || c == '"') {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", u);
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

bool UnquoteBytes(std::string_view quoted, std::string* bytes) {
    if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') return false;
    std::string out;
    for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
        const char c = quoted[i];
        if (c == '"') return false;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (i + 3 >= quoted.size() || quoted[i + 1] != 'x') return false;
        const int high = HexValue(quoted[i + 2]);
        const int low = HexValue(quoted[i + 3]);
        if (high < 0 || low < 0) return false;
        out += static_cast<char>(high * 16 + low);
        i += 3;
    }
    *bytes = std::move(out);
    return true;
}

std::string FormatMemoryDump(const SimMemory& m) {
    std::string text =
        "# Simulated Controller memory: wire numbers as the Controller stores them.\n"
        "# sfs: day motor(1..32) slot direction hour minute run-time day-group function\n"
        "# per-motor blocks: motor on/off fields; names: 12 bytes, \\xNN escapes\n";
    for (const auto& t : m.switchTimes)
        text += Line("sfs", {t.day, t.motor, t.slot, t.direction, t.hour, t.minute, t.duration,
                             t.dayGroup, t.function});
    for (int motor = 1; motor <= kMaxMotors; ++motor)
        text += "smn " + std::to_string(motor) + " " + QuoteBytes(m.names[motor - 1]) + "\n";
    for (const MotorBlockLayout& layout : MotorBlockLayouts()) {
        for (int motor = 1; motor <= kMaxMotors; ++motor) {
            std::vector<long long> numbers{motor};
            for (auto n : m.Record(layout.block, motor))
                numbers.push_back(n);
            text += Line(layout.readTag, numbers);
        }
    }
    text += Line("sas", {m.alarmUpMask, m.alarmDownMask});
    text += Line("sgz", {m.groupMasks[0], m.groupMasks[1], m.groupMasks[2], m.groupMasks[3]});
    for (int i = 1; i <= kHolidayCount; ++i)
        text += Line("sft", {i, m.holidays[i - 1].day, m.holidays[i - 1].month});
    text += Line("szz", {m.randomSpan});
    text += Line("sbh", {m.shadingHysteresis});
    text += Line("soa", {m.outsideOffset});
    text += Line("soi", {m.insideOffset});
    text += Line("shh", {m.heatingHysteresis});
    text += Line("saw", {m.windDelay});
    if (m.logbook) {
        text += Line("sla", {static_cast<long long>(m.logbook->size())});
        for (const LogbookEntry& e : *m.logbook)
            text += Line("sld", {e.number, e.motor, e.direction, e.day, e.month, e.code, e.hour,
                                 e.minute, e.subCode});
    }
    return text;
}

SimMemory ParseMemoryDump(std::string_view text) {
    return ParseMemoryDump(text, FactoryMemory(false));
}

SimMemory ParseMemoryDump(std::string_view text, SimMemory m) {
    std::istringstream lines{std::string(text)};
    std::string line;
    int lineNumber = 0;
    // The logbook's announced size and where it was announced.
    long long logbookSize = 0;
    int logbookLine = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        std::istringstream in(line);
        std::string tag;
        in >> tag;

        if (tag == "smn") {
            long long motor = 0;
            if (!(in >> motor)) Fail(lineNumber, "smn needs a motor number");
            ExpectRange(motor, 1, kMaxMotors, lineNumber, "motor");
            std::string rest;
            std::getline(in, rest);
            while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t'))
                rest.pop_back();
            const auto start = rest.find('"');
            std::string name;
            if (start == std::string::npos || !UnquoteBytes(rest.substr(start), &name))
                Fail(lineNumber, "smn needs a quoted name");
            if (name.size() != static_cast<std::size_t>(kNameLength))
                Fail(lineNumber, "a name holds exactly 12 bytes");
            m.names[motor - 1] = name;
            continue;
        }

        const std::vector<long long> n = ReadNumbers(in, lineNumber);
        auto i32 = [](long long v) { return static_cast<std::int32_t>(v); };
        auto u32 = [&](long long v) {
            ExpectRange(v, 0, 4294967295LL, lineNumber, "mask");
            return static_cast<std::uint32_t>(v);
        };
        if (const MotorBlockLayout* layout = LayoutByReadTag(tag)) {
            Expect(n, layout->fields.size() + 1, lineNumber, tag);
            ExpectRange(n[0], 1, kMaxMotors, lineNumber, "motor");
            m.Record(layout->block, i32(n[0])).assign(n.begin() + 1, n.end());
        } else if (tag == "sfs") {
            Expect(n, 9, lineNumber, tag);
            ExpectRange(n[0], 1, 7, lineNumber, "day");
            ExpectRange(n[1], 1, kMaxMotors, lineNumber, "motor");
            ExpectRange(n[2], 1, 8, lineNumber, "slot");
            m.StoreSwitchTime({i32(n[0]), i32(n[1]), i32(n[2]), i32(n[3]), i32(n[4]), i32(n[5]),
                               i32(n[6]), i32(n[7]), i32(n[8])});
        } else if (tag == "sas") {
            Expect(n, 2, lineNumber, tag);
            m.alarmUpMask = u32(n[0]);
            m.alarmDownMask = u32(n[1]);
        } else if (tag == "sgz") {
            Expect(n, 4, lineNumber, tag);
            for (int g = 0; g < kGroupCount; ++g)
                m.groupMasks[g] = u32(n[g]);
        } else if (tag == "sft") {
            Expect(n, 3, lineNumber, tag);
            ExpectRange(n[0], 1, kHolidayCount, lineNumber, "holiday");
            m.holidays[n[0] - 1] = {i32(n[1]), i32(n[2])};
        } else if (tag == "szz" || tag == "sbh" || tag == "soa" || tag == "soi" || tag == "shh" ||
                   tag == "saw") {
            Expect(n, 1, lineNumber, tag);
            std::int32_t& field = tag == "szz"   ? m.randomSpan
                                  : tag == "sbh" ? m.shadingHysteresis
                                  : tag == "soa" ? m.outsideOffset
                                  : tag == "soi" ? m.insideOffset
                                  : tag == "shh" ? m.heatingHysteresis
                                                 : m.windDelay;
            field = i32(n[0]);
        } else if (tag == "sla") {
            Expect(n, 1, lineNumber, tag);
            ExpectRange(n[0], 0, kMaxLogbookSize, lineNumber, "logbook size");
            if (logbookLine != 0) Fail(lineNumber, "a second sla");
            logbookSize = n[0];
            logbookLine = lineNumber;
            m.logbook.emplace();
        } else if (tag == "sld") {
            Expect(n, 9, lineNumber, tag);
            if (logbookLine == 0) Fail(lineNumber, "sld before sla");
            for (long long v : n)
                ExpectRange(v, std::numeric_limits<std::int32_t>::min(),
                            std::numeric_limits<std::int32_t>::max(), lineNumber, "number");
            m.logbook->push_back({i32(n[0]), i32(n[1]), i32(n[2]), i32(n[3]), i32(n[4]), i32(n[5]),
                                  i32(n[6]), i32(n[7]), i32(n[8])});
        } else {
            Fail(lineNumber, "unknown record " + tag);
        }
    }
    if (logbookLine != 0 && static_cast<long long>(m.logbook->size()) != logbookSize)
        Fail(logbookLine, "sla announces " + std::to_string(logbookSize) +
                              " entries, the file has " + std::to_string(m.logbook->size()));
    return m;
}

SimMemory LoadMemoryDump(const std::string& path) {
    return LoadMemoryDump(path, FactoryMemory(false));
}

SimMemory LoadMemoryDump(const std::string& path, SimMemory base) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read memory dump " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return ParseMemoryDump(text.str(), std::move(base));
}

void WriteMemoryDump(const std::string& path, const SimMemory& memory) {
    const std::string temporary = path + ".tmp" + std::to_string(getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) throw std::runtime_error("cannot write memory dump " + temporary);
        out << FormatMemoryDump(memory);
        out.flush();
        if (!out) {
            std::remove(temporary.c_str());
            throw std::runtime_error("cannot write memory dump " + temporary);
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        throw std::runtime_error("cannot rename memory dump to " + path);
    }
}

}  // namespace veltrano::sim
