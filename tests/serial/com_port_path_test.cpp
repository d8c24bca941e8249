#include "platform/serial/com_port_path.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "platform/serial/posix_serial_port.h"

namespace tra1::serial {
namespace {

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = ::getenv(name)) {
            old_ = old;
            hadOld_ = true;
        }
        ::setenv(name, value, 1);
    }
    ~ScopedEnv() {
        if (hadOld_) {
            ::setenv(name_.c_str(), old_.c_str(), 1);
        } else {
            ::unsetenv(name_.c_str());
        }
    }

private:
    std::string name_;
    std::string old_;
    bool hadOld_ = false;
};

TEST(ComPortPath, DefaultsAndOverrides) {
    for (int n = 1; n <= 8; ++n) {
        ::unsetenv(ComPortEnvironmentVariable(n).c_str());
        EXPECT_EQ(ComPortDevicePath(n), "/dev/ttyS" + std::to_string(n - 1));
    }
    EXPECT_EQ(ComPortEnvironmentVariable(3), "TRA1_COM3");
    {
        ScopedEnv env("TRA1_COM3", "/dev/ttyUSB0");
        EXPECT_EQ(ComPortDevicePath(3), "/dev/ttyUSB0");
        EXPECT_EQ(ComPortDevicePath(4), "/dev/ttyS3");  // only its own port
    }
    {
        ScopedEnv env("TRA1_COM2", "");  // empty counts as unset
        EXPECT_EQ(ComPortDevicePath(2), "/dev/ttyS1");
    }
    EXPECT_EQ(ComPortDevicePath(0), "");
    EXPECT_EQ(ComPortDevicePath(9), "");
    EXPECT_EQ(ComPortEnvironmentVariable(9), "");
}

TEST(PosixSerialPort, OpenOutcomes) {
    PosixSerialPort port;
    EXPECT_EQ(port.Open(0), OpenResult::kRefused);
    EXPECT_EQ(port.Open(9), OpenResult::kRefused);
    {
        ScopedEnv env("TRA1_COM6", "/nonexistent/tra1-no-such-device");
        EXPECT_EQ(port.Open(6), OpenResult::kRefused);
    }
    {
        // Opens, but is no terminal: the line settings cannot be applied.
        ScopedEnv env("TRA1_COM7", "/dev/null");
        EXPECT_EQ(port.Open(7), OpenResult::kSettingsFailed);
    }
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.OpenPortNumber(), 0);
    EXPECT_EQ(port.BytesWaiting(), 0u);
    EXPECT_EQ(port.Write("x"), 0u);
    EXPECT_FALSE(port.Close());
    EXPECT_FALSE(port.TakeHangUp());
}

}  // namespace
}  // namespace tra1::serial
