// What a COM number leads to: the forms a user may write, and which of the command line, the
// environment, the user's settings and the default speaks for a number.

#include "platform/serial/com_port_map.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "platform/serial/port_target.h"

namespace tra1::serial {
namespace {

using TargetKind = PortTarget::Kind;

TEST(PortTarget, DevicePathsAndServerUrls) {
    EXPECT_EQ(ParsePortTarget("/dev/ttyUSB0"), (PortTarget{TargetKind::kDevice, "/dev/ttyUSB0", "", 0}));
    EXPECT_EQ(ParsePortTarget("  /dev/serial/by-id/usb-FTDI_x-if00-port0\n")->path,
              "/dev/serial/by-id/usb-FTDI_x-if00-port0");
    EXPECT_EQ(ParsePortTarget("socket://192.168.1.20:4001"),
              (PortTarget{TargetKind::kRawTcp, "", "192.168.1.20", 4001}));
    EXPECT_EQ(ParsePortTarget("RFC2217://rack-serial.local:2217/"),
              (PortTarget{TargetKind::kRfc2217, "", "rack-serial.local", 2217}));
    EXPECT_EQ(ParsePortTarget("socket://[::1]:7000?logging=debug"),
              (PortTarget{TargetKind::kRawTcp, "", "::1", 7000}));
    EXPECT_EQ(ParsePortTarget("socket://[::1]:7000")->HostAndPort(), "[::1]:7000");
    EXPECT_EQ(ParsePortTarget("rfc2217://host:1")->HostAndPort(), "host:1");

    for (const char* bad :
         {"", "   ", "ttyUSB0", "COM1", "socket://", "socket://host",
          "socket://host:", "socket://:4001", "socket://host:0", "socket://host:65536",
          "socket://host:40a1", "socket://ho st:4001", "rfc2217://[::1:7000", "rfc2217://[zz]:7000",
          "telnet://h:23", "http://host:80"}) {
        EXPECT_FALSE(ParsePortTarget(bad).has_value()) << bad;
    }
}

TEST(ComPortMap, TheFirstLayerThatSpeaksForANumberWins) {
    for (int n = 1; n <= 8; ++n) {
        ::unsetenv(ComPortMap::EnvironmentVariable(n).c_str());
    }
    ComPortMap map;
    map.ReadEnvironment();
    EXPECT_EQ(map.Target(1), "/dev/ttyS0");
    EXPECT_EQ(map.Target(8), "/dev/ttyS7");
    EXPECT_EQ(map.Target(0), "");
    EXPECT_EQ(map.Target(9), "");

    map.SetStored(2, std::string(" socket://127.0.0.1:4001 "));
    map.SetStored(3, std::string());  // left empty by the user: nothing
    EXPECT_EQ(map.Target(2), "socket://127.0.0.1:4001");
    EXPECT_EQ(map.Stored(2), "socket://127.0.0.1:4001");
    EXPECT_FALSE(map.IsMapped(3));
    EXPECT_EQ(map.Stored(4), std::nullopt);

    ::setenv("TRA1_COM2", "/dev/ttyUSB1", 1);
    ::setenv("TRA1_COM3", "", 1);  // empty counts as unset
    map.ReadEnvironment();
    EXPECT_EQ(map.Target(2), "/dev/ttyUSB1");
    EXPECT_EQ(map.OverrideOf(2)->source, "TRA1_COM2");
    EXPECT_FALSE(map.IsMapped(3));
    EXPECT_FALSE(map.OverrideOf(3).has_value());
    // The settings are kept underneath, for the dialog and the next run.
    EXPECT_EQ(map.Stored(2), "socket://127.0.0.1:4001");

    map.SetCommandLineOverride(2, "rfc2217://10.0.0.9:2217");
    map.SetCommandLineOverride(5, "");  // nothing for this run
    EXPECT_EQ(map.Target(2), "rfc2217://10.0.0.9:2217");
    EXPECT_EQ(map.OverrideOf(2)->source, "--port");
    EXPECT_FALSE(map.IsMapped(5));

    ::unsetenv("TRA1_COM2");
    ::unsetenv("TRA1_COM3");
    map.ReadEnvironment();
    EXPECT_EQ(map.Target(2), "rfc2217://10.0.0.9:2217");
}

TEST(ComPortMap, PortAssignmentsOfTheCommandLine) {
    using Assignment = std::pair<int, std::string>;
    EXPECT_EQ(ParsePortAssignment("COM1=/dev/ttyUSB0"), (Assignment{1, "/dev/ttyUSB0"}));
    EXPECT_EQ(ParsePortAssignment("com8 = socket://h:1"), (Assignment{8, "socket://h:1"}));
    EXPECT_EQ(ParsePortAssignment("COM3="), (Assignment{3, ""}));
    for (const char* bad : {"COM0=/dev/x", "COM9=/dev/x", "COM10=/dev/x", "COM1", "COMA=/dev/x",
                            "PORT1=/dev/x", "COM1=ttyUSB0", "COM1=socket://h"}) {
        EXPECT_FALSE(ParsePortAssignment(bad).has_value()) << bad;
    }
}

}  // namespace
}  // namespace tra1::serial
