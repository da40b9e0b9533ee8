#include "link/controller_identity.h"

#include <gtest/gtest.h>

namespace veltrano {
namespace {

// A model text with the given characters at positions 9 and 13 to 16.
std::string Model(char c9, const std::string& c13to16) {
    std::string m = "QX-7000-";  // positions 1..8
    m += c9;                     // 9
    m += "-7-";                  // 10..12
    m += c13to16;                // 13..
    return m;
}

TEST(IdentifyController, RollerShutterWith32Motors) {
    auto id = IdentifyController(Model('R', "9   "));
    EXPECT_TRUE(id.RollerShutterFamily());
    EXPECT_TRUE(id.ThirtyTwoMotors);
    EXPECT_TRUE(id.EightTimesPerDay);
    EXPECT_FALSE(id.TouchAutomationAvailable);
    EXPECT_FALSE(id.GroupCentralAvailable);
}

TEST(IdentifyController, ConservatoryByCharacterNine) {
    auto id = IdentifyController(Model('W', "9   "));
    EXPECT_TRUE(id.ConservatoryFamily);
    EXPECT_FALSE(id.SunProtectionFamily);
}

TEST(IdentifyController, SunProtectionByS) {
    auto id = IdentifyController(Model('R', "9S  "));
    EXPECT_TRUE(id.SunProtectionFamily);
    EXPECT_FALSE(id.TouchAutomationAvailable);
}

TEST(IdentifyController, MWithNineIsSunProtectionWithTouchAndGroups) {
    auto id = IdentifyController(Model('R', "9M  "));
    EXPECT_TRUE(id.SunProtectionFamily);
    EXPECT_TRUE(id.TouchAutomationAvailable);
    EXPECT_TRUE(id.GroupCentralAvailable);
    // "M" without "9" means nothing.
    id = IdentifyController(Model('R', "8M  "));
    EXPECT_FALSE(id.SunProtectionFamily);
    EXPECT_FALSE(id.TouchAutomationAvailable);
}

TEST(IdentifyController, TouchGivesGroupControl) {
    auto id = IdentifyController(Model('W', "8 T "));
    EXPECT_TRUE(id.TouchAutomationAvailable);
    EXPECT_TRUE(id.GroupCentralAvailable);
}

TEST(IdentifyController, RadioVariantHasTouchButNoGroupUnlessG) {
    auto id = IdentifyController(Model('R', "9 F "));
    EXPECT_TRUE(id.RadioVariant);
    EXPECT_TRUE(id.TouchAutomationAvailable);
    EXPECT_FALSE(id.GroupCentralAvailable);
    id = IdentifyController(Model('R', "9 FG"));
    EXPECT_TRUE(id.GroupCentralAvailable);
}

TEST(IdentifyController, GroupByG) {
    auto id = IdentifyController(Model('R', "8  G"));
    EXPECT_TRUE(id.GroupCentralAvailable);
    EXPECT_FALSE(id.TouchAutomationAvailable);
}

TEST(IdentifyController, CharacterThirteenDecidesSize) {
    auto id = IdentifyController(Model('R', "4"));
    EXPECT_FALSE(id.ThirtyTwoMotors);
    EXPECT_FALSE(id.EightTimesPerDay);
    id = IdentifyController(Model('R', "7"));
    EXPECT_FALSE(id.EightTimesPerDay);
    id = IdentifyController(Model('R', "8"));
    EXPECT_FALSE(id.ThirtyTwoMotors);
    EXPECT_TRUE(id.EightTimesPerDay);
    id = IdentifyController(Model('R', "0"));
    EXPECT_FALSE(id.EightTimesPerDay);
}

TEST(IdentifyController, NonDigitOrShortTextIsAnEightMotorEightSlotDevice) {
    for (const std::string& m :
         {Model('R', "X"), std::string("short"), std::string(), std::string("Keine Verbindung")}) {
        auto id = IdentifyController(m);
        EXPECT_FALSE(id.ThirtyTwoMotors) << m;
        EXPECT_TRUE(id.EightTimesPerDay) << m;
    }
}

TEST(IdentifyController, CountsCharactersNotBytes) {
    // An umlaut early in the text must not shift the code positions.
    std::string m = "QÜ-7000-W-7-9M";
    auto id = IdentifyController(m);
    EXPECT_TRUE(id.ConservatoryFamily);
    EXPECT_TRUE(id.SunProtectionFamily);
    EXPECT_TRUE(id.ThirtyTwoMotors);
}

TEST(FirmwareGate, Boundaries) {
    const std::string old = "V7.014 oder höher";
    const std::string gap = "V7.514 oder höher";
    ASSERT_TRUE(FirmwareRejection(0));
    EXPECT_NE(FirmwareRejection(0)->find(old), std::string::npos);
    EXPECT_NE(FirmwareRejection(7013)->find(old), std::string::npos);
    EXPECT_FALSE(FirmwareRejection(7014));
    EXPECT_FALSE(FirmwareRejection(7500));
    EXPECT_NE(FirmwareRejection(7501)->find(gap), std::string::npos);
    EXPECT_NE(FirmwareRejection(7513)->find(gap), std::string::npos);
    EXPECT_FALSE(FirmwareRejection(7514));
    EXPECT_FALSE(FirmwareRejection(9999));
    EXPECT_EQ(*FirmwareRejection(7013),
              "   Diese Version von Veltrano kann ausschließlich für \nSteuerungen mit Firmware "
              "V7.014 oder höher verwendet werden.\n");
}

TEST(FirmwareGate, WindDelayVisibility) {
    EXPECT_EQ(WindDelayVisible(7012), false);
    EXPECT_EQ(WindDelayVisible(7013), true);
    EXPECT_EQ(WindDelayVisible(7499), true);
    EXPECT_EQ(WindDelayVisible(7500), std::nullopt);
    EXPECT_EQ(WindDelayVisible(7512), std::nullopt);
    EXPECT_EQ(WindDelayVisible(7513), true);
}

TEST(FirmwareGate, ParseFirmwareVersion) {
    EXPECT_EQ(ParseFirmwareVersion("7.014"), 7014);
    EXPECT_EQ(ParseFirmwareVersion("7.514xyz"), 7514);
    EXPECT_EQ(ParseFirmwareVersion("7,014"), 7014);  // character 2 is not read
    EXPECT_EQ(ParseFirmwareVersion("7.0a4"), std::nullopt);
    EXPECT_EQ(ParseFirmwareVersion("7.01"), std::nullopt);
    EXPECT_EQ(ParseFirmwareVersion(""), std::nullopt);
}

}  // namespace
}  // namespace veltrano
