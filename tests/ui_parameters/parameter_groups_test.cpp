// The group central control's check boxes and banks, and the holidays, on
// the sheet " Parameter".
#include <QCalendarWidget>
#include <QDate>

#include "masks/parameter_sheet.h"
#include "parameter_fixture.h"

namespace veltrano {
namespace {

using testing::Frame;
using testing::kConservatoryGroups;
using testing::kParameterSheet;
using testing::kScheduleSheet;
using testing::kSunGroups8;
using testing::ParameterSheetTest;

class GroupTest : public ParameterSheetTest {
  protected:
    void Tick(int number) { testing::ClickCheckBox(Box(number)); }
    void NextGroupBank() { Find<QPushButton>("GZ_Bank_next_")->click(); }
    // The ticks of column g as "10000001" (box 1 first).
    std::string Column(int g) {
        std::string ticks;
        for (int i = 1; i <= 8; ++i)
            ticks += Box(8 * (g - 1) + i)->isChecked() ? '1' : '0';
        return ticks;
    }
};

TEST_F(GroupTest, LeavingTheSheetStoresTheBankShown) {
    ShowSheet(kParameterSheet);
    NextGroupBank();
    Tick(17);                                       // group 3, box 1: motor 9
    Tick(24);                                       // group 3, box 8: motor 16
    EXPECT_EQ(window->Model().groupMask(2, 3), 0);  // a buffer until stored
    ShowSheet(kScheduleSheet);
    EXPECT_EQ(window->Model().groupMask(2, 3), 129);
    for (int g : {1, 2, 4})
        EXPECT_EQ(window->Model().groupMask(2, g), 0) << g;
    EXPECT_EQ(window->Model().GroupMotorMask(3), 0x8100u);
}

TEST_F(GroupTest, EnteringShowsTheBankLeftAndItsMotorNamesAsTheyAre) {
    NameMotors();
    window->Model().motorName(17) = "Bad & WC";
    window->Model().motorName(18) = "<b>Flur</b>";
    window->Model().motorName(2) = "<i>Diele</i>";
    ShowSheet(kParameterSheet);
    NextGroupBank();
    NextGroupBank();
    ShowSheet(kScheduleSheet);
    ShowSheet(kParameterSheet);
    EXPECT_EQ(LabelText("GZ_Bank_Label"), "3");
    EXPECT_EQ(Box(1)->text(), "Bad && WC");  // shown as "Bad & WC"
    EXPECT_EQ(Box(2)->text(), "<b>Flur</b>");
    for (int i = 3; i <= 8; ++i)
        EXPECT_EQ(Box(i)->text(), QString("Raum %1").arg(16 + i));
    for (int number = 9; number <= 32; ++number)
        EXPECT_TRUE(Box(number)->text().isEmpty()) << number;
    // The alarm set-up starts at bank 1 again.
    EXPECT_EQ(LabelText("AS_Bank_Label"), "1");
    EXPECT_EQ(LabelText("AS_2_Label"), "<i>Diele</i>");
    EXPECT_EQ(Find<QLabel>("AS_2_Label")->textFormat(), Qt::PlainText);
}

TEST_F(GroupTest, NextBankStoresTheBankItLeavesAndLoadsTheNext) {
    window->Model().groupMask(2, 1) = 0x81;
    window->Model().groupMask(1, 4) = 0x10;
    ShowSheet(kParameterSheet);
    window->Hooks().LoadGroupCheckBoxes();
    EXPECT_EQ(Column(4), "00001000");
    Tick(9);
    NextGroupBank();
    EXPECT_EQ(window->Model().groupMask(1, 2), 1);
    EXPECT_EQ(window->Model().groupMask(1, 4), 0x10);
    EXPECT_EQ(LabelText("GZ_Bank_Label"), "2");
    EXPECT_EQ(Column(1), "10000001");
    for (int g : {2, 3, 4})
        EXPECT_EQ(Column(g), "00000000") << g;
    for (int bank : {3, 4, 1}) {
        NextGroupBank();
        EXPECT_EQ(LabelText("GZ_Bank_Label"), QString::number(bank));
    }
    EXPECT_EQ(Column(2), "10000000");
}

TEST_F(GroupTest, TheGroupBlockLoadsTheBankShown) {
    ShowSheet(kParameterSheet);
    NextGroupBank();
    // Group masks of 32 motors, bit m - 1 = motor m; bank 2 is bits 8..15.
    Receive(Frame("sgz", {0x0000FF00, 0x00000100, 0x00008000, 0x80000000}));
    EXPECT_EQ(Column(1), "11111111");
    EXPECT_EQ(Column(2), "10000000");
    EXPECT_EQ(Column(3), "00000001");
    EXPECT_EQ(Column(4), "00000000");
    EXPECT_EQ(window->Model().groupMask(4, 4), 0x80);
}

TEST_F(GroupTest, BytesLoadAsTheirBitsAndStoreBack) {
    struct Case {
        std::uint8_t byte;
        const char* ticks;
    };
    const Case cases[] = {
        {0, "00000000"}, {1, "10000000"}, {128, "00000001"}, {255, "11111111"}, {0x5A, "01011010"}};
    for (const Case& c : cases) {
        for (int g = 1; g <= 4; ++g)
            window->Model().groupMask(1, g) = g == 2 ? c.byte : 0;
        window->Hooks().LoadGroupCheckBoxes();
        EXPECT_EQ(Column(2), c.ticks) << int(c.byte);
        window->Model().groupMask(1, 2) = 77;
        window->Hooks().StoreGroupCheckBoxes();
        EXPECT_EQ(window->Model().groupMask(1, 2), c.byte);
    }
}

// A bank above 1 left with a 32-motor Controller: an 8-motor one can edit
// bank 1 only, so entering the sheet puts the bank away and shows bank 1.
TEST_F(GroupTest, AnEightMotorControllerReturnsTheSheetToBankOne) {
    Connect(kConservatoryGroups);
    ShowSheet(kParameterSheet);
    Tick(1);
    Tick(2);
    NextGroupBank();
    Tick(1);
    ShowSheet(kScheduleSheet);
    Connect(kSunGroups8);
    EXPECT_TRUE(Find<QPushButton>("GZ_Bank_next_")->isHidden());
    ShowSheet(kParameterSheet);
    EXPECT_EQ(LabelText("GZ_Bank_Label"), "1");
    EXPECT_EQ(Column(1), "11000000");
    EXPECT_EQ(window->Model().groupMask(2, 1), 1);
    EXPECT_EQ(window->Parameters().GroupBank(), 1);
}

// --- Holidays ------------------------------------------------------------------

TEST_F(ParameterSheetTest, PickingADateStoresDayAndMonthAndShowsThem) {
    const QDate today = QDate::currentDate();
    for (int n = 1; n <= 15; ++n) {
        EXPECT_EQ(Picker(n)->date(), today) << n;
        EXPECT_EQ(Field(n), "       01.01.") << n;
        EXPECT_EQ(window->Model().holiday(n), (Holiday{1, 1})) << n;
        EXPECT_TRUE(Find<QLineEdit>(QString("Edit%1").arg(n))->isReadOnly());
    }
    ShowSheet(kParameterSheet);
    QDateEdit* picker = Picker(3);
    testing::TypeDayAndMonth(picker, 5, 3);
    EXPECT_EQ(picker->date().day(), 5);
    EXPECT_EQ(picker->date().month(), 3);
    EXPECT_EQ(window->Model().holiday(3), (Holiday{5, 3}));
    EXPECT_EQ(Field(3), "       05.03.");

    // Today picked in the calendar while the field says 01.01.: picking the
    // date shown still stores it.
    emit Picker(9)->calendarWidget()->clicked(today);
    EXPECT_EQ(window->Model().holiday(9), (Holiday{today.day(), today.month()}));
    EXPECT_EQ(Field(9), QString("       %1.").arg(today.toString("dd.MM")));
}

TEST_F(ParameterSheetTest, ARedrawMovesThePickersWithoutStoringAndKeepsOddHolidays) {
    const int year = QDate::currentDate().year();
    const QDate before = Picker(5)->date();
    ConfigurationModel& m = window->Model();
    m.holiday(4) = {24, 12};
    m.holiday(5) = {0, 13};  // no date at all
    m.holiday(6) = {31, 4};  // no date in any year
    m.holiday(7) = {29, 2};  // a date in leap years only
    const ConfigurationModel expected = m;
    window->Hooks().RedrawHolidayFields();
    EXPECT_EQ(Picker(4)->date(), QDate(year, 12, 24));
    EXPECT_EQ(Field(4), "       24.12.");
    EXPECT_EQ(Picker(5)->date(), before);
    EXPECT_EQ(Field(5), "       00.13.");
    EXPECT_EQ(Picker(6)->date(), before);
    EXPECT_EQ(Field(6), "       31.04.");
    EXPECT_EQ(Picker(7)->date(), QDate::isLeapYear(year) ? QDate(year, 2, 29) : before);
    EXPECT_EQ(Field(7), "       29.02.");
    EXPECT_TRUE(m == expected);
}

}  // namespace
}  // namespace veltrano
