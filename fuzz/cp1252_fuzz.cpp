// Windows-1252 and the UTF-8 helpers: every byte string survives the way to
// UTF-8 and back, and the character helpers stay within any text, valid
// UTF-8 or not.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "model/cp1252.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltrano;
    using namespace veltrano::fuzz;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::string utf8 = Cp1252ToUtf8(bytes);
    Require(IsValidUtf8(utf8), "Cp1252ToUtf8 gave invalid UTF-8");
    Require(Utf8ToCp1252(utf8) == bytes, "Windows-1252 bytes changed on their way through UTF-8");
    Require(Utf8Length(utf8) == size, "one character per Windows-1252 byte");

    // The same helpers on the raw input, which is mostly not UTF-8.
    for (const std::string_view text : {bytes, std::string_view(utf8)}) {
        const bool valid = text.data() == utf8.data();
        const std::size_t length = Utf8Length(text);
        Require(length <= text.size(), "Utf8Length counts more characters than bytes");
        std::size_t joined = 0;
        // Every position of a short text; around the ends and the middle of a long one.
        std::vector<std::size_t> positions;
        for (std::size_t pos = 0; pos <= length + 2; ++pos)
            if (length <= 64 || pos < 3 || pos + 3 > length || pos == length / 2)
                positions.push_back(pos);
        for (const std::size_t pos : positions) {
            const std::string c = Utf8CharAt(text, pos);
            Require(c.size() <= text.size(), "Utf8CharAt gave more than the text");
            if (valid) Require(c.size() <= 4, "Utf8CharAt gave more than one character");
            if (pos >= 1 && pos <= length) {
                Require(!c.empty(), "Utf8CharAt gave nothing inside the text");
                joined += c.size();
            } else {
                Require(c.empty(), "Utf8CharAt gave a character outside the text");
            }
        }
        for (std::size_t n : {std::size_t{0}, std::size_t{1}, length / 2, length, length + 5}) {
            const std::string left = Utf8Left(text, n);
            Require(left.size() <= text.size() && text.substr(0, left.size()) == left,
                    "Utf8Left is not a beginning of the text");
        }
        if (valid && length <= 64)
            Require(joined == utf8.size(), "the characters of valid UTF-8 do not make the text");
    }
    return 0;
}
