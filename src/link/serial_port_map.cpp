#include "link/serial_port_map.h"

#include <filesystem>
#include <system_error>

#include "link/comm_port.h"

namespace veltrano {

namespace comm {

std::string DeviceForPort(int portNum, const std::string& workDir, const EntryExists& exists) {
    const std::string local =
        (std::filesystem::path(workDir) / ("COM" + std::to_string(portNum))).string();
    if (exists(local)) return local;
    const std::string usb = "/dev/ttyUSB" + std::to_string(portNum - 1);
    if (exists(usb)) return usb;
    return "/dev/ttyS" + std::to_string(portNum - 1);
}

}  // namespace comm

std::string DefaultDeviceForPort(int portNum) {
    std::error_code ec;
    const auto workDir = std::filesystem::current_path(ec);
    return comm::DeviceForPort(
        portNum, ec ? std::string(".") : workDir.string(), [](const std::string& path) {
            std::error_code statError;
            return std::filesystem::exists(std::filesystem::symlink_status(path, statError));
        });
}

}  // namespace veltrano
