#include <functional>

#include "decoder_fixture.h"

namespace veltrano {
namespace {

using testing::DecoderTest;
using testing::WithChecksum;

TEST_F(DecoderTest, ShadingBlockConvertsEveryField) {
    Receive("sbp", "3,1,122,8,19,40,10,203,");
    const ShadingSettings& r = model.shading(3);
    EXPECT_EQ(r.Off, kOn);
    EXPECT_EQ(r.TemperatureCode, 32);  // 22 °C
    EXPECT_EQ(r.FromCode, 3);          // 08:00
    EXPECT_EQ(r.ToCode, 14);           // 19:00
    EXPECT_EQ(r.BrightnessCode, 3);    // "4 k"
    EXPECT_EQ(r.DurationCode, 9);      // 10 s
    EXPECT_TRUE(r.Modified) << "a received record keeps its Modified flag";
    EXPECT_EQ(window.panels[6], "Beschattungsparameter");
    ASSERT_EQ(window.row6.size(), 1u);
    EXPECT_EQ(window.row6[0], "    Lese Daten von Steuerung ... Beschattungsparameter");
    EXPECT_EQ(window.Calls("FormatShadingList"), 1);
    EXPECT_EQ(window.panels[5], "");
}

TEST_F(DecoderTest, ShadingBlockWithBadChecksumLeavesTheModelAndStillRefreshes) {
    const ConfigurationModel before = model;
    Receive("sbp", "3,1,122,8,19,40,10,202,");
    EXPECT_EQ(model, before);
    EXPECT_EQ(window.panels[5], "Fehler Beschatt.");
    EXPECT_EQ(window.panels[6], "Beschattungsparameter");
    EXPECT_EQ(window.Calls("FormatShadingList"), 1);
}

TEST_F(DecoderTest, ALaterValidFrameDoesNotClearTheErrorText) {
    Receive("sbp", "3,1,122,8,19,40,10,202,");
    Receive("sbp", "3,1,122,8,19,40,10,203,");
    EXPECT_EQ(window.panels[5], "Fehler Beschatt.");
    EXPECT_EQ(model.shading(3).TemperatureCode, 32);
}

TEST_F(DecoderTest, OffWireNumbersOtherThanOneMeanOff) {
    model.shading(1).Off = kOn;
    Receive("sbp", WithChecksum({1, 0, 100, 5, 15, 50, 10}));
    EXPECT_EQ(model.shading(1).Off, kOff);
    Receive("sbp", WithChecksum({1, 1, 100, 5, 15, 50, 10}));
    EXPECT_EQ(model.shading(1).Off, kOn);
    Receive("sbp", WithChecksum({1, 7, 100, 5, 15, 50, 10}));
    EXPECT_EQ(model.shading(1).Off, kOff);
}

TEST_F(DecoderTest, ValuesOutsideTheirScaleAreStoredAsReceived) {
    Receive("sbp", WithChecksum({32, 1, 500, 0, 99, 0, 0}));
    const ShadingSettings& r = model.shading(32);
    EXPECT_EQ(r.TemperatureCode, 410);
    EXPECT_EQ(r.FromCode, -5);
    EXPECT_EQ(r.ToCode, 94);
    EXPECT_EQ(r.BrightnessCode, -37);
    EXPECT_EQ(r.DurationCode, -1);
    // Extreme wire numbers are limited to what a code can hold, not wrapped.
    Receive("sbp", WithChecksum({32, 1, -2147483647 - 1, 0, 0, 0, 0}));
    EXPECT_EQ(model.shading(32).TemperatureCode, -2147483647 - 1);
}

TEST_F(DecoderTest, MotorNumbersOutsideOneToThirtyTwoAreNotStored) {
    const ConfigurationModel before = model;
    for (std::int64_t motor : {0, 33, -1, -100000}) {
        SCOPED_TRACE(motor);
        window.panels[5].clear();
        Receive("sbp", WithChecksum({motor, 1, 122, 8, 19, 40, 10}));
        EXPECT_EQ(model, before);
        EXPECT_EQ(window.panels[5], "Fehler Beschatt.");
    }
    EXPECT_EQ(window.Calls("FormatShadingList"), 4);
}

TEST_F(DecoderTest, MissingNumbersReadAsZero) {
    const ConfigurationModel before = model;
    Receive("sbp", "3,1,122,");  // checksum reads 0
    EXPECT_EQ(model, before);
    EXPECT_EQ(window.panels[5], "Fehler Beschatt.");

    // An empty payload sums to its checksum 0 but names motor 0.
    window.panels[5].clear();
    Receive("swp", "");
    EXPECT_EQ(model, before);
    EXPECT_EQ(window.panels[5], "Fehler Wind");

    // Text after the last comma is ignored.
    Receive("swp", "4,1,50,55,trailing");
    EXPECT_EQ(model.wind(4).SpeedCode, 9);
}

TEST_F(DecoderTest, ANumberThatIsNoIntegerDropsOnlyThatFrame) {
    const ConfigurationModel before = model;
    handler.OnReceive(testing::Frame("sbp", "3,1,12x,8,19,40,10,203,") +
                      testing::Frame("swp", WithChecksum({2, 1, 40})));
    EXPECT_EQ(model.shading(3), before.shading(3));
    EXPECT_EQ(model.wind(2).SpeedCode, 7);
    EXPECT_EQ(window.panels[5], "Datenfehler sbp");
    // A number beyond the signed 32-bit range is no field value either.
    Receive("sjp", "1,1,2147483648,1,2147483651,");
    EXPECT_EQ(model.reverse(1), before.reverse(1));
    EXPECT_EQ(window.panels[5], "Datenfehler sjp");
}

TEST_F(DecoderTest, WindSpeedIsTruncatedToItsStep) {
    Receive("swp", WithChecksum({5, 1, 32}));
    EXPECT_EQ(model.wind(5).SpeedCode, 5);  // 32 / 5 = 6, minus 1: shown as 30 km/h
    EXPECT_EQ(model.wind(5).Off, kOn);
    Receive("swp", WithChecksum({5, 0, 4}));
    EXPECT_EQ(model.wind(5).SpeedCode, -1);
    Receive("swp", WithChecksum({5, 0, -9}));
    EXPECT_EQ(model.wind(5).SpeedCode, -2) << "truncation toward zero";
}

TEST_F(DecoderTest, OutsideTemperatureDirectionKeepsDeactivated) {
    Receive("sap", WithChecksum({6, 1, 93, 2, 96, 40}));
    const OutsideTempSettings& r = model.outsideTemp(6);
    EXPECT_EQ(r.Direction, kDeactivated);
    EXPECT_EQ(r.Threshold1Code, 2);
    EXPECT_EQ(r.Threshold2Code, 5);
    EXPECT_EQ(r.DurationCode, 39);
    Receive("sap", WithChecksum({6, 1, 93, 0, 96, 40}));
    EXPECT_EQ(model.outsideTemp(6).Direction, kDown);
    Receive("sap", WithChecksum({6, 1, 93, 1, 96, 40}));
    EXPECT_EQ(model.outsideTemp(6).Direction, kUp);
    Receive("sap", WithChecksum({6, 1, 93, 9, 96, 40}));
    EXPECT_EQ(model.outsideTemp(6).Direction, 9);

    const ConfigurationModel before = model;
    Receive("sap", WithChecksum({6, 1, 93, 1, 96, 40}, 1));
    EXPECT_EQ(model, before);
    EXPECT_EQ(window.panels[5], "Fehler Außentemp.-Strg");
}

TEST_F(DecoderTest, TouchRunTimeOfARadioVariantIsReducedBy48) {
    Receive("sta", WithChecksum({7, 1, 60}));
    EXPECT_EQ(model.touch(7).DurationCode, 59);
    state.Identity.RadioVariant = true;
    Receive("sta", WithChecksum({7, 1, 60}));
    EXPECT_EQ(model.touch(7).DurationCode, 11);
    Receive("sta", WithChecksum({7, 1, 49}));
    EXPECT_EQ(model.touch(7).DurationCode, 0);
    Receive("sta", WithChecksum({7, 1, 48}));
    EXPECT_EQ(model.touch(7).DurationCode, 47) << "below 48 stays";
}

TEST_F(DecoderTest, HeatingDayNightAndModeFollowTheSendConvention) {
    Receive("shp", WithChecksum({8, 1, 1, 1, 170, 140}));
    EXPECT_EQ(model.heating(8).DayNight, kDay);
    EXPECT_EQ(model.heating(8).Mode, kHeating);
    EXPECT_EQ(model.heating(8).DayTempCode, 170);
    EXPECT_EQ(model.heating(8).NightTempCode, 140);
    Receive("shp", WithChecksum({8, 1, 0, 0, 0, 255}));
    EXPECT_EQ(model.heating(8).DayNight, kNight);
    EXPECT_EQ(model.heating(8).Mode, kCooling);
    EXPECT_EQ(model.heating(8).DayTempCode, 0);
    EXPECT_EQ(model.heating(8).NightTempCode, 255);
    Receive("shp", WithChecksum({8, 1, 2, 2, 1, 1}));
    EXPECT_EQ(model.heating(8).DayNight, kNight);
    EXPECT_EQ(model.heating(8).Mode, kHeating) << "only 0 means cooling";
}

// One valid frame per block, its expected record, and the block's texts.
struct BlockCase {
    const char* tag;
    std::initializer_list<std::int64_t> numbers;  // without checksum
    const char* caption;
    const char* errorText;
    const char* refreshHook;  // "" for the morning block's own rows
    std::function<void(const ConfigurationModel&)> expect;
};

TEST_F(DecoderTest, EveryMotorBlockStoresChecksAndRefreshes) {
    const BlockCase cases[] = {
        {"sbp",
         {3, 1, 122, 8, 19, 40, 10},
         "Beschattungsparameter",
         "Fehler Beschatt.",
         "FormatShadingList",
         [](const ConfigurationModel& m) { EXPECT_EQ(m.shading(3).BrightnessCode, 3); }},
        {"sdm",
         {9, 1, 11, 29, 191},
         "Dämmerungssteuerung Morgen",
         "Fehler DämmMorgen",
         "",
         [](const ConfigurationModel& m) {
             const TwilightMorningSettings& r = m.twilightMorning(9);
             EXPECT_EQ(r.Off, kOn);
             EXPECT_EQ(r.FromCode, 8);  // "Nr. 3" travels as 11
             EXPECT_EQ(r.BrightnessCode, 28);
             EXPECT_EQ(r.DurationCode, 190);
         }},
        {"sda",
         {10, 1, 23, 37, 40},
         "Dämmerungssteuerung Abend",
         "Fehler DämmAbend",
         "FormatTwilightEveningList",
         [](const ConfigurationModel& m) {
             const TwilightEveningSettings& r = m.twilightEvening(10);
             EXPECT_EQ(r.Off, kOn);
             EXPECT_EQ(r.FromCode, 9);  // "Nr. 4" travels as 23
             EXPECT_EQ(r.BrightnessCode, 36);
             EXPECT_EQ(r.DurationCode, 39);
         }},
        {"swp",
         {11, 1, 95},
         "Einfahren bei Wind",
         "Fehler Wind",
         "FormatWindList",
         [](const ConfigurationModel& m) { EXPECT_EQ(m.wind(11).SpeedCode, 18); }},
        {"srp",
         {12, 1, 0},
         "Einfahren bei Regen",
         "Fehler Regen",
         "FormatRainList",
         [](const ConfigurationModel& m) {
             EXPECT_EQ(m.rain(12).Off, kOn);
             EXPECT_EQ(m.rain(12).Direction, kDown);
         }},
        {"sjp",
         {13, 1, 0, 40},
         "Reversier-Automatik",
         "Fehler Reversier",
         "FormatReverseList",
         [](const ConfigurationModel& m) {
             EXPECT_EQ(m.reverse(13).AtUp, 0);
             EXPECT_EQ(m.reverse(13).AtDown, 40);
         }},
        {"sta",
         {14, 0, 22},
         "Tast-Automatik",
         "Fehler Tast-Automatik",
         "FormatTouchList",
         [](const ConfigurationModel& m) {
             EXPECT_EQ(m.touch(14).Off, kOff);
             EXPECT_EQ(m.touch(14).DurationCode, 21);
         }},
        {"spp",
         {15, 1, 9, 21, 125, 0, 5, 60, 9},
         "Proportionale Temp.-Steuerung",
         "Fehler Prop.T.-Strg",
         "FormatProportionalTempList",
         [](const ConfigurationModel& m) {
             const ProportionalTempSettings& r = m.proportionalTemp(15);
             EXPECT_EQ(r.From, 9);
             EXPECT_EQ(r.To, 21);
             EXPECT_EQ(r.SetpointCode, 24);
             EXPECT_EQ(r.Direction, kDown);
             EXPECT_EQ(r.ControlRangeCode, 4);
             EXPECT_EQ(r.MaxTravelCode, 59);
             EXPECT_EQ(r.StepsCode, 7);
         }},
        {"sip",
         {16, 1, 0, 122, 1, 110, 30, 7, 20},
         "Innentemperatur-Steuerung",
         "Fehler InnenTemp.-Strg",
         "FormatInsideTempList",
         [](const ConfigurationModel& m) {
             const InsideTempSettings& r = m.insideTemp(16);
             EXPECT_EQ(r.Comparison, kBelowThreshold);
             EXPECT_EQ(r.Threshold1Code, 31);
             EXPECT_EQ(r.Direction, kUp);
             EXPECT_EQ(r.Threshold2Code, 19);
             EXPECT_EQ(r.DurationCode, 29);
             EXPECT_EQ(r.From, 7);
             EXPECT_EQ(r.To, 20);
         }},
        {"shp",
         {17, 1, 0, 1, 200, 100},
         "Heizungs-Steuerung",
         "Fehler Heizungs-Steuerung",
         "FormatHeatingList",
         [](const ConfigurationModel& m) {
             EXPECT_EQ(m.heating(17).DayNight, kNight);
             EXPECT_EQ(m.heating(17).DayTempCode, 200);
         }},
        {"sfp",
         {18, 1, 1, 80, 70, 10, 6, 22},
         "Luftfeuchtigkeits-Steuerung",
         "Fehler Feuchte-Strg",
         "FormatHumidityList",
         [](const ConfigurationModel& m) {
             const HumiditySettings& r = m.humidity(18);
             EXPECT_EQ(r.Comparison, kAboveThreshold);
             EXPECT_EQ(r.Threshold1Code, 79);
             EXPECT_EQ(r.Threshold2Code, 69);
             EXPECT_EQ(r.DurationCode, 9);
             EXPECT_EQ(r.From, 6);
             EXPECT_EQ(r.To, 22);
         }},
        {"sap",
         {19, 1, 81, 1, 150, 191},
         "Außentemperatur-Steuerung",
         "Fehler Außentemp.-Strg",
         "FormatOutsideTempList",
         [](const ConfigurationModel& m) {
             const OutsideTempSettings& r = m.outsideTemp(19);
             EXPECT_EQ(r.Threshold1Code, -10);
             EXPECT_EQ(r.Direction, kUp);
             EXPECT_EQ(r.Threshold2Code, 59);
             EXPECT_EQ(r.DurationCode, 190);
         }},
    };
    for (const BlockCase& c : cases) {
        SCOPED_TRACE(c.tag);
        const std::string hook = c.refreshHook;
        auto refreshes = [&] {
            return hook.empty() ? static_cast<int>(window.morningRows.size()) : window.Calls(hook);
        };
        const int refreshesBefore = refreshes();
        window.panels[5].clear();

        // Bad checksum first: nothing changes, the error shows, the list refreshes.
        const ConfigurationModel before = model;
        Receive(c.tag, WithChecksum(c.numbers, -1));
        EXPECT_EQ(model, before);
        EXPECT_EQ(window.panels[5], c.errorText);
        EXPECT_EQ(window.panels[6], c.caption);
        EXPECT_EQ(window.row6.back(), std::string("    Lese Daten von Steuerung ... ") + c.caption);
        EXPECT_EQ(refreshes(), refreshesBefore + 1);

        window.panels[5].clear();
        Receive(c.tag, WithChecksum(c.numbers));
        EXPECT_EQ(window.panels[5], "");
        EXPECT_EQ(refreshes(), refreshesBefore + 2);
        c.expect(model);

        // Only that motor's record of that block changed.
        ConfigurationModel others = model;
        const int motor = static_cast<int>(*c.numbers.begin());
        others.Shading.motor(motor) = before.shading(motor);
        others.TwilightMorning.motor(motor) = before.twilightMorning(motor);
        others.TwilightEvening.motor(motor) = before.twilightEvening(motor);
        others.Wind.motor(motor) = before.wind(motor);
        others.Rain.motor(motor) = before.rain(motor);
        others.Reverse.motor(motor) = before.reverse(motor);
        others.Touch.motor(motor) = before.touch(motor);
        others.ProportionalTemp.motor(motor) = before.proportionalTemp(motor);
        others.InsideTemp.motor(motor) = before.insideTemp(motor);
        others.Heating.motor(motor) = before.heating(motor);
        others.Humidity.motor(motor) = before.humidity(motor);
        others.OutsideTemp.motor(motor) = before.outsideTemp(motor);
        EXPECT_EQ(others, before);

        // A motor the model does not have.
        const ConfigurationModel afterValid = model;
        window.panels[5].clear();
        std::vector<std::int64_t> numbers(c.numbers);
        numbers[0] = 33;
        std::string payload;
        std::int64_t sum = 0;
        for (std::int64_t n : numbers) {
            payload += std::to_string(n) + ",";
            sum += n;
        }
        Receive(c.tag, payload + std::to_string(sum) + ",");
        EXPECT_EQ(model, afterValid);
        EXPECT_EQ(window.panels[5], c.errorText);
    }
}

TEST_F(DecoderTest, DecodersRunWithoutAnyMaskConnected) {
    WindowHooks panelsOnly;
    std::array<std::string, 14> panels{};
    panelsOnly.SetPanelText = [&](int n, const std::string& t) { panels.at(n) = t; };
    LinkState s;
    ConfigurationModel m;
    ReadAllSequence r{s, m};
    ReceiveHandler h{s, panelsOnly};
    RegisterBlockDecoders(h, m, s, panelsOnly, r);
    s.ReadAllInProgress = true;
    for (const char* tag :
         {"sbp", "sdm", "sda", "swp", "srp", "sjp", "sta", "spp", "sip", "shp", "sfp", "sap",
          "sas", "srs", "sgz", "szz", "sbh", "soa", "soi", "shh", "saw", "sts", "ssp"}) {
        h.OnReceive(testing::Frame(tag, WithChecksum({1, 1, 1, 1, 1, 1, 1, 1, 1})));
    }
    h.OnReceive(testing::Frame("smn", "01,Wohnen"));
    h.OnReceive(testing::Frame("sft", WithChecksum({15, 24, 12})));
    h.OnReceive(testing::Frame("sfs", WithChecksum({1, 0, 1, 1, 6, 30, 10, 1, 0})));
    h.OnReceive(testing::Frame("sfs", WithChecksum({255, 0, 0, 0, 0, 0, 0, 0, 0})));
    EXPECT_EQ(m.motorName(1), "Wohnen");
    EXPECT_EQ(m.holiday(15).Day, 24);
    EXPECT_EQ(m.switchTime(0, 0, 0).TimeCode, 391);
    EXPECT_FALSE(s.ReadAllInProgress);
    EXPECT_EQ(panels[6], "Schaltzeiten ");
}

}  // namespace
}  // namespace veltrano
