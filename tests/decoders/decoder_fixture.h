// A receive handler with every block decoder registered, and a window that
// records what the decoders asked of it.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "link/block_decoders.h"
#include "link/read_all.h"
#include "link/receive_handler.h"
#include "link/window_hooks.h"
#include "model/configuration_model.h"

namespace veltrano::testing {

struct RecordingWindow {
    std::array<std::string, 14> panels{};
    std::vector<std::string> row6;     // SetSwitchTimeListsRow6
    std::map<std::string, int> calls;  // argument-less refresh hooks by name
    std::vector<std::vector<std::string>> morningRows;
    std::vector<std::pair<int, std::string>> nameItems;
    std::vector<int> alarmBanks;
    std::vector<std::pair<ParameterControl, int>> parameterItems;
    std::vector<bool> softGzs;
    WindowHooks hooks;

    RecordingWindow() {
        panels[0] = "Keine Verbindung";
        hooks.SetPanelText = [this](int n, const std::string& t) { panels.at(n) = t; };
        hooks.PanelText = [this](int n) { return panels.at(n); };
        hooks.SetSwitchTimeListsRow6 = [this](const std::string& t) { row6.push_back(t); };
        Count(hooks.FormatShadingList, "FormatShadingList");
        Count(hooks.FormatTwilightEveningList, "FormatTwilightEveningList");
        Count(hooks.FormatWindList, "FormatWindList");
        Count(hooks.FormatRainList, "FormatRainList");
        Count(hooks.FormatHumidityList, "FormatHumidityList");
        Count(hooks.FormatProportionalTempList, "FormatProportionalTempList");
        Count(hooks.FormatInsideTempList, "FormatInsideTempList");
        Count(hooks.FormatOutsideTempList, "FormatOutsideTempList");
        Count(hooks.FormatHeatingList, "FormatHeatingList");
        Count(hooks.FormatReverseList, "FormatReverseList");
        Count(hooks.FormatTouchList, "FormatTouchList");
        Count(hooks.ShowReportedBank, "ShowReportedBank");
        Count(hooks.LoadGroupCheckBoxes, "LoadGroupCheckBoxes");
        Count(hooks.RedrawHolidayFields, "RedrawHolidayFields");
        Count(hooks.ParameterExit, "ParameterExit");
        hooks.SetTwilightMorningRows = [this](const std::vector<std::string>& rows) {
            morningRows.push_back(rows);
        };
        hooks.SetMotorNameItem = [this](int m, const std::string& name) {
            nameItems.emplace_back(m, name);
        };
        hooks.ShowAlarmBank = [this](int bank) { alarmBanks.push_back(bank); };
        hooks.SelectParameterItem = [this](ParameterControl c, int code) {
            parameterItems.emplace_back(c, code);
        };
        hooks.SetSoftGzsChecked = [this](bool on) { softGzs.push_back(on); };
    }

    int Calls(const std::string& name) const {
        const auto it = calls.find(name);
        return it == calls.end() ? 0 : it->second;
    }

  private:
    void Count(std::function<void()>& hook, const std::string& name) {
        hook = [this, name] { ++calls[name]; };
    }
};

// "n0,n1,...," with the plain sum appended (plus `checksumError`).
inline std::string WithChecksum(std::initializer_list<std::int64_t> numbers,
                                std::int64_t checksumError = 0) {
    std::string payload;
    std::int64_t sum = 0;
    for (std::int64_t n : numbers) {
        payload += std::to_string(n) + ",";
        sum += n;
    }
    return payload + std::to_string(sum + checksumError) + ",";
}

inline std::string Frame(const std::string& tag, const std::string& payload) {
    return "start_" + tag + payload + "ende_";
}

class DecoderTest : public ::testing::Test {
  protected:
    DecoderTest() { RegisterBlockDecoders(handler, model, state, window.hooks, readAll); }

    void Receive(const std::string& tag, const std::string& payload) {
        handler.OnReceive(Frame(tag, payload));
    }

    LinkState state;
    ConfigurationModel model;
    RecordingWindow window;
    ReadAllSequence readAll{state, model};
    ReceiveHandler handler{state, window.hooks};
};

}  // namespace veltrano::testing
