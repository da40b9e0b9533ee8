// Motor names the Controller can store and report back unchanged. It sends
// a name inside its "smn" frame as plain text, so a name holding a frame
// marker ("start_", "ende_") would cut that frame on every later read.
#pragma once

#include <string>
#include <string_view>

namespace veltrano {

// True when the name holds "start_" or "ende_".
bool ContainsFrameMarker(std::string_view name);

// The name as the Controller can keep it: every frame marker broken by a
// blank in place of its "_" ("Legende_1" -> "Legende 1"), control characters
// as blanks. A name without either comes back unchanged; the length in
// characters never changes.
std::string WireSafeMotorName(std::string_view utf8Name);

}  // namespace veltrano
