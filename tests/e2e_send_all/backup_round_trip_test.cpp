// A configuration read from one simulated conservatory Controller (touch
// automation and group control), saved as a backup file, loaded into a
// fresh window and sent leaves a second Controller holding the same
// configuration.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "e2e_memory.h"
#include "e2e_simulator.h"
#include "e2e_window.h"
#include "e2e_wire.h"
#include "temp_workdir.h"

namespace veltrano {
namespace {

using testing::E2eSimulator;
using testing::E2eWindow;
using testing::TempWorkDir;

const QString kOverwriteQuestion = "Alle Daten in der Steuerung werden überschrieben. Fortfahren?";

TEST(BackupRoundTripTest, ReadSavedLoadedAndSentTheSecondControllerHoldsTheSameConfiguration) {
    const std::vector<std::string> args = {"--family", "conservatory", "--touch", "--groups"};
    TempWorkDir work;
    const QString file = QString::fromStdString((work.path() / "Anlage.qts").string());

    testing::SimulatorSetup sourceSetup = testing::Setup(args);
    std::string error;
    sourceSetup.memory =
        testing::RichMemory(sim::ParseOptions(args, &error)->config.identity.features, 71);
    E2eSimulator source(work.path(), sourceSetup);
    const sim::SimMemory original = source.Dump();
    {
        E2eWindow reader(work.path());
        ASSERT_TRUE(reader.Connect());
        ASSERT_TRUE(reader.ReadAll());
        reader.log.fileNames = {file};
        reader->SaveToDisk_ButtonClick();
        EXPECT_TRUE(reader.log.errors.isEmpty()) << reader.log.errors.join("|").toStdString();
        ASSERT_TRUE(std::filesystem::exists(file.toStdString()));
    }

    // A fresh start of the program, on the second Controller's port.
    E2eSimulator target(work.path(), args, "COM2");
    std::ofstream("Veltrano.ini", std::ios::binary) << "2\r\n";
    const sim::SimMemory before = target.Dump();
    ASSERT_FALSE(before == original);
    E2eWindow sender(work.path());
    ASSERT_EQ(sender->Comm1().PortNum(), 2);
    sender.log.fileNames = {file};
    sender->Read_From_DiskClick();
    ASSERT_TRUE(sender.log.errors.isEmpty()) << sender.log.errors.join("|").toStdString();
    ASSERT_TRUE(sender.Connect());
    const ConfigurationModel loaded = sender->Model();

    // A loaded file asks before it overwrites the Controller; "Nein" sends nothing.
    sender.log.answers = {false, true};
    EXPECT_FALSE(sender.SendAll());
    EXPECT_TRUE(target.Dump() == before);
    ASSERT_TRUE(sender.SendAll());
    EXPECT_EQ(sender.log.questions, (QStringList{kOverwriteQuestion, kOverwriteQuestion}));
    EXPECT_EQ(sender->PanelText(5), "Senden beendet");
    EXPECT_TRUE(sender.log.errors.isEmpty()) << sender.log.errors.join("|").toStdString();

    const sim::SimMemory after = target.Dump();
    const testing::Mismatches fromFile =
        testing::SendAllMismatches(after, before, loaded, target.Features(), 7514);
    EXPECT_TRUE(fromFile.Empty()) << fromFile.Count() << " differences:\n" << fromFile.Text();
    // Field by field against the first Controller, as a read-all would show it.
    const testing::Mismatches asRead =
        testing::ReadAllMismatches(loaded, loaded, original, target.Features());
    EXPECT_TRUE(asRead.Empty()) << asRead.Count() << " differences:\n" << asRead.Text();
    EXPECT_TRUE(after == original);
}

}  // namespace
}  // namespace veltrano
