// The two backup buttons through the window, with the file dialogs answered
// by the test.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "../backup/full_model.h"
#include "app/tquorvan.h"
#include "backup/backup_format.h"
#include "fake_dialogs.h"
#include "qt_app.h"
#include "temp_workdir.h"
#include "test_window.h"

namespace veltrano {
namespace {

namespace fs = std::filesystem;
using testing::DialogLog;
using testing::FakeDialogs;
using testing::TempWorkDir;

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void Put(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

ConfigurationModel Modified(ConfigurationModel model) {
    model.MarkAllModified();
    return model;
}

class BackupUiTest : public ::testing::Test {
  protected:
    void SetUp() override { window = testing::MakeTestWindow(log, work.path()); }
    // Records the refresh hooks in the order they run.
    void RecordHooks() {
        WindowHooks& h = window->Hooks();
        h.LoadGroupCheckBoxes = [this] { calls.push_back("LoadGroupCheckBoxes"); };
        h.SetMotorNameItem = [this](int motor, const std::string& name) {
            calls.push_back("SetMotorNameItem " + std::to_string(motor) + " " + name);
        };
        h.SetSoftGzsChecked = [this](bool on) {
            calls.push_back(std::string("SetSoftGzsChecked ") + (on ? "1" : "0"));
        };
        h.SelectGroupBank = [this](int bank) {
            calls.push_back("SelectGroupBank " + std::to_string(bank));
        };
        h.RebuildSwitchTimeLists = [this] { calls.push_back("RebuildSwitchTimeLists"); };
        h.Heiz_Raum_Click = [this] { calls.push_back("Heiz_Raum_Click"); };
        h.SelectFirstSwitchTime = [this] { calls.push_back("SelectFirstSwitchTime"); };
        h.CB_WochentagClick = [this] { calls.push_back("CB_WochentagClick"); };
        h.RedrawHolidayFields = [this] { calls.push_back("RedrawHolidayFields"); };
    }
    void ClickSave() { window->findChild<QPushButton*>("SaveToDisk_Button")->click(); }
    void ClickLoad() { window->findChild<QPushButton*>("Read_From_Disk")->click(); }
    QString Absolute(const char* name) { return QDir::current().absoluteFilePath(name); }

    // The step-6 refresh after every load that got a file name.
    const std::vector<std::string> kRefresh = {"RebuildSwitchTimeLists", "Heiz_Raum_Click",
                                               "SelectFirstSwitchTime", "CB_WochentagClick",
                                               "RedrawHolidayFields"};

    TempWorkDir work;
    DialogLog log;
    std::unique_ptr<TQuorvan> window;
    std::vector<std::string> calls;
};

// --- Saving --------------------------------------------------------------------------

TEST_F(BackupUiTest, SaveCancelledWritesNothing) {
    RecordHooks();
    ClickSave();
    EXPECT_EQ(log.fileDialogs, QStringList{"SaveDialog1"});
    EXPECT_TRUE(log.questions.isEmpty());
    EXPECT_TRUE(fs::is_empty(work.path()));
    EXPECT_TRUE(calls.empty());
}

TEST_F(BackupUiTest, SaveNewFileWritesTheModel) {
    window->Model() = testing::FullModel();
    // The parameter sheet's controls show it, as after a read or a load.
    WindowHooks& h = window->Hooks();
    h.LoadGroupCheckBoxes();
    h.SetSoftGzsChecked(window->Model().Parameters.SoftGzsActive);
    h.RedrawHolidayFields();
    log.fileNames = {"plan.qts"};
    ClickSave();
    EXPECT_TRUE(log.questions.isEmpty());
    EXPECT_TRUE(log.errors.isEmpty());
    EXPECT_TRUE(Slurp("plan.qts") == FormatBackup(testing::FullModel()));
}

TEST_F(BackupUiTest, OverwriteAnsweredNo) {
    Put("plan.qts", "old");
    log.fileNames = {"plan.qts"};
    log.answers = {false};
    bool stored = false;
    window->Hooks().StoreGroupCheckBoxes = [&] { stored = true; };
    ClickSave();
    ASSERT_EQ(log.questions.size(), 1);
    EXPECT_EQ(log.questions[0],
              Absolute("plan.qts") + " existiert. Wollen Sie die Datei überschreiben?");
    EXPECT_EQ(log.informations, QStringList{"Die Daten wurden nicht gespeichert"});
    EXPECT_EQ(Slurp("plan.qts"), "old");
    EXPECT_FALSE(stored);
}

TEST_F(BackupUiTest, OverwriteAnsweredYes) {
    Put("plan.qts", "old");
    log.fileNames = {"plan.qts"};
    log.answers = {true};
    ClickSave();
    EXPECT_EQ(log.questions.size(), 1);
    EXPECT_TRUE(log.informations.isEmpty());
    EXPECT_TRUE(Slurp("plan.qts") == FormatBackup(ConfigurationModel{}));
}

TEST_F(BackupUiTest, SaveTakesOverGroupBoxesSoftGzsAndHolidayFields) {
    WindowHooks& h = window->Hooks();
    h.StoreGroupCheckBoxes = [this] { window->Model().groupMask(2, 3) = 129; };
    h.IsSoftGzsChecked = [] { return true; };
    h.HolidayEditText = [](int n) {
        return std::string(n == 3 ? "       24.12." : n == 4 ? "  kaputt" : "       01.01.");
    };
    window->Model().holiday(4) = {6, 1};
    log.fileNames = {"plan.qts"};
    ClickSave();
    const ConfigurationModel& m = window->Model();
    EXPECT_EQ(m.groupMask(2, 3), 129);
    EXPECT_TRUE(m.Parameters.SoftGzsActive);
    EXPECT_EQ(m.holiday(3), (Holiday{24, 12}));
    EXPECT_EQ(m.holiday(4), (Holiday{6, 1}));  // a field without a date changes nothing
    const std::string text = Slurp("plan.qts");
    EXPECT_NE(text.find("Gruppe_3_Bank_2=129\r\n"), std::string::npos);
    EXPECT_NE(text.find("[Soft-GZS_]\r\nEinAus=Ein\r\n"), std::string::npos);
    EXPECT_NE(text.find("[Feiertag_No03]\r\nFeiertag_Tag=24\r\nFeiertag_Monat=12\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("[Feiertag_No04]\r\nFeiertag_Tag=6\r\nFeiertag_Monat=1\r\n"),
              std::string::npos);
}

TEST_F(BackupUiTest, SaveErrorShowsFileAndCause) {
    log.fileNames = {"fehlt/plan.qts"};
    ClickSave();
    ASSERT_EQ(log.errors.size(), 1);
    EXPECT_EQ(log.errors[0], "Die Datei " + Absolute("fehlt/plan.qts") +
                                 " konnte nicht gespeichert werden.\nDer Ordner existiert "
                                 "nicht.\nEine bereits vorhandene Datei bleibt unverändert.");
}

TEST_F(BackupUiTest, DialogsCarryTheirFiltersAfterStartUp) {
    testing::StartWithTimersStopped(*window);
    auto* save = window->findChild<QFileDialog*>("SaveDialog1");
    auto* open = window->findChild<QFileDialog*>("OpenDialog1");
    ASSERT_TRUE(save && open);
    EXPECT_EQ(save->nameFilters(), QStringList{"Quorvan Schaltzeiten (*.qts)"});
    EXPECT_EQ(save->defaultSuffix(), "qts");
    EXPECT_EQ(open->nameFilters(), QStringList{"Quorvan Schaltzeiten (*.qts)"});
    log.fileNames = {"a.qts", "a.qts"};
    ClickSave();
    ClickLoad();
    EXPECT_EQ(log.fileDialogs, (QStringList{"SaveDialog1", "OpenDialog1"}));
}

// --- Loading ---------------------------------------------------------------------------

TEST_F(BackupUiTest, LoadCancelledChangesNothing) {
    RecordHooks();
    window->Model().ClearAllModified();
    window->State().OverwriteConfirmed = true;
    ClickLoad();
    EXPECT_EQ(log.fileDialogs, QStringList{"OpenDialog1"});
    EXPECT_TRUE(window->State().OverwriteConfirmed);
    EXPECT_FALSE(window->Model().shading(1).Modified);
    EXPECT_TRUE(calls.empty());
}

TEST_F(BackupUiTest, LoadTakesOverTheFileAndRefreshesTheMasks) {
    Put("plan.qts", FormatBackup(testing::FullModel()));
    RecordHooks();
    window->Model().ClearAllModified();
    window->State().OverwriteConfirmed = true;
    log.fileNames = {"plan.qts"};
    ClickLoad();
    EXPECT_TRUE(log.errors.isEmpty());
    EXPECT_TRUE(log.messages.isEmpty());

    ConfigurationModel expected = Modified(testing::FullModel());
    for (SwitchTime& e : expected.SwitchTimes) {
        if (e.DurationCode > 129) e.DurationCode = 43;
    }
    EXPECT_TRUE(window->Model() == expected);
    EXPECT_FALSE(window->State().OverwriteConfirmed);
    EXPECT_EQ(window->PanelText(6),
              QString::fromStdString(expected.FreeSwitchTimeMemory().panelText));

    std::vector<std::string> order = {"LoadGroupCheckBoxes"};
    for (int m = 1; m <= kMotorCount; ++m)
        order.push_back("SetMotorNameItem " + std::to_string(m) + " " + testing::FullModelName(m));
    order.insert(order.end(), {"SetSoftGzsChecked 1", "SelectGroupBank 1", "LoadGroupCheckBoxes"});
    order.insert(order.end(), kRefresh.begin(), kRefresh.end());
    EXPECT_EQ(calls, order);
}

// With the masks the window has, not with recorded hooks: the motor selectors
// show the loaded names.
TEST_F(BackupUiTest, LoadedNamesReachTheMotorSelectors) {
    Put("plan.qts", FormatBackup(testing::FullModel()));
    log.fileNames = {"plan.qts"};
    ClickLoad();
    EXPECT_TRUE(log.errors.isEmpty());
    for (const char* name : {"CB_Raum", "CB_Copy_Raum"}) {
        auto* box = window->findChild<QComboBox*>(name);
        if (!box) continue;  // no editor in this build
        ASSERT_EQ(box->count(), kMotorCount) << name;
        for (int m = 1; m <= kMotorCount; ++m)
            EXPECT_EQ(box->itemText(m - 1).toStdString(), testing::FullModelName(m)) << name;
    }
}

TEST_F(BackupUiTest, FifteenCharacterNameWithUmlautsThroughSaveAndLoad) {
    window->Model().motorName(7) = "Gästezimmer Öst";
    window->Model().motorName(8) = "Ärger Über Öfen";
    log.fileNames = {"namen.qts", "namen.qts"};
    ClickSave();
    window->Model() = ConfigurationModel{};
    ClickLoad();
    EXPECT_EQ(window->Model().motorName(7), "Gästezimmer Öst");
    EXPECT_EQ(window->Model().motorName(8), "Ärger Über Öfen");
    EXPECT_NE(Slurp("namen.qts").find("Motor07=G\xE4stezimmer \xD6st\r\nMotor08=\xC4rger \xDC"),
              std::string::npos);
}

TEST_F(BackupUiTest, FileNotFound) {
    RecordHooks();
    window->Model() = testing::FullModel();
    window->Model().ClearAllModified();
    window->State().OverwriteConfirmed = true;
    log.fileNames = {"fehlt.qts"};
    ClickLoad();
    EXPECT_EQ(log.messages, QStringList{"File not found"});
    EXPECT_TRUE(window->Model() == Modified(testing::FullModel()));
    EXPECT_FALSE(window->State().OverwriteConfirmed);
    EXPECT_EQ(calls, kRefresh);
}

TEST_F(BackupUiTest, ValueThatIsNoIntegerLeavesTheDataAndNamesTheLine) {
    Put("kaputt.qts",
        "[Parameter_]\r\nZufalls-Zeitspanne=30\r\n\r\n[Beschattung_Motor01]\r\n"
        "EinAus=Ein\r\nTemperatur = 12\r\n");
    RecordHooks();
    window->Model() = testing::FullModel();
    window->Model().ClearAllModified();
    window->State().OverwriteConfirmed = true;
    window->SetPanelText(6, "Freier Schaltzeiten-Speicher: 77%");
    log.fileNames = {"kaputt.qts"};
    ClickLoad();
    ASSERT_EQ(log.errors.size(), 1);
    EXPECT_EQ(log.errors[0], "'= 12' ist kein gültiger Integerwert (Zeile 6 der Datei " +
                                 Absolute("kaputt.qts") +
                                 ").\nDie Datei wurde nicht geladen; die Daten bleiben "
                                 "unverändert.");
    EXPECT_TRUE(window->Model() == Modified(testing::FullModel()));
    EXPECT_FALSE(window->State().OverwriteConfirmed);
    EXPECT_EQ(calls, std::vector<std::string>{"LoadGroupCheckBoxes"});
    EXPECT_EQ(window->PanelText(6), "Freier Schaltzeiten-Speicher: 77%");
}

TEST_F(BackupUiTest, OnlyAParameterLine) {
    Put("p.qts", "[Parameter_]\r\nZufalls-Zeitspanne=30\r\n");
    window->Model() = testing::FullModel();
    window->Model().ClearAllModified();
    log.fileNames = {"p.qts"};
    ClickLoad();
    ConfigurationModel expected = Modified(testing::FullModel());
    expected.Parameters.RandomSpanCode = 28;
    EXPECT_TRUE(window->Model() == expected);
}

TEST_F(BackupUiTest, FileWithoutKeyLinesKeepsTheGroupBank) {
    Put("leer.qts", "[Parameter_]\r\n\r\n");
    RecordHooks();
    log.fileNames = {"leer.qts"};
    ClickLoad();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "SelectGroupBank 1"), 0);
}

TEST_F(BackupUiTest, FullMemoryShowsTheWarning) {
    ConfigurationModel full;
    int n = 0;
    for (SwitchTime& e : full.SwitchTimes) {
        if (n++ < 240) e.TimeCode = 100;
    }
    Put("voll.qts", FormatBackup(full));
    log.fileNames = {"voll.qts"};
    auto* warning = window->findChild<QLabel*>("Speicherplatz_Label");
    ASSERT_TRUE(warning);
    ClickLoad();
    EXPECT_EQ(window->PanelText(6), "Freier Schaltzeiten-Speicher: 0%");
    EXPECT_FALSE(warning->isHidden());
}

}  // namespace
}  // namespace veltrano
