// The comma splitter and the integer reading of the wire against a
// straightforward reference written with std::from_chars: they must agree
// on every input, for ordinary fields and for masks.
//
// Input: byte 0 chooses the range; the rest is the payload.
#include <array>
#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "link/payload_numbers.h"

namespace veltrano::fuzz {
namespace {

// An optionally negative decimal integer and nothing else, within the range:
// signed 32 bits, or for masks up to 4294967295 as well.
std::optional<std::int64_t> ReferenceInteger(std::string_view text, NumberRange range) {
    if (text.empty() || text.front() == '+') return std::nullopt;
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    const std::int64_t max = range == NumberRange::Mask32
                                 ? std::int64_t{std::numeric_limits<std::uint32_t>::max()}
                                 : std::int64_t{std::numeric_limits<std::int32_t>::max()};
    if (value < std::numeric_limits<std::int32_t>::min() || value > max) return std::nullopt;
    return value;
}

// Up to 16 numbers, each followed by ","; the rest ignored; missing ones 0.
std::optional<PayloadNumbers> ReferenceSplit(std::string_view payload, NumberRange range) {
    PayloadNumbers numbers{};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const std::size_t comma = payload.find(',');
        if (comma == std::string_view::npos) break;
        const auto n = ReferenceInteger(payload.substr(0, comma), range);
        if (!n) return std::nullopt;
        numbers[i] = *n;
        payload.remove_prefix(comma + 1);
    }
    return numbers;
}

std::string Shown(std::string_view text) {
    return "\"" + std::string(text.substr(0, 80)) + "\"";
}

}  // namespace
}  // namespace veltrano::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltrano;
    using namespace veltrano::fuzz;
    if (size < 1) return 0;
    const NumberRange range = data[0] & 1 ? NumberRange::Mask32 : NumberRange::Signed32;
    const std::string_view payload(reinterpret_cast<const char*>(data + 1), size - 1);

    Require(SplitPayloadNumbers(payload, range) == ReferenceSplit(payload, range),
            [&] { return "SplitPayloadNumbers disagrees on " + Shown(payload); });
    // Every piece between commas as a number on its own, and the whole text.
    std::string_view rest = payload;
    for (;;) {
        const std::size_t comma = rest.find(',');
        const std::string_view piece = rest.substr(0, comma);
        Require(ParseWireInteger(piece, range) == ReferenceInteger(piece, range),
                [&] { return "ParseWireInteger disagrees on " + Shown(piece); });
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    Require(ParseWireInteger(payload, range) == ReferenceInteger(payload, range),
            [&] { return "ParseWireInteger disagrees on " + Shown(payload); });
    return 0;
}
