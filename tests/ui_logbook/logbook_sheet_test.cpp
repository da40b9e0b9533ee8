// The logbook sheet's controls as the user sees them: names, captions,
// hints, and room for every text.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTabWidget>

#include "app/tquorvan.h"
#include "logbook/logbook_lines.h"
#include "temp_workdir.h"
#include "test_window.h"
#include "user_actions.h"

namespace veltrano {
namespace {

using testing::DialogLog;
using testing::TempWorkDir;

class LogbookSheetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = testing::MakeTestWindow(log, work.path());
        testing::StartWithTimersStopped(*window);
        window->show();
        auto* pages = window->findChild<QTabWidget*>("Parameter_Maske");
        testing::ClickTab(pages, 6);
        sheet = pages->currentWidget();
        ASSERT_EQ(sheet->objectName(), "Alarm_Logbuch_Maske");
        QApplication::processEvents();
    }

    template <typename T>
    T* Find(const char* name) {
        return sheet->findChild<T*>(name);
    }

    TempWorkDir work;
    DialogLog log;
    std::unique_ptr<TQuorvan> window;
    QWidget* sheet = nullptr;
};

TEST_F(LogbookSheetTest, EveryTextHasRoomAndNoControlCoversAnother) {
    auto* list = Find<QListWidget>("LB");
    EXPECT_TRUE(QFontInfo(list->font()).fixedPitch());
    // The longest row the list can get, and the heading over it.
    LogbookEntry longest{999, 3, 1, 45, 13, 17, 99, 59, 0};
    list->addItem(QString::fromStdString(LogbookListRow(longest, 999, "Wintergarten")) + "X");
    ASSERT_EQ(list->item(0)->text().size(), kLogbookRowWidth);
    QApplication::processEvents();
    EXPECT_FALSE(list->horizontalScrollBar()->isVisible());

    QLabel* heading = nullptr;
    for (auto* label : sheet->findChildren<QLabel*>()) {
        if (label->text() == QString::fromUtf8(kLogbookListHeading)) heading = label;
    }
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->font(), list->font());

    for (auto* label : sheet->findChildren<QLabel*>()) {
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()),
                  label->contentsRect().width())
            << label->text().toStdString();
        EXPECT_GE(label->height(), label->fontMetrics().height());
    }
    // The caption and the style's margins on both sides; the "?" just its glyph.
    for (auto* button : sheet->findChildren<QPushButton*>()) {
        const int margins =
            button->text() == "?" ? 4 : 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin);
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + margins,
                  button->width())
            << button->text().toStdString();
    }

    const QRect area = sheet->rect();
    const auto controls = sheet->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* a : controls) {
        EXPECT_TRUE(area.contains(a->geometry())) << a->objectName().toStdString();
        for (QWidget* b : controls) {
            if (a != b) {
                EXPECT_FALSE(a->geometry().intersects(b->geometry()))
                    << a->objectName().toStdString() << " / " << b->objectName().toStdString();
            }
        }
    }
}

}  // namespace
}  // namespace veltrano
