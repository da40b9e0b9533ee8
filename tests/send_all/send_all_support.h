// A send-all step machine with recording hooks and write function, driven
// by acknowledgements the way the receive handler hands them over.
#pragma once

#include <array>
#include <chrono>
#include <map>
#include <string>
#include <vector>

#include "link/send_all_sequence.h"

namespace veltrano::testing {

using Writes = std::vector<std::string>;

class SendAllRig {
  public:
    SendAllRig() {
        hooks.SetPanelText = [this](int n, const std::string& t) { panels.at(n) = t; };
        hooks.PanelText = [this](int n) { return panels.at(n); };
        hooks.SetProgressPosition = [this](int p) { positions.push_back(p); };
        hooks.SetMotorListRow6 = [this](const std::string& t) { row6.push_back(t); };
        hooks.BlankMotorListForSend = [this](const std::string& t) {
            calls.push_back("BlankMotorListForSend");
            row6.push_back(t);
        };
        hooks.RebuildSwitchTimeLists = [this] { calls.push_back("RebuildSwitchTimeLists"); };
        hooks.StoreGroupCheckBoxes = [this] { calls.push_back("StoreGroupCheckBoxes"); };
        hooks.SetMemoryWarningVisible = [this](bool v) {
            calls.push_back(v ? "MemoryWarning shown" : "MemoryWarning hidden");
        };
        sequence.OnFinished = [this](const SendAllResult& result) {
            ends.push_back(result.end);
            results.push_back(result);
            calls.push_back("OnFinished");
        };
        sequence.SetClock([this] { return now; });
    }
    SendAllRig(const SendAllRig&) = delete;
    SendAllRig& operator=(const SendAllRig&) = delete;

    void Target(ControllerIdentity identity, int firmware) {
        state.Identity = identity;
        state.FirmwareVersion = firmware;
    }

    Writes Start() {
        writes.clear();
        sequence.Start();
        return writes;
    }

    Writes Ack(std::string_view payload = "0,") {
        writes.clear();
        sequence.Acknowledge(payload);
        return writes;
    }

    // "rfs:3" for three " rfs" records: the command words of the writes with
    // how often each came, in order of appearance.
    static std::string Summary(const Writes& w) {
        std::vector<std::pair<std::string, int>> words;
        for (const std::string& s : w) {
            if (s.empty() || s.back() == '\r') continue;  // numbers and names
            std::string word = s.substr(1);
            while (!word.empty() && word.back() == ' ')
                word.pop_back();
            if (!words.empty() && words.back().first == word) {
                ++words.back().second;
            } else {
                words.emplace_back(word, 1);
            }
        }
        std::string out;
        for (const auto& [word, count] : words) {
            if (!out.empty()) out += ' ';
            out += word + ":" + std::to_string(count);
        }
        return out;
    }

    // Acknowledges until the transfer ends; one summary per acknowledgement
    // (the last, the completion, writes nothing). Stops after 100.
    std::vector<std::string> RunToEnd() {
        std::vector<std::string> steps;
        for (int i = 0; i < 100 && sequence.Running(); ++i)
            steps.push_back(Summary(Ack()));
        return steps;
    }

    ConfigurationModel model;
    LinkState state;
    WindowHooks hooks;
    Writes writes;
    std::array<std::string, 14> panels{};
    std::vector<int> positions;
    std::vector<std::string> row6;
    std::vector<std::string> calls;
    std::vector<SendAllEnd> ends;
    std::vector<SendAllResult> results;
    std::chrono::steady_clock::time_point now{};
    SendAllSequence sequence{model, state, hooks,
                             [this](std::string_view b) { writes.emplace_back(b); }};
};

inline ControllerIdentity RollerShutter() {
    ControllerIdentity id;
    return id;
}

inline ControllerIdentity SunProtection(bool groups, bool touch) {
    ControllerIdentity id;
    id.SunProtectionFamily = true;
    id.GroupCentralAvailable = groups;
    id.TouchAutomationAvailable = touch;
    return id;
}

inline ControllerIdentity Conservatory() {
    ControllerIdentity id;
    id.ConservatoryFamily = true;
    id.GroupCentralAvailable = true;
    id.TouchAutomationAvailable = true;
    return id;
}

}  // namespace veltrano::testing
