// The program's port against real serial servers: Debian's ser2net in front of tr-a1-sim's
// pseudo-terminal, raw and with RFC 2217, and tr-a1-sim serving TCP itself. A status request
// gets the receiver's configuration frame; a server that goes away is one hang-up.

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "platform/serial/com_port_map.h"
#include "platform/serial/mapped_serial_port.h"
#include "tests/support/serial_servers.h"

namespace tra1::serial {
namespace {

using testing::Ser2net;
using testing::SimProcess;
using testing::SteadyNowMs;

const std::string kServedStatusRequest =
    "\x11"
    "000\x03";

// Reads until a whole configuration frame (STX ... ETX) came, the port hung up or the time-out.
std::string ReadFrame(SerialPort& port) {
    std::string got;
    const std::int64_t deadline = SteadyNowMs() + 30'000;
    while (port.IsOpen() && SteadyNowMs() < deadline && (got.empty() || got.back() != '\x03')) {
        std::array<char, 255> buffer{};
        if (port.BytesWaiting() == 0) {
            ::poll(nullptr, 0, 10);
            continue;
        }
        got.append(buffer.data(), port.Read(buffer));
    }
    return got;
}

// Polls as the link does until the port reports its hang-up; how many reports came.
int WaitForHangUp(SerialPort& port) {
    int reports = 0;
    const std::int64_t deadline = SteadyNowMs() + 30'000;
    while (port.IsOpen() && SteadyNowMs() < deadline) {
        port.BytesWaiting();
        reports += port.TakeHangUp() ? 1 : 0;
        ::poll(nullptr, 0, 10);
    }
    for (int i = 0; i < 3; ++i) {
        port.BytesWaiting();
        reports += port.TakeHangUp() ? 1 : 0;
    }
    return reports;
}

void ExpectConfigurationFrame(const std::string& frame) {
    ASSERT_GE(frame.size(), 7u);
    EXPECT_EQ(frame.front(), '\x12');
    EXPECT_EQ(frame.substr(1, 5), "R3109");
    EXPECT_EQ(frame.back(), '\x03');
}

class SerialServerTest : public ::testing::TestWithParam<bool> {};

TEST_P(SerialServerTest, Ser2netCarriesTheLineUntilItIsKilled) {
    ASSERT_TRUE(testing::Ser2netInstalled())
        << "ser2net is missing: scripts/packages.sh installs it";
    const bool telnet = GetParam();
    SimProcess sim;
    ASSERT_FALSE(sim.Address().empty());
    Ser2net server(sim.Address(), telnet);
    ASSERT_TRUE(server.Ready());

    ComPortMap map;
    map.SetCommandLineOverride(2, server.Url());
    MappedSerialPort port(map);
    ASSERT_EQ(port.Open(2), OpenResult::kOpened) << port.LastOpenError().Describe();
    EXPECT_EQ(port.Write(kServedStatusRequest), kServedStatusRequest.size());
    ExpectConfigurationFrame(ReadFrame(port));

    // Closed and opened again, as the search and Disconnect do.
    EXPECT_TRUE(port.Close());
    ASSERT_EQ(port.Open(2), OpenResult::kOpened) << port.LastOpenError().Describe();
    EXPECT_EQ(port.Write(kServedStatusRequest), kServedStatusRequest.size());
    ExpectConfigurationFrame(ReadFrame(port));

    server.Kill();
    EXPECT_EQ(WaitForHangUp(port), 1);
    EXPECT_FALSE(port.IsOpen());
}

INSTANTIATE_TEST_SUITE_P(RawAndRfc2217, SerialServerTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Rfc2217" : "Raw"; });

TEST(SimulatorOnTcp, ServesTheReceiverToOneClientAtATime) {
    SimProcess sim(true);
    ASSERT_EQ(sim.Address().rfind("socket://127.0.0.1:", 0), 0u) << sim.Address();
    ComPortMap map;
    map.SetCommandLineOverride(1, sim.Address());
    MappedSerialPort port(map);
    ASSERT_EQ(port.Open(1), OpenResult::kOpened) << port.LastOpenError().Describe();
    EXPECT_EQ(port.Write(kServedStatusRequest), kServedStatusRequest.size());
    ExpectConfigurationFrame(ReadFrame(port));

    // A second client is turned away: it connects, then is hung up on.
    MappedSerialPort second(map);
    ASSERT_EQ(second.Open(1), OpenResult::kOpened);
    EXPECT_EQ(WaitForHangUp(second), 1);

    // The first still has the receiver; once it leaves, the next client is served.
    EXPECT_EQ(port.Write(kServedStatusRequest), kServedStatusRequest.size());
    ExpectConfigurationFrame(ReadFrame(port));
    EXPECT_TRUE(port.Close());
    ASSERT_EQ(second.Open(1), OpenResult::kOpened);
    EXPECT_EQ(second.Write(kServedStatusRequest), kServedStatusRequest.size());
    ExpectConfigurationFrame(ReadFrame(second));

    EXPECT_EQ(sim.Stop(), 0);
    EXPECT_EQ(WaitForHangUp(second), 1);
}

}  // namespace
}  // namespace tra1::serial
