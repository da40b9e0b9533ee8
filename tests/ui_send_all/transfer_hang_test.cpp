// Transfers on a real pseudo-terminal that would never end before: the
// device goes away while bytes are queued, or the Controller holds XOFF.
// Driven through the window's buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "../port/pty_peer.h"
#include "app/tquorvan.h"
#include "link/transfer_end.h"
#include "fake_dialogs.h"
#include "qt_app.h"
#include "temp_workdir.h"
#include "test_window.h"

namespace veltrano {
namespace {

using namespace std::chrono_literals;
using testing::DialogLog;
using testing::ProcessEventsUntil;
using testing::PtyPeer;
using testing::TempWorkDir;

constexpr char kXoff = 0x13;
constexpr char kXon = 0x11;

class TransferHangTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::QtApp();
        NewLine();
        window = testing::MakeTestWindow(log, work.path());
        testing::StartWithTimersStopped(*window);
        ASSERT_TRUE(window->Comm1().IsOpen());
        window->SetPanelText(0, "QX-7000-W-7-9 TG");
        window->State().FirmwareVersion = 7514;
        window->Timer1Timer();
        window->SetPanelText(2, "09.12.26");
        ASSERT_FALSE(window->State().LinkDown);
        window->State().OverwriteConfirmed = true;
        window->SendAll().SetClock([this] { return now; });
        log.errors.clear();
    }
    void TearDown() override { window.reset(); }

    // A fresh far end of the line, linked as COM1.
    void NewLine() {
        peer = std::make_unique<PtyPeer>();
        std::filesystem::remove("COM1");
        std::filesystem::create_symlink(peer->slavePath(), "COM1");
    }

    // The Controller stops the program's output, as XOFF does on the line.
    void HoldXoff() {
        ASSERT_TRUE(peer->Send(std::string(1, kXoff)));
        ASSERT_TRUE(peer->WaitForStatus(TIOCPKT_STOP));
    }

    void Click(const char* name) { window->findChild<QPushButton*>(name)->click(); }
    bool Enabled(const char* name) { return window->findChild<QWidget*>(name)->isEnabled(); }

    // The window after a transfer ended as failed: usable again, and
    // everything to be sent and confirmed anew.
    void ExpectWindowGivenBack(const char* what) {
        for (const char* name :
             {"Read_Button_WS", "Send_Button_WS", "Parameter_Maske", "Combo_PortNum"})
            EXPECT_TRUE(Enabled(name)) << what << ": " << name;
        EXPECT_TRUE(window->Model().shading(5).Modified) << what;
        EXPECT_TRUE(window->Model().switchTime(3, 3, 3).Modified) << what;
        EXPECT_FALSE(window->State().OverwriteConfirmed) << what;
    }

    TempWorkDir work;
    std::unique_ptr<PtyPeer> peer;
    DialogLog log;
    std::unique_ptr<TQuorvan> window;
    std::chrono::steady_clock::time_point now{};
};

TEST_F(TransferHangTest, AHangUpWithBytesQueuedEndsTheTransferAtOnce) {
    for (const char* button : {"Read_Button_WS", "Send_Button_WS"}) {
        SCOPED_TRACE(button);
        const bool sending = std::string(button) == "Read_Button_WS";
        HoldXoff();  // the first bytes stay queued in the port
        Click(button);
        const LinkState& state = window->State();
        ASSERT_TRUE(sending ? state.SendInProgress : state.ReadAllInProgress);
        ASSERT_TRUE(window->Comm1().OutputPending());

        peer->HangUp();
        ASSERT_TRUE(ProcessEventsUntil(
            [&] { return !state.SendInProgress && !state.ReadAllInProgress; }, 5000));
        EXPECT_EQ(window->PanelText(5), "Verbindung unterbrochen");
        ASSERT_TRUE(ProcessEventsUntil([&] { return !log.errors.isEmpty(); }));
        EXPECT_EQ(log.errors[0], QString::fromUtf8(kConnectionLostMessage));
        ExpectWindowGivenBack(button);
        EXPECT_FALSE(window->SendAllWatchdog()->isActive());
        EXPECT_FALSE(window->ReadAllWatchdog()->isActive());

        // A new line for the next round.
        NewLine();
        window->Guarded([&] { window->Combo_PortNumChange(); });
        ASSERT_TRUE(window->Comm1().IsOpen());
        window->State().OverwriteConfirmed = true;
        log.errors.clear();
    }
}

TEST_F(TransferHangTest, XoffHeldEndsTheSendAllAfterThirtySecondsAndHoldsThePolls) {
    HoldXoff();
    Click("Read_Button_WS");
    ASSERT_TRUE(window->State().SendInProgress);
    ASSERT_TRUE(ProcessEventsUntil([&] { return window->Comm1().OutputPending(); }));

    now += 29s;
    window->SendAllWatchdogTimer();
    EXPECT_TRUE(window->State().SendInProgress);
    now += 1s;
    window->SendAllWatchdogTimer();
    EXPECT_FALSE(window->State().SendInProgress);
    EXPECT_EQ(window->PanelText(5), "Die Steuerung nimmt keine Daten an (XOFF).");
    ASSERT_EQ(log.errors.size(), 1);
    EXPECT_TRUE(log.errors[0].startsWith("Die Steuerung nimmt keine Daten an (XOFF)."));
    ExpectWindowGivenBack("XOFF");

    // While the erase record still waits, the polling tick adds nothing.
    const int tx = window->State().TxCount;
    for (int i = 0; i < 3; ++i)
        window->Timer1Timer();
    EXPECT_EQ(window->State().TxCount, tx);

    // XON: what waited leaves, and the polls go out again.
    ASSERT_TRUE(peer->Send(std::string(1, kXon)));
    ASSERT_TRUE(ProcessEventsUntil([&] { return !window->Comm1().OutputPending(); }));
    window->Timer1Timer();
    EXPECT_EQ(window->State().TxCount, tx + 24);
    ASSERT_TRUE(peer->ReceiveAtLeast(1));
}

}  // namespace
}  // namespace veltrano
