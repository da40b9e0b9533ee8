// Queries of the serial driver that the port's threads make.
#pragma once

#include <cstddef>
#include <optional>

#include "link/comm_port.h"

namespace veltrano::comm {

// TIOCGICOUNT; std::nullopt where the driver keeps no counters (a
// pseudo-terminal, most USB adapters without the ioctl).
std::optional<LineErrorCounters> ReadDriverCounters(int fd);
// TIOCOUTQ: bytes the driver has not yet sent; 0 when the query fails.
int DriverOutputQueue(int fd);
// FIONREAD: bytes waiting in the driver's input queue; 0 when the query fails.
std::size_t DriverInputQueue(int fd);

// CommErrorBits for every counter that changed between two readings.
unsigned LineErrorBits(const LineErrorCounters& before, const LineErrorCounters& now);

}  // namespace veltrano::comm
