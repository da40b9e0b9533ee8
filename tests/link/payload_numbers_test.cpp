#include "link/payload_numbers.h"

#include <gtest/gtest.h>

namespace veltrano {
namespace {

TEST(SplitPayloadNumbers, ReadsUpToSixteenNumbersEachEndedByAComma) {
    auto n = SplitPayloadNumbers("1,-2,300,");
    ASSERT_TRUE(n);
    EXPECT_EQ((*n)[0], 1);
    EXPECT_EQ((*n)[1], -2);
    EXPECT_EQ((*n)[2], 300);
    EXPECT_EQ((*n)[3], 0);
}

TEST(SplitPayloadNumbers, TextAfterTheLastCommaAndNumbersBeyondSixteenAreIgnored) {
    auto n = SplitPayloadNumbers("5,6,7x");
    ASSERT_TRUE(n);
    EXPECT_EQ((*n)[1], 6);
    EXPECT_EQ((*n)[2], 0);
    std::string many;
    for (int i = 1; i <= 20; ++i)
        many += std::to_string(i) + ",";
    n = SplitPayloadNumbers(many + "garbage,");
    ASSERT_TRUE(n);
    EXPECT_EQ((*n)[15], 16);
}

TEST(SplitPayloadNumbers, RejectsWhatIsNoInteger) {
    for (const char* bad : {"1,a,", "1, 2,", ",", "+3,", "1.5,", "--1,", "-,", "12 ,"}) {
        EXPECT_FALSE(SplitPayloadNumbers(bad)) << bad;
    }
}

TEST(SplitPayloadNumbers, SignedThirtyTwoBitRange) {
    EXPECT_TRUE(SplitPayloadNumbers("2147483647,-2147483648,"));
    EXPECT_FALSE(SplitPayloadNumbers("2147483648,"));
    EXPECT_FALSE(SplitPayloadNumbers("-2147483649,"));
    EXPECT_FALSE(SplitPayloadNumbers("99999999999999999999999,"));
    // Leading zeros are digits: any number of them.
    const auto zeros = SplitPayloadNumbers("0000008875319,-00000000000001,0000000000000000000,");
    ASSERT_TRUE(zeros);
    EXPECT_EQ((*zeros)[0], 8875319);
    EXPECT_EQ((*zeros)[1], -1);
    EXPECT_EQ((*zeros)[2], 0);
}

TEST(SplitPayloadNumbers, MasksAcceptBothTheUnsignedAndTheSignedForm) {
    auto n = SplitPayloadNumbers("4294967295,-1,2147483648,", NumberRange::Mask32);
    ASSERT_TRUE(n);
    EXPECT_EQ(MaskBits((*n)[0]), 0xFFFFFFFFu);
    EXPECT_EQ(MaskBits((*n)[1]), 0xFFFFFFFFu);
    EXPECT_EQ(MaskBits((*n)[2]), 0x80000000u);
    EXPECT_FALSE(SplitPayloadNumbers("4294967296,", NumberRange::Mask32));
}

TEST(Checksum, PlainSumOfTheFirstNNumbersEqualsNumberN) {
    auto n = SplitPayloadNumbers("3,1,112,10,20,40,12,198,");
    ASSERT_TRUE(n);
    EXPECT_TRUE(ChecksumValid(*n, 7));
    EXPECT_FALSE(ChecksumValid(*n, 6));
    auto bad = SplitPayloadNumbers("3,1,112,10,20,40,12,199,");
    EXPECT_FALSE(ChecksumValid(*bad, 7));
    EXPECT_FALSE(ChecksumValid(*n, 16));
}

}  // namespace
}  // namespace veltrano
