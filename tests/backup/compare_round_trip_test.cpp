#include <gtest/gtest.h>

#include "backup/backup_format.h"
#include "backup/backup_parser.h"
#include "full_model.h"
#include "model/compare.h"

namespace veltrano {
namespace {

// A configuration saved and read back compares equal to itself on every
// kind of Controller, though the file does not carry the Modified flags.
TEST(CompareAfterBackup, SavedAndReadBackIsEqual) {
    ConfigurationModel saved = testing::FullModel();
    // The file carries run times up to item 129 only.
    for (SwitchTime& e : saved.SwitchTimes)
        e.DurationCode %= 130;
    const BackupParseResult read = ParseBackup(FormatBackup(saved), ConfigurationModel{});
    ASSERT_TRUE(read.Ok());
    ASSERT_FALSE(read.Model == saved);  // bookkeeping differs

    CompareScope scope;
    scope.identity = {.SunProtectionFamily = false,
                      .ConservatoryFamily = true,
                      .TouchAutomationAvailable = true,
                      .GroupCentralAvailable = true,
                      .RadioVariant = false};
    for (const CompareScope& s : {scope, CompareScope{}}) {
        for (const Difference& d : CompareConfigurations(saved, read.Model, s))
            ADD_FAILURE() << d.group << ": " << d.text;
    }
    // The file is the whole configuration: one change in it shows.
    ConfigurationModel changed = read.Model;
    changed.heating(7).NightTempCode += 1;
    EXPECT_EQ(CompareConfigurations(saved, changed, scope).size(), 1u);
}

}  // namespace
}  // namespace veltrano
