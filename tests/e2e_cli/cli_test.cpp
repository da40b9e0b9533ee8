// veltrano-cli against simulated Controllers: a configuration read from one
// and written to another arrives whole, diff sees exactly what changed, and
// every kind of failure ends with its exit status and no output file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli_process.h"
#include "e2e_memory.h"
#include "e2e_simulator.h"
#include "temp_workdir.h"

namespace veltrano {
namespace {

using testing::E2eSimulator;
using testing::RunCli;
using testing::TempWorkDir;

const std::vector<std::string> kConservatory = {"--family", "conservatory", "--touch", "--groups"};

int LineCount(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

TEST(CliTest, ReadWriteAndDiffCarryAConfigurationFromOneControllerToAnother) {
    TempWorkDir work;
    testing::SimulatorSetup sourceSetup = testing::Setup(kConservatory);
    std::string error;
    sourceSetup.memory =
        testing::RichMemory(sim::ParseOptions(kConservatory, &error)->config.identity.features, 17);
    E2eSimulator source(work.path(), sourceSetup);
    E2eSimulator target(work.path(), kConservatory, "COM2");
    ASSERT_FALSE(source.Dump() == target.Dump());

    const auto read = RunCli({"read", "--port", "COM1", "-o", "a.qts", "--trace", "read.txt"});
    ASSERT_EQ(read.status, 0) << read.err;
    // The trace: the polls, their answers, then the read requests.
    const std::string trace = testing::SlurpFile("read.txt");
    const auto poll = trace.find(" TX sfi\\rsdt\\rsti\\rskd\\rsmo\\r\n");
    const auto answer = trace.find(" RX ", poll);
    const auto requests = trace.find(" TX sbpsdm", answer);
    EXPECT_NE(poll, std::string::npos) << trace.substr(0, 300);
    EXPECT_NE(answer, std::string::npos);
    EXPECT_NE(requests, std::string::npos);
    const auto write = RunCli({"write", "--port", "COM2", "a.qts", "--yes"});
    ASSERT_EQ(write.status, 0) << write.err;
    EXPECT_TRUE(source.Dump() == target.Dump());

    const auto same = RunCli({"diff", "a.qts", "port:COM2"});
    EXPECT_EQ(same.status, 0) << same.err;
    EXPECT_EQ(same.out, "");

    // One motor name changed in the file (Windows-1252, as the file holds it).
    std::string bytes = testing::SlurpFile("a.qts");
    const auto at = bytes.find("Motor02=");
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at + 8, bytes.find('\r', at) - at - 8, "Ge\xE4ndert    ");
    std::ofstream("b.qts", std::ios::binary) << bytes;
    const auto changed = RunCli({"diff", "port:COM2", "b.qts"});
    EXPECT_EQ(changed.status, 4) << changed.err;
    EXPECT_EQ(LineCount(changed.out), 2) << changed.out;  // the group, then the one change
    EXPECT_NE(changed.out.find("Geändert"), std::string::npos) << changed.out;
}

TEST(CliTest, EveryFailureEndsWithItsExitStatusAndNoOutputFile) {
    struct Case {
        const char* what;
        std::vector<std::string> simulator;  // empty: no simulator
        bool silence;                        // the simulator stops answering first
        std::vector<std::string> cli;
        int status;
        const char* message;  // part of standard error
    };
    const std::string damaged = "[Regen_Motor01]\r\nEinAus=Ein\r\nDauer=abc\r\n";
    const Case cases[] = {
        {"no command", {}, false, {"lesen"}, 1, "Unbekannter Befehl"},
        {"write without a terminal or --yes",
         {},
         false,
         {"write", "--port", "COM1", "good.qts"},
         1,
         "--yes"},
        {"no device", {}, false, {"read", "--port", "./nichts", "-o", "out.qts"}, 2, "kein Gerät"},
        {"silent Controller",
         {},
         true,
         {"read", "--port", "COM1", "-o", "out.qts"},
         2,
         "antwortet keine Steuerung"},
        {"refused block",
         {"--refuse", "rbp"},
         false,
         {"write", "--port", "COM1", "good.qts", "--yes"},
         3,
         "Beschattung"},
        {"refused frames in a read",
         {"--bad-checksum", "5"},
         false,
         {"read", "--port", "COM1", "-o", "out.qts"},
         3,
         "nicht"},
        {"line lost in a read",
         {"--hang-up-after-frames", "40"},
         false,
         {"read", "--port", "COM1", "-o", "out.qts"},
         3,
         "unterbrochen"},
        {"damaged file",
         {},
         false,
         {"write", "--port", "COM1", "damaged.qts", "--yes"},
         5,
         "'abc' ist kein"},
        {"not a backup file",
         {},
         false,
         {"diff", "plain.txt", "good.qts"},
         5,
         "keine Sicherungsdatei"},
        {"folder that is not there",
         {},
         false,
         {"read", "--port", "COM1", "-o", "nirgends/out.qts"},
         5,
         "nirgends"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempWorkDir work;
        std::ofstream("damaged.qts", std::ios::binary) << damaged;
        std::ofstream("plain.txt", std::ios::binary) << "Einkaufsliste\r\nBrot\r\n";
        {
            E2eSimulator helper(work.path(), kConservatory, "COM9");
            ASSERT_EQ(RunCli({"read", "--port", "./COM9", "-o", "good.qts"}).status, 0);
        }
        std::optional<E2eSimulator> sim;
        if (!c.simulator.empty() || c.silence) {
            std::vector<std::string> args = kConservatory;
            args.insert(args.end(), c.simulator.begin(), c.simulator.end());
            sim.emplace(work.path(), args);
            if (c.silence) {
                ASSERT_EQ(sim->Process().ToggleSilence(), "silent");
            }
        }
        const auto run = RunCli(c.cli);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists("out.qts"));
    }
}

}  // namespace
}  // namespace veltrano
