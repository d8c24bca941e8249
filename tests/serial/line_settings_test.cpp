// The line settings of a device port: 9600 8N1 raw with RTS/CTS while the editor has it, and
// exactly the settings it had before once the editor lets it go.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <string>

#include "platform/serial/posix_serial_port.h"

namespace tra1::serial {
namespace {

TEST(LineSettings, TheLinksWhileOpenAndThePreviousOnesAfterClose) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string device = ::ptsname(master);
    // Another program's view of the terminal, set up the way a login terminal would be.
    const int other = ::open(device.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(other, 0);
    termios before{};
    ASSERT_EQ(::tcgetattr(other, &before), 0);
    before.c_lflag |= ICANON | ECHO;
    before.c_iflag |= IXON | ICRNL;
    before.c_cflag = (before.c_cflag & ~static_cast<tcflag_t>(CSIZE | CRTSCTS)) | CS7 | PARENB;
    ASSERT_EQ(::cfsetispeed(&before, B1200), 0);
    ASSERT_EQ(::cfsetospeed(&before, B1200), 0);
    ASSERT_EQ(::tcsetattr(other, TCSANOW, &before), 0);
    ASSERT_EQ(::tcgetattr(other, &before), 0);

    PosixSerialPort port;
    port.SetLockFolder(::testing::TempDir());
    ASSERT_EQ(port.OpenDevice(device, 1), OpenResult::kOpened);
    termios open{};
    ASSERT_EQ(::tcgetattr(other, &open), 0);
    EXPECT_EQ(::cfgetospeed(&open), B9600);
    EXPECT_EQ(::cfgetispeed(&open), B9600);
    EXPECT_EQ(open.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(open.c_cflag & (PARENB | CSTOPB), 0u);
    EXPECT_NE(open.c_cflag & CRTSCTS, 0u);
    EXPECT_NE(open.c_cflag & CREAD, 0u);
    EXPECT_EQ(open.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(open.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP), 0u);

    EXPECT_TRUE(port.Close());
    termios after{};
    ASSERT_EQ(::tcgetattr(other, &after), 0);
    EXPECT_EQ(::cfgetospeed(&after), ::cfgetospeed(&before));
    EXPECT_EQ(after.c_cflag, before.c_cflag);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
    EXPECT_EQ(after.c_iflag, before.c_iflag);
    EXPECT_EQ(after.c_oflag, before.c_oflag);
    ::close(other);
    ::close(master);
}

}  // namespace
}  // namespace tra1::serial
