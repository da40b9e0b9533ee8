// What a read-all still lacks when its closing frame arrives: the frames the
// Controller owes, counted through the receive handler and the decoders.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "link/block_decoders.h"
#include "link/read_all.h"
#include "link/receive_handler.h"

namespace veltrano {
namespace {

std::string Frame(const std::string& tag, std::vector<long long> numbers, bool checksum = true) {
    if (checksum) {
        long long sum = 0;
        for (long long n : numbers)
            sum += n;
        numbers.push_back(sum);
    }
    std::string text = "start_" + tag;
    for (long long n : numbers)
        text += std::to_string(n) + ",";
    return text + "ende_";
}

// Numbers of a per-motor record before its checksum, motor included.
int NumbersOf(const std::string& tag) {
    if (tag == "sbp") return 7;
    if (tag == "sdm" || tag == "sda") return 5;
    if (tag == "sjp") return 4;
    if (tag == "spp" || tag == "sip") return 9;
    if (tag == "shp" || tag == "sap") return 6;
    if (tag == "sfp") return 8;
    return 3;  // swp, srp, sta
}

// Every answer a Controller of this identity gives, one frame an element;
// `fault` may change or drop (empty) a frame.
std::vector<std::string> Answers(const ControllerIdentity& id,
                                 const std::function<std::string(std::string)>& fault) {
    const int motors = id.ThirtyTwoMotors ? 32 : 8;
    std::vector<std::string> frames;
    auto perMotor = [&](const std::string& tag) {
        for (int m = 1; m <= motors; ++m) {
            std::vector<long long> n{m};
            n.resize(static_cast<std::size_t>(NumbersOf(tag)), 1);
            frames.push_back(Frame(tag, n));
        }
    };
    auto once = [&](const std::string& tag, int count) {
        frames.push_back(
            Frame(tag, std::vector<long long>(static_cast<std::size_t>(count), 100), false));
    };
    const bool sunOrConservatory = id.SunProtectionFamily || id.ConservatoryFamily;
    if (sunOrConservatory) {
        for (const char* tag : {"sbp", "sdm", "sda", "swp", "srp", "sjp"})
            perMotor(tag);
        once("soa", 1);
        once("saw", 1);
        once("sas", 2);
    }
    if (id.GroupCentralAvailable) once("sgz", 4);
    if (id.ConservatoryFamily) {
        for (const char* tag : {"spp", "sip", "shp", "sfp", "sap"})
            perMotor(tag);
        once("ssp", 1);
        once("soi", 1);
        once("shh", 1);
    }
    if (id.TouchAutomationAvailable) perMotor("sta");
    for (int m = 1; m <= motors; ++m)
        frames.push_back("start_smn" + std::string(m < 10 ? "0" : "") + std::to_string(m) +
                         ",Raum " + std::to_string(m) + "ende_");
    for (int h = 1; h <= 15; ++h)
        frames.push_back(Frame("sft", {h, 24, 12}));
    once("szz", 1);
    once("sbh", 1);
    frames.push_back(Frame("sfs", {0, 0, 0, 0, 0, 0, 0, 0, 0}));
    frames.push_back(Frame("sfs", {1, 4, 2, 1, 6, 30, 10, 1, 0}));
    frames.push_back(Frame("sfs", {3, 5, 1, 0, 7, 0, 10, 1, 0}));
    for (std::string& frame : frames)
        frame = fault(frame);
    frames.push_back(Frame("sfs", {255, 0, 0, 0, 0, 0, 0, 0, 0}));
    return frames;
}

ControllerIdentity Conservatory() {
    ControllerIdentity id;
    id.ConservatoryFamily = id.GroupCentralAvailable = id.TouchAutomationAvailable = true;
    return id;
}

ControllerIdentity EightMotorRoller() {
    ControllerIdentity id;
    id.ThirtyTwoMotors = false;
    return id;
}

ControllerIdentity SunProtection() {
    ControllerIdentity id;
    id.SunProtectionFamily = true;
    return id;
}

bool Begins(std::string_view frame, std::string_view head) {
    return frame.starts_with(head);
}

// Changes the frame that starts with `head`; leaves the others.
std::function<std::string(std::string)> At(const std::string& head,
                                           std::function<std::string(std::string)> change) {
    return
        [head, change](std::string frame) { return Begins(frame, head) ? change(frame) : frame; };
}
std::string Drop(const std::string&) {
    return {};
}
// Drops every frame that starts with one of the heads.
std::function<std::string(std::string)> DropAll(std::vector<std::string> heads) {
    return [heads](std::string frame) {
        for (const std::string& head : heads)
            if (Begins(frame, head)) frame.clear();
        return frame;
    };
}
// One more in the checksum: the frame is refused.
std::string BadChecksum(std::string frame) {
    const std::size_t end = frame.rfind(",ende_");
    const std::size_t start = frame.rfind(',', end - 1) + 1;
    const long long sum = std::stoll(frame.substr(start, end - start));
    return frame.substr(0, start) + std::to_string(sum + 1) + frame.substr(end);
}

TEST(ReadAllMissingTest, CountsWhatTheControllerOwesAndDidNotDeliverIntact) {
    struct Case {
        const char* what;
        ControllerIdentity id;
        std::function<std::string(std::string)> fault;
        std::vector<MissingBlock> missing;
        int refusedSwitchTimes;
    };
    const auto keep = [](std::string f) { return f; };
    const std::vector<Case> cases = {
        {"everything arrives", Conservatory(), keep, {}, 0},
        {"a shading frame with a bad checksum",
         Conservatory(),
         At("start_sbp3,", BadChecksum),
         {{"sbp", "Beschattungsparameter", {3}}},
         0},
        {"a name that never came",
         EightMotorRoller(),
         At("start_smn05,", Drop),
         {{"smn", "Motor-Namen", {5}}},
         0},
        {"a holiday and a single parameter lost",
         EightMotorRoller(),
         DropAll({"start_sft7,", "start_szz"}),
         {{"sft", "Feiertage", {7}}, {"szz", "Zufalls-Zeitspanne", {}}},
         0},
        {"the group masks and the touch block of motor 32 lost",
         Conservatory(),
         DropAll({"start_sgz", "start_sta32,"}),
         {{"sgz", "Gruppen-Zentralsteuerung", {}}, {"sta", "Tast-Automatik", {32}}},
         0},
        {"a motor number out of range instead of motor 2",
         SunProtection(),
         At("start_sjp2,",
            [](std::string) {
                return Frame("sjp", {33, 1, 1, 1});
            }),
         {{"sjp", "Reversier-Automatik", {2}}},
         0},
        {"a switching time with a bad checksum",
         SunProtection(),
         At("start_sfs1,", BadChecksum),
         {},
         1},
        {"a switching time that cannot be read",
         EightMotorRoller(),
         At("start_sfs3,", [](std::string) { return std::string("start_sfs3,x,ende_"); }),
         {},
         1},
        {"a switching time of motor 40",
         EightMotorRoller(),
         At("start_sfs3,",
            [](std::string) {
                return Frame("sfs", {3, 40, 1, 0, 7, 0, 10, 1, 0});
            }),
         {},
         1},
        {"no opening frame of the list",
         EightMotorRoller(),
         At("start_sfs0,", Drop),
         {{"sfs", "Schaltzeiten", {}}},
         0},
        {"a frame the 8-motor Controller does not owe adds nothing",
         EightMotorRoller(),
         At("start_smn08,", [](std::string f) { return f + "start_smn09,Extraende_"; }),
         {},
         0},
    };
    for (const Case& c : cases) {
        LinkState state;
        ConfigurationModel model;
        WindowHooks hooks;
        ReadAllSequence readAll{state, model};
        std::vector<ReadAllResult> results;
        readAll.OnCompleted = [&](const ReadAllResult& r) { results.push_back(r); };
        ReceiveHandler handler{state, hooks};
        RegisterBlockDecoders(handler, model, state, hooks, readAll);
        state.Identity = c.id;
        readAll.Start(c.id);
        model.MarkAllModified();
        for (const std::string& frame : Answers(c.id, c.fault))
            handler.OnReceive(frame);

        ASSERT_EQ(results.size(), 1u) << c.what;
        EXPECT_EQ(results[0].missing, c.missing) << c.what;
        EXPECT_EQ(results[0].refusedSwitchTimes, c.refusedSwitchTimes) << c.what;
        EXPECT_EQ(results[0].Complete(), c.missing.empty() && c.refusedSwitchTimes == 0) << c.what;
        // Neither what was read nor what is missing is to be sent.
        EXPECT_FALSE(model.shading(3).Modified) << c.what;
        EXPECT_FALSE(model.touch(32).Modified) << c.what;
        EXPECT_FALSE(model.switchTime(0, 0, 0).Modified) << c.what;
        EXPECT_FALSE(state.ReadAllInProgress) << c.what;
    }
}

TEST(ReadAllMissingTest, NamesTheMissingBlocksInTheUsersWords) {
    ReadAllResult result;
    result.missing = {{"sbp", "Beschattungsparameter", {3, 7, 8, 9, 12, 13}},
                      {"sft", "Feiertage", {15}},
                      {"soa", "Offset Außentemperatur", {}}};
    result.refusedSwitchTimes = 2;
    EXPECT_EQ(MissingDataLines(result),
              "Beschattungsparameter: Motor 3, 7-9, 12, 13\n"
              "Feiertage: Feiertag 15\n"
              "Offset Außentemperatur\n"
              "Schaltzeiten: 2 Einträge fehlerhaft empfangen\n");
    const std::string message = IncompleteReadMessage(result);
    EXPECT_NE(message.find(MissingDataLines(result)), std::string::npos);
    EXPECT_NE(message.find("NICHT die der Steuerung"), std::string::npos);
    EXPECT_NE(message.find("erneut"), std::string::npos);
}

}  // namespace
}  // namespace veltrano
