// No text of the window is cut off: every visible label, button, check box,
// combo box item, group box caption, tab caption and status panel inside the
// window fits its control in the client font, for each family, with the
// texts filled in at run time in their longest form.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabWidget>

#include "masks/client_font.h"
#include "runtime_texts.h"
#include "temp_workdir.h"
#include "test_window.h"
#include "text_fit.h"

namespace veltrano::testing {
namespace {

struct Family {
    const char* name;
    const char* model;
};
const Family kFamilies[] = {{"RollerEightMotorsFourSlots", "QX-7000-R-7-4   "},
                            {"SunProtection", "QX-7000-S-7-9S  "},
                            {"ConservatoryTouchGroups", "QX-7000-W-7-9 TG"}};

// Segment labels whose width follows the switching times: a narrow segment
// shows only part of its time by design.
const QRegularExpression kDrawnSegments("^(B|Mo|Di|Mi|Do|Fr|Sa|So)[1-9]$");

class TextFitTest : public ::testing::TestWithParam<Family> {
  protected:
    void SetUp() override {
        window = MakeTestWindow(log, work.path());
        StartWithTimersStopped(*window);
        window->show();
        QApplication::processEvents();
        window->SetPanelText(0, GetParam().model);
        window->State().FirmwareVersion = 7514;
        window->Timer1Timer();
        window->Timer1()->stop();
        QApplication::processEvents();
    }

    // Status panels 5 and 13 elide their text; panels beyond the window's
    // right edge are not seen at all.
    bool Checked(QWidget* w) const {
        if (!w->isVisibleTo(window.get())) return false;
        const QString name = w->objectName();
        if (kDrawnSegments.match(name).hasMatch()) return false;
        if (name == "StatusPanel5" || name == "StatusPanel13") return false;
        if (name.startsWith("StatusPanel"))
            return w->mapTo(window.get(), QPoint(w->width(), 0)).x() <= window->width();
        return true;
    }

    std::vector<CutText> CheckVisibleControls() {
        std::vector<CutText> cut;
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (!Checked(w)) continue;
            auto found = CheckControl(w);
            cut.insert(cut.end(), found.begin(), found.end());
        }
        for (const RuntimeText& row : AllRuntimeTexts()) {
            auto* w = window->findChild<QWidget*>(row.control);
            if (!w || !Checked(w)) continue;
            const QString text = QString::fromStdString(row.text);
            if (auto* label = qobject_cast<QLabel*>(w)) {
                const QString old = label->text();
                label->setText(text);
                auto found = CheckControl(label);
                cut.insert(cut.end(), found.begin(), found.end());
                label->setText(old);
            } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
                const QString old = combo->itemText(0);
                combo->setItemText(0, text);
                auto found = CheckControl(combo);
                cut.insert(cut.end(), found.begin(), found.end());
                combo->setItemText(0, old);
            } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
                const QString old = button->text();
                button->setText(text);
                auto found = CheckControl(button);
                cut.insert(cut.end(), found.begin(), found.end());
                button->setText(old);
            } else {
                ADD_FAILURE() << row.control << " takes no run-time text";
            }
        }
        return cut;
    }

    TempWorkDir work;
    DialogLog log;
    std::unique_ptr<TQuorvan> window;
};

TEST(ClientFont, ResolvesToTheChosenFamily) {
    QtApp();
    EXPECT_EQ(QFontInfo(ClientFont()).family(), kClientFontFamily);
}

TEST_P(TextFitTest, EveryVisibleTextFitsItsControl) {
    auto* pages = window->findChild<QTabWidget*>("Parameter_Maske");
    ASSERT_TRUE(pages);
    for (int sheet = 0; sheet < pages->count(); ++sheet) {
        if (!pages->isTabVisible(sheet)) continue;
        pages->setCurrentIndex(sheet);
        QApplication::processEvents();
        for (const CutText& cut : CheckVisibleControls())
            ADD_FAILURE() << pages->tabText(sheet).toStdString() << ": " << Describe(cut);
    }
}

// With four switching times per day the narrowed lists show the name and the
// four columns whole, without sideways scrolling, under a heading of four.
TEST_P(TextFitTest, FourSlotListsShowTheirColumnsWhole) {
    if (window->State().Identity.EightTimesPerDay) return;  // the lists at full width
    auto* heading = window->findChild<QLabel*>("Label42");
    EXPECT_TRUE(heading->text().contains("Nr. 4"));
    EXPECT_FALSE(heading->text().contains("Nr. 5"));
    for (const char* name : {"DatenListe_Motor", "DatenListe_Tag"}) {
        auto* list = window->findChild<QAbstractItemView*>(name);
        EXPECT_EQ(list->width(), 447) << name;
        EXPECT_EQ(list->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff) << name;
        // Name field and four slot columns; the font is fixed-pitch.
        const QString fourColumns(20 + 4 * 11, QChar('0'));
        // What the list leaves for its lines beside the frame and the vertical scroll bar.
        const int room = list->width() - 2 * list->frameWidth() -
                         list->verticalScrollBar()->sizeHint().width();
        EXPECT_LE(QFontMetrics(list->font()).horizontalAdvance(fourColumns), room) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Families, TextFitTest, ::testing::ValuesIn(kFamilies),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace veltrano::testing
