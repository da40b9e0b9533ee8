// The parser of what the program writes: commands come out the same however
// the input is chunked.
#include <gtest/gtest.h>

#include "command_parser.h"
#include "link/manual_drive_code.h"
#include "sim_test_support.h"

namespace veltrano::sim {
namespace {

using Kind = ParsedCommand::Kind;
using testing::SendRecord;

// A compact text of the parsed commands, for comparing whole runs.
std::string Describe(const std::vector<ParsedCommand>& commands) {
    std::string text;
    for (const auto& c : commands) {
        text += "[" + std::to_string(static_cast<int>(c.kind)) + " " + c.word;
        for (auto n : c.numbers)
            text += " " + std::to_string(n);
        for (const auto& t : c.texts)
            text += " '" + t + "'";
        if (!c.direction.empty()) text += " " + c.direction + " " + c.code;
        if (!c.wellFormed) text += " broken";
        text += "]";
    }
    return text;
}

std::vector<ParsedCommand> ParseWhole(const std::string& input) {
    CommandParser parser;
    return parser.Feed(input);
}

std::string ManualDriveLines(int motor, const std::string& direction) {
    return " rhb" + std::to_string(motor) + "\r" + direction + "\r" + kManualDriveConfirmationCode +
           "\r + sti" + "\r";
}

// A send-all and manual-drive session with every kind of record and the
// awkward spots: " rta " with its blank, names with blanks and Windows-1252
// bytes, polls glued to bare words, the stray " + sti\r".
std::string Session() {
    return SendRecord("rfs", {0, 1, 1, 0, 24, 0, 40, 1, 0, 67}) +
           SendRecord("rfs", {7, 32, 8, 0, 23, 59, 126, 1, 2, 2}) +
           SendRecord("rfs", {255, 0, 0, 0, 0, 0, 0, 0, 0, 255}) +
           " rmn7\rB\xFCro        \rB\xFCro        \r" +
           SendRecord("rbp", {3, 1, 122, 8, 19, 40, 10, 203}) +
           SendRecord("rta ", {32, 1, 22, 55}) +
           SendRecord("rgz", {4294967295LL, 0, 15, 2147483648LL, 22}) +
           SendRecord("rbh", {138, 138}) + "smo\rslr" + "sbpsfs" + " rhi\r" +
           ManualDriveLines(21, "down") + "srs\r" + ManualDriveLines(3, "up") + " rhe\r";
}

TEST(CommandParser, WholeSession) {
    const auto commands = ParseWhole(Session());
    EXPECT_EQ(Describe(commands),
              "[1 rfs 0 1 1 0 24 0 40 1 0 67]"
              "[1 rfs 7 32 8 0 23 59 126 1 2 2]"
              "[1 rfs 255 0 0 0 0 0 0 0 0 255]"
              "[1 rmn 7 'B\xFCro        ' 'B\xFCro        ']"
              "[1 rbp 3 1 122 8 19 40 10 203]"
              "[1 rta 32 1 22 55]"
              "[1 rgz 4294967295 0 15 2147483648 22]"
              "[1 rbh 138 138]"
              "[0 smo][0 slr][0 sbp][0 sfs]"
              "[2 rhi]"
              "[4 rhb 21 down " +
                  std::string(kManualDriveConfirmationCode) +
                  "]"
                  "[0 srs]"
                  "[4 rhb 3 up " +
                  kManualDriveConfirmationCode +
                  "]"
                  "[3 rhe]");
}

TEST(CommandParser, SplitAtEveryPositionGivesTheSameCommands) {
    const std::string input = Session();
    const std::string expected = Describe(ParseWhole(input));
    for (std::size_t cut = 0; cut <= input.size(); ++cut) {
        CommandParser parser;
        auto first = parser.Feed(std::string_view(input).substr(0, cut));
        auto second = parser.Feed(std::string_view(input).substr(cut));
        first.insert(first.end(), second.begin(), second.end());
        ASSERT_EQ(Describe(first), expected) << "cut at " << cut;
    }
}

TEST(CommandParser, ByteByByteGivesTheSameCommands) {
    const std::string input = Session();
    CommandParser parser;
    std::vector<ParsedCommand> all;
    for (char c : input) {
        auto some = parser.Feed(std::string_view(&c, 1));
        all.insert(all.end(), some.begin(), some.end());
    }
    EXPECT_EQ(Describe(all), Describe(ParseWhole(input)));
    EXPECT_FALSE(parser.Busy());
}

TEST(CommandParser, PollsGluedToBareWords) {
    EXPECT_EQ(Describe(ParseWhole("smo\rslr")), "[0 smo][0 slr]");
    EXPECT_EQ(Describe(ParseWhole("sfi\rsdt\rsti\rskd\rsmo\r")),
              "[0 sfi][0 sdt][0 sti][0 skd][0 smo]");
    EXPECT_EQ(Describe(ParseWhole("smnslasld")), "[0 smn][0 sla][0 sld]");
    EXPECT_EQ(Describe(ParseWhole("swl")), "[0 swl]");
}

TEST(CommandParser, StrayBytesBeforeAWordAreSkipped) {
    EXPECT_EQ(Describe(ParseWhole("xsfi\r")), "[0 sfi]");
    EXPECT_EQ(Describe(ParseWhole("ssfi\r")), "[0 sfi]");
    EXPECT_EQ(Describe(ParseWhole("\r\n 9 sxsmo\r")), "[0 smo]");
    EXPECT_EQ(Describe(ParseWhole(" + sti\r")), "[0 sti]");  // not after a manual drive
}

TEST(CommandParser, StraySuffixOfManualDriveIsSwallowedOnlyThere) {
    const std::string code = kManualDriveConfirmationCode;
    EXPECT_EQ(Describe(ParseWhole(" rhb5\rup\r" + code + "\r + sti\r")),
              "[4 rhb 5 up " + code + "]");
    // Without the suffix the next command is read as usual.
    EXPECT_EQ(Describe(ParseWhole(" rhb5\roff\r" + code + "\r rhe\r")),
              "[4 rhb 5 off " + code + "][3 rhe]");
    EXPECT_EQ(Describe(ParseWhole(" rhb5\roff\r" + code + "\rsrs\r")),
              "[4 rhb 5 off " + code + "][0 srs]");
    // A partial suffix followed by a command.
    EXPECT_EQ(Describe(ParseWhole(" rhb5\roff\r" + code + "\r + srs\r")),
              "[4 rhb 5 off " + code + "][0 srs]");
}

TEST(CommandParser, RtaWithoutItsBlankIsReadButMarkedBroken) {
    EXPECT_EQ(Describe(ParseWhole(" rta32\r1\r22\r55\r")), "[1 rta 32 1 22 55 broken]");
}

TEST(CommandParser, NamesKeepEveryByteIncludingCarriageReturnInside) {
    const std::string name = "A\rB  \x80\xFF     ";
    ASSERT_EQ(name.size(), 12u);
    const auto commands = ParseWhole(" rmn32\r" + name + "\r" + name + "\r");
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_TRUE(commands[0].wellFormed);
    EXPECT_EQ(commands[0].texts[0], name);
    EXPECT_EQ(commands[0].texts[1], name);
}

TEST(CommandParser, ShortNameBreaksTheRecordAndTheParserRecovers) {
    // A name not padded to 12: the record is refused, later commands survive.
    const auto commands = ParseWhole(" rmn1\rBad\rBad\r" + std::string(8, 'x') + "sfi\r");
    ASSERT_GE(commands.size(), 2u);
    EXPECT_EQ(commands[0].word, "rmn");
    EXPECT_FALSE(commands[0].wellFormed);
    EXPECT_EQ(commands.back().word, "sfi");
}

TEST(CommandParser, BadByteInsideANumberBreaksTheRecord) {
    const auto commands = ParseWhole(" rbp3\r1\r12x\r" + SendRecord("roa", {100, 100}));
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(Describe(commands), "[1 rbp 3 1 broken][1 roa 100 100]");
}

TEST(CommandParser, NegativeAndHugeNumbers) {
    EXPECT_EQ(Describe(ParseWhole(SendRecord("ras", {-1, -2147483648LL, 22}))),
              "[1 ras -1 -2147483648 22]");
    // More digits than any wire number has: broken, no overflow.
    const auto commands = ParseWhole(" roa99999999999999999999\r");
    ASSERT_FALSE(commands.empty());
    EXPECT_FALSE(commands[0].wellFormed);
}

TEST(CommandParser, EmptyNumberIsBroken) {
    EXPECT_EQ(Describe(ParseWhole(" roa\r100\r")), "[1 roa broken]");
}

TEST(CommandParser, ManualEnterWithoutCarriageReturnStillCounts) {
    EXPECT_EQ(Describe(ParseWhole(" rhismo\r")), "[2 rhi][0 smo]");
}

TEST(CommandParser, ResetForgetsAHalfRecord) {
    CommandParser parser;
    EXPECT_TRUE(parser.Feed(" rbp3\r1\r").empty());
    EXPECT_TRUE(parser.Busy());
    parser.Reset();
    EXPECT_EQ(Describe(parser.Feed("122\rsmo\r")), "[0 smo]");
}

TEST(CommandParser, RandomGarbageNeverThrows) {
    CommandParser parser;
    std::uint64_t state = 12345;
    std::string noise;
    for (int i = 0; i < 20000; ++i) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        const char pool[] = " rsbpfmnta0123456789-\r\n\x11\x13\xFF";
        noise += pool[(state >> 33) % (sizeof pool - 1)];
    }
    EXPECT_NO_THROW(parser.Feed(noise));
    // Enough line ends finish whatever record the noise began (two names at most).
    parser.Feed(std::string(40, '\r'));
    EXPECT_EQ(Describe(parser.Feed("smo\r")), "[0 smo]");
}

}  // namespace
}  // namespace veltrano::sim
