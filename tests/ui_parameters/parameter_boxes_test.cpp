// The six parameter boxes and the alarm selectors of the sheet " Parameter",
// driven through their widgets.
#include <QApplication>
#include <QFocusEvent>
#include <QWheelEvent>
#include <vector>

#include "masks/parameter_sheet.h"
#include "parameter_fixture.h"

namespace veltrano {
namespace {

using testing::Choose;
using testing::Frame;
using testing::kParameterSheet;
using testing::kScheduleSheet;
using testing::ParameterSheetTest;

struct BoxCase {
    const char* name;
    ParameterControl control;
    std::int32_t GeneralParameters::*code;
    int count;
    const char* first;
    const char* last;
    int startCode;
    const char* startText;
    const char* captionName;
    const char* caption;
    const char* hint;
};
void PrintTo(const BoxCase& c, std::ostream* out) {
    *out << c.name;
}

const BoxCase kBoxes[] = {
    {"ZufallsZeitspanne", ParameterControl::ZufallsZeitspanne, &GeneralParameters::RandomSpanCode,
     253, "± 2 min", "± 254 min", 28, "± 30 min", "Parameter_Label1", "Zufalls-Zeitspanne",
     "Für die Zufallsfunktion im Bereich \"Schaltzeiten\""},
    {"BeschattungsHysterese", ParameterControl::BeschattungsHysterese,
     &GeneralParameters::ShadingHysteresisCode, 49, "2", "50", 8, "10", "Parameter_Label2",
     "Beschattungs-Hysterese", "Schalt-Hysterese des Helligkeitswertes bei Beschattungs-Automatik"},
    {"OffsetAussentemperatur", ParameterControl::OffsetAussentemperatur,
     &GeneralParameters::OutsideTempOffsetCode, 11, "- 5 °C", "+ 5 °C", 5, "0 °C",
     "Parameter_Label3", "Offset Außentemperatur", "Offset Außentemperatur"},
    {"OffsetInnentemperatur", ParameterControl::OffsetInnentemperatur,
     &GeneralParameters::InsideTempOffsetCode, 11, "- 5 °C", "+ 5 °C", 5, "0 °C",
     "Parameter_Label4", "Offset Innentemperatur", "Offset Innentemperatur"},
    {"Heiz_Hysterese", ParameterControl::Heiz_Hysterese, &GeneralParameters::HeatingHysteresisCode,
     9, "± 0,1 °C", "± 0,9 °C", 2, "± 0,3 °C", "Heiz_Hysterese_Label", "Schalt-Hysterese Heizung",
     "Schalt-Hysterese Heizung"},
    {"AusloeseverzoegerungWind", ParameterControl::AusloeseverzoegerungWind,
     &GeneralParameters::WindDelayCode, 21, "0 s", "20 s", 0, "0 s", "Parameter_Label5",
     "Auslöseverzögerung Wind", "Auslöseverzögerung Wind"},
};

class ParameterBoxTest : public ParameterSheetTest,
                         public ::testing::WithParamInterface<BoxCase> {};

TEST_P(ParameterBoxTest, ItemsStartValueChoiceAndWhatStoresNothing) {
    const BoxCase& c = GetParam();
    QComboBox* box = Combo(c.name);
    std::int32_t& code = window->Model().Parameters.*c.code;
    ASSERT_EQ(box->count(), c.count);
    EXPECT_EQ(box->itemText(0), QString::fromUtf8(c.first));
    EXPECT_EQ(box->itemText(c.count - 1), QString::fromUtf8(c.last));
    EXPECT_EQ(box->toolTip(), QString::fromUtf8(c.hint));
    EXPECT_EQ(LabelText(c.captionName), QString::fromUtf8(c.caption));
    EXPECT_EQ(box->currentText(), QString::fromUtf8(c.startText));
    EXPECT_EQ(code, c.startCode);

    ShowSheet(kParameterSheet);
    Choose(box, c.count - 1);
    EXPECT_EQ(code, c.count - 1);
    code = 1;  // the same item chosen again stores it again
    Choose(box, c.count - 1);
    EXPECT_EQ(code, c.count - 1);

    // The program's selections store nothing.
    window->Hooks().SelectParameterItem(c.control, 0);
    EXPECT_EQ(box->currentIndex(), 0);
    EXPECT_EQ(code, c.count - 1);
    ShowSheet(kScheduleSheet);
    ShowSheet(kParameterSheet);
    EXPECT_EQ(box->currentIndex(), c.count - 1);

    // A code outside the list: no item, and the model keeps it.
    for (int outside : {-1, c.count}) {
        code = outside;
        window->Hooks().ParameterEnter();
        EXPECT_EQ(box->currentIndex(), -1) << outside;
        EXPECT_EQ(code, outside);
    }

    // A wheel turn over the box the user has not focused changes nothing.
    box->setCurrentIndex(1);
    code = 1;
    ASSERT_FALSE(box->hasFocus());
    const QPointF at = box->rect().center();
    QWheelEvent wheel(at, box->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(box, &wheel);
    EXPECT_EQ(box->currentIndex(), 1);
    EXPECT_EQ(code, 1);
}

INSTANTIATE_TEST_SUITE_P(Boxes, ParameterBoxTest, ::testing::ValuesIn(kBoxes),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Alarm set-up ------------------------------------------------------------

TEST_F(ParameterSheetTest, NextBankClicksWalkTheBanksAndReturnToBankOne) {
    NameMotors();
    ShowSheet(kParameterSheet);
    auto* next = Find<QPushButton>("AS_Bank_next_");
    EXPECT_EQ(next->toolTip(), "Weitere Kanäle");
    const int banks[] = {1, 2, 3, 4, 1};
    for (int i = 0; i < 5; ++i) {
        if (i > 0) next->click();
        EXPECT_EQ(LabelText("AS_Bank_Label"), QString::number(banks[i]));
        for (int k = 1; k <= 8; ++k)
            EXPECT_EQ(LabelText(QString("AS_%1_Label").arg(k)),
                      QString("Raum %1").arg(8 * (banks[i] - 1) + k));
    }
}

TEST_F(ParameterSheetTest, AlarmBlockShowsItsRowsAndSelectorsStoreTheirMotor) {
    ShowSheet(kParameterSheet);
    // Up mask 5 (motors 1, 3), down mask 6 (motors 2, 3): down wins for motor 3.
    Receive(Frame("sas", {5, 6}));
    const int rows[] = {0, 2, 2, 1, 1, 1, 1, 1};
    for (int k = 1; k <= 8; ++k)
        EXPECT_EQ(Selector(k)->currentRow(), rows[k - 1]) << "AS_" << k;

    window->Model().AlarmPatterns.fill(1);
    auto* next = Find<QPushButton>("AS_Bank_next_");
    next->click();
    next->click();
    testing::ClickItem(Selector(5), 2);
    for (int motor = 1; motor <= 32; ++motor)
        EXPECT_EQ(window->Model().alarmPattern(motor), motor == 21 ? 2 : 1) << motor;

    // The row already shown, clicked: the click is the user's choice.
    window->Model().alarmPattern(21) = 0;
    testing::ClickItem(Selector(5), 2);
    EXPECT_EQ(window->Model().alarmPattern(21), 2);
}

TEST_F(ParameterSheetTest, ASelectorHoldingACodeOffItsListShowsNoRowUntilTheUserChooses) {
    window->Model().alarmPattern(2) = 7;
    ShowSheet(kParameterSheet);
    QListWidget* selector = Selector(2);
    EXPECT_EQ(selector->currentRow(), -1);
    EXPECT_TRUE(selector->selectedItems().isEmpty());

    // Taking the focus makes no choice; a key does.
    QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(selector, &focusIn);
    EXPECT_EQ(window->Model().alarmPattern(2), 7);
    testing::Key(selector, Qt::Key_Right);
    EXPECT_EQ(window->Model().alarmPattern(2), selector->currentRow());
    EXPECT_GE(selector->currentRow(), 0);

    window->Model().alarmPattern(2) = 7;
    ShowSheet(kScheduleSheet);
    ShowSheet(kParameterSheet);
    testing::ClickItem(Selector(2), 1);
    EXPECT_EQ(window->Model().alarmPattern(2), 1);
}

}  // namespace
}  // namespace veltrano
