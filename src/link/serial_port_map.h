// Which device stands behind port number n.
#pragma once

#include <functional>
#include <string>

namespace veltrano::comm {

// Whether a directory entry exists (a dangling link counts: opening it then
// says the device is missing instead of silently taking another one).
using EntryExists = std::function<bool(const std::string& path)>;

// workDir/COMn if that entry exists, else /dev/ttyUSB{n-1} if it exists,
// else /dev/ttyS{n-1}.
std::string DeviceForPort(int portNum, const std::string& workDir, const EntryExists& exists);

}  // namespace veltrano::comm
