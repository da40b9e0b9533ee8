// The sheet " Parameter" in the window: leaving it and the "sts" frame, the
// read watchdog, the backup file written from and read into its controls,
// what a Controller's model text shows, and its layout.
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QTimer>
#include <chrono>
#include <fstream>
#include <iterator>

#include "e2e_wait.h"
#include "masks/parameter_sheet.h"
#include "parameter_fixture.h"

namespace veltrano {
namespace {

using namespace std::chrono_literals;
using testing::Frame;
using testing::kConservatoryGroups;
using testing::kParameterSheet;
using testing::kScheduleSheet;
using testing::ParameterSheetTest;

const char* const kSts = "start_stsende_";
const char* const kGroupBoxes[] = {"GroupBox15",           "GroupBox_AlarmSetUp",
                                   "GroupBox_SensorTypen", "GroupBox_WintergStrg",
                                   "GroupBox_GZS",         "GroupBox12"};

TEST_F(ParameterSheetTest, LeavingStoresTheBoxesAndStartsAStoppedPollingTimer) {
    QTimer* timer1 = window->Timer1();
    ShowSheet(kParameterSheet);
    testing::ClickCheckBox(Box(3));
    ShowSheet(kScheduleSheet);
    EXPECT_TRUE(timer1->isActive());
    EXPECT_FALSE(window->Timer3()->isActive());
    EXPECT_EQ(window->Model().groupMask(1, 1), 4);

    // A running timer is not restarted: quick changes must not postpone the
    // poll. Its remaining time only shrinks; a restart would set it to 900 ms.
    ASSERT_TRUE(testing::WaitFor([&] { return timer1->remainingTime() <= 700; }, 5000));
    ShowSheet(kParameterSheet);
    ShowSheet(kScheduleSheet);
    window->Hooks().ParameterExit();
    EXPECT_LE(timer1->remainingTime(), 700);
    EXPECT_TRUE(timer1->isActive());
}

// "sts" runs the leave handler. During a read-all the window is held: the
// boxes are stored, but no poll may start in the middle of the transfer.
// The holiday fields are redrawn at holiday 15; a read that the watchdog
// ends before it must not leave dates that a save would write back.
TEST_F(ParameterSheetTest, StsDuringAReadAndAReadEndedByTheWatchdog) {
    Connect(kConservatoryGroups);
    window->ReadAll().WriteText = [](std::string_view) {};
    auto now = std::chrono::steady_clock::time_point{} + 1h;
    window->ReadAll().SetClock([&] { return now; });
    window->ReadAll().SetTimeout(2s);
    window->Read_ButtonClick();
    Box(2)->setChecked(true);  // the buffer as the group block may have left it
    Receive(Frame("sft", {1, 24, 12}) + Frame("sft", {2, 31, 12}) + kSts);
    EXPECT_EQ(window->Model().groupMask(1, 1), 2);
    EXPECT_FALSE(window->Timer1()->isActive());
    EXPECT_FALSE(window->Timer3()->isActive());
    EXPECT_EQ(Field(1), "       01.01.");

    window->ReadAllWatchdogTimer();  // the last characters came now
    now += 2s;
    window->ReadAllWatchdogTimer();
    ASSERT_FALSE(window->State().ReadAllInProgress);
    log.errors.clear();  // the time-out's message
    EXPECT_EQ(Field(1), "       24.12.");
    EXPECT_EQ(Field(2), "       31.12.");
    EXPECT_EQ(Field(3), "       01.01.");

    window->Timer1()->stop();
    Box(2)->setChecked(false);
    Receive(kSts);
    EXPECT_EQ(window->Model().groupMask(1, 1), 0);
    EXPECT_TRUE(window->Timer1()->isActive());
}

std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(ParameterSheetTest, ASaveTakesTheSheetsControlsAndALoadShowsTheFile) {
    ShowSheet(kParameterSheet);
    auto* soft = Find<QCheckBox>("Soft_GZS");
    testing::ClickCheckBox(soft);
    EXPECT_TRUE(window->Model().Parameters.SoftGzsActive);  // at once: send-all reads the model
    window->Model().holiday(7) = {24, 12};
    window->Model().holiday(2) = {0, 13};
    window->Hooks().RedrawHolidayFields();
    window->Model().holiday(7) = {1, 1};  // the field is what the save takes
    Find<QPushButton>("GZ_Bank_next_")->click();
    testing::ClickCheckBox(Box(17));
    ASSERT_EQ(Pages()->currentIndex(), kParameterSheet);

    const auto path = work.path() / "Anlage.qts";
    log.fileNames.push_back(QString::fromStdString(path.string()));
    Find<QPushButton>("SaveToDisk_Button")->click();
    const std::string text = FileText(path);
    for (const char* expected : {"Gruppe_3_Bank_2=1\r\n", "[Soft-GZS_]\r\nEinAus=Ein\r\n",
                                 "[Feiertag_No07]\r\nFeiertag_Tag=24\r\nFeiertag_Monat=12\r\n",
                                 "[Feiertag_No02]\r\nFeiertag_Tag=0\r\nFeiertag_Monat=13\r\n"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    EXPECT_EQ(window->Model().holiday(2), (Holiday{0, 13}));

    std::ofstream(path, std::ios::binary | std::ios::trunc)
        << "[Soft-GZS_]\r\nEinAus=Aus\r\n\r\n"
           "[Feiertag_No03]\r\nFeiertag_Tag=5\r\nFeiertag_Monat=3\r\n\r\n";
    log.fileNames.push_back(QString::fromStdString(path.string()));
    Find<QPushButton>("Read_From_Disk")->click();
    EXPECT_FALSE(soft->isChecked());
    EXPECT_FALSE(window->Model().Parameters.SoftGzsActive);
    EXPECT_EQ(Field(3), "       05.03.");
    EXPECT_EQ(Picker(3)->date(), QDate(QDate::currentDate().year(), 3, 5));
    EXPECT_EQ(Field(7), "       24.12.");
}

struct VisibilityCase {
    const char* name;
    const char* modelText;
    bool groups[6];  // in the order of kGroupBoxes
    bool heating;
    bool banks;
};
void PrintTo(const VisibilityCase& c, std::ostream* out) {
    *out << c.name;
}

class ParameterVisibilityTest : public ParameterSheetTest,
                                public ::testing::WithParamInterface<VisibilityCase> {};

TEST_P(ParameterVisibilityTest, TheControllersModelTextDecidesWhatShows) {
    const VisibilityCase& c = GetParam();
    auto shown = [&](const char* name) { return !Find<QWidget>(name)->isHidden(); };
    for (const char* name : kGroupBoxes)
        EXPECT_TRUE(shown(name)) << "before any Controller: " << name;
    Connect(c.modelText);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(shown(kGroupBoxes[i]), c.groups[i]) << kGroupBoxes[i];
    EXPECT_EQ(shown("Heiz_Hysterese"), c.heating);
    EXPECT_EQ(shown("Heiz_Hysterese_Label"), c.heating);
    for (const char* name : {"AS_Bank_next_", "AS_Bank_Label", "GZ_Bank_next_", "GZ_Bank_Label"})
        EXPECT_EQ(shown(name), c.banks) << name;
}

INSTANTIATE_TEST_SUITE_P(
    Controllers, ParameterVisibilityTest,
    ::testing::Values(
        VisibilityCase{"Roller8", "QX-7000-R-7-8   ", {1, 0, 0, 0, 0, 1}, false, false},
        VisibilityCase{"SunRadio", "QX-7000-R-7-9SF ", {1, 0, 1, 0, 0, 1}, false, true},
        VisibilityCase{"ConservatoryGroups", kConservatoryGroups, {1, 1, 1, 1, 1, 1}, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

// Group boxes side by side inside the sheet, their controls inside them.
TEST_F(ParameterSheetTest, GroupBoxesLieSideBySideInsideTheSheet) {
    ShowSheet(kParameterSheet);
    QWidget* sheet = Find<QWidget>("Parameter");
    std::vector<QRect> taken;
    for (const char* name : kGroupBoxes) {
        auto* group = Find<QGroupBox>(name);
        EXPECT_TRUE(sheet->rect().contains(group->geometry())) << name;
        for (const QRect& other : taken)
            EXPECT_FALSE(other.intersects(group->geometry())) << name;
        taken.push_back(group->geometry());
        for (auto* child : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            EXPECT_TRUE(group->rect().contains(child->geometry()))
                << child->objectName().toStdString();
    }
    EXPECT_EQ(LabelText("AlarmStatus"), "Kein Alarm");
}

}  // namespace
}  // namespace veltrano
