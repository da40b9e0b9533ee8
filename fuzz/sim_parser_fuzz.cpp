// The simulated Controller's side of the line on any bytes: its command
// parser gives the same commands however the input is cut, and the
// Controller (parser, send-all receiver, answers) keeps its memory in shape
// and never sends a flow-control byte.
//
// Input: byte 0 the Controller (one of the valid identity mixes), byte 1
// the cut of the input; the rest is what the program would write.
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "command_parser.h"
#include "fuzz_support.h"
#include "sim_controller.h"
#include "sim_identity.h"
#include "sim_memory.h"
#include "wire_frames.h"

namespace veltrano::fuzz {
namespace {

std::string Describe(const std::vector<sim::ParsedCommand>& commands) {
    std::string text;
    for (const sim::ParsedCommand& c : commands) {
        text += std::to_string(static_cast<int>(c.kind)) + c.word + (c.wellFormed ? "+" : "-");
        for (auto n : c.numbers)
            text += " " + std::to_string(n);
        for (const std::string& t : c.texts)
            text += " [" + t + "]";
        text += " " + c.direction + " " + c.code + ";";
    }
    return text;
}

void RequireMemoryInShape(const sim::SimMemory& memory, const sim::ModelFeatures& f) {
    Require(memory.switchTimes.size() <= sim::kSwitchTimeCapacity, "more switching times than fit");
    for (std::size_t i = 0; i < memory.switchTimes.size(); ++i) {
        const sim::SwitchTimeRecord& r = memory.switchTimes[i];
        Require(r.day >= 1 && r.day <= 7 && r.motor >= 1 && r.motor <= f.motors && r.slot >= 1 &&
                    r.slot <= f.slotsPerDay,
                "a switching time the Controller does not have");
        if (i == 0) continue;
        const sim::SwitchTimeRecord& p = memory.switchTimes[i - 1];
        Require(std::tie(p.day, p.motor, p.slot) < std::tie(r.day, r.motor, r.slot),
                "switching times out of order or twice");
    }
    for (const std::string& name : memory.names)
        Require(name.size() == static_cast<std::size_t>(sim::kNameLength), "a name not 12 long");
    for (const sim::MotorBlockLayout& layout : sim::MotorBlockLayouts())
        for (int motor = 1; motor <= sim::kMaxMotors; ++motor)
            Require(memory.Record(layout.block, motor).size() == layout.fields.size(),
                    "a record of the wrong length");
}

}  // namespace
}  // namespace veltrano::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltrano;
    using namespace veltrano::fuzz;
    if (size < 2) return 0;
    static const std::vector<sim::IdentityRequest> requests = sim::AllValidRequests();
    const sim::IdentityRequest request = requests[data[0] % requests.size()];
    const std::size_t cut = 1 + data[1] % 16;
    const std::string_view input(reinterpret_cast<const char*>(data + 2), size - 2);

    // Any cut of the input gives the same commands.
    sim::CommandParser whole, pieces;
    std::vector<sim::ParsedCommand> fromPieces;
    for (std::size_t at = 0; at < input.size(); at += cut) {
        for (sim::ParsedCommand& c : pieces.Feed(input.substr(at, cut)))
            fromPieces.push_back(std::move(c));
    }
    Require(Describe(whole.Feed(input)) == Describe(fromPieces),
            "the commands depend on how the input was cut");

    sim::SimConfig config;
    config.identity.modelText = *sim::PresetModelText(request, nullptr);
    config.identity.features = sim::FeaturesOfModelText(config.identity.modelText);
    sim::SimController controller(config, sim::DemoMemory(config.identity.features));
    const sim::SimInstant now{std::chrono::milliseconds(1000), {}};
    for (std::size_t at = 0; at < input.size(); at += cut) {
        for (const std::string& piece : controller.Receive(input.substr(at, cut), now))
            for (char c : piece)
                Require(!sim::IsFlowControlByte(c), "the Controller sent a flow-control byte");
    }
    RequireMemoryInShape(controller.Memory(), config.identity.features);
    return 0;
}
