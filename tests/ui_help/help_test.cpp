// The help topics offscreen: the shipped help file, where every topic
// shows, how the box is shown and hidden, and help files that are missing
// or faulty.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionGroupBox>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/tquorvan.h"
#include "help/help_topics.h"
#include "help/help_viewer.h"
#include "temp_workdir.h"
#include "test_window.h"
#include "user_actions.h"

namespace veltrano {
namespace {

namespace fs = std::filesystem;
using testing::DialogLog;
using testing::TempWorkDir;

const fs::path kShippedFile = fs::path(VELTRANO_SOURCE_DIR) / "help" / "Veltrano.hlp";

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void Put(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

const HelpTopic& Topic(const char* button) {
    for (const HelpTopic& topic : HelpTopics())
        if (std::string(topic.button) == button) return topic;
    throw std::runtime_error(button);
}

// The "?" buttons of the sheets built so far.
const char* const kBuiltButtons[] = {"Help_FS",
                                     "Help_SchZeitCopy",
                                     "Help_Sicherung",
                                     "Help_Port",
                                     "Help_Datenaustausch",
                                     "Help_Logbuch",
                                     "Help_ZufallSpanne",
                                     "Help_Alarm",
                                     "Help_SensorTypen",
                                     "Help_Wintergarten",
                                     "Help_GZS",
                                     "Help_Feiertage",
                                     "Help_EW",
                                     "Help_ER",
                                     "Help_Feuchte",
                                     "Help_PT",
                                     "Help_IT",
                                     "Help_AT",
                                     "Help_Heiz",
                                     "Help_HandStrg",
                                     "Help_Reversier",
                                     "Help_TA"};

TEST(ShippedHelpFile, EveryTopicOnceOnItsOwnLineWithTextAndTheEndMarkerLast) {
    const std::string bytes = Slurp(kShippedFile);
    ASSERT_FALSE(bytes.empty()) << kShippedFile;
    const QString text = QString::fromUtf8(bytes);
    EXPECT_EQ(text.toUtf8().toStdString(), bytes) << "not valid UTF-8";
    EXPECT_FALSE(text.contains(QChar::ReplacementCharacter));

    std::vector<std::string> lines;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    std::set<std::string> topicLines;
    for (const HelpTopic& topic : HelpTopics())
        topicLines.insert(topic.topicLine);
    ASSERT_EQ(topicLines.size(), 25u);

    for (const HelpTopic& topic : HelpTopics()) {
        std::size_t count = 0, at = 0;
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (lines[i] == topic.topicLine) ++count, at = i;
        EXPECT_EQ(count, 1u) << topic.topicLine;
        EXPECT_EQ(bytes.find(topic.topicLine), bytes.rfind(topic.topicLine)) << topic.topicLine;
        ASSERT_LT(at + 1, lines.size());
        EXPECT_GT(lines[at + 1].size(), 40u) << "no text below " << topic.topicLine;
    }
    // Bracket lines are topics or the end; the end stands last.
    for (const std::string& line : lines) {
        if (!line.empty() && line[0] == '[') {
            EXPECT_TRUE(topicLines.count(line) || line == kHelpDocumentEnd) << line;
        }
    }
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), kHelpDocumentEnd);
}

class HelpTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::copy_file(kShippedFile, work.path() / "Veltrano.hlp");
        window = testing::MakeTestWindow(log, work.path());
        testing::StartWithTimersStopped(*window);  // no port here: one error box
        log.errors.clear();
        window->show();
        box = window->findChild<QTextEdit*>("HelpBox");
        ASSERT_NE(box, nullptr);
    }

    void Click(const char* button) { window->findChild<QPushButton*>(button)->click(); }

    // A topic shown as its button would show it; the buttons of sheets that
    // are not built here are shown through the viewer.
    void Show(const HelpTopic& topic) {
        if (auto* button = window->findChild<QPushButton*>(topic.button))
            button->click();
        else
            window->Help().ShowHelpTopic(topic);
    }

    QString FirstVisibleLine() const {
        return box->cursorForPosition(QPoint(box->viewport()->width() / 2, 1)).block().text();
    }

    // The topic line stands at the top, or the view is at its end with the
    // topic line still in sight (too little text follows it).
    ::testing::AssertionResult TopicOnTop(const char* topicLine) const {
        const QString first = FirstVisibleLine();
        if (first == QString::fromUtf8(topicLine)) return ::testing::AssertionSuccess();
        const QScrollBar* bar = box->verticalScrollBar();
        const QTextCursor found = box->document()->find(QString::fromUtf8(topicLine), 0,
                                                        QTextDocument::FindCaseSensitively);
        const QRect where = box->cursorRect(found);
        if (bar->value() == bar->maximum() && !found.isNull() && where.top() >= 0 &&
            where.bottom() <= box->viewport()->height())
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << topicLine << ": first visible line is \"" << first.toStdString() << "\"";
    }

    QString HelpPath() const {
        return QString::fromStdString((work.path() / "Veltrano.hlp").string());
    }

    TempWorkDir work;
    DialogLog log;
    std::unique_ptr<TQuorvan> window;
    QTextEdit* box = nullptr;
};

TEST_F(HelpTest, EveryTopicAtItsPlaceWithItsLineAtTheTop) {
    for (const HelpTopic& topic : HelpTopics()) {
        Show(topic);
        ASSERT_TRUE(log.errors.isEmpty()) << log.errors.join("|").toStdString();
        EXPECT_TRUE(box->isVisible()) << topic.topicLine;
        EXPECT_EQ(box->geometry(), QRect(topic.left, topic.top, topic.width, topic.height))
            << topic.topicLine;
        EXPECT_EQ(box->parentWidget()->objectName(), "ClientArea");
        EXPECT_TRUE(TopicOnTop(topic.topicLine));
        EXPECT_EQ(window->Help().CurrentTopic(), topic.topicLine);
    }
    EXPECT_TRUE(log.informations.isEmpty()) << log.informations.join("|").toStdString();
    // The table's handler names as the window publishes them.
    EXPECT_STREQ(Topic("Help_ZufallSpanne").handler, "Help_ZufallsSpanne");
    EXPECT_STREQ(Topic("Help_Alarm").topicLine, "[Alarm Setup]");
}

TEST_F(HelpTest, TheButtonsOfThisWindowStandInTheirBoxClearOfCaptionAndControls) {
    auto* pages = window->findChild<QTabWidget*>("Parameter_Maske");
    for (const char* name : kBuiltButtons) {
        auto* button = window->findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        // Its sheet in front, so the sheet has its real size.
        for (int i = 0; i < pages->count(); ++i) {
            if (pages->widget(i)->isAncestorOf(button)) testing::ClickTab(pages, i);
        }
        ASSERT_TRUE(button->isVisible()) << name;
        EXPECT_EQ(button->text(), "?");
        EXPECT_EQ(button->toolTip(), "Hilfe");
        EXPECT_EQ(button->cursor().shape(), Qt::WhatsThisCursor);
        QWidget* box = button->parentWidget();
        EXPECT_TRUE(box->rect().contains(button->geometry()))
            << name << " at " << button->x() << "," << button->y() << " in " << box->width() << "x"
            << box->height();
        for (QWidget* sibling : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (sibling != button && !sibling->isHidden()) {
                EXPECT_FALSE(sibling->geometry().intersects(button->geometry()))
                    << name << " covers " << sibling->objectName().toStdString();
            }
        }
        if (auto* group = qobject_cast<QGroupBox*>(box)) {
            QStyleOptionGroupBox option;
            option.initFrom(group);
            option.text = group->title();
            option.lineWidth = 1;
            option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
            option.textAlignment = group->alignment();
            const QRect caption = group->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                                 QStyle::SC_GroupBoxLabel, group);
            EXPECT_FALSE(caption.intersects(button->geometry())) << name;
        }
    }
}

TEST_F(HelpTest, ShownAndHiddenAsTheUserDoesIt) {
    Click("Help_FS");
    ASSERT_TRUE(box->isVisible());
    Click("Help_FS");  // the same button again
    EXPECT_TRUE(box->isHidden());
    Click("Help_FS");
    ASSERT_TRUE(box->isVisible());
    EXPECT_TRUE(TopicOnTop("[Programmierung fester Schaltzeiten]"));

    // The scroll bar and the wheel scroll; a click into the text hides.
    QScrollBar* bar = box->verticalScrollBar();
    const int before = bar->value();
    testing::MouseClick(bar, QPoint(bar->width() / 2, bar->height() - 4));
    EXPECT_TRUE(box->isVisible());
    EXPECT_GT(bar->value(), before);
    testing::WheelDown(box->viewport());
    EXPECT_TRUE(box->isVisible());
    testing::MouseClick(box->viewport(), QPoint(20, 20));
    EXPECT_TRUE(box->isHidden());

    // Hidden by a click into it, shown again by the same button.
    Click("Help_FS");
    EXPECT_TRUE(box->isVisible());
    auto* pages = window->findChild<QTabWidget*>("Parameter_Maske");
    testing::ClickTab(pages, 6);
    EXPECT_EQ(pages->currentIndex(), 6);
    EXPECT_TRUE(box->isHidden());

    Click("Help_Logbuch");
    ASSERT_TRUE(box->isVisible());
    EXPECT_TRUE(box->hasFocus() || !window->isActiveWindow());
    testing::KeyPress(box, Qt::Key_Escape);
    EXPECT_TRUE(box->isHidden());

    // One topic after another: the box stays, moves and shows the new one.
    testing::ClickTab(pages, 0);
    Click("Help_FS");
    Click("Help_Port");
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->geometry(), QRect(260, 220, 490, 240));
    EXPECT_TRUE(TopicOnTop("[Port-Auswahl]"));
    EXPECT_EQ(window->Help().CurrentTopic(), "[Port-Auswahl]");
}

TEST_F(HelpTest, FilesThatCannotBeShownLeaveTheBoxAsItWas) {
    const std::string path = HelpPath().toStdString();
    struct Case {
        const char* what;
        std::function<void()> make;
        std::string error;
    };
    const std::string cannotOpen = "Die Hilfedatei Veltrano.hlp kann nicht geöffnet werden:\n";
    const std::string damaged =
        "Die Hilfedatei " + path + " ist beschädigt und kann nicht angezeigt werden.";
    const std::vector<Case> cases = {
        {"missing", [&] { fs::remove(path); },
         cannotOpen + "Die Datei ist nicht vorhanden.\n" + path},
        {"folder", [&] { fs::create_directory(path); },
         cannotOpen + "Der Name gehört zu einem Ordner.\n" + path},
        {"NUL bytes", [&] { Put(path, std::string("[Port-Auswahl]\nab\0cd\n", 21)); }, damaged},
        {"over 4 MiB",
         [&] { Put(path, "[Port-Auswahl]\n" + std::string(4 * 1024 * 1024, 'x') + "\n"); },
         damaged},
    };
    for (const Case& c : cases) {
        fs::remove_all(path);
        fs::copy_file(kShippedFile, path);
        Click("Help_FS");
        ASSERT_TRUE(box->isVisible()) << c.what;
        const QString shown = box->toPlainText();
        const QRect place = box->geometry();
        log.errors.clear();

        fs::remove_all(path);
        c.make();
        Click("Help_Port");
        ASSERT_EQ(log.errors.size(), 1) << c.what;
        EXPECT_EQ(log.errors[0].toStdString(), c.error) << c.what;
        EXPECT_TRUE(box->isVisible()) << c.what;
        EXPECT_EQ(box->toPlainText(), shown) << c.what;
        EXPECT_EQ(box->geometry(), place) << c.what;
        EXPECT_EQ(window->Help().CurrentTopic(), "[Programmierung fester Schaltzeiten]");
        Click("Help_FS");  // hides it for the next case
    }
    // Hidden, it stays hidden.
    fs::remove_all(path);
    log.errors.clear();
    Click("Help_Port");
    EXPECT_EQ(log.errors.size(), 1);
    EXPECT_TRUE(box->isHidden());
}

TEST_F(HelpTest, FilesOfOtherMakesShowWhatTheyHold) {
    const std::string path = HelpPath().toStdString();
    std::string filler;
    for (int i = 0; i < 80; ++i)
        filler += "Zeile " + std::to_string(i) + " des Textes.\n";

    // The alarm topic spelled like its group box: not found, the end shows.
    Put(path,
        "[Port-Auswahl]\n" + filler + "[Alarm-Setup]\nAlarm.\n" + filler + "[Ende Dokument]\n");
    window->Help().ShowHelpTopic(Topic("Help_Alarm"));
    ASSERT_EQ(log.informations.size(), 1);
    EXPECT_EQ(log.informations[0], "Die Hilfedatei enthält kein Thema \"[Alarm Setup]\".");
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->verticalScrollBar()->value(), box->verticalScrollBar()->maximum());
    EXPECT_EQ(box->textCursor().block().text(), "[Ende Dokument]");
    EXPECT_EQ(window->Help().CurrentTopic(), "[Alarm Setup]");

    // No end marker, CR LF line ends, the topic twice: the first one shows.
    Put(path, "[Port-Auswahl]\r\nErster.\r\n" + filler + "[Port-Auswahl]\r\nZweiter.\r\n" + filler);
    Click("Help_Port");
    EXPECT_TRUE(TopicOnTop("[Port-Auswahl]"));
    EXPECT_EQ(
        box->cursorForPosition(QPoint(10, box->fontMetrics().height() * 3 / 2)).block().text(),
        "Erster.");
    EXPECT_FALSE(box->toPlainText().contains('\r'));

    // Windows-1252, and an edit between two clicks takes effect at once.
    Put(path, "[D\xE4mmerungsautomatik Morgen]\nFr\xFCh am Morgen.\n" + filler);
    Click("Help_Port");  // not in this file: shows the end
    Show(Topic("Help_DM"));
    EXPECT_TRUE(TopicOnTop("[Dämmerungsautomatik Morgen]"));
    EXPECT_TRUE(box->toPlainText().contains("Früh am Morgen."));
    Put(path, "[Dämmerungsautomatik Morgen]\nNeu geschrieben.\n" + filler);
    Click("Help_FS");
    Show(Topic("Help_DM"));
    EXPECT_TRUE(box->toPlainText().contains("Neu geschrieben."));
    EXPECT_TRUE(TopicOnTop("[Dämmerungsautomatik Morgen]"));
    EXPECT_TRUE(log.errors.isEmpty()) << log.errors.join("|").toStdString();
}

}  // namespace
}  // namespace veltrano
