#include "link/frame_extractor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veltrano {
namespace {

using Kind = ReceivedFrame::Kind;

std::vector<ReceivedFrame> FeedAll(FrameExtractor& fx, const std::vector<std::string>& chunks) {
    std::vector<ReceivedFrame> out;
    for (const auto& c : chunks) {
        auto frames = fx.Feed(c);
        out.insert(out.end(), frames.begin(), frames.end());
    }
    return out;
}

std::vector<ReceivedFrame> OnlyFrames(const std::vector<ReceivedFrame>& all) {
    std::vector<ReceivedFrame> out;
    for (const auto& f : all)
        if (f.kind == Kind::Frame) out.push_back(f);
    return out;
}

TEST(FrameExtractor, CutsOneFrameAndLeavesNothingBehind) {
    FrameExtractor fx;
    auto frames = fx.Feed("start_sfi7.014ende_");
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].tag, "sfi");
    EXPECT_EQ(frames[0].payload, "7.014");
    EXPECT_EQ(fx.Buffer(), "");
}

TEST(FrameExtractor, EveryFrameOfOneEventInOrder) {
    FrameExtractor fx;
    auto frames = fx.Feed("start_smoABCende_start_sdt01.01.00ende_start_sti12:00:00ende_");
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].tag, "smo");
    EXPECT_EQ(frames[1].payload, "01.01.00");
    EXPECT_EQ(frames[2].tag, "sti");
}

TEST(FrameExtractor, EverySplitPositionOfTwoFramesGivesBothFramesOnce) {
    const std::string stream = "xxstart_sbp1,0,100,10,20,40,12,183,ende_start_smn01Küche ende_yy";
    for (std::size_t a = 0; a <= stream.size(); ++a) {
        for (std::size_t b = a; b <= stream.size(); b += 7) {
            FrameExtractor fx;
            auto frames = OnlyFrames(
                FeedAll(fx, {stream.substr(0, a), stream.substr(a, b - a), stream.substr(b)}));
            ASSERT_EQ(frames.size(), 2u) << "split at " << a << "," << b;
            EXPECT_EQ(frames[0].tag, "sbp");
            EXPECT_EQ(frames[0].payload, "1,0,100,10,20,40,12,183,");
            EXPECT_EQ(frames[1].tag, "smn");
            EXPECT_EQ(frames[1].payload, "01Küche ");
        }
    }
}

TEST(FrameExtractor, CharacterByCharacter) {
    const std::string stream = "start_skd1,2,3,ende_start_stc0,ende_";
    FrameExtractor fx;
    std::vector<ReceivedFrame> frames;
    for (char c : stream) {
        auto f = fx.Feed(std::string(1, c));
        frames.insert(frames.end(), f.begin(), f.end());
    }
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[1].tag, "stc");
}

TEST(FrameExtractor, GarbageBeforeAFrameDoesNotEatTheNextFrame) {
    // More than four stray characters: nothing of the following frame is lost.
    FrameExtractor fx;
    auto frames = fx.Feed("garbage!start_smoAende_start_smoBende_");
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].payload, "A");
    EXPECT_EQ(frames[1].payload, "B");
}

TEST(FrameExtractor, StrayEndMarkerIsDroppedWithoutDestroyingTheFollowingFrame) {
    // Two stray characters, a stray end marker and then a complete frame.
    FrameExtractor fx;
    auto all = fx.Feed("abende_start_smoXYZende_");
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].kind, Kind::StrayMarker);
    EXPECT_EQ(all[1].kind, Kind::Frame);
    EXPECT_EQ(all[1].payload, "XYZ");
    EXPECT_EQ(fx.Buffer(), "");
}

TEST(FrameExtractor, UnclosedStartMarkerDoesNotSwallowTheNextFrame) {
    FrameExtractor fx;
    auto frames = fx.Feed("start_sbp1,2,start_smoOKende_");
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].tag, "smo");
    EXPECT_EQ(frames[0].payload, "OK");
}

TEST(FrameExtractor, TagRunningIntoTheEndMarkerIsStray) {
    FrameExtractor fx;
    auto all = fx.Feed("start_abende_start_sdtDende_");
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].kind, Kind::StrayMarker);
    EXPECT_EQ(all[1].tag, "sdt");
    EXPECT_EQ(all[1].payload, "D");
}

TEST(FrameExtractor, EmptyPayload) {
    FrameExtractor fx;
    auto frames = fx.Feed("start_sspende_");
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].tag, "ssp");
    EXPECT_EQ(frames[0].payload, "");
}

TEST(FrameExtractor, GarbageWithoutMarkersDoesNotPileUp) {
    FrameExtractor fx;
    for (int i = 0; i < 10000; ++i)
        fx.Feed("noise and more noise ");
    EXPECT_LE(fx.Buffer().size(), 5u);
    // A marker split over the boundary still completes.
    fx.Feed("sta");
    auto frames = fx.Feed("rt_smoMende_");
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].payload, "M");
}

TEST(FrameExtractor, HugeUnclosedPayloadIsBoundedAndLaterFramesStillWork) {
    FrameExtractor fx;
    fx.Feed("start_smo");
    for (int i = 0; i < 1000; ++i)
        fx.Feed(std::string(1000, '7'));
    EXPECT_LE(fx.Buffer().size(), FrameExtractor::kMaxUnclosedFrame);
    auto frames = OnlyFrames(fx.Feed("ende_start_sfi7.514ende_"));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].tag, "sfi");
}

TEST(FrameExtractor, TextAfterTheLastFrameWaits) {
    FrameExtractor fx;
    auto frames = fx.Feed("start_smoAende_start_sd");
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(fx.Buffer(), "start_sd");
    frames = fx.Feed("t1ende_");
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].payload, "1");
}

}  // namespace
}  // namespace veltrano

namespace veltrano {
namespace {

TEST(CompletesAFrame, EndMarkerWholeOrItsRestAfterASplit) {
    EXPECT_TRUE(CompletesAFrame("start_smoXende_"));
    EXPECT_TRUE(CompletesAFrame("ende_start_sf"));
    EXPECT_TRUE(CompletesAFrame("nde_"));
    EXPECT_TRUE(CompletesAFrame("de_start_"));
    EXPECT_TRUE(CompletesAFrame("e_"));
    EXPECT_TRUE(CompletesAFrame("_"));
    EXPECT_FALSE(CompletesAFrame(""));
    EXPECT_FALSE(CompletesAFrame("start_sbp1,2,"));
    EXPECT_FALSE(CompletesAFrame("end"));
    EXPECT_FALSE(CompletesAFrame("x_"));
}

}  // namespace
}  // namespace veltrano
