// The line settings as the driver holds them after Open, and their rules.
#include <fcntl.h>
#include <unistd.h>

#include <fstream>

#include "link/serial_settings.h"
#include "port_fixture.h"

namespace veltrano::testing {
namespace {

// The open-file flags of the descriptor this process holds on path, other
// than the one given; -1 when there is none.
long FlagsOfOtherDescriptorOn(const std::string& path, int except) {
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        const int fd = std::stoi(entry.path().filename().string());
        std::error_code ec;
        if (fd == except || std::filesystem::read_symlink(entry.path(), ec) != path) continue;
        std::ifstream info("/proc/self/fdinfo/" + std::to_string(fd));
        std::string key;
        while (info >> key) {
            if (key == "flags:") {
                std::string octal;
                info >> octal;
                return std::stol(octal, nullptr, 8);
            }
        }
    }
    return -1;
}

TEST_F(PortTest, DriverHoldsRaw9600EightNoneOneWithXonXoff) {
    port.Open();
    const termios t = peer.LineSettings();

    EXPECT_EQ(cfgetospeed(&t), B9600);
    const speed_t input = cfgetispeed(&t);
    EXPECT_TRUE(input == B9600 || input == 0) << input;

    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_TRUE(t.c_cflag & CLOCAL);
    EXPECT_TRUE(t.c_cflag & CREAD);
    EXPECT_FALSE(t.c_cflag & PARENB);
    EXPECT_FALSE(t.c_cflag & CSTOPB);
    EXPECT_FALSE(t.c_cflag & CRTSCTS);
    EXPECT_FALSE(t.c_cflag & HUPCL);

    EXPECT_TRUE(t.c_iflag & IXON);
    EXPECT_TRUE(t.c_iflag & IXOFF);
    EXPECT_FALSE(t.c_iflag & IXANY);
    for (tcflag_t flag : {IGNBRK, BRKINT, PARMRK, ISTRIP, INLCR, IGNCR, ICRNL, INPCK, IUCLC}) {
        EXPECT_FALSE(t.c_iflag & flag) << "input flag " << flag;
    }
    EXPECT_FALSE(t.c_oflag & OPOST);
    EXPECT_FALSE(t.c_oflag & ONLCR);
    for (tcflag_t flag : {ECHO, ECHONL, ICANON, ISIG, IEXTEN}) {
        EXPECT_FALSE(t.c_lflag & flag) << "local flag " << flag;
    }

    EXPECT_EQ(t.c_cc[VSTART], 0x11);
    EXPECT_EQ(t.c_cc[VSTOP], 0x13);
    EXPECT_EQ(t.c_cc[VMIN], 1);
    EXPECT_EQ(t.c_cc[VTIME], 0);
}

TEST_F(PortTest, DescriptorIsNonBlockingAndClosedOnExec) {
    port.Open();
    const long flags = FlagsOfOtherDescriptorOn(peer.slavePath(), peer.slave());
    ASSERT_NE(flags, -1);
    EXPECT_EQ(flags & O_ACCMODE, O_RDWR);
    EXPECT_TRUE(flags & O_NONBLOCK);
    EXPECT_TRUE(flags & O_CLOEXEC);
}

TEST_F(PortTest, BaudrateChangeWhileOpenReachesDriver) {
    port.Open();
    port.SetBaudrate(19200);
    termios t = peer.LineSettings();
    EXPECT_EQ(cfgetospeed(&t), B19200);
    port.SetBaudrate(9600);
    t = peer.LineSettings();
    EXPECT_EQ(cfgetospeed(&t), B9600);
}

TEST_F(PortTest, UnknownBaudrateRejectedWhileOpenKeepsPortWorking) {
    port.Open();
    try {
        port.SetBaudrate(12345);
        FAIL() << "no exception";
    } catch (const ECommError& e) {
        EXPECT_STREQ(e.what(), "Error writing dcb (22), Invalid argument");
    }
    EXPECT_TRUE(port.IsOpen());
    const termios t = peer.LineSettings();
    EXPECT_EQ(cfgetospeed(&t), B9600);
}

TEST_F(PortTest, UnknownBaudrateFailsOpenAndClosesDevice) {
    port.SetBaudrate(12345);
    const std::size_t before = OpenDescriptorCount();
    try {
        port.Open();
        FAIL() << "opened";
    } catch (const ECommError& e) {
        EXPECT_STREQ(e.what(), "Error writing dcb (22), Invalid argument");
    }
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(OpenDescriptorCount(), before);
}

// --- the settings rules themselves ---

termios Sane() {
    termios t{};
    t.c_iflag = ICRNL | IXANY | BRKINT | IMAXBEL;
    t.c_oflag = OPOST | ONLCR;
    t.c_cflag = CS7 | PARENB | CSTOPB | HUPCL | CRTSCTS;
    t.c_lflag = ICANON | ECHO | ISIG | IEXTEN;
    return t;
}

TEST(TerminalSettings, OtherFramesMapToControlBits) {
    const auto even7two = comm::MakeTerminalSettings(Sane(), {4800, 7, 'E', 2});
    ASSERT_TRUE(even7two);
    EXPECT_EQ(even7two->c_cflag & CSIZE, static_cast<tcflag_t>(CS7));
    EXPECT_TRUE(even7two->c_cflag & PARENB);
    EXPECT_FALSE(even7two->c_cflag & PARODD);
    EXPECT_TRUE(even7two->c_cflag & CSTOPB);
    EXPECT_EQ(cfgetospeed(&*even7two), B4800);
    const auto odd = comm::MakeTerminalSettings(Sane(), {9600, 8, 'O', 1});
    ASSERT_TRUE(odd);
    EXPECT_TRUE(odd->c_cflag & PARODD);
    EXPECT_FALSE(odd->c_cflag & CRTSCTS);
    EXPECT_FALSE(odd->c_cflag & HUPCL);
}

TEST(TerminalSettings, ValuesWithoutTerminalEquivalentAreRefused) {
    EXPECT_FALSE(comm::MakeTerminalSettings(Sane(), {12345, 8, 'N', 1}));
    EXPECT_FALSE(comm::MakeTerminalSettings(Sane(), {9600, 9, 'N', 1}));
    EXPECT_FALSE(comm::MakeTerminalSettings(Sane(), {9600, 8, 'M', 1}));
    EXPECT_FALSE(comm::MakeTerminalSettings(Sane(), {9600, 8, 'N', 3}));
}

TEST(TerminalSettings, ReadBackNoticesEverySettingThatDidNotTake) {
    const auto wanted = comm::MakeTerminalSettings(Sane(), {});
    ASSERT_TRUE(wanted);
    EXPECT_TRUE(comm::TerminalSettingsTookEffect(*wanted, *wanted));

    auto differs = [&](auto change) {
        termios actual = *wanted;
        change(actual);
        return !comm::TerminalSettingsTookEffect(*wanted, actual);
    };
    EXPECT_TRUE(differs([](termios& t) { t.c_iflag |= ICRNL; }));
    EXPECT_TRUE(differs([](termios& t) { t.c_iflag &= ~IXOFF; }));
    EXPECT_TRUE(differs([](termios& t) { t.c_oflag |= OPOST; }));
    EXPECT_TRUE(differs([](termios& t) { t.c_lflag |= ECHO; }));
    EXPECT_TRUE(differs([](termios& t) { t.c_cflag |= CRTSCTS; }));
    EXPECT_TRUE(differs([](termios& t) { t.c_cflag |= PARENB; }));
    EXPECT_TRUE(differs([](termios& t) { t.c_cc[VSTOP] = 0; }));
    EXPECT_TRUE(differs([](termios& t) { t.c_cc[VMIN] = 0; }));
    EXPECT_TRUE(differs([](termios& t) { cfsetospeed(&t, B19200); }));
    // Bits the driver may keep for itself do not count.
    EXPECT_FALSE(differs([](termios& t) { t.c_cflag |= CMSPAR; }));
}

}  // namespace
}  // namespace veltrano::testing
