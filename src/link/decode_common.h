// What the block decoders share: their context, the common steps of a
// configuration block and the wire-number conversions.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "link/link_state.h"
#include "link/payload_numbers.h"
#include "link/read_all.h"
#include "link/receive_handler.h"
#include "link/window_hooks.h"
#include "model/configuration_model.h"

namespace veltrano::decode {

struct Context {
    ConfigurationModel& model;
    LinkState& state;
    const WindowHooks& hooks;
    ReadAllSequence& readAll;
};

void RegisterMotorBlocks(ReceiveHandler& handler, const Context& ctx);
void RegisterParameterBlocks(ReceiveHandler& handler, const Context& ctx);
void RegisterSwitchTimes(ReceiveHandler& handler, const Context& ctx);

// The payload's numbers; throws PayloadError when one is not an integer of the range.
PayloadNumbers SplitOrThrow(std::string_view payload, NumberRange range = NumberRange::Signed32);

// Panel 6 := caption.
void ShowCaption(const Context& ctx, const std::string& caption);
// Row 6 of both switching-time lists shows which block is being read.
void ShowReadingInLists(const Context& ctx, const std::string& caption);
// Panel 5 := the block's error text.
void ShowError(const Context& ctx, const std::string& text);

// A wire number minus its offset as a model code. Values outside a scale
// are kept; only what no 32-bit code can hold is limited.
std::int32_t Code(std::int64_t number, std::int64_t offset = 0);

}  // namespace veltrano::decode
