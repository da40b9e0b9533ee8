// The real window and port against a scripted Controller on a pseudo-terminal.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "../port/pty_peer.h"
#include "app/application_setup.h"
#include "app/tquorvan.h"
#include "fake_dialogs.h"
#include "qt_app.h"
#include "temp_workdir.h"
#include "test_window.h"
#include "user_actions.h"

namespace veltrano {
namespace {

using testing::DialogLog;
using testing::FakeDialogs;
using testing::ProcessEventsUntil;
using testing::PtyPeer;
using testing::TempWorkDir;

const std::string kModel = "QX-7000-W-7-9 TG";

std::string Frame(const std::string& tag, const std::string& payload) {
    return "start_" + tag + payload + "ende_";
}

class ScriptedPeerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_symlink(com1.slavePath(), "COM1");
        std::filesystem::create_symlink(com2.slavePath(), "COM2");
        window = testing::MakeTestWindow(log, work.path());
        testing::StartWithTimersStopped(*window);
    }

    // Waits, running the window's events, until the peer has received text.
    bool PeerReceives(PtyPeer& peer, const std::string& text) {
        return ProcessEventsUntil([&] {
            peer.ReceiveAvailable();
            return peer.Data().find(text) != std::string::npos;
        });
    }

    // The polling tick once the bytes written before have left the port: a
    // tick writes no polls behind pending output.
    void PollTick() {
        ASSERT_TRUE(ProcessEventsUntil([&] { return !window->Comm1().OutputPending(); }));
        window->Timer1Timer();
    }

    void AnswerPoll(PtyPeer& peer, const std::string& firmware = "7.514") {
        ASSERT_TRUE(PeerReceives(peer, "sfi\rsdt\rsti\rskd\rsmo\r"));
        peer.TakeData();
        peer.Send(Frame("sfi", firmware) + Frame("sdt", "09.12.26") + Frame("sti", "10:11:12") +
                  Frame("skd", "140,21,5,18,24,-3,2,-7,4,12,30,0,1,11,136,55,") +
                  Frame("smo", kModel));
        ASSERT_TRUE(
            ProcessEventsUntil([&] { return window->PanelText(0).toStdString() == kModel; }));
    }

    TempWorkDir work;
    PtyPeer com1, com2;
    DialogLog log;
    std::unique_ptr<TQuorvan> window;
};

TEST_F(ScriptedPeerTest, ConnectsShowsStatusAndLosesTheLinkWhenTheControllerFallsSilent) {
    ASSERT_TRUE(log.errors.isEmpty()) << log.errors.join("|").toStdString();
    ASSERT_TRUE(window->Comm1().IsOpen());
    window->Timer1Timer();
    AnswerPoll(com1);
    EXPECT_EQ(window->PanelText(1), "V7.514");
    EXPECT_EQ(window->PanelText(2), "09.12.26");
    EXPECT_EQ(window->PanelText(3), "10:11:12");
    EXPECT_EQ(window->PanelText(9), "AT: -3,2°");
    EXPECT_EQ(window->PanelText(10), "IT: 21,5°");

    window->Timer1Timer();  // connected: settings file, logbook rewind
    EXPECT_FALSE(window->State().LinkDown);
    EXPECT_TRUE(window->findChild<QLabel*>("KeineVerbindung_Label")->isHidden());
    ASSERT_TRUE(PeerReceives(com1, "slr"));
    std::ifstream ini("Veltrano.ini", std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(ini)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "1\r\n");

    // "slr" goes out once per run.
    com1.TakeData();
    PollTick();
    ASSERT_TRUE(PeerReceives(com1, "smo\r"));
    EXPECT_EQ(com1.Data().find("slr"), std::string::npos);

    // Silence: the first check still saw traffic, the second sees none.
    window->Timer3Timer();
    EXPECT_EQ(window->PanelText(0).toStdString(), kModel);
    window->Timer3Timer();
    EXPECT_EQ(window->PanelText(0), "Keine Verbindung");
    window->Timer1Timer();
    EXPECT_TRUE(window->State().LinkDown);
    EXPECT_EQ(window->PanelText(1), "");

    // The Controller answers again: connected at the next tick.
    AnswerPoll(com1);
    window->Timer1Timer();
    EXPECT_FALSE(window->State().LinkDown);
}

TEST_F(ScriptedPeerTest, RefusedFirmwareEndsTheProgramThroughTheInterface) {
    window->Timer1Timer();
    AnswerPoll(com1, "7.501");
    window->Timer1Timer();
    ASSERT_EQ(log.errors.size(), 1);
    EXPECT_TRUE(log.errors[0].contains("V7.514 oder höher"));
    EXPECT_EQ(log.endProgramCalls, 1);
}

TEST_F(ScriptedPeerTest, PortChangeReopensOnTheOtherLine) {
    window->Timer1Timer();
    AnswerPoll(com1);
    window->Timer1Timer();
    window->Model().ClearAllModified();

    auto* combo = window->findChild<QComboBox*>("Combo_PortNum");
    combo->setCurrentIndex(1);
    window->Guarded([&] { window->Combo_PortNumChange(); });
    EXPECT_TRUE(log.errors.isEmpty()) << log.errors.join("|").toStdString();
    EXPECT_EQ(window->PanelText(0), "Keine Verbindung");
    EXPECT_TRUE(window->Model().shading(1).Modified);

    com2.TakeData();
    window->Timer1Timer();
    AnswerPoll(com2);
    window->Timer1Timer();
    EXPECT_FALSE(window->State().LinkDown);
    // The settings file keeps the port of the first connection of the run.
    std::ifstream ini("Veltrano.ini", std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(ini)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "1\r\n");
}

TEST_F(ScriptedPeerTest, PulledCableIsALineErrorAndPollingGoesOnQuietly) {
    window->Timer1Timer();
    AnswerPoll(com1);
    com1.HangUp();
    ASSERT_TRUE(ProcessEventsUntil(
        [&] { return window->findChild<QLabel*>("Label21")->text() == "Fehler RS232"; }));
    window->Timer1Timer();
    window->Timer1Timer();
    EXPECT_TRUE(log.errors.isEmpty());
}

TEST_F(ScriptedPeerTest, GarbageAndSplitFramesStillConnect) {
    window->Timer1Timer();
    ASSERT_TRUE(PeerReceives(com1, "smo\r"));
    const std::string stream =
        "xx" + Frame("sfi", "7.514") + "ende_junkstart_sm" + Frame("smo", kModel) + "start_sdt";
    for (char c : stream)
        com1.Send(std::string(1, c));
    ASSERT_TRUE(ProcessEventsUntil([&] { return window->PanelText(0).toStdString() == kModel; }));
    EXPECT_EQ(window->State().FirmwareVersion, 7514);
}

TEST_F(ScriptedPeerTest, MaximumWindClickSendsSwlAndStatusReportsFillTheWindSheet) {
    window->Timer1Timer();
    AnswerPoll(com1);
    com1.TakeData();
    auto* maximum = window->findChild<QLabel*>("MaxWind");
    EXPECT_EQ(maximum->text(), "30 km/h");
    const int before = window->State().TxCount;
    testing::MouseClick(maximum, QPoint(4, 4));
    ASSERT_TRUE(PeerReceives(com1, "swl"));
    EXPECT_EQ(com1.Data(), "swl");
    EXPECT_EQ(window->State().TxCount, before + 3);
    EXPECT_EQ(maximum->text(), "30 km/h");

    struct Report {
        const char* numbers;
        int wind;
        bool barShown;
        int bar;
        const char* inside;  // IT_Aktuell2, IT_Max2
        const char* insideMax;
    };
    const Report reports[] = {
        {"140,21,5,18,24,-3,2,-7,4,0,30,0,0,11,136,0,", 0, false, 0, "21,5°", "24°"},
        {"140,21,5,18,24,-3,2,-7,4,7,30,0,1,11,136,55,", 7, true, 7, "21,5°", "24°"},
        {"140,999,0,0,0,-3,2,-7,4,130,130,0,1,11,136,55,", 130, true, 100, "    -", "  -"},
    };
    auto* bar = window->findChild<QProgressBar*>("WindProgressBar");
    auto text = [this](const char* name) {
        return window->findChild<QLabel*>(name)->text().toStdString();
    };
    for (const Report& r : reports) {
        com1.Send(Frame("skd", r.numbers));
        const std::string wind = std::to_string(r.wind) + " km/h";
        ASSERT_TRUE(ProcessEventsUntil([&] { return text("AktWind") == wind; })) << r.numbers;
        EXPECT_EQ(text("IT_Aktuell2"), r.inside) << r.numbers;
        EXPECT_EQ(bar->isHidden(), !r.barShown) << r.numbers;
        if (r.barShown) {
            EXPECT_EQ(bar->value(), r.bar) << r.numbers;
        }
        EXPECT_EQ(text("IT_Max2"), r.insideMax) << r.numbers;
        EXPECT_EQ(text("AT_min2"), "-7°") << r.numbers;
        EXPECT_EQ(text("AT_Aktuell2"), "-3,2°") << r.numbers;
        EXPECT_EQ(text("AT_Max2"), "4°") << r.numbers;
    }
    EXPECT_EQ(text("AktWind"), "130 km/h");
    EXPECT_EQ(text("MaxWind"), "130 km/h");
    EXPECT_EQ(text("RegenStatus"), " Es regnet");
    EXPECT_EQ(text("RelFeuchte"), "55 %");
}

// The window's trace holds the poll and the Controller's reply, readably.
TEST_F(ScriptedPeerTest, TraceRecordsThePollAndTheReply) {
    AttachTrace(*window, "trace.txt");
    window->Timer1Timer();
    AnswerPoll(com1);
    window.reset();  // the trace writes everything before it ends
    std::ifstream in("trace.txt");
    std::string line, received;
    ASSERT_TRUE(std::getline(in, line));
    EXPECT_EQ(line.substr(8), " TX sfi\\rsdt\\rsti\\rskd\\rsmo\\r");
    while (std::getline(in, line)) {
        ASSERT_EQ(line.substr(8, 4), " RX ") << line;
        received += line.substr(12);
    }
    EXPECT_EQ(received.substr(0, 26), "start_sfi7.514ende_start_s");
    EXPECT_NE(received.find("start_smo" + kModel + "ende_"), std::string::npos);
    EXPECT_TRUE(log.errors.isEmpty());
}

// A trace that fails while the window runs (a full disk) is reported once,
// from the writer thread through the window's event loop; polling goes on.
TEST_F(ScriptedPeerTest, TraceThatCannotBeWrittenIsReportedOnce) {
    AttachTrace(*window, "/dev/full");
    window->Timer1Timer();
    AnswerPoll(com1);
    ASSERT_TRUE(ProcessEventsUntil([&] { return !log.errors.isEmpty(); }));
    window->Timer1Timer();
    AnswerPoll(com1);
    QCoreApplication::processEvents();
    ASSERT_EQ(log.errors.size(), 1);
    EXPECT_TRUE(log.errors[0].startsWith(
        "Die Protokolldatei /dev/full kann nicht geschrieben werden.\nDer Datenträger ist voll."))
        << log.errors[0].toStdString();
}

}  // namespace
}  // namespace veltrano
