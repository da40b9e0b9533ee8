// The memory dump file: round trip, quoting of name bytes, atomic writing,
// malformed input.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "memory_dump.h"
#include "temp_workdir.h"

namespace veltrano::sim {
namespace {

ModelFeatures Full() {
    ModelFeatures f;
    f.conservatory = f.touch = f.groups = true;
    f.motors = 32;
    return f;
}

TEST(MemoryDump, RoundTripOfTheDemoMemory) {
    const SimMemory memory = DemoMemory(Full());
    EXPECT_EQ(ParseMemoryDump(FormatMemoryDump(memory)), memory);
}

TEST(MemoryDump, RoundTripOfOddNamesAndFullMasks) {
    SimMemory memory = FactoryMemory(true);
    memory.names[0] = "\"Quote\\ \x11\x13\xFF\x80";  // 12 bytes
    memory.names[0].resize(12, ' ');
    memory.names[1] = std::string(12, '\0');
    memory.names[2] = "  # hash    ";
    memory.alarmUpMask = 0xFFFFFFFFu;
    memory.groupMasks = {0x80000000u, 1, 0, 0xFFFFFFFFu};
    memory.StoreSwitchTime({7, 32, 8, 0, 23, 59, 126, 1, 2});
    const std::string text = FormatMemoryDump(memory);
    EXPECT_EQ(ParseMemoryDump(text), memory);
    EXPECT_NE(text.find("sas 4294967295 0\n"), std::string::npos);
    EXPECT_NE(text.find("sfs 7 32 8 0 23 59 126 1 2\n"), std::string::npos);
}

TEST(MemoryDump, LineLayout) {
    SimMemory memory = FactoryMemory(false);
    memory.names[6] = PadName("B\xFCro");
    memory.Record(MotorBlock::Shading, 7) = {1, 112, 10, 20, 40, 12};
    const std::string text = FormatMemoryDump(memory);
    EXPECT_NE(text.find("\nsmn 7 \"B\\xFCro        \"\n"), std::string::npos);
    EXPECT_NE(text.find("\nsbp 7 1 112 10 20 40 12\n"), std::string::npos);
    EXPECT_NE(text.find("\nsta 32 0 22\n"), std::string::npos);
    EXPECT_NE(text.find("\nsft 15 1 1\n"), std::string::npos);
    EXPECT_NE(text.find("\nszz 30\n"), std::string::npos);
    EXPECT_NE(text.find("\nsaw 0\n"), std::string::npos);
}

TEST(MemoryDump, PartialFileStartsFromTheFactoryMemory) {
    const SimMemory memory = ParseMemoryDump(
        "# hand-written\r\n\r\nsbh 138\r\nsfs 1 2 1 1 7 0 45 7 0\r\nsmn 1 \"Wohnzimmer  \"\r\n");
    SimMemory expected = FactoryMemory(false);
    expected.shadingHysteresis = 138;
    expected.StoreSwitchTime({1, 2, 1, 1, 7, 0, 45, 7, 0});
    expected.names[0] = "Wohnzimmer  ";
    EXPECT_EQ(memory, expected);
}

TEST(MemoryDump, PartialFileOverTheRadioFactoryMemory) {
    const SimMemory memory = ParseMemoryDump("szz 5\n", FactoryMemory(true));
    EXPECT_EQ(memory.randomSpan, 5);
    EXPECT_EQ(memory.Record(MotorBlock::Touch, 1), (MotorRecord{0, 70}));
}

TEST(MemoryDump, MalformedLinesNameTheirLine) {
    const char* bad[] = {
        "sbp 7 1 112\n",                   // too few numbers
        "sbp 33 1 112 10 20 40 12\n",      // motor
        "sfs 8 1 1 1 6 0 39 1 0\n",        // day
        "smn 1 \"short\"\n",               // not 12 bytes
        "smn 1 Wohnzimmer\n",              // not quoted
        "smn 1 \"Wohn\\xZZimmer \"\n",     // bad escape
        "sas 1 x\n",                       // not a number
        "sgz 1 2 3 4294967296\n",          // mask too large
        "sft 16 1 1\n",                    // holiday
        "xyz 1\n",                         // unknown
        "sld 1 1 1 1 1 1 1 1 1\n",         // entry without sla
        "sla 9999\n",                      // more than a logbook holds
        "sla 2\nsld 1 1 1 1 1 1 1 1 1\n",  // fewer entries than announced
    };
    for (const char* line : bad) {
        try {
            ParseMemoryDump(std::string("# ok\n") + line);
            ADD_FAILURE() << "accepted: " << line;
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find("line 2"), std::string::npos) << e.what();
        }
    }
}

TEST(MemoryDump, LogbookAsAnnouncedEntriesOutOfRangeValuesIncluded) {
    SimMemory memory = FactoryMemory(false);
    EXPECT_EQ(FormatMemoryDump(memory).find("sla"), std::string::npos);  // generated one kept

    memory.logbook = {{1, 3, 1, 5, 3, 1, 7, 30, 0}, {2, 33, -1, 45, 13, 99, 99, 99, 7}};
    const std::string text = FormatMemoryDump(memory);
    EXPECT_NE(text.find("\nsla 2\nsld 1 3 1 5 3 1 7 30 0\nsld 2 33 -1 45 13 99 99 99 7\n"),
              std::string::npos);
    EXPECT_EQ(ParseMemoryDump(text), memory);

    memory.logbook->clear();
    EXPECT_NE(FormatMemoryDump(memory).find("\nsla 0\n"), std::string::npos);
    EXPECT_EQ(ParseMemoryDump("sla 0\n").logbook, std::vector<LogbookEntry>{});
    EXPECT_FALSE(ParseMemoryDump("szz 5\n").logbook.has_value());

    for (const char* text : {"sla 2\nsld 1 1 1 1 1 1 1 1\n", "sla 1\nsla 1\n",
                             "sla 1\nsld 1 1 1 1 1 1 1 1 2147483648\n"}) {
        try {
            ParseMemoryDump(text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find("line 2"), std::string::npos) << e.what();
        }
    }
}

TEST(MemoryDump, QuotingRoundTripsEveryByte) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    std::string back;
    ASSERT_TRUE(UnquoteBytes(QuoteBytes(all), &back));
    EXPECT_EQ(back, all);
    EXPECT_FALSE(UnquoteBytes("\"abc", &back));
    EXPECT_FALSE(UnquoteBytes("\"a\"b\"", &back));
    EXPECT_FALSE(UnquoteBytes("\"a\\x4\"", &back));
}

TEST(MemoryDump, WriteReplacesTheFileAtomicallyAndLoadReadsIt) {
    veltrano::testing::TempWorkDir dir;
    const SimMemory memory = DemoMemory(Full());
    {
        std::ofstream old("memory.txt");
        old << "old content\n";
    }
    WriteMemoryDump("memory.txt", memory);
    EXPECT_EQ(LoadMemoryDump("memory.txt"), memory);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1) << "no temporary file is left behind";
    EXPECT_THROW(LoadMemoryDump("missing.txt"), std::runtime_error);
    EXPECT_THROW(WriteMemoryDump("no/such/folder/memory.txt", memory), std::runtime_error);
}

}  // namespace
}  // namespace veltrano::sim
