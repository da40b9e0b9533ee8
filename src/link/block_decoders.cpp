#include "link/block_decoders.h"

#include "link/decode_common.h"
#include "link/motor_wire.h"
#include "link/payload_error.h"

namespace veltrano {

void RegisterBlockDecoders(ReceiveHandler& handler, ConfigurationModel& model, LinkState& state,
                           const WindowHooks& hooks, ReadAllSequence& readAll) {
    const decode::Context ctx{model, state, hooks, readAll};
    decode::RegisterMotorBlocks(handler, ctx);
    decode::RegisterParameterBlocks(handler, ctx);
    decode::RegisterSwitchTimes(handler, ctx);
}

namespace decode {

PayloadNumbers SplitOrThrow(std::string_view payload, NumberRange range) {
    auto numbers = SplitPayloadNumbers(payload, range);
    if (!numbers) throw PayloadError("not an integer: " + std::string(payload));
    return *numbers;
}

void ShowCaption(const Context& ctx, const std::string& caption) {
    ctx.hooks.Panel(6, caption);
}

void ShowReadingInLists(const Context& ctx, const std::string& caption) {
    WindowHooks::Call(ctx.hooks.SetSwitchTimeListsRow6,
                      "    Lese Daten von Steuerung ... " + caption);
}

void ShowError(const Context& ctx, const std::string& text) {
    ctx.hooks.Panel(5, text);
}

std::int32_t Code(std::int64_t number, std::int64_t offset) {
    return CodeFromWire(WireOffset(offset), number, false);
}

}  // namespace decode
}  // namespace veltrano
