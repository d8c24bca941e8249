// The devices the port settings offer, from a made-up /dev and /sys.

#include "platform/serial/device_discovery.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace tra1::serial {
namespace {

namespace fs = std::filesystem;

void Touch(const fs::path& file, const std::string& text = {}) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

TEST(DeviceDiscovery, StableNamesFirstThenAdaptersThenPortsWithAUart) {
    const fs::path root =
        fs::path(::testing::TempDir()) / ("tra1-dev-" + std::to_string(::getpid()));
    fs::remove_all(root);
    const fs::path dev = root / "dev";
    const fs::path sys = root / "sys";
    for (const char* node :
         {"ttyUSB10", "ttyUSB2", "ttyACM0", "ttyS0", "ttyS1", "ttySTM", "tty0", "ttyUSB"}) {
        Touch(dev / node);
    }
    fs::create_directories(dev / "serial" / "by-id");
    fs::create_symlink("../../ttyUSB2",
                       dev / "serial" / "by-id" / "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    // ttyUSB2 sits two levels below its USB device, ttyACM0 one level.
    Touch(sys / "devices" / "usb1" / "1-1" / "product", "FT232R USB UART\n");
    Touch(sys / "devices" / "usb1" / "1-1" / "manufacturer", "FTDI\n");
    fs::create_directories(sys / "devices" / "usb1" / "1-1" / "1-1:1.0" / "ttyUSB2");
    fs::create_directories(sys / "class" / "tty" / "ttyUSB2");
    fs::create_directory_symlink(sys / "devices" / "usb1" / "1-1" / "1-1:1.0" / "ttyUSB2",
                                 sys / "class" / "tty" / "ttyUSB2" / "device");
    Touch(sys / "devices" / "usb2" / "2-1" / "product", "Arduino Uno\n");
    fs::create_directories(sys / "devices" / "usb2" / "2-1" / "2-1:1.0");
    fs::create_directories(sys / "class" / "tty" / "ttyACM0");
    fs::create_directory_symlink(sys / "devices" / "usb2" / "2-1" / "2-1:1.0",
                                 sys / "class" / "tty" / "ttyACM0" / "device");
    // ttyS0 has a UART (type 4), ttyS1 none (type 0).
    Touch(sys / "class" / "tty" / "ttyS0" / "type", "4\n");
    Touch(sys / "class" / "tty" / "ttyS1" / "type", "0\n");

    const auto found = DiscoverSerialDevices(dev.string(), sys.string());
    ASSERT_EQ(found.size(), 5u);
    EXPECT_EQ(found[0].path,
              (dev / "serial" / "by-id" / "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0").string());
    EXPECT_EQ(found[0].description, "FTDI FT232R USB UART A50285BI, now ttyUSB2");
    EXPECT_EQ(found[1].path, (dev / "ttyUSB2").string());
    EXPECT_EQ(found[1].description, "FTDI FT232R USB UART");
    EXPECT_EQ(found[2].path, (dev / "ttyUSB10").string());
    EXPECT_EQ(found[2].description, "USB serial adapter");
    EXPECT_EQ(found[3].path, (dev / "ttyACM0").string());
    EXPECT_EQ(found[3].description, "Arduino Uno");
    EXPECT_EQ(found[4].path, (dev / "ttyS0").string());

    EXPECT_TRUE(DiscoverSerialDevices((root / "missing").string(), sys.string()).empty());
    fs::remove_all(root);
}

}  // namespace
}  // namespace tra1::serial
