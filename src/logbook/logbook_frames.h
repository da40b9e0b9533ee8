// The logbook's frames in the receive handler: "sla", "sld", "slf", and
// "smn" while a logbook transfer runs.
#pragma once

#include "link/receive_handler.h"
#include "logbook/logbook_transfer.h"

namespace veltrano {

// Registers the logbook's decoders. The "smn" decoder registered before
// (the motor names of a read-all) gets every name frame that arrives
// outside a logbook transfer. The transfer must outlive the handler.
void RegisterLogbookDecoders(ReceiveHandler& handler, LogbookTransfer& transfer);

}  // namespace veltrano
