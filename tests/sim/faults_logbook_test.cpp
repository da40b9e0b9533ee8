// Faults on demand, silence, and the logbook.
#include <gtest/gtest.h>

#include <set>

#include "sim_controller.h"
#include "sim_test_support.h"

namespace veltrano::sim {
namespace {

using testing::Ack;
using testing::At;
using testing::ConfigOf;
using testing::SendRecord;

int CountOf(const std::string& text, const std::string& what) {
    int count = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

// The frames of a text, each "start_" .. "ende_".
std::vector<std::string> Frames(const std::string& text) {
    std::vector<std::string> frames;
    for (auto s = text.find("start_"); s != std::string::npos; s = text.find("start_", s + 1)) {
        const auto e = text.find("ende_", s);
        if (e == std::string::npos) break;
        frames.push_back(text.substr(s, e + 5 - s));
    }
    return frames;
}

// Whether a numeric frame's last number equals the sum of the others.
bool ChecksumHolds(const std::string& frame) {
    const std::string payload = frame.substr(9, frame.size() - 14);
    std::vector<long long> n;
    std::size_t at = 0;
    for (auto comma = payload.find(','); comma != std::string::npos;
         comma = payload.find(',', at)) {
        n.push_back(std::stoll(payload.substr(at, comma - at)));
        at = comma + 1;
    }
    long long sum = 0;
    for (std::size_t i = 0; i + 1 < n.size(); ++i)
        sum += n[i];
    return !n.empty() && sum == n.back();
}

TEST(Faults, BadChecksumInEveryNthDataFrameOnly) {
    SimConfig config = ConfigOf();
    config.faults.badChecksumEvery = 3;
    SimController sim(config, FactoryMemory(false));
    const auto frames = Frames(sim.ReceiveText("smo\rsbp", At()));
    ASSERT_EQ(frames.size(), 33u);
    EXPECT_EQ(frames[0], "start_smoQVS-900 W K:9W--ende_");  // no checksum, not counted
    for (int i = 1; i <= 32; ++i)
        EXPECT_EQ(ChecksumHolds(frames[i]), i % 3 != 0) << frames[i];
}

TEST(Faults, DropEveryNthFrame) {
    SimConfig config = ConfigOf();
    config.faults.dropEvery = 4;
    SimController sim(config, FactoryMemory(false));
    const std::string out = sim.ReceiveText("sft", At());
    EXPECT_EQ(CountOf(out, "start_sft"), 15 - 3);
    EXPECT_EQ(out.find("start_sft4,"), std::string::npos);
    EXPECT_NE(out.find("start_sft5,"), std::string::npos);
    EXPECT_EQ(sim.FramesSent(), 12);
}

TEST(Faults, GarbageLiesBetweenFramesAndNeverHoldsFlowControl) {
    SimConfig config = ConfigOf();
    config.faults.garbage = true;
    config.faults.seed = 7;
    SimController sim(config, FactoryMemory(false));
    const auto pieces = sim.Receive("sbpsdmsft", At());
    std::string out;
    for (const auto& p : pieces)
        out += p;
    EXPECT_EQ(out.find('\x11'), std::string::npos);
    EXPECT_EQ(out.find('\x13'), std::string::npos);
    // Every frame is still there, whole, at the end of its piece.
    for (const auto& piece : pieces) {
        const auto start = piece.rfind("start_s");
        ASSERT_NE(start, std::string::npos);
        EXPECT_EQ(piece.substr(piece.size() - 5), "ende_");
    }
    EXPECT_EQ(pieces.size(), 32u + 32u + 15u);
    SimController plain(ConfigOf(), FactoryMemory(false));
    EXPECT_GT(out.size(), plain.ReceiveText("sbpsdmsft", At()).size());
    EXPECT_GT(CountOf(out, "ende_"), 32 + 32 + 15) << "stray end markers";
}

TEST(Faults, SplitCutsFramesIntoSmallPiecesReproducibly) {
    SimConfig config = ConfigOf();
    config.faults.split = true;
    config.faults.seed = 99;
    SimController a(config, FactoryMemory(false));
    SimController b(config, FactoryMemory(false));
    const auto piecesA = a.Receive("sbp", At());
    const auto piecesB = b.Receive("sbp", At());
    EXPECT_EQ(piecesA, piecesB);
    EXPECT_GT(piecesA.size(), 32u * 5);
    std::string joined;
    for (const auto& p : piecesA) {
        EXPECT_LE(p.size(), 7u);
        joined += p;
    }
    SimController plain(ConfigOf(), FactoryMemory(false));
    EXPECT_EQ(joined, plain.ReceiveText("sbp", At()));
}

TEST(Silence, AfterFramesItNeitherAnswersNorTakesInput) {
    SimConfig config = ConfigOf();
    config.silence.afterFrames = 5;
    SimController sim(config, FactoryMemory(false));
    EXPECT_EQ(CountOf(sim.ReceiveText("sft", At()), "start_"), 5);
    EXPECT_TRUE(sim.Silent());
    EXPECT_EQ(sim.ReceiveText("smo\r", At()), "");
    // Records sent while the cable is out never arrive.
    sim.ReceiveText(SendRecord("rzz", {40, 40}), At());
    EXPECT_EQ(sim.Memory().randomSpan, 30);
    sim.ToggleSilence();
    EXPECT_FALSE(sim.Silent());
    EXPECT_EQ(sim.ReceiveText("smo\r", At()), "start_smoQVS-900 W K:9W--ende_");
    EXPECT_EQ(CountOf(sim.ReceiveText("sft", At()), "start_"), 15) << "fires once";
}

TEST(Silence, AfterAcknowledgements) {
    SimConfig config = ConfigOf();
    config.silence.afterAcks = 2;
    SimController sim(config, FactoryMemory(false));
    EXPECT_EQ(sim.ReceiveText(SendRecord("rzz", {40, 40}) + SendRecord("rbh", {12, 12}) +
                                  SendRecord("roa", {99, 99}),
                              At()),
              Ack(0) + Ack(0));
    EXPECT_TRUE(sim.Silent());
    EXPECT_EQ(sim.Memory().outsideOffset, 100);
}

TEST(Silence, AfterTime) {
    SimConfig config = ConfigOf();
    config.silence.after = std::chrono::milliseconds(2000);
    SimController sim(config, FactoryMemory(false));
    EXPECT_NE(sim.ReceiveText("smo\r", At(1999)), "");
    sim.Tick(At(2000));
    EXPECT_TRUE(sim.Silent());
    EXPECT_EQ(sim.ReceiveText("smo\r", At(2500)), "");
}

TEST(HangUp, DueOnceAfterItsAcknowledgementsTheRestOfTheInputLost) {
    SimConfig config = ConfigOf();
    config.hangUp.afterAcks = 2;
    SimController sim(config, FactoryMemory(false));
    EXPECT_FALSE(sim.TakeHangUp());
    EXPECT_EQ(sim.ReceiveText(SendRecord("rzz", {40, 40}) + SendRecord("rbh", {12, 12}) +
                                  SendRecord("roa", {99, 99}),
                              At()),
              Ack(0) + Ack(0));
    EXPECT_TRUE(sim.TakeHangUp());
    EXPECT_FALSE(sim.TakeHangUp());
    EXPECT_EQ(sim.Memory().outsideOffset, 100);
    EXPECT_FALSE(sim.Silent()) << "the new line answers";
    EXPECT_EQ(sim.ReceiveText(SendRecord("roa", {99, 99}) + SendRecord("rzz", {41, 41}), At()),
              Ack(0) + Ack(0));
    EXPECT_FALSE(sim.TakeHangUp()) << "once";
}

TEST(Silence, PullingTheCableLosesAHalfRecord) {
    SimController sim(ConfigOf(), FactoryMemory(false));
    sim.ReceiveText(" rzz40\r", At());
    sim.ToggleSilence();
    sim.ToggleSilence();
    EXPECT_EQ(sim.ReceiveText("40\rsmo\r", At()), "start_smoQVS-900 W K:9W--ende_");
    EXPECT_EQ(sim.Memory().randomSpan, 30);
}

TEST(Logbook, GeneratedEntriesCoverEveryEventCodeAndSubCode) {
    const auto entries = GenerateLogbook(8);
    EXPECT_GT(entries.size(), static_cast<std::size_t>(kLogbookPageSize));
    std::set<std::pair<int, int>> seen;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const LogbookEntry& e = entries[i];
        EXPECT_EQ(e.number, static_cast<int>(i) + 1);
        EXPECT_GE(e.motor, 1);
        EXPECT_LE(e.motor, 8);
        EXPECT_GE(e.day, 1);
        EXPECT_LE(e.day, 31);
        EXPECT_GE(e.month, 1);
        EXPECT_LE(e.month, 12);
        EXPECT_LE(e.hour, 23);
        EXPECT_LE(e.minute, 59);
        seen.insert({e.code, e.subCode});
    }
    for (int sub = 0; sub <= 2; ++sub)
        EXPECT_TRUE(seen.count({0, sub})) << sub;
    for (int code = 1; code <= kHighestEventCode; ++code)
        EXPECT_TRUE(seen.count({code, 0}));
}

TEST(Logbook, FramesSizePagesAllRewindAndErase) {
    SimController sim(ConfigOf(), FactoryMemory(false));
    const auto total = sim.Logbook().size();
    EXPECT_EQ(sim.ReceiveText("sla", At()), "start_sla" + std::to_string(total) + ",ende_");

    const LogbookEntry& first = sim.Logbook()[0];
    const std::string firstFrame = RenderFrame(LogbookFrame("sld", first));
    const int sum = first.number + first.motor + first.direction + first.day + first.month +
                    first.code + first.hour + first.minute + first.subCode;
    EXPECT_EQ(firstFrame, "start_sld1," + std::to_string(first.motor) + "," +
                              std::to_string(first.direction) + "," + std::to_string(first.day) +
                              "," + std::to_string(first.month) + "," + std::to_string(first.code) +
                              "," + std::to_string(first.hour) + "," +
                              std::to_string(first.minute) + "," + std::to_string(first.subCode) +
                              "," + std::to_string(sum) + ",ende_");

    const std::string marker = "start_sld9999,1,0,0,0,0,0,0,0,10000,ende_";
    std::string page = sim.ReceiveText("sld", At());
    EXPECT_EQ(CountOf(page, "start_sld"), 101);
    EXPECT_EQ(page.rfind(firstFrame, 0), 0u);
    EXPECT_EQ(page.substr(page.size() - marker.size()), marker);
    for (const auto& frame : Frames(page))
        EXPECT_TRUE(ChecksumHolds(frame)) << frame;

    page = sim.ReceiveText("sld", At());
    EXPECT_EQ(CountOf(page, "start_sld"), static_cast<int>(total) - 100 + 1);
    EXPECT_EQ(CountOf(sim.ReceiveText("sld", At()), "start_sld"), 1) << "only the marker";

    sim.ReceiveText("slr", At());
    EXPECT_EQ(sim.ReceiveText("sld", At()).rfind(firstFrame, 0), 0u);

    const std::string all = sim.ReceiveText("slf", At());
    EXPECT_EQ(CountOf(all, "start_slf"), static_cast<int>(total) + 1);
    const std::string endMarker = "start_slf9999,1,0,0,0,0,0,0,0,10000,ende_";
    EXPECT_EQ(all.substr(all.size() - endMarker.size()), endMarker);

    EXPECT_EQ(sim.ReceiveText("sll", At()), "");
    EXPECT_EQ(sim.Logbook().size(), 0u);
}

TEST(Logbook, ErasedLogbookAnswersSizeZeroAndTheMarkerOnly) {
    SimController sim(ConfigOf({Family::Roller, 8, 8}), FactoryMemory(false));
    sim.ReceiveText("sll", At());
    const std::string out = sim.ReceiveText("smnslasld", At());
    EXPECT_EQ(CountOf(out, "start_smn"), 8);
    EXPECT_NE(out.find("start_sla0,ende_start_sld9999,1,0,0,0,0,0,0,0,10000,ende_"),
              std::string::npos);
    EXPECT_EQ(sim.ReceiveText("slf", At()), "start_slf9999,1,0,0,0,0,0,0,0,10000,ende_");
}

TEST(Logbook, SizeOfTheGeneratedLogbook) {
    for (int size : {0, 1, 135, 2000, 9998}) {
        SimConfig config = ConfigOf();
        config.logbookSize = size;
        SimController sim(config, FactoryMemory(false));
        EXPECT_EQ(sim.ReceiveText("sla", At()), "start_sla" + std::to_string(size) + ",ende_");
        EXPECT_EQ(sim.Memory().logbook->size(), static_cast<std::size_t>(size));
    }
}

TEST(Logbook, LogbookOfTheMemoryIsSentAsStoredAndErasedThere) {
    SimMemory memory = FactoryMemory(false);
    memory.logbook = {{1, 33, -1, 45, 13, 99, 99, 99, 7}, {5, 0, 2, 0, 0, 30, -3, 60, 0}};
    SimController sim(ConfigOf(), memory);
    EXPECT_EQ(sim.ReceiveText("slasld", At()),
              "start_sla2,ende_"
              "start_sld1,33,-1,45,13,99,99,99,7,395,ende_"
              "start_sld5,0,2,0,0,30,-3,60,0,94,ende_"
              "start_sld9999,1,0,0,0,0,0,0,0,10000,ende_");
    sim.ReceiveText("sll", At());
    EXPECT_EQ(sim.Memory().logbook, std::vector<LogbookEntry>{});
}

TEST(Logbook, SilentAfterTheNthEntryFrameWhoseFramesStillGoOut) {
    SimConfig config = ConfigOf();
    config.silence.afterLogbookEntries = 40;
    SimController sim(config, FactoryMemory(false));
    const std::string page = sim.ReceiveText("smnslasld", At());
    EXPECT_EQ(CountOf(page, "start_smn"), 32);
    EXPECT_EQ(CountOf(page, "start_sla"), 1);
    EXPECT_EQ(CountOf(page, "start_sld"), 40);
    EXPECT_NE(page.find("start_sld40,"), std::string::npos);
    EXPECT_EQ(page.find("start_sld9999"), std::string::npos);
    EXPECT_TRUE(sim.Silent());
    EXPECT_EQ(sim.ReceiveText("sfi\r", At()), "");
}

}  // namespace
}  // namespace veltrano::sim
