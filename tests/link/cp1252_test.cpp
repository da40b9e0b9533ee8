#include "model/cp1252.h"

#include <gtest/gtest.h>

namespace veltrano {
namespace {

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Cp1252, GermanLettersAndTheEuroSign) {
    EXPECT_EQ(Cp1252ToUtf8("\xC4\xD6\xDC\xE4\xF6\xFC\xDF\x80"), "ÄÖÜäöüß€");
    EXPECT_EQ(Utf8ToCp1252("Außentemp. 5 €"), "Au\xDF" "entemp. 5 \x80");
}

TEST(Cp1252, CharactersWithoutAByteBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1252("a\u4E2Db"), "a?b");
    EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x98\x80"), "?");
}

TEST(Cp1252, CountsAndCutsCharactersNotBytes) {
    EXPECT_EQ(Utf8Length("Küche"), 5u);
    EXPECT_EQ(Utf8Left("Küche", 2), "Kü");
    EXPECT_EQ(Utf8Left("Küche", 10), "Küche");
    EXPECT_EQ(Utf8CharAt("Küche", 2), "ü");
    EXPECT_EQ(Utf8CharAt("Küche", 6), "");
    EXPECT_EQ(Utf8CharAt("Küche", 0), "");
}

}  // namespace
}  // namespace veltrano
