// The simulated Controller's answers, byte by byte, with hand-computed
// checksums.
#include <gtest/gtest.h>

#include "sim_controller.h"
#include "sim_test_support.h"

namespace veltrano::sim {
namespace {

using testing::At;
using testing::ConfigOf;

SimController FactoryController(const IdentityRequest& request = {}) {
    SimConfig config = ConfigOf(request);
    return SimController(config, FactoryMemory(config.identity.features.radio));
}

int CountOf(const std::string& text, const std::string& what) {
    int count = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

TEST(StatusAnswers, ModelFirmwareDateTime) {
    SimController sim = FactoryController();
    EXPECT_EQ(sim.ReceiveText("smo\r", At()), "start_smoQVS-900 W K:9W--ende_");
    EXPECT_EQ(sim.ReceiveText("sfi\r", At()), "start_sfi7.514ende_");
    EXPECT_EQ(sim.ReceiveText("sdt\r", At()), "start_sdt05.03.26ende_");
    EXPECT_EQ(sim.ReceiveText("sti\r", At()), "start_sti07:08:09ende_");
}

TEST(StatusAnswers, PollCycleInOneBurstAnswersInOrder) {
    SimController sim = FactoryController();
    const std::string out = sim.ReceiveText("sfi\rsdt\rsti\rskd\rsmo\r", At());
    const auto sfi = out.find("start_sfi"), sdt = out.find("start_sdt"),
               sti = out.find("start_sti"), skd = out.find("start_skd"),
               smo = out.find("start_smo");
    ASSERT_NE(smo, std::string::npos);
    EXPECT_LT(sfi, sdt);
    EXPECT_LT(sdt, sti);
    EXPECT_LT(sti, skd);
    EXPECT_LT(skd, smo);
}

TEST(StatusAnswers, UnsetDateAndClockFromPowerUp) {
    SimConfig config = ConfigOf();
    config.dateUnset = true;
    SimController sim(config, FactoryMemory(false));
    EXPECT_EQ(sim.ReceiveText("sdt\r", At()), "start_sdt01.01.00ende_");
    EXPECT_EQ(sim.ReceiveText("sti\r", At((3600 + 120 + 3) * 1000LL)), "start_sti01:02:03ende_");
}

TEST(StatusAnswers, FirmwareTextAsConfigured) {
    SimConfig config = ConfigOf();
    config.identity.firmware = "7.014";
    SimController sim(config, FactoryMemory(false));
    EXPECT_EQ(sim.ReceiveText("sfi\r", At()), "start_sfi7.014ende_");
}

TEST(SensorAnswer, SixteenCommaTerminatedNumbersWithinTheirRanges) {
    SimController sim = FactoryController();
    for (long long t = 0; t < 3600 * 1000LL; t += 37 * 1000) {
        const std::string out = sim.ReceiveText("skd\r", At(t));
        ASSERT_EQ(out.rfind("start_skd", 0), 0u);
        ASSERT_EQ(out.substr(out.size() - 6), ",ende_");
        const std::string payload = out.substr(9, out.size() - 14);
        ASSERT_EQ(CountOf(payload, ","), 16) << payload;
        std::vector<long long> v;
        std::size_t at = 0;
        for (int i = 0; i < 16; ++i) {
            const auto comma = payload.find(',', at);
            v.push_back(std::stoll(payload.substr(at, comma - at)));
            at = comma + 1;
        }
        EXPECT_GE(v[kSkdBrightness], 1);
        EXPECT_LE(v[kSkdBrightness], 225);
        EXPECT_GE(v[kSkdAverageBrightness], 1);
        EXPECT_LE(v[kSkdAverageBrightness], 225);
        EXPECT_GE(v[kSkdInsideTenths], 0);
        EXPECT_LE(v[kSkdInsideTenths], 9);
        EXPECT_LE(v[kSkdInsideMin], v[kSkdInsideWhole]);
        EXPECT_GE(v[kSkdInsideMax], v[kSkdInsideWhole]);
        EXPECT_LE(v[kSkdOutsideMin], v[kSkdOutsideWhole]);
        EXPECT_GE(v[kSkdOutsideMax], v[kSkdOutsideWhole]);
        EXPECT_GE(v[kSkdWindMax], v[kSkdWind]);
        EXPECT_EQ(v[kSkdWindStatus], v[kSkdWind]);
        EXPECT_TRUE(v[kSkdAlarm] == 0 || v[kSkdAlarm] == 1);
        EXPECT_TRUE(v[kSkdRain] == 0 || v[kSkdRain] == 1);
        EXPECT_GE(v[kSkdHumidity], 1);  // a conservatory Controller has the sensor
        EXPECT_LE(v[kSkdHumidity], 99);
    }
}

TEST(SensorAnswer, ValuesDrift) {
    SensorModel sensors({});
    const auto first = sensors.Sample(std::chrono::milliseconds(0));
    const auto later = sensors.Sample(std::chrono::minutes(7));
    EXPECT_NE(first, later);
}

TEST(SensorAnswer, MaximumWindIsResetBySwl) {
    SensorModel sensors({});
    std::int64_t highest = 0;
    for (int s = 0; s < 60; ++s)
        highest = std::max(highest, sensors.Sample(std::chrono::seconds(s))[kSkdWind]);
    const auto before = sensors.Sample(std::chrono::seconds(60));
    EXPECT_EQ(before[kSkdWindMax], highest);
    ASSERT_LT(before[kSkdWind], highest) << "choose a moment below the maximum";
    sensors.ResetMaximumWind(std::chrono::seconds(60));
    EXPECT_EQ(sensors.Sample(std::chrono::seconds(60))[kSkdWindMax], before[kSkdWind]);
}

TEST(SensorAnswer, SwlThroughTheControllerAnswersNothing) {
    SimController sim = FactoryController();
    EXPECT_EQ(sim.ReceiveText("swl", At()), "");
}

TEST(SensorAnswer, NoInsideSensorReports999) {
    SimConfig config = ConfigOf();
    config.insideSensor = false;
    SimController sim(config, FactoryMemory(false));
    const std::string out = sim.ReceiveText("skd\r", At());
    const auto first = out.find(',');
    EXPECT_EQ(out.substr(first + 1, 4), "999,");
}

TEST(SensorAnswer, OnlyTheConservatoryHasAHumiditySensor) {
    SimController sim = FactoryController({Family::Roller});
    const std::string out = sim.ReceiveText("skd\r", At());
    EXPECT_EQ(out.substr(out.size() - 8), ",0,ende_");
}

struct BlockCase {
    const char* request;
    const char* firstFrame;
    const char* lastFrame;
};

class MotorBlockAnswer : public ::testing::TestWithParam<BlockCase> {};

TEST_P(MotorBlockAnswer, OneFramePerMotorWithPlainChecksum) {
    SimController sim = FactoryController();
    const std::string out = sim.ReceiveText(GetParam().request, At());
    EXPECT_EQ(CountOf(out, "start_"), 32);
    EXPECT_EQ(CountOf(out, "ende_"), 32);
    EXPECT_EQ(out.rfind(GetParam().firstFrame, 0), 0u) << out.substr(0, 60);
    const std::string last = GetParam().lastFrame;
    EXPECT_EQ(out.substr(out.size() - last.size()), last);
}

// Factory memory: the program's start-up defaults in wire numbers.
INSTANTIATE_TEST_SUITE_P(
    EveryBlock, MotorBlockAnswer,
    ::testing::Values(
        BlockCase{"sbp", "start_sbp1,0,122,10,20,186,10,349,ende_",
                  "start_sbp32,0,122,10,20,186,10,380,ende_"},
        BlockCase{"sdm", "start_sdm1,0,8,29,40,78,ende_", "start_sdm32,0,8,29,40,109,ende_"},
        BlockCase{"sda", "start_sda1,0,19,29,40,89,ende_", "start_sda32,0,19,29,40,120,ende_"},
        BlockCase{"swp", "start_swp1,0,30,31,ende_", "start_swp32,0,30,62,ende_"},
        BlockCase{"srp", "start_srp1,0,1,2,ende_", "start_srp32,0,1,33,ende_"},
        BlockCase{"sjp", "start_sjp1,0,4,6,11,ende_", "start_sjp32,0,4,6,42,ende_"},
        BlockCase{"spp", "start_spp1,0,10,22,123,1,3,40,6,206,ende_",
                  "start_spp32,0,10,22,123,1,3,40,6,237,ende_"},
        BlockCase{"sip", "start_sip1,0,1,122,1,120,40,8,21,314,ende_",
                  "start_sip32,0,1,122,1,120,40,8,21,345,ende_"},
        BlockCase{"shp", "start_shp1,0,1,1,170,140,313,ende_",
                  "start_shp32,0,1,1,170,140,344,ende_"},
        BlockCase{"sfp", "start_sfp1,0,1,76,66,40,8,21,213,ende_",
                  "start_sfp32,0,1,76,66,40,8,21,244,ende_"},
        BlockCase{"sap", "start_sap1,0,102,0,105,40,248,ende_",
                  "start_sap32,0,102,0,105,40,279,ende_"},
        BlockCase{"sta", "start_sta1,0,22,23,ende_", "start_sta32,0,22,54,ende_"}));

TEST(MotorBlockAnswerSize, EightMotorControllerReportsMotorsOneToEight) {
    SimController sim = FactoryController({Family::SunProtection, 8, 4});
    const std::string out = sim.ReceiveText("sbp", At());
    EXPECT_EQ(CountOf(out, "start_sbp"), 8);
    EXPECT_NE(out.find("start_sbp8,"), std::string::npos);
    EXPECT_EQ(out.find("start_sbp9,"), std::string::npos);
}

TEST(MotorBlockAnswerSize, RadioTouchRunTimeCarriesItsOffset) {
    SimController sim = FactoryController({Family::Roller, 32, 8, true, false, true});
    EXPECT_EQ(sim.ReceiveText("sta", At()).substr(0, 24), "start_sta1,0,70,71,ende_");
}

TEST(NameAnswer, TwoDigitNumberCommaAndTwelveWindows1252Bytes) {
    SimConfig config = ConfigOf();
    SimMemory memory = FactoryMemory(false);
    memory.names[6] = PadName("B\xFCro");
    SimController sim(config, memory);
    const std::string out = sim.ReceiveText("smn", At());
    EXPECT_EQ(CountOf(out, "start_smn"), 32);
    EXPECT_EQ(out.rfind("start_smn01,Motor 1     ende_", 0), 0u);
    EXPECT_NE(out.find("start_smn07,B\xFCro        ende_"), std::string::npos);
    EXPECT_NE(out.find("start_smn32,Motor 32    ende_"), std::string::npos);
}

TEST(NameAnswer, FlowControlBytesNeverLeaveTheController) {
    SimMemory memory = FactoryMemory(false);
    memory.names[0] = PadName(
        "A\x11"
        "B\x13"
        "C");
    SimController sim(ConfigOf(), memory);
    const std::string out = sim.ReceiveText("smn", At());
    EXPECT_EQ(out.find('\x11'), std::string::npos);
    EXPECT_EQ(out.find('\x13'), std::string::npos);
    EXPECT_EQ(out.rfind("start_smn01,A?B?C       ende_", 0), 0u);
}

TEST(HolidayAnswer, FifteenFramesTheLastNumberedFifteen) {
    SimMemory memory = FactoryMemory(false);
    memory.holidays[14] = {31, 12};
    memory.holidays[0] = {24, 12};
    SimController sim(ConfigOf(), memory);
    const std::string out = sim.ReceiveText("sft", At());
    EXPECT_EQ(CountOf(out, "start_sft"), 15);
    EXPECT_EQ(out.rfind("start_sft1,24,12,37,ende_start_sft2,1,1,4,ende_", 0), 0u);
    EXPECT_EQ(out.substr(out.size() - 26), "start_sft15,31,12,58,ende_");
}

TEST(SwitchTimeAnswer, OpenedByDayZeroClosedBy255MotorZeroBasedPlainChecksum) {
    SimMemory memory = FactoryMemory(false);
    memory.StoreSwitchTime({7, 32, 8, 0, 23, 59, 126, 1, 2});
    memory.StoreSwitchTime({1, 1, 1, 1, 6, 30, 39, 5, 0});
    SimController sim(ConfigOf(), memory);
    // 7 + 31 + 8 + 0 + 23 + 59 + 126 + 1 + 2 = 257: not reduced below 256.
    EXPECT_EQ(sim.ReceiveText("sfs", At()),
              "start_sfs0,0,0,0,0,0,0,0,0,0,ende_"
              "start_sfs1,0,1,1,6,30,39,5,0,83,ende_"
              "start_sfs7,31,8,0,23,59,126,1,2,257,ende_"
              "start_sfs255,0,0,0,0,0,0,0,0,255,ende_");
}

TEST(SwitchTimeAnswer, GroupEntriesAreSentOnce) {
    SimMemory memory = FactoryMemory(false);
    memory.StoreSwitchTime({1, 2, 1, 1, 7, 0, 45, 7, 0});
    memory.StoreSwitchTime({6, 2, 2, 0, 22, 0, 39, 2, 1});
    SimController sim(ConfigOf(), memory);
    const std::string out = sim.ReceiveText("sfs", At());
    EXPECT_EQ(CountOf(out, "start_sfs"), 4);
    EXPECT_EQ(CountOf(out, "start_sfs1,1,1,1,7,0,45,7,0,63,ende_"), 1);
    EXPECT_EQ(CountOf(out, "start_sfs6,1,2,0,22,0,39,2,1,73,ende_"), 1);
}

TEST(SwitchTimeAnswer, EmptyMemoryStillOpensAndCloses) {
    SimController sim(ConfigOf(), FactoryMemory(false));
    EXPECT_EQ(sim.ReceiveText("sfs", At()),
              "start_sfs0,0,0,0,0,0,0,0,0,0,ende_start_sfs255,0,0,0,0,0,0,0,0,255,ende_");
}

TEST(MaskAnswers, UnsignedByDefault) {
    SimMemory memory = FactoryMemory(false);
    memory.alarmUpMask = 0x80000001u;
    memory.alarmDownMask = 6;
    memory.groupMasks = {0xFFFFFFFFu, 0, 0x80000000u, 15};
    SimController sim(ConfigOf(), memory);
    EXPECT_EQ(sim.ReceiveText("sas", At()), "start_sas2147483649,6,ende_");
    EXPECT_EQ(sim.ReceiveText("sgz", At()), "start_sgz4294967295,0,2147483648,15,ende_");
}

TEST(MaskAnswers, SignedOnRequest) {
    SimConfig config = ConfigOf();
    config.signedMasks = true;
    SimMemory memory = FactoryMemory(false);
    memory.alarmUpMask = 0x80000001u;
    memory.alarmDownMask = 6;
    memory.groupMasks = {0xFFFFFFFFu, 0, 0x80000000u, 15};
    SimController sim(config, memory);
    EXPECT_EQ(sim.ReceiveText("sas", At()), "start_sas-2147483647,6,ende_");
    EXPECT_EQ(sim.ReceiveText("sgz", At()), "start_sgz-1,0,-2147483648,15,ende_");
}

TEST(SingleParameterAnswers, OneNumberEachWithItsComma) {
    SimMemory memory = FactoryMemory(false);
    memory.shadingHysteresis = 138;
    SimController sim(ConfigOf(), memory);
    EXPECT_EQ(sim.ReceiveText("szz", At()), "start_szz30,ende_");
    EXPECT_EQ(sim.ReceiveText("sbh", At()), "start_sbh138,ende_");
    EXPECT_EQ(sim.ReceiveText("soa", At()), "start_soa100,ende_");
    EXPECT_EQ(sim.ReceiveText("soi", At()), "start_soi100,ende_");
    EXPECT_EQ(sim.ReceiveText("shh", At()), "start_shh3,ende_");
    EXPECT_EQ(sim.ReceiveText("saw", At()), "start_saw0,ende_");
    EXPECT_EQ(sim.ReceiveText("ssp", At()), "start_ssp0,ende_");
}

TEST(ReadAll, EveryRequestOfTheFullBurstIsAnsweredInOrderAndEndsWith255) {
    SimController sim(
        ConfigOf({Family::Conservatory, 32, 8, true, true}),
        DemoMemory(testing::IdentityOf({Family::Conservatory, 32, 8, true, true}).features));
    const std::string burst =
        "sbpsdmsdaswpsrpsjpsoasawsassgzsppsipshpsfpsapsspsoishhstasmnsftszzsbhsfs";
    const std::string out = sim.ReceiveText(burst, At());
    const char* perMotor[] = {"sbp", "sdm", "sda", "swp", "srp", "sjp", "spp",
                              "sip", "shp", "sfp", "sap", "sta", "smn"};
    for (const char* tag : perMotor)
        EXPECT_EQ(CountOf(out, std::string("start_") + tag), 32) << tag;
    for (const char* tag : {"soa", "saw", "sas", "sgz", "ssp", "soi", "shh", "szz", "sbh"})
        EXPECT_EQ(CountOf(out, std::string("start_") + tag), 1) << tag;
    EXPECT_EQ(CountOf(out, "start_sft"), 15);
    EXPECT_LT(out.find("start_sbp"), out.find("start_sdm"));
    EXPECT_LT(out.find("start_sta"), out.find("start_smn"));
    const std::string closing = "start_sfs255,0,0,0,0,0,0,0,0,255,ende_";
    EXPECT_EQ(out.substr(out.size() - closing.size()), closing);
    EXPECT_EQ(out.find('\x11'), std::string::npos);
    EXPECT_EQ(out.find('\x13'), std::string::npos);
}

TEST(ReadAll, RequestsInAnyOrderAndChunking) {
    SimController whole(ConfigOf(), FactoryMemory(false));
    SimController pieces(ConfigOf(), FactoryMemory(false));
    const std::string burst = "sfssmnsbpsmo\rsftszz";
    const std::string expected = whole.ReceiveText(burst, At());
    std::string got;
    for (char c : burst)
        got += pieces.ReceiveText(std::string(1, c), At());
    EXPECT_EQ(got, expected);
    EXPECT_EQ(expected.rfind("start_sfs0,", 0), 0u);
    EXPECT_NE(expected.find("start_smoQVS"), std::string::npos);
}

TEST(UnknownInput, IsIgnored) {
    SimController sim = FactoryController();
    EXPECT_EQ(sim.ReceiveText("xyz\r\n\x01\xFF sts qqq", At()), "");
    EXPECT_EQ(sim.ReceiveText("smo\r", At()), "start_smoQVS-900 W K:9W--ende_");
}

}  // namespace
}  // namespace veltrano::sim
