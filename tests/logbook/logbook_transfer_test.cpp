// The transfer: where entries land in the list, what ends it, what it
// ignores, the names it uses and its watchdog.
#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "link/payload_error.h"
#include "logbook/logbook_frames.h"
#include "logbook/logbook_lines.h"
#include "logbook/logbook_transfer.h"

namespace veltrano {
namespace {

using namespace std::chrono_literals;

std::string Payload(std::initializer_list<long long> numbers) {
    std::string payload;
    long long sum = 0;
    for (long long n : numbers) {
        payload += std::to_string(n) + ",";
        sum += n;
    }
    return payload + std::to_string(sum) + ",";
}

// Entry `number` of motor 2, up, 14 June 21:50, shading.
std::string EntryPayload(long long number, long long motor = 2) {
    return Payload({number, motor, 1, 14, 6, 1, 21, 50, 0});
}
const std::string kMarker = Payload({9999, 1, 0, 0, 0, 0, 0, 0, 0});

class LogbookTransferTest : public ::testing::Test {
  protected:
    void SetUp() override {
        hooks.SetPanelText = [this](int panel, const std::string& text) { panels[panel] = text; };
        hooks.PanelText = [this](int panel) { return panels[panel]; };
        transfer.List.EmptyList = [this] {
            rows.assign(kLogbookListRows, "");
            ++emptied;
        };
        transfer.List.SetRow = [this](int row, const std::string& text) {
            if (row >= static_cast<int>(rows.size())) rows.resize(row + 1);
            rows[row] = text;
        };
        transfer.List.SelectRow = [this](int row) { selected = row; };
        transfer.List.SetProgressMaximum = [this](int m) { progressMaximum = m; };
        transfer.List.SetProgressPosition = [this](int p) { progressPosition = p; };
        transfer.OnEnded = [this](LogbookTransferKind kind) { ended.push_back(kind); };
        transfer.OnAbandoned = [this](LogbookTransferKind kind) { abandoned.push_back(kind); };
        transfer.SetClock([this] { return now; });
        RegisterLogbookDecoders(receiver, transfer);
    }

    void Receive(const std::string& tag, const std::string& payload) {
        receiver.OnReceive("start_" + tag + payload + "ende_");
    }

    // One page as the Controller sends it: entries first..last, then the marker.
    void ReadPage(long long total, long long first, long long last) {
        transfer.BeginPageRead();
        Receive("sla", std::to_string(total) + ",");
        for (long long n = first; n <= last; ++n)
            Receive("sld", EntryPayload(n));
        Receive("sld", kMarker);
    }

    LinkState state;
    ConfigurationModel model;
    WindowHooks hooks;
    ReceiveHandler receiver{state, hooks};
    LogbookTransfer transfer{state, model, hooks};
    std::map<int, std::string> panels;
    std::vector<std::string> rows;
    int emptied = 0;
    int selected = -1;
    int progressMaximum = -1, progressPosition = -1;
    std::vector<LogbookTransferKind> ended, abandoned;
    std::chrono::steady_clock::time_point now{};
};

TEST_F(LogbookTransferTest, PagesFillRowsAndTheMarkerFollowsTheLastEntry) {
    ASSERT_TRUE(rows.empty());
    ReadPage(135, 1, 100);
    ASSERT_EQ(rows.size(), 101u);
    EXPECT_EQ(emptied, 1);
    EXPECT_EQ(rows[0].substr(0, 16), "  135  Motor 2  ");
    EXPECT_EQ(rows[99].substr(0, 7), "   36  ");
    EXPECT_EQ(rows[100], kLogbookNoEntries);  // the marker: no date
    EXPECT_EQ(selected, 0);
    EXPECT_EQ(transfer.LogbookLastEntry(), 100);
    EXPECT_EQ(ended, std::vector{LogbookTransferKind::PageRead});
    EXPECT_FALSE(transfer.Running());

    // Entry 101 empties the list; the marker after 135 lands in row 35.
    ReadPage(135, 101, 135);
    EXPECT_EQ(emptied, 2);
    EXPECT_EQ(rows[0].substr(0, 7), "   35  ");
    EXPECT_EQ(rows[34].substr(0, 7), "    1  ");
    EXPECT_EQ(rows[35], kLogbookNoEntries);
    EXPECT_EQ(rows[36], "");
    EXPECT_EQ(rows[100], "");

    // Erasing: 101 empty rows, and the next marker is in row 1.
    transfer.Erase();
    EXPECT_EQ(rows, std::vector<std::string>(101, ""));
    ReadPage(0, 1, 0);
    EXPECT_EQ(rows[0], "");
    EXPECT_EQ(rows[1], kLogbookNoEntries);
    EXPECT_EQ(emptied, 3);  // only the erase emptied it

    // A marker with no entry read since the start: row 0 of an emptied list.
    LogbookTransfer fresh{state, model, hooks};
    fresh.List = transfer.List;
    rows = {"alt"};
    fresh.BeginPageRead();
    fresh.SizeFrame("0,");
    fresh.ListFrame(kMarker);
    EXPECT_EQ(rows.size(), 101u);
    EXPECT_EQ(rows[0], kLogbookNoEntries);
}

TEST_F(LogbookTransferTest, RowsOfEntryAndMarkerNumbers) {
    struct Case {
        long long number;
        int entryRow, markerRow;
    };
    for (const Case c :
         {Case{1, 0, 1}, Case{99, 98, 99}, Case{100, 99, 100}, Case{101, 0, 1}, Case{135, 34, 35},
          Case{200, 99, 100}, Case{2000, 99, 100}, Case{2147483647, 46, 47}}) {
        EXPECT_EQ(LogbookEntryRow(c.number), c.entryRow) << c.number;
        EXPECT_EQ(LogbookMarkerRow(c.number), c.markerRow) << c.number;
    }
    EXPECT_EQ(LogbookMarkerRow(0), 0);
}

TEST_F(LogbookTransferTest, FaultyEntriesAreReportedAndSkipped) {
    transfer.BeginPageRead();
    Receive("sla", "10,");
    std::string bad = EntryPayload(5);
    bad.replace(bad.rfind(',', bad.size() - 2) + 1, std::string::npos, "1,");
    Receive("sld", bad);
    EXPECT_EQ(panels[5], "LoBuFe 4");
    Receive("sld", EntryPayload(0));
    EXPECT_EQ(panels[5], "LoBuFe -1");
    Receive("sld", EntryPayload(-7));
    EXPECT_EQ(panels[5], "LoBuFe -8");
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(transfer.LogbookLastEntry(), 0);

    Receive("sld", "1,x,");
    EXPECT_EQ(panels[5], "Datenfehler sld");
    EXPECT_THROW(transfer.SizeFrame("zehn,"), PayloadError);

    // A marker with a bad checksum leaves the transfer running.
    std::string badMarker = kMarker;
    badMarker.replace(badMarker.find("10000"), 5, "10001");
    Receive("sld", badMarker);
    EXPECT_EQ(panels[5], "LoBuFe 9998");
    EXPECT_TRUE(transfer.Running());
}

TEST_F(LogbookTransferTest, FramesOutsideTheirTransferChangeNothing) {
    state.RxCount = 50;
    const std::string frames = "start_sld" + kMarker + "ende_start_slf" + kMarker + "ende_";
    receiver.OnReceive(frames);
    EXPECT_TRUE(ended.empty());
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(panels.count(6), 0u);
    EXPECT_EQ(panels[13], "slf  " + kMarker);
    EXPECT_EQ(state.RxCount, 50 + static_cast<int>(frames.size()));  // no + 1 of an end

    const int before = state.RxCount;
    transfer.BeginPageRead();
    transfer.ExportFrame(kMarker);  // a late export frame during a page read
    EXPECT_TRUE(transfer.Running());
    EXPECT_EQ(state.RxCount, before);
    transfer.ListFrame(kMarker);
    EXPECT_EQ(state.RxCount, before + 1);
}

TEST_F(LogbookTransferTest, ExportCollectsLinesAndProgress) {
    transfer.BeginExport();
    Receive("sla", "3,");
    EXPECT_EQ(progressMaximum, 3);
    Receive("slf", EntryPayload(1));
    EXPECT_EQ(panels[6], "Logbuch Zeile 1");
    EXPECT_EQ(progressPosition, 1);
    Receive("slf", EntryPayload(2, 33));
    Receive("slf", EntryPayload(7, 0));  // numbered beyond the total: position clamped
    EXPECT_EQ(progressPosition, 3);
    Receive("slf", kMarker);
    EXPECT_EQ(ended, std::vector{LogbookTransferKind::Export});
    EXPECT_EQ(panels[6], "");
    EXPECT_EQ(transfer.TakeExportBytes(),
              "Nr;Motor/Raum;Datum;Uhrzeit;Richtung;Ausgel\xF6st durch\r\n"
              "3;Motor 2;14.06.;21:50;^;Beschattungs-Automatik\r\n"
              "2;            ;14.06.;21:50;^;Beschattungs-Automatik\r\n"
              "-3;            ;14.06.;21:50;^;Beschattungs-Automatik\r\n"
              "-4;Motor 1;00.00.;00:00;v;   Keine Logbucheintr\xE4ge gespeichert\r\n");
    EXPECT_EQ(transfer.TakeExportBytes(), "");

    // sla 0: the progress bar keeps a maximum of 1.
    transfer.BeginExport();
    Receive("sla", "0,");
    EXPECT_EQ(progressMaximum, 1);
}

TEST_F(LogbookTransferTest, WatchdogEndsAReadAfterTenSilentSeconds) {
    transfer.BeginPageRead();
    Receive("sla", "135,");
    for (long long n = 1; n <= 40; ++n)
        Receive("sld", EntryPayload(n));
    EXPECT_FALSE(transfer.CheckWatchdog());  // characters came since the start
    now += 9900ms;
    EXPECT_FALSE(transfer.CheckWatchdog());
    now += 100ms;
    EXPECT_TRUE(transfer.CheckWatchdog());
    EXPECT_EQ(abandoned, std::vector{LogbookTransferKind::PageRead});
    EXPECT_FALSE(transfer.Running());
    EXPECT_EQ(rows[40], kLogbookIncomplete);
    EXPECT_EQ(selected, 40);
    EXPECT_EQ(panels[5], "Zeitüberschreitung Logbuch");
    EXPECT_EQ(panels[6], "");
    EXPECT_FALSE(transfer.CheckWatchdog());
    EXPECT_TRUE(ended.empty());

    // No entry at all: the top row of an emptied list.
    rows = {"alt", "alt"};
    transfer.BeginPageRead();
    now += 10s;
    EXPECT_TRUE(transfer.CheckWatchdog());
    EXPECT_EQ(rows.size(), 101u);
    EXPECT_EQ(rows[0], kLogbookIncomplete);
    EXPECT_EQ(rows[1], "");
}

TEST_F(LogbookTransferTest, AbandonedExportDiscardsItsLines) {
    transfer.BeginExport();
    Receive("sla", "2,");
    Receive("slf", EntryPayload(1));
    rows = {"bleibt"};
    transfer.Abandon();
    EXPECT_EQ(abandoned, std::vector{LogbookTransferKind::Export});
    EXPECT_EQ(rows, std::vector<std::string>{"bleibt"});
    EXPECT_EQ(transfer.TakeExportBytes(), "");
    transfer.Abandon();  // nothing running: nothing happens
    EXPECT_EQ(abandoned.size(), 1u);
}

}  // namespace
}  // namespace veltrano
