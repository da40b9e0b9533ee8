// The decoders of the configuration blocks the Controller sends in answer to
// a read request (and "srs", "sts", "ssp" at other times): each stores its
// record into the model, reports in the status panels and asks the mask
// that shows the record to refresh through the window hooks.
#pragma once

#include "link/link_state.h"
#include "link/read_all.h"
#include "link/receive_handler.h"
#include "link/window_hooks.h"
#include "model/configuration_model.h"

namespace veltrano {

// Registers a decoder for every configuration tag with the receive handler.
// All references must outlive the handler; the hooks are read when a frame
// arrives, so hooks connected later take part.
void RegisterBlockDecoders(ReceiveHandler& handler, ConfigurationModel& model, LinkState& state,
                           const WindowHooks& hooks, ReadAllSequence& readAll);

}  // namespace veltrano
