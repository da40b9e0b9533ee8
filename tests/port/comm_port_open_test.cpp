// Opening and closing the port: device mapping, error texts, exclusive use,
// and that no descriptor is left behind on any path.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <fstream>

#include "link/serial_port_map.h"
#include "port_fixture.h"

namespace veltrano::testing {
namespace {

std::string OpenError(TCommPort& port, std::string* hint = nullptr) {
    try {
        port.Open();
    } catch (const ECommError& e) {
        if (hint) *hint = e.hint();
        return e.what();
    }
    return "(opened)";
}

// --- device mapping ---

TEST(DeviceForPort, PrefersComEntryInWorkDir) {
    const auto exists = [](const std::string& path) { return path == "/w/COM3"; };
    EXPECT_EQ(comm::DeviceForPort(3, "/w", exists), "/w/COM3");
}

TEST(DeviceForPort, FallsBackToUsbAdapterThenBuiltInPort) {
    const auto usbOnly = [](const std::string& path) { return path == "/dev/ttyUSB2"; };
    EXPECT_EQ(comm::DeviceForPort(3, "/w", usbOnly), "/dev/ttyUSB2");
    const auto nothing = [](const std::string&) { return false; };
    EXPECT_EQ(comm::DeviceForPort(1, "/w", nothing), "/dev/ttyS0");
    EXPECT_EQ(comm::DeviceForPort(8, "/w", nothing), "/dev/ttyS7");
}

TEST(DefaultDeviceForPort, TakesComLinkFromWorkingDirectory) {
    TempWorkDir dir;
    PtyPeer peer;
    std::filesystem::create_symlink(peer.slavePath(), dir.path() / "COM3");
    EXPECT_EQ(DefaultDeviceForPort(3), (dir.path() / "COM3").string());
}

TEST(DefaultDeviceForPort, DanglingComLinkStillCounts) {
    TempWorkDir dir;
    std::filesystem::create_symlink(dir.path() / "gone", dir.path() / "COM2");
    EXPECT_EQ(DefaultDeviceForPort(2), (dir.path() / "COM2").string());
}

TEST(DefaultDeviceForPort, WithoutComEntryNamesMachineDevice) {
    TempWorkDir dir;
    // Only looks at the directory entries; nothing is opened.
    const std::string usb = "/dev/ttyUSB4";
    const std::string expected =
        std::filesystem::exists(std::filesystem::symlink_status(usb)) ? usb : "/dev/ttyS4";
    EXPECT_EQ(DefaultDeviceForPort(5), expected);
}

TEST_F(PortTest, DefaultResolverOpensComLinkToPseudoTerminal) {
    std::filesystem::create_symlink(peer.slavePath(), workDir.path() / "COM3");
    TCommPort linked(ui.dispatcher());
    linked.SetPortNum(3);
    linked.OnRxChar = [&](int) { received += linked.ReadText(); };
    linked.Open();
    ASSERT_TRUE(linked.IsOpen());
    ASSERT_TRUE(peer.Send("ping"));
    EXPECT_TRUE(ReceivedAtLeast(4));
    EXPECT_EQ(received, "ping");
}

// --- open errors ---

TEST_F(PortTest, MissingDeviceNamesComPort) {
    port.SetPortNum(7);
    port.SetDeviceResolver([&](int) { return (workDir.path() / "COM7").string(); });
    EXPECT_EQ(OpenError(port), "Specified device not found (COM7).");
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(PortTest, RegularFileFailsAtLineSettings) {
    const auto file = workDir.path() / "plain";
    std::ofstream(file) << "not a terminal";
    port.SetDeviceResolver([&](int) { return file.string(); });
    std::string hint;
    EXPECT_EQ(OpenError(port, &hint), "Error writing dcb (25), Inappropriate ioctl for device");
    EXPECT_EQ(hint, file.string() +
                        " ist keine serielle Schnittstelle, sondern eine gewöhnliche Datei. Bitte "
                        "einen anderen Port wählen.");
    EXPECT_FALSE(port.IsOpen());
    // The lock went with the descriptor.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    ::close(fd);
}

TEST_F(PortTest, UnopenableDeviceGivesErrorCodeAndText) {
    port.SetPortNum(2);
    port.SetDeviceResolver([&](int) { return workDir.path().string(); });
    std::string hint = "unset";
    EXPECT_EQ(OpenError(port, &hint),
              "Can't open specified device COM2 (Error 21, Is a directory)");
    EXPECT_EQ(hint, workDir.path().string() +
                        " ist keine serielle Schnittstelle, sondern ein Ordner. Bitte einen "
                        "anderen Port wählen.");
}

TEST_F(PortTest, PortLockedByAnotherProgramIsBusy) {
    const int holder = ::open(peer.slavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
    std::string hint;
    EXPECT_EQ(OpenError(port, &hint),
              "Can't open specified device COM1 (Error 16, Device or resource busy)");
    EXPECT_EQ(hint, "Die Schnittstelle wird bereits von einem anderen Programm benutzt.");
    EXPECT_FALSE(port.IsOpen());
    ::close(holder);
    EXPECT_NO_THROW(port.Open());
}

TEST_F(PortTest, SecondPortObjectOnSameDeviceIsBusy) {
    port.Open();
    TCommPort second(ui.dispatcher());
    second.SetPortNum(4);
    second.SetDeviceResolver([&](int) { return peer.slavePath(); });
    std::string hint;
    EXPECT_EQ(OpenError(second, &hint),
              "Can't open specified device COM4 (Error 16, Device or resource busy)");
    EXPECT_EQ(hint, "Die Schnittstelle wird bereits von einem anderen Programm benutzt.");
    // The first port is untouched by the refused attempt.
    ASSERT_TRUE(port.WriteText("still here"));
    ASSERT_TRUE(peer.ReceiveAtLeast(10));
    EXPECT_EQ(peer.Data(), "still here");
}

TEST_F(PortTest, OpenWhileOpenIsRefused) {
    port.Open();
    EXPECT_EQ(OpenError(port), "Can't perform this operation while port is open");
    EXPECT_TRUE(port.IsOpen());
    ASSERT_TRUE(port.WriteText("x"));
    EXPECT_TRUE(peer.ReceiveAtLeast(1));
}

TEST_F(PortTest, PortNumberFixedWhileOpen) {
    port.SetPortNum(2);
    port.Open();
    try {
        port.SetPortNum(5);
        FAIL() << "no exception";
    } catch (const ECommError& e) {
        EXPECT_STREQ(e.what(), "Can't perform this operation while port is open");
    }
    EXPECT_EQ(port.PortNum(), 2);
    EXPECT_EQ(port.DeviceName(), "COM2");
    port.Close();
    port.SetPortNum(5);
    EXPECT_EQ(port.DeviceName(), "COM5");
}

TEST_F(PortTest, ClosedPortWritesNothingAndReadsNothing) {
    EXPECT_FALSE(port.WriteText("sfi\r"));
    EXPECT_EQ(port.ReadText(), "");
    port.Open();
    port.Close();
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(port.WriteText("sfi\r"));
    EXPECT_EQ(port.ReadText(), "");
    EXPECT_NO_THROW(port.Close());
    peer.ReceiveAvailable();
    EXPECT_EQ(peer.Data(), "");
}

TEST(CommPort, NeedsDispatcher) {
    EXPECT_THROW(TCommPort(nullptr), std::invalid_argument);
}

// --- exclusive use and what close gives back ---

TEST_F(PortTest, OpenPortIsLockedAndExclusiveUntilClosed) {
    port.Open();
    int exclusive = 0;
    ASSERT_EQ(::ioctl(peer.slave(), TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 1);
    const int other = ::open(peer.slavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(other, 0);  // root passes TIOCEXCL; the lock still holds
    EXPECT_NE(::flock(other, LOCK_EX | LOCK_NB), 0);
    port.Close();
    ASSERT_EQ(::ioctl(peer.slave(), TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 0);
    EXPECT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
    ::close(other);
}

TEST_F(PortTest, CloseRestoresOriginalSettings) {
    termios before = peer.LineSettings();
    before.c_lflag |= ICANON | ECHO;
    before.c_iflag |= ICRNL;
    cfsetospeed(&before, B38400);
    cfsetispeed(&before, B38400);
    ASSERT_EQ(::tcsetattr(peer.slave(), TCSANOW, &before), 0);
    before = peer.LineSettings();
    port.Open();
    const termios open = peer.LineSettings();
    EXPECT_EQ(cfgetospeed(&open), B9600);
    port.Close();
    const termios after = peer.LineSettings();
    EXPECT_EQ(after.c_iflag, before.c_iflag);
    EXPECT_EQ(after.c_oflag, before.c_oflag);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
    EXPECT_EQ(after.c_cflag, before.c_cflag);
    EXPECT_EQ(cfgetospeed(&after), B38400);
}

// --- descriptors ---

TEST_F(PortTest, OpenCloseCyclesLeaveNoDescriptor) {
    const std::size_t before = OpenDescriptorCount();
    for (int i = 0; i < 500; ++i) {
        port.Open();
        port.Close();
    }
    EXPECT_EQ(OpenDescriptorCount(), before);
}

TEST_F(PortTest, FailedOpensLeaveNoDescriptor) {
    const auto file = workDir.path() / "plain";
    std::ofstream(file) << "x";
    const int holder = ::open(peer.slavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
    const std::string targets[] = {(workDir.path() / "missing").string(), file.string(),
                                   workDir.path().string(), peer.slavePath()};
    const std::size_t before = OpenDescriptorCount();
    for (int i = 0; i < 500; ++i) {
        port.SetDeviceResolver([&](int) { return targets[i % 4]; });
        EXPECT_THROW(port.Open(), ECommError);
    }
    EXPECT_EQ(OpenDescriptorCount(), before);
    EXPECT_FALSE(port.IsOpen());
    ::close(holder);
}

}  // namespace
}  // namespace veltrano::testing
