#include <gtest/gtest.h>

#include <string>

#include "link/read_all.h"

namespace veltrano {
namespace {

ControllerIdentity RollerShutter() {
    return ControllerIdentity{};
}

TEST(ReadAllRequests, RollerShutterWithoutFeaturesGetsFiveRequests) {
    const std::string requests = ReadAllRequests(RollerShutter());
    EXPECT_EQ(requests, "smnsftszzsbhsfs");
    EXPECT_EQ(requests.size(), 15u);
    EXPECT_EQ(ReadAllProgressMaximum(RollerShutter()), 4680);
}

TEST(ReadAllRequests, ConservatoryWithEveryFeatureGetsAllInTableOrder) {
    ControllerIdentity id;
    id.ConservatoryFamily = true;
    id.GroupCentralAvailable = true;
    id.TouchAutomationAvailable = true;
    EXPECT_EQ(ReadAllRequests(id),
              "sbp"
              "sdm"
              "sda"
              "swp"
              "srp"
              "sjp"
              "soa"
              "saw"
              "sas"
              "sgz"
              "spp"
              "sip"
              "shp"
              "sfp"
              "sap"
              "ssp"
              "soi"
              "shh"
              "sta"
              "smn"
              "sft"
              "szz"
              "sbh"
              "sfs");
    EXPECT_EQ(ReadAllRequests(id).size(), 72u);
    EXPECT_EQ(ReadAllProgressMaximum(id), 26000);
}

TEST(ReadAllRequests, SunProtectionGetsItsBlocksAndItsFeatures) {
    ControllerIdentity id;
    id.SunProtectionFamily = true;
    EXPECT_EQ(ReadAllRequests(id),
              "sbpsdmsdaswpsrpsjpsoasawsas"
              "smnsftszzsbhsfs");
    EXPECT_EQ(ReadAllProgressMaximum(id), 19364);
    id.GroupCentralAvailable = true;
    EXPECT_EQ(ReadAllRequests(id),
              "sbpsdmsdaswpsrpsjpsoasawsas"
              "sgz"
              "smnsftszzsbhsfs");
    id.TouchAutomationAvailable = true;
    EXPECT_EQ(ReadAllRequests(id),
              "sbpsdmsdaswpsrpsjpsoasawsas"
              "sgz"
              "sta"
              "smnsftszzsbhsfs");
    id.GroupCentralAvailable = false;
    EXPECT_EQ(ReadAllRequests(id),
              "sbpsdmsdaswpsrpsjpsoasawsas"
              "sta"
              "smnsftszzsbhsfs");
}

TEST(ReadAllRequests, ConservatoryWithoutFeatures) {
    ControllerIdentity id;
    id.ConservatoryFamily = true;
    EXPECT_EQ(ReadAllRequests(id),
              "sbpsdmsdaswpsrpsjpsoasawsas"
              "sppsipshpsfpsapsspsoishh"
              "smnsftszzsbhsfs");
}

TEST(ReadAllRequests, RollerShutterFeaturesAreAskedForToo) {
    ControllerIdentity id;
    id.GroupCentralAvailable = true;
    id.TouchAutomationAvailable = true;
    EXPECT_EQ(ReadAllRequests(id), "sgzstasmnsftszzsbhsfs");
    EXPECT_EQ(ReadAllProgressMaximum(id), 4680);
}

TEST(ReadAllRequests, SunProtectionDecidesTheMaximumWhenBothFamiliesAreSet) {
    ControllerIdentity id;
    id.SunProtectionFamily = true;
    id.ConservatoryFamily = true;
    EXPECT_EQ(ReadAllProgressMaximum(id), 19364);
}

TEST(ReadAllRequests, SwitchTimesAreAlwaysTheLastRequest) {
    for (int flags = 0; flags < 16; ++flags) {
        ControllerIdentity id;
        id.SunProtectionFamily = flags & 1;
        id.ConservatoryFamily = flags & 2;
        id.GroupCentralAvailable = flags & 4;
        id.TouchAutomationAvailable = flags & 8;
        const std::string requests = ReadAllRequests(id);
        ASSERT_GE(requests.size(), 3u);
        EXPECT_EQ(requests.substr(requests.size() - 3), "sfs") << flags;
        EXPECT_EQ(requests.find("sfs"), requests.size() - 3) << flags;
        EXPECT_EQ(requests.size() % 3, 0u);
        EXPECT_EQ(requests.find_first_not_of("abcdefghijklmnopqrstuvwxyz"), std::string::npos);
    }
}

}  // namespace
}  // namespace veltrano
