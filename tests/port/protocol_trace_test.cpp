// The protocol trace: the bytes of an exchange through the port, in order and
// readable; a file that cannot be written is reported once.
#include <fstream>
#include <sstream>
#include <thread>

#include "link/protocol_trace.h"
#include "port_fixture.h"

namespace veltrano::testing {
namespace {

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The lines of the trace with the time stamps cut off; the stamps must rise.
std::vector<std::string> LinesWithoutStamps(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    long previous = -1;
    for (std::string line; std::getline(in, line);) {
        const long stamp = std::stol(line.substr(0, 8));
        EXPECT_GE(stamp, previous) << line;
        previous = stamp;
        lines.push_back(line.substr(9));
    }
    return lines;
}

TEST(TraceBytesTest, ShowsBytesReadably) {
    const struct {
        std::string bytes, shown;
    } cases[] = {
        {"sfi\r", "sfi\\r"},
        {" rhb 3\r", " rhb 3\\r"},
        {std::string("a\0b", 3), "a\\x00b"},
        {"\n\t\x1B\x7F", "\\x0A\\x09\\x1B\\x7F"},
        {"K\xFC"
         "che",
         "K\\xFCche"},  // Windows-1252 ü as on the wire
        {"\x80\xFF", "\\x80\\xFF"},
        {"a\\x0Db", "a\\\\x0Db"},  // typed backslash is not a byte escape
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TraceBytes(c.bytes), c.shown) << c.shown;
}

TEST_F(PortTest, TraceRecordsExchangeInOrder) {
    auto trace = std::make_shared<ProtocolTrace>("trace.txt");
    port.SetTrace(trace);
    port.Open();
    ASSERT_TRUE(port.WriteText("sfi\r"));
    ASSERT_TRUE(peer.ReceiveAtLeast(4));
    ASSERT_TRUE(peer.Send("sfi 2 K\xFC;\r"));
    ASSERT_TRUE(ReceivedAtLeast(10));
    ASSERT_TRUE(port.WriteText("sdt\r"));
    ASSERT_TRUE(peer.ReceiveAtLeast(8));
    port.SetTrace(nullptr);
    ASSERT_TRUE(port.WriteText("smo\r"));  // no longer recorded
    trace->Flush();
    EXPECT_EQ(trace->Error(), std::nullopt);
    const auto lines = LinesWithoutStamps(FileText("trace.txt"));
    // One line per receive event: the reply may come in several.
    std::string reply;
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines.front(), "TX sfi\\r");
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        ASSERT_EQ(lines[i].substr(0, 3), "RX ") << lines[i];
        reply += lines[i].substr(3);
    }
    EXPECT_EQ(reply, "sfi 2 K\\xFC;\\r");
    EXPECT_EQ(lines.back(), "TX sdt\\r");
}

TEST(ProtocolTraceTest, LinesFromManyThreadsAllWrittenBeforeTheEnd) {
    TempWorkDir dir;
    {
        ProtocolTrace trace("trace.txt");
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t) {
            threads.emplace_back([&trace] {
                for (int i = 0; i < 500; ++i)
                    trace.Received("x\r");
            });
        }
        for (auto& thread : threads)
            thread.join();
    }  // the destructor writes what is queued
    const auto lines = LinesWithoutStamps(FileText("trace.txt"));
    EXPECT_EQ(lines.size(), 2000u);
    for (const auto& line : lines)
        ASSERT_EQ(line, "RX x\\r");
}

TEST(ProtocolTraceTest, FileThatCannotBeWrittenIsReportedOnce) {
    TempWorkDir dir;
    const struct {
        const char* path;
        const char* reported;
    } cases[] = {
        {"kein-ordner/trace.txt", "kann nicht angelegt werden.\nDer Ordner existiert nicht."},
        {".", "kann nicht angelegt werden.\nDer Name gehört zu einem Ordner."},
        {"/dev/full", "kann nicht geschrieben werden.\nDer Datenträger ist voll."},
    };
    for (const auto& c : cases) {
        std::vector<std::string> reports;
        ProtocolTrace trace(c.path, [&](const std::string& text) { reports.push_back(text); });
        for (int i = 0; i < 50; ++i) {
            trace.Sent("sfi\r");
            trace.Flush();
        }
        ASSERT_EQ(reports.size(), 1u) << c.path;
        EXPECT_NE(reports[0].find(c.reported), std::string::npos) << reports[0];
        EXPECT_EQ(trace.Error(), reports[0]);
    }
    EXPECT_FALSE(std::filesystem::exists("kein-ordner"));
}

}  // namespace
}  // namespace veltrano::testing
