// Identity presets, the mixes that exist, and the command line.
#include <gtest/gtest.h>

#include "sim_options.h"

namespace veltrano::sim {
namespace {

std::string Preset(IdentityRequest r) {
    std::string error;
    const auto text = PresetModelText(r, &error);
    EXPECT_TRUE(text.has_value()) << error;
    return text.value_or("");
}

std::string Refusal(IdentityRequest r) {
    std::string error;
    EXPECT_FALSE(PresetModelText(r, &error).has_value());
    return error;
}

TEST(IdentityPresets, ModelTextsCarryTheFamilyCodes) {
    EXPECT_EQ(Preset({Family::Roller, 32, 8}), "QVS-900 R K:9R--");
    EXPECT_EQ(Preset({Family::SunProtection, 32, 8}), "QVS-900 S K:9S--");
    EXPECT_EQ(Preset({Family::Conservatory, 32, 8}), "QVS-900 W K:9W--");
    EXPECT_EQ(Preset({Family::Conservatory, 8, 8}), "QVS-900 W K:8W--");
    EXPECT_EQ(Preset({Family::Roller, 8, 4}), "QVS-900 R K:4R--");
    EXPECT_EQ(Preset({Family::SunProtection, 32, 8, false, true}), "QVS-900 S K:9S-G");
    EXPECT_EQ(Preset({Family::SunProtection, 32, 8, true, true}), "QVS-900 S K:9STG");
    EXPECT_EQ(Preset({Family::Roller, 8, 8, true, false, true}), "QVS-900 R K:8RF-");
    EXPECT_EQ(Preset({Family::Conservatory, 32, 8, true, true, true}), "QVS-900 W K:9WFG");
}

TEST(IdentityPresets, EveryValidMixReadsBackAsRequested) {
    const auto all = AllValidRequests();
    EXPECT_EQ(all.size(), 45u);
    for (const IdentityRequest& r : all) {
        const std::string text = Preset(r);
        ASSERT_GE(text.size(), 16u);
        const ModelFeatures f = FeaturesOfModelText(text);
        SCOPED_TRACE(text);
        EXPECT_EQ(f.conservatory, r.family == Family::Conservatory);
        EXPECT_EQ(f.sunProtection, r.family == Family::SunProtection);
        EXPECT_EQ(f.motors, r.motors);
        EXPECT_EQ(f.slotsPerDay, r.slotsPerDay);
        EXPECT_EQ(f.touch, r.touch);
        EXPECT_EQ(f.groups, r.groups);
        EXPECT_EQ(f.radio, r.radio);
    }
}

TEST(IdentityPresets, MixesThatDoNotExistAreRefusedWithTheList) {
    EXPECT_NE(Refusal({Family::Roller, 32, 4}).find("32 motors"), std::string::npos);
    EXPECT_NE(Refusal({Family::Roller, 32, 8, true, false, false}).find("radio variant"),
              std::string::npos);
    EXPECT_NE(Refusal({Family::Roller, 32, 8, false, false, true}).find("add --touch"),
              std::string::npos);
    EXPECT_NE(Refusal({Family::Roller, 16, 8}).find("Mixes that exist"), std::string::npos);
    EXPECT_NE(Refusal({Family::Roller, 8, 5}).find("--slots"), std::string::npos);
}

TEST(ModelTextFeatures, CodesOfTheFamilyCharacters) {
    // Character 14 "M" with 13 "9": sun protection with touch and groups.
    ModelFeatures f = FeaturesOfModelText("QVS-900 R K:9M--");
    EXPECT_TRUE(f.sunProtection);
    EXPECT_TRUE(f.touch);
    EXPECT_TRUE(f.groups);
    EXPECT_EQ(f.motors, 32);
    // "M" without "9" means nothing.
    f = FeaturesOfModelText("QVS-900 R K:8M--");
    EXPECT_FALSE(f.sunProtection);
    EXPECT_FALSE(f.touch);
    // Short texts and a character 13 that is no digit: 8 motors, 8 per day.
    f = FeaturesOfModelText("short");
    EXPECT_EQ(f.motors, 8);
    EXPECT_EQ(f.slotsPerDay, 8);
    f = FeaturesOfModelText("QVS-900 W K:xW--");
    EXPECT_TRUE(f.conservatory);
    EXPECT_EQ(f.slotsPerDay, 8);
    EXPECT_EQ(FeaturesOfModelText("QVS-900 W K:0W--").slotsPerDay, 4);
    EXPECT_EQ(FeaturesOfModelText("QVS-900 W K:7W--").slotsPerDay, 4);
}

std::optional<SimOptions> Parse(std::vector<std::string> args, std::string* error = nullptr) {
    std::string ignored;
    return ParseOptions(args, error ? error : &ignored);
}

TEST(Options, Defaults) {
    const auto o = Parse({});
    ASSERT_TRUE(o);
    EXPECT_EQ(o->linkPath, "COM1");
    EXPECT_FALSE(o->fast);
    EXPECT_EQ(o->config.identity.modelText, "QVS-900 W K:9W--");
    EXPECT_EQ(o->config.identity.firmware, "7.514");
    EXPECT_TRUE(o->config.insideSensor);
    EXPECT_FALSE(o->config.signedMasks);
    EXPECT_EQ(o->config.logbookSize, 135);
    EXPECT_EQ(o->config.silence.afterLogbookEntries, 0);
}

TEST(Options, EveryOption) {
    const auto o = Parse({"--link",
                          "/tmp/x/COM3",
                          "--family",
                          "sun",
                          "--motors",
                          "8",
                          "--slots",
                          "4",
                          "--touch",
                          "--groups",
                          "--firmware",
                          "7.014",
                          "--date-unset",
                          "--no-inside-sensor",
                          "--signed-masks",
                          "--fast",
                          "--bad-checksum",
                          "3",
                          "--drop",
                          "5",
                          "--garbage",
                          "--split",
                          "--seed",
                          "42",
                          "--silent-after",
                          "2.5",
                          "--silent-after-frames",
                          "7",
                          "--silent-after-acks",
                          "9",
                          "--logbook",
                          "2000",
                          "--silent-after-logbook",
                          "40",
                          "--refuse",
                          "rbp",
                          "--refuse",
                          "rfs",
                          "--load",
                          "in.txt",
                          "--dump",
                          "out.txt"});
    ASSERT_TRUE(o);
    EXPECT_EQ(o->linkPath, "/tmp/x/COM3");
    EXPECT_EQ(o->config.identity.modelText, "QVS-900 S K:4STG");
    EXPECT_EQ(o->config.identity.firmware, "7.014");
    EXPECT_TRUE(o->config.dateUnset);
    EXPECT_FALSE(o->config.insideSensor);
    EXPECT_TRUE(o->config.signedMasks);
    EXPECT_TRUE(o->fast);
    EXPECT_EQ(o->config.faults.badChecksumEvery, 3);
    EXPECT_EQ(o->config.faults.dropEvery, 5);
    EXPECT_TRUE(o->config.faults.garbage);
    EXPECT_TRUE(o->config.faults.split);
    EXPECT_EQ(o->config.faults.seed, 42u);
    EXPECT_EQ(o->config.silence.after, std::chrono::milliseconds(2500));
    EXPECT_EQ(o->config.silence.afterFrames, 7);
    EXPECT_EQ(o->config.silence.afterAcks, 9);
    EXPECT_EQ(o->config.logbookSize, 2000);
    EXPECT_EQ(o->config.silence.afterLogbookEntries, 40);
    EXPECT_EQ(o->config.refusedWords, (std::set<std::string>{"rbp", "rfs"}));
    EXPECT_EQ(o->loadPath, "in.txt");
    EXPECT_EQ(o->dumpPath, "out.txt");
}

TEST(Options, ModelTextGivenDirectly) {
    const auto o = Parse({"--model", "ABCDEFGHW   9MF-"});
    ASSERT_TRUE(o);
    EXPECT_EQ(o->config.identity.modelText, "ABCDEFGHW   9MF-");
    EXPECT_TRUE(o->config.identity.features.conservatory);
    EXPECT_TRUE(o->config.identity.features.radio);
}

TEST(Options, Refusals) {
    std::string error;
    EXPECT_FALSE(Parse({"--model", "X", "--family", "sun"}, &error));
    EXPECT_NE(error.find("cannot be combined"), std::string::npos);
    EXPECT_FALSE(Parse({"--model", "abc start_ def"}, &error));
    EXPECT_FALSE(Parse({"--model",
                        "ab\x13"
                        "c"},
                       &error));
    EXPECT_FALSE(Parse({"--touch"}, &error));
    EXPECT_NE(error.find("radio variant"), std::string::npos);
    EXPECT_NE(error.find("Mixes that exist"), std::string::npos);
    EXPECT_FALSE(Parse({"--radio"}, &error));
    EXPECT_FALSE(Parse({"--motors", "32", "--slots", "4"}, &error));
    EXPECT_FALSE(Parse({"--family", "garden"}, &error));
    EXPECT_FALSE(Parse({"--firmware", "7514"}, &error));
    EXPECT_FALSE(Parse({"--bad-checksum", "0"}, &error));
    EXPECT_FALSE(Parse({"--drop"}, &error));
    EXPECT_FALSE(Parse({"--silent-after", "-1"}, &error));
    EXPECT_TRUE(Parse({"--logbook", "0"}, &error));
    EXPECT_TRUE(Parse({"--logbook", "9998"}, &error));
    EXPECT_FALSE(Parse({"--logbook", "9999"}, &error));
    EXPECT_NE(error.find("0 to 9998"), std::string::npos);
    EXPECT_FALSE(Parse({"--logbook", "-1"}, &error));
    EXPECT_FALSE(Parse({"--silent-after-logbook", "0"}, &error));
    EXPECT_FALSE(Parse({"--refuse", "sbp"}, &error));
    EXPECT_FALSE(Parse({"--refuse", "rhb"}, &error));
    EXPECT_FALSE(Parse({"--whatever"}, &error));
    EXPECT_NE(error.find("Usage"), std::string::npos);
}

TEST(Options, HelpListsOptionsAndMixes) {
    const auto o = Parse({"--help"});
    ASSERT_TRUE(o);
    EXPECT_TRUE(o->help);
    const std::string usage = UsageText();
    for (const char* option : {"--link",
                               "--family",
                               "--motors",
                               "--slots",
                               "--touch",
                               "--groups",
                               "--radio",
                               "--model",
                               "--firmware",
                               "--date-unset",
                               "--no-inside-sensor",
                               "--signed-masks",
                               "--fast",
                               "--bad-checksum",
                               "--drop",
                               "--garbage",
                               "--split",
                               "--seed",
                               "--silent-after",
                               "--silent-after-frames",
                               "--silent-after-acks",
                               "--silent-after-logbook",
                               "--logbook",
                               "--refuse",
                               "--load",
                               "--dump",
                               "Mixes that exist"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}

}  // namespace
}  // namespace veltrano::sim
