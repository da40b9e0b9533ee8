// The real simulator executable on a pseudo-terminal link in a temporary
// folder: it answers, survives the port being closed and re-opened, dumps
// its memory on request and removes its link when terminated.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "memory_dump.h"
#include "simulator_process.h"
#include "temp_workdir.h"

namespace veltrano::sim {
namespace {

using Clock = std::chrono::steady_clock;

class Port {
  public:
    explicit Port(const std::filesystem::path& path)
        : fd_(open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) {}
    ~Port() {
        if (fd_ >= 0) close(fd_);
    }
    bool IsOpen() const { return fd_ >= 0; }
    int Fd() const { return fd_; }
    void Write(const std::string& text) {
        ASSERT_EQ(write(fd_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    }
    // Everything read until `marker` has arrived (or 5 s passed).
    std::string ReadUntil(const std::string& marker) {
        std::string got;
        const auto deadline = Clock::now() + std::chrono::seconds(5);
        while (got.find(marker) == std::string::npos && Clock::now() < deadline) {
            pollfd p{fd_, POLLIN, 0};
            if (poll(&p, 1, 50) <= 0) continue;
            char buffer[512];
            const ssize_t n = read(fd_, buffer, sizeof buffer);
            if (n > 0) got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    }

  private:
    int fd_;
};

long CpuTicks(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // Fields after the command name in parentheses: state is field 3, utime 14, stime 15.
    std::istringstream rest(text.substr(text.rfind(')') + 2));
    std::string field;
    long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && rest >> field; ++i) {
        if (i == 14) utime = std::stol(field);
        if (i == 15) stime = std::stol(field);
    }
    return utime + stime;
}

// The descriptor flags of the simulator's terminal master, from /proc.
std::optional<long> MasterFlags(pid_t pid) {
    const std::filesystem::path fds = "/proc/" + std::to_string(pid) + "/fd";
    for (const auto& entry : std::filesystem::directory_iterator(fds)) {
        std::error_code ec;
        const auto target = std::filesystem::read_symlink(entry.path(), ec).string();
        if (ec || target.find("ptmx") == std::string::npos) continue;
        std::ifstream info("/proc/" + std::to_string(pid) + "/fdinfo/" +
                           entry.path().filename().string());
        std::string key, value;
        while (info >> key >> value)
            if (key == "flags:") return std::stol(value, nullptr, 8);
    }
    return std::nullopt;
}

TEST(SimulatorExecutable, MasterIsCloseOnExecAndTheTerminalIsNotLocked) {
    veltrano::testing::TempWorkDir dir;
    SimulatorProcess sim(VELTRANO_SIM_PATH, {"--fast"}, dir.path().string());
    const auto flags = MasterFlags(sim.Pid());
    ASSERT_TRUE(flags.has_value());
    EXPECT_TRUE(*flags & O_CLOEXEC);
    Port port(dir.path() / "COM1");
    ASSERT_TRUE(port.IsOpen());
    EXPECT_EQ(flock(port.Fd(), LOCK_EX | LOCK_NB), 0);
    // Flow-control bytes from the program's terminal are not input.
    port.Write("\x13smo\r\x11");
    EXPECT_EQ(port.ReadUntil("ende_"), "start_smoQVS-900 W K:9W--ende_");
}

TEST(SimulatorExecutable, AnswersOnItsLinkSurvivesReopenAndRemovesTheLinkOnSigterm) {
    veltrano::testing::TempWorkDir dir;
    SimulatorProcess sim(VELTRANO_SIM_PATH, {"--link", "COM1"}, dir.path().string());
    const auto link = dir.path() / "COM1";
    ASSERT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(std::filesystem::read_symlink(link).string(), sim.TerminalPath());

    {
        Port port(link);
        ASSERT_TRUE(port.IsOpen());
        const auto start = Clock::now();
        port.Write("smo\r");
        // Nothing echoed, nothing translated: exactly the frame.
        EXPECT_EQ(port.ReadUntil("ende_"), "start_smoQVS-900 W K:9W--ende_");
        // 30 characters at 960 per second take about 31 ms.
        EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(25));
    }
    {
        Port again(link);
        ASSERT_TRUE(again.IsOpen());
        again.Write("sfi\r");
        EXPECT_EQ(again.ReadUntil("ende_"), "start_sfi7.514ende_");
    }

    const auto status = sim.Terminate();
    ASSERT_TRUE(status.has_value());
    EXPECT_TRUE(WIFEXITED(*status));
    EXPECT_EQ(WEXITSTATUS(*status), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

TEST(SimulatorExecutable, DumpsItsMemoryOnSigusr2AndAtExit) {
    veltrano::testing::TempWorkDir dir;
    SimulatorProcess sim(VELTRANO_SIM_PATH,
                         {"--fast", "--family", "roller", "--motors", "8", "--dump", "memory.txt"},
                         dir.path().string());
    Port port(dir.path() / "COM1");
    ASSERT_TRUE(port.IsOpen());
    port.Write(" rzz40\r40\r");
    EXPECT_EQ(port.ReadUntil("ende_"), "start_stc0,ende_");

    ASSERT_TRUE(sim.RequestDump());
    EXPECT_EQ(LoadMemoryDump((dir.path() / "memory.txt").string()).randomSpan, 40);

    port.Write(" rzz50\r50\r");
    EXPECT_EQ(port.ReadUntil("ende_"), "start_stc0,ende_");
    ASSERT_TRUE(sim.Terminate().has_value());
    EXPECT_EQ(LoadMemoryDump((dir.path() / "memory.txt").string()).randomSpan, 50);
}

TEST(SimulatorExecutable, LoadsAMemoryDumpAndTogglesSilence) {
    veltrano::testing::TempWorkDir dir;
    {
        std::ofstream file(dir.path() / "start.txt");
        file << "szz 77\n";
    }
    SimulatorProcess sim(VELTRANO_SIM_PATH, {"--fast", "--load", "start.txt"}, dir.path().string());
    Port port(dir.path() / "COM1");
    ASSERT_TRUE(port.IsOpen());
    port.Write("szz");
    EXPECT_EQ(port.ReadUntil("ende_"), "start_szz77,ende_");

    EXPECT_EQ(sim.ToggleSilence(), "silent");
    EXPECT_EQ(sim.ToggleSilence(), "answering");
    port.Write("sfi\r");
    EXPECT_EQ(port.ReadUntil("ende_"), "start_sfi7.514ende_");
}

TEST(SimulatorExecutable, LogbookFromTheOptionsOrTheFileAndErasedInTheDump) {
    veltrano::testing::TempWorkDir dir;
    {
        SimulatorProcess sim(VELTRANO_SIM_PATH, {"--fast", "--logbook", "3", "--dump", "a.txt"},
                             dir.path().string());
        Port port(dir.path() / "COM1");
        ASSERT_TRUE(port.IsOpen());
        port.Write("sla");
        EXPECT_EQ(port.ReadUntil("ende_"), "start_sla3,ende_");
        ASSERT_TRUE(sim.RequestDump());
        EXPECT_EQ(LoadMemoryDump((dir.path() / "a.txt").string()).logbook->size(), 3u);
        port.Write("sllsla");
        EXPECT_EQ(port.ReadUntil("ende_"), "start_sla0,ende_");
        ASSERT_TRUE(sim.RequestDump());
        std::ifstream dump(dir.path() / "a.txt");
        const std::string text((std::istreambuf_iterator<char>(dump)),
                               std::istreambuf_iterator<char>());
        EXPECT_NE(text.find("\nsla 0\n"), std::string::npos);
        EXPECT_EQ(text.find("\nsld "), std::string::npos);
    }
    {
        std::ofstream file(dir.path() / "b.txt");
        file << "sla 1\nsld 7 40 3 45 13 30 99 -5 9\n";
    }
    SimulatorProcess sim(VELTRANO_SIM_PATH, {"--fast", "--logbook", "50", "--load", "b.txt"},
                         dir.path().string());
    Port port(dir.path() / "COM1");
    ASSERT_TRUE(port.IsOpen());
    port.Write("slasld");
    EXPECT_EQ(port.ReadUntil("10000,ende_"),
              "start_sla1,ende_start_sld7,40,3,45,13,30,99,-5,9,241,ende_"
              "start_sld9999,1,0,0,0,0,0,0,0,10000,ende_");
}

TEST(SimulatorExecutable, SilentAfterFramesLetsThoseFramesOutAndNoMore) {
    veltrano::testing::TempWorkDir dir;
    SimulatorProcess sim(VELTRANO_SIM_PATH, {"--silent-after-frames", "2"}, dir.path().string());
    Port port(dir.path() / "COM1");
    ASSERT_TRUE(port.IsOpen());
    port.Write("sft");
    EXPECT_EQ(port.ReadUntil("start_sft2,6,1,9,ende_"),
              "start_sft1,1,1,3,ende_start_sft2,6,1,9,ende_");
    EXPECT_EQ(sim.ToggleSilence(), "answering");
    port.Write("sfi\r");
    // Holidays 3 to 15 were never produced: the next bytes are the answer.
    EXPECT_EQ(port.ReadUntil("ende_"), "start_sfi7.514ende_");
}

TEST(SimulatorExecutable, HangUpClosesTheTerminalAndOffersANewOneAtTheSameLink) {
    veltrano::testing::TempWorkDir dir;
    SimulatorProcess sim(VELTRANO_SIM_PATH, {"--fast", "--hang-up-after-frames", "2"},
                         dir.path().string());
    const auto link = dir.path() / "COM1";
    Port port(link);
    ASSERT_TRUE(port.IsOpen());
    port.Write("sft");
    const auto line = sim.WaitForLine("hung up", std::chrono::seconds(5));
    ASSERT_TRUE(line.has_value());
    // The program's side of the old terminal reports the hang-up.
    pollfd p{port.Fd(), POLLIN, 0};
    ASSERT_EQ(poll(&p, 1, 2000), 1);
    EXPECT_TRUE(p.revents & POLLHUP);

    const std::string fresh = std::filesystem::read_symlink(link).string();
    EXPECT_NE(fresh, sim.TerminalPath());
    EXPECT_NE(line->find(fresh), std::string::npos) << *line;
    Port again(link);
    ASSERT_TRUE(again.IsOpen());
    again.Write("sfi\r");
    EXPECT_EQ(again.ReadUntil("ende_"), "start_sfi7.514ende_");
}

TEST(SimulatorExecutable, LineIsEightBitClean) {
    veltrano::testing::TempWorkDir dir;
    SimulatorProcess sim(VELTRANO_SIM_PATH, {"--fast", "--motors", "8"}, dir.path().string());
    Port port(dir.path() / "COM1");
    ASSERT_TRUE(port.IsOpen());
    port.Write("smn");
    const std::string names = port.ReadUntil("start_smn08,");
    EXPECT_NE(names.find("start_smn02,K\xFC"
                         "che       ende_"),
              std::string::npos)
        << names;
    // A name with bytes above 0x7F and blanks goes in and comes back unchanged.
    const std::string name = "\xC4\xD6\xDC \xDF\x80\xFF  end";
    const std::string last = "Motor 32    ";
    port.Write(" rmn8\r" + name + "\r" + name + "\r rmn32\r" + last + "\r" + last + "\r");
    EXPECT_EQ(port.ReadUntil("ende_"), "start_stc0,ende_");
    port.Write("smn");
    EXPECT_NE(port.ReadUntil("start_smn08," + name + "ende_").find("start_smn08," + name + "ende_"),
              std::string::npos);
}

TEST(SimulatorExecutable, RefusedIdentityEndsWithAMessage) {
    veltrano::testing::TempWorkDir dir;
    EXPECT_THROW(SimulatorProcess(VELTRANO_SIM_PATH, {"--touch"}, dir.path().string(),
                                  std::chrono::seconds(5)),
                 std::runtime_error);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(dir.path() / "COM1")));
}

TEST(SimulatorExecutable, DoesNotSpinWhileNobodyHoldsTheTerminal) {
    veltrano::testing::TempWorkDir dir;
    SimulatorProcess sim(VELTRANO_SIM_PATH, {"--fast"}, dir.path().string());
    {
        Port port(dir.path() / "COM1");
        ASSERT_TRUE(port.IsOpen());
        port.Write("smo\r");
        ASSERT_NE(port.ReadUntil("ende_").find("start_smo"), std::string::npos);
    }
    // The terminal now reports hang-up without pause; a spinning loop would
    // burn the whole observation window.
    const long before = CpuTicks(sim.Pid());
    const auto until = Clock::now() + std::chrono::milliseconds(300);
    while (Clock::now() < until) {
        pollfd none{};
        poll(&none, 0, 20);
    }
    const long used = CpuTicks(sim.Pid()) - before;
    EXPECT_LT(used, sysconf(_SC_CLK_TCK) / 10) << "ticks used in 300 ms";
}

}  // namespace
}  // namespace veltrano::sim
