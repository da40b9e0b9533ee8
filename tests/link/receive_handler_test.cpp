#include "link/receive_handler.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "link/payload_error.h"
#include "link/payload_numbers.h"
#include "link/status_frames.h"

namespace veltrano {
namespace {

struct FakeWindow {
    std::array<std::string, 14> panels{};
    std::vector<SensorTexts> sensors;
    std::vector<int> progress;
    WindowHooks hooks;
    FakeWindow() {
        panels[0] = "Keine Verbindung";
        hooks.SetPanelText = [this](int n, const std::string& t) { panels.at(n) = t; };
        hooks.PanelText = [this](int n) { return panels.at(n); };
        hooks.ShowSensorTexts = [this](const SensorTexts& t) { sensors.push_back(t); };
        hooks.SetProgressPosition = [this](int p) { progress.push_back(p); };
    }
};

class ReceiveHandlerTest : public ::testing::Test {
  protected:
    LinkState state;
    FakeWindow window;
    ReceiveHandler handler{state, window.hooks};
};

TEST_F(ReceiveHandlerTest, StatusFramesFillThePanels) {
    handler.OnReceive("start_smoQX-7000-W-7-9 TGende_start_sfi7.014ende_");
    EXPECT_EQ(window.panels[0], "QX-7000-W-7-9 TG");
    EXPECT_EQ(window.panels[1], "V7.014");
    EXPECT_EQ(state.FirmwareVersion, 7014);
    handler.OnReceive("start_sdt01.01.00ende_");
    EXPECT_EQ(window.panels[2], "01.01.00");
    EXPECT_EQ(window.panels[13], "sdt  01.01.00");
    handler.OnReceive("start_sti12:34:56ende_");
    EXPECT_EQ(window.panels[3], "12:34:56");
}

TEST_F(ReceiveHandlerTest, CountersAndTailRunForEveryEvent) {
    state.TxCount = 48;
    handler.OnReceive("abc");
    EXPECT_EQ(state.RxCount, 3);
    EXPECT_EQ(window.panels[11], "R 3");
    EXPECT_EQ(window.panels[12], "T 48");
    EXPECT_TRUE(window.progress.empty());
    state.ReadAllInProgress = true;
    handler.OnReceive("start_sspende_");
    EXPECT_EQ(state.RxCount, 17);
    ASSERT_EQ(window.progress.size(), 1u);
    EXPECT_EQ(window.progress[0], 17);
}

TEST_F(ReceiveHandlerTest, StrayEndMarkerShowsDelAndThePreviousPayload) {
    handler.OnReceive("start_sdt02.03.26ende_");
    handler.OnReceive("xyende_");
    EXPECT_EQ(window.panels[13], " del 02.03.26");
}

TEST_F(ReceiveHandlerTest, NonIntegerNumberDropsOnlyThatFrame) {
    std::vector<std::string> seen;
    handler.RegisterDecoder("sbp", [&](const std::string& p) {
        if (!SplitPayloadNumbers(p)) throw PayloadError("sbp");
        seen.push_back(p);
    });
    handler.OnReceive("start_sbp1,x,ende_start_sbp2,0,ende_start_sfi7.514ende_");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], "2,0,");
    EXPECT_EQ(window.panels[5], "Datenfehler sbp");
    EXPECT_EQ(state.FirmwareVersion, 7514);
    EXPECT_EQ(window.panels[11], "R " + std::to_string(state.RxCount));
    EXPECT_GT(state.RxCount, 0);
}

TEST_F(ReceiveHandlerTest, BadFirmwareTextKeepsTheOldVersion) {
    handler.OnReceive("start_sfi7.514ende_");
    handler.OnReceive("start_sfi7.x14ende_");
    EXPECT_EQ(state.FirmwareVersion, 7514);
    EXPECT_EQ(window.panels[1], "V7.514");
    EXPECT_EQ(window.panels[5], "Datenfehler sfi");
}

TEST_F(ReceiveHandlerTest, AcknowledgementRunsAfterTheCounters) {
    int rxAtAck = -1;
    handler.RegisterDecoder("stc", [&](const std::string& p) {
        EXPECT_EQ(p, "0,");
        rxAtAck = state.RxCount;
    });
    handler.OnReceive("start_stc0,ende_");
    EXPECT_EQ(rxAtAck, 16);
}

TEST_F(ReceiveHandlerTest, UnknownTagIsShownAndIgnored) {
    handler.OnReceive("start_xyz123ende_");
    EXPECT_EQ(window.panels[13], "xyz  123");
    EXPECT_EQ(window.panels[0], "Keine Verbindung");
}

TEST_F(ReceiveHandlerTest, TagsCompareExactly) {
    handler.OnReceive("start_SMOabcende_");
    EXPECT_EQ(window.panels[0], "Keine Verbindung");
}

TEST_F(ReceiveHandlerTest, TextPayloadsArriveAsWindows1252) {
    handler.OnReceive(std::string("start_smoK\xFC") + "che 7ende_");
    EXPECT_EQ(window.panels[0], "Küche 7");
}

TEST_F(ReceiveHandlerTest, SensorReportForAConservatory) {
    state.Identity.ConservatoryFamily = true;
    state.ShowAverageBrightness = true;
    handler.OnReceive("start_skd140,21,5,18,24,-3,2,-7,4,12,30,0,1,11,136,55,ende_");
    EXPECT_EQ(window.panels[7], "Sonne: 140 k");  // 1-based: code 140 is item 139
    EXPECT_EQ(window.panels[8], "Wind: 11");
    EXPECT_EQ(window.panels[10], "IT: 21,5°");
    EXPECT_EQ(window.panels[9], "AT: -3,2°");
    ASSERT_EQ(window.sensors.size(), 1u);
    const SensorTexts& t = window.sensors[0];
    EXPECT_EQ(t.Brightness, "100 k");  // the average, code 136
    EXPECT_TRUE(t.BrightnessAverage);
    EXPECT_EQ(t.InsideMin, "18°");
    EXPECT_EQ(t.InsideMax, "24°");
    EXPECT_EQ(t.OutsideMin, "-7°");
    EXPECT_EQ(t.WindNow, "12 km/h");
    EXPECT_TRUE(t.WindBarVisible);
    EXPECT_EQ(t.WindBarPosition, 12);
    EXPECT_EQ(t.WindMax, "30 km/h");
    EXPECT_EQ(t.Alarm, "   Kein Alarm");
    EXPECT_EQ(t.Rain, " Es regnet");
    EXPECT_EQ(t.Humidity, "55 %");
}

TEST_F(ReceiveHandlerTest, SensorReportOfARollerShutterLeavesPanelsSevenAndEight) {
    handler.OnReceive("start_skd140,999,0,0,0,999,0,0,0,0,0,1,0,11,136,0,ende_");
    EXPECT_EQ(window.panels[7], "");
    EXPECT_EQ(window.panels[8], "");
    EXPECT_EQ(window.panels[9], "");
    EXPECT_EQ(window.panels[10], "");
    const SensorTexts& t = window.sensors.at(0);
    EXPECT_EQ(t.InsideNow, "    -");
    EXPECT_EQ(t.InsideMin, "  -");
    EXPECT_EQ(t.InsideMax, "  -");
    EXPECT_EQ(t.OutsideNow, "    -");
    EXPECT_EQ(t.OutsideMax, "  -");
    EXPECT_FALSE(t.WindBarVisible);
    EXPECT_EQ(t.Humidity, " - ");
    EXPECT_EQ(t.Alarm, "Alarm ausgelöst");
    EXPECT_EQ(t.Rain, " Kein Regen");
}

TEST_F(ReceiveHandlerTest, CurrentBrightnessWhenNotAveragedAndOutOfScaleCodesAreEmpty) {
    state.ShowAverageBrightness = false;
    state.Identity.SunProtectionFamily = true;
    handler.OnReceive("start_skd37,20,0,0,0,20,0,0,0,0,0,0,0,0,0,0,ende_");
    EXPECT_EQ(window.sensors.at(0).Brightness, "1 k");
    EXPECT_FALSE(window.sensors.at(0).BrightnessAverage);
    handler.OnReceive("start_skd0,20,0,0,0,20,0,0,0,0,0,0,0,0,226,0,ende_");
    EXPECT_EQ(window.panels[7], "Sonne: ");
    EXPECT_EQ(window.sensors.at(1).Brightness, "");
    handler.OnReceive("start_skd1,20,0,0,0,20,0,0,0,0,0,0,0,0,0,0,ende_");
    EXPECT_EQ(window.sensors.at(2).Brightness, "0,1 ");
}

TEST_F(ReceiveHandlerTest, MissingHooksAreNotCalled) {
    WindowHooks none;
    LinkState s;
    ReceiveHandler bare(s, none);
    bare.OnReceive("start_skd1,2,3,ende_start_smoXende_");
    EXPECT_EQ(s.RxCount, 35);
}

}  // namespace
}  // namespace veltrano
