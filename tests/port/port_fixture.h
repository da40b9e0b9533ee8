// A port opened on a pseudo-terminal, with the test thread as UI thread and
// handlers that record what they were told.
#pragma once

#include <gtest/gtest.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "link/comm_port.h"
#include "pty_peer.h"
#include "temp_workdir.h"
#include "ui_loop.h"

namespace veltrano::testing {

// Open descriptors and running threads of this process.
inline std::size_t OpenDescriptorCount() {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/fd")) {
        ++n;
    }
    return n;
}

inline std::size_t ThreadCount() {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/task")) {
        ++n;
    }
    return n;
}

// CPU time this process has used so far, all threads together.
inline std::chrono::nanoseconds ProcessCpuTime() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

// Every byte value except the flow-control characters DC1 and DC3.
inline std::string AllBytesButXonXoff() {
    std::string bytes;
    for (int value = 0; value < 256; ++value) {
        if (value != 0x11 && value != 0x13) bytes.push_back(static_cast<char>(value));
    }
    return bytes;
}

// Numbered records ("0000000;0000001;..."), cut to length: every record is
// unique, so loss, duplication and reordering all show.
inline std::string Pattern(std::size_t length) {
    std::string text;
    text.reserve(length + 8);
    for (std::size_t record = 0; text.size() < length; ++record) {
        std::string number = std::to_string(record);
        text.append(7 - std::min<std::size_t>(7, number.size()), '0');
        text.append(number);
        text.push_back(';');
    }
    text.resize(length);
    return text;
}

class PortTest : public ::testing::Test {
  protected:
    PortTest() {
        port.SetDeviceResolver([path = peer.slavePath()](int) { return path; });
        port.OnRxChar = [this](int count) {
            counts.push_back(count);
            received += port.ReadText();
        };
        port.OnError = [this](unsigned bits) { errors.push_back(bits); };
        port.OnOutputDrained = [this] { ++drained; };
        port.OnHandlerException = [this](const std::string& text) { exceptions.push_back(text); };
    }

    bool RunUntil(const std::function<bool()>& done,
                  std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
        return ui.runUntil(done, timeout);
    }
    bool ReceivedAtLeast(std::size_t n) {
        return RunUntil([&] { return received.size() >= n; });
    }

    TempWorkDir workDir;
    UiLoop ui;
    PtyPeer peer;
    TCommPort port{ui.dispatcher()};

    std::string received;
    std::vector<int> counts;
    std::vector<unsigned> errors;
    int drained = 0;
    std::vector<std::string> exceptions;
};

}  // namespace veltrano::testing
