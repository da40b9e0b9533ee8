// The whole receive path: a receive handler with every block decoder, a
// configuration model, a read-all or send-all possibly running, fed the
// input in chunks whose sizes the input chooses.
//
// Input: byte 0 what runs (0 nothing, 1 or 3 a read-all, 2 a send-all),
// byte 1 the identity bits, byte 2 the firmware; then chunks, each a length
// byte (1..64 characters) and its characters.
//
// After every chunk: the pending buffer stays within its bound, every text
// for the window is valid UTF-8, and ReadAllInProgress only changes on a
// closing switching-time frame that a reference reading calls valid.
#include <array>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "link/block_decoders.h"
#include "link/frame_extractor.h"
#include "link/read_all.h"
#include "link/receive_handler.h"
#include "link/send_all_sequence.h"

namespace veltrano::fuzz {
namespace {

// Reference: the frame's up to 16 comma-terminated numbers, each an
// optionally negative decimal of 32 bits; false when one is not.
bool ReferenceNumbers(std::string_view payload, std::array<std::int64_t, 16>& numbers) {
    numbers.fill(0);
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const std::size_t comma = payload.find(',');
        if (comma == std::string_view::npos) return true;
        const std::string_view text = payload.substr(0, comma);
        std::int64_t value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size()) return false;
        if (value < std::numeric_limits<std::int32_t>::min() ||
            value > std::numeric_limits<std::int32_t>::max())
            return false;
        numbers[i] = value;
        payload.remove_prefix(comma + 1);
    }
    return true;
}

// A frame text as panel 13 shows it: tag, two blanks, payload.
bool IsValidClosingFrame(std::string_view shown) {
    if (shown.size() < 5 || shown.substr(0, 5) != "sfs  ") return false;
    std::array<std::int64_t, 16> n{};
    if (!ReferenceNumbers(shown.substr(5), n)) return false;
    std::int64_t sum = 0;
    for (int i = 0; i < 9; ++i)
        sum += n[i];
    return n[0] == 255 && sum == n[9];
}

ControllerIdentity IdentityFrom(std::uint8_t bits) {
    ControllerIdentity id;
    id.SunProtectionFamily = bits & 1;
    id.ConservatoryFamily = (bits & 2) && !id.SunProtectionFamily;
    id.TouchAutomationAvailable = bits & 4;
    id.GroupCentralAvailable = bits & 8;
    id.RadioVariant = bits & 16;
    id.ThirtyTwoMotors = !(bits & 32);
    id.EightTimesPerDay = !(bits & 64);
    return id;
}

}  // namespace
}  // namespace veltrano::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltrano;
    using namespace veltrano::fuzz;
    if (size < 3) return 0;

    LinkState state;
    ConfigurationModel model;
    WindowHooks hooks;
    std::vector<std::string> shownFrames;
    auto requireUtf8 = [](const std::string& text) {
        Require(IsValidUtf8(text), "a text for the window is not UTF-8");
    };
    hooks.SetPanelText = [&](int panel, const std::string& text) {
        requireUtf8(text);
        if (panel == 13 && text.size() >= 5 && text.compare(3, 2, "  ") == 0)
            shownFrames.push_back(text);
    };
    hooks.SetSwitchTimeListsRow6 = requireUtf8;
    hooks.SetMotorListRow6 = requireUtf8;
    hooks.BlankMotorListForSend = requireUtf8;
    hooks.SetMotorNameItem = [&](int, const std::string& name) { requireUtf8(name); };
    hooks.SetTwilightMorningRows = [&](const std::vector<std::string>& rows) {
        for (const std::string& row : rows)
            requireUtf8(row);
    };
    hooks.WeekdayItemText = [](int index) { return std::string("Tag") + std::to_string(index); };

    ReadAllSequence readAll{state, model};
    readAll.WriteText = [](std::string_view) {};
    SendAllSequence sendAll{model, state, hooks, [](std::string_view) {}};
    ReceiveHandler handler{state, hooks};
    RegisterBlockDecoders(handler, model, state, hooks, readAll);
    handler.RegisterDecoder("stc",
                            [&](const std::string& payload) { sendAll.Acknowledge(payload); });

    state.Identity = IdentityFrom(data[1]);
    const int firmwares[] = {7014, 7499, 7500, 7503, 7512, 7514, 9999};
    state.FirmwareVersion = firmwares[data[2] % 7];
    if (data[0] % 4 == 1 || data[0] % 4 == 3) readAll.Start(state.Identity);
    if (data[0] % 4 == 2) sendAll.Start();

    std::size_t at = 3;
    while (at < size) {
        const std::size_t length = 1 + data[at] % 64;
        ++at;
        const std::size_t take = std::min(length, size - at);
        const std::string_view chunk(reinterpret_cast<const char*>(data + at), take);
        at += take;

        const bool wasReading = state.ReadAllInProgress;
        shownFrames.clear();
        handler.OnReceive(chunk);

        Require(handler.Extractor().Buffer().size() <= FrameExtractor::kMaxUnclosedFrame,
                "the pending buffer outgrew its bound");
        bool closing = false;
        for (const std::string& frame : shownFrames)
            closing = closing || IsValidClosingFrame(frame);
        if (!wasReading)
            Require(!state.ReadAllInProgress, "a read-all started from received characters");
        if (wasReading && !state.ReadAllInProgress)
            Require(closing, "a read-all ended without a valid closing frame");
        if (wasReading && closing)
            Require(!state.ReadAllInProgress, "a valid closing frame did not end the read-all");
    }
    return 0;
}
