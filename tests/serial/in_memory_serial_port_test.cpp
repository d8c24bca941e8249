// The in-memory line with the virtual receiver at its far end, on a virtual clock.

#include "platform/serial/in_memory_serial_port.h"

#include <gtest/gtest.h>

#include <array>

#include "platform/serial/line_clock.h"
#include "platform/win/virtual_clock.h"
#include "sim/virtual_receiver.h"
#include "sim/virtual_receiver_line.h"

namespace tra1::serial {
namespace {

const std::string kStatusRequest =
    "\x11"
    "000\x03";

TEST(InMemorySerialPort, BytesArriveAtNineThousandSixHundredBaud) {
    ManualLineClock clock;
    sim::VirtualReceiver receiver;
    InMemorySerialPort port(clock, receiver);
    ASSERT_EQ(port.Open(1), OpenResult::kOpened);
    EXPECT_EQ(port.Write(kStatusRequest), 5u);
    EXPECT_EQ(port.Written(), kStatusRequest);
    const std::size_t frameSize = receiver.ConfigurationFrame().size();  // 130 bytes

    // The request takes 5 x 25/24 ms to cross the line; the answer starts after that.
    clock.AdvanceBy(5);
    EXPECT_EQ(port.BytesWaiting(), 0u);
    clock.AdvanceBy(1);  // 6 ms: 0.79 ms of answer, no byte complete yet
    EXPECT_EQ(port.BytesWaiting(), 0u);
    clock.AdvanceBy(10);  // 16 ms: 10.79 ms of answer = 10 bytes
    EXPECT_EQ(port.BytesWaiting(), 10u);
    std::array<char, 4> small{};
    EXPECT_EQ(port.Read(small), 4u);
    EXPECT_EQ(small[0], '\x12');
    EXPECT_EQ(port.BytesWaiting(), 6u);
    // The whole frame has arrived 5.2 + 135.4 ms after the write.
    EXPECT_EQ(port.LineIdleAtMs(), 141);
    clock.AdvanceBy(124);
    EXPECT_LT(port.BytesWaiting() + 4, frameSize);
    clock.AdvanceBy(1);
    EXPECT_EQ(port.BytesWaiting() + 4, frameSize);
    EXPECT_EQ(port.BytesInFlight(), 0u);
}

TEST(InMemorySerialPort, ThreeHundredBytesAreReadAsTwoHundredFiftyFiveAndFortyFive) {
    ManualLineClock clock;
    sim::VirtualReceiver receiver;
    InMemorySerialPort port(clock, receiver);
    ASSERT_EQ(port.Open(3), OpenResult::kOpened);
    port.Write(kStatusRequest + kStatusRequest + kStatusRequest);  // 3 x 130 bytes back
    clock.AdvanceBy(1000);
    ASSERT_EQ(port.BytesWaiting(), 390u);
    std::array<char, 255> batch{};
    EXPECT_EQ(port.Read(batch), 255u);
    EXPECT_EQ(port.BytesWaiting(), 135u);
    EXPECT_EQ(port.Read(batch), 135u);
    EXPECT_EQ(port.Read(batch), 0u);
}

TEST(InMemorySerialPort, SplitRepliesPauseOnTheLine) {
    ManualLineClock clock;
    sim::VirtualReceiver receiver;
    receiver.Faults().splitPieces = 2;
    receiver.Faults().splitGapMs = 50;
    InMemorySerialPort port(clock, receiver);
    port.Open(1);
    port.Write(kStatusRequest);
    clock.AdvanceBy(100);  // the first half (65 bytes) is done, the second waits for the gap
    EXPECT_EQ(port.BytesWaiting(), 65u);
    clock.AdvanceBy(100);
    EXPECT_EQ(port.BytesWaiting(), 130u);
}

TEST(InMemorySerialPort, OpenOutcomesAndHangUp) {
    ManualLineClock clock;
    sim::VirtualReceiver receiver;
    InMemorySerialPort port(clock, receiver);
    port.SetOpenOutcome(2, OpenResult::kRefused);
    port.SetOpenOutcome(4, OpenResult::kSettingsFailed);
    EXPECT_EQ(port.Open(0), OpenResult::kRefused);
    EXPECT_EQ(port.Open(9), OpenResult::kRefused);
    EXPECT_EQ(port.Open(2), OpenResult::kRefused);
    EXPECT_EQ(port.Open(4), OpenResult::kSettingsFailed);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.Write(kStatusRequest), 0u);  // closed: nothing reaches the far end
    EXPECT_EQ(receiver.FramesHeard(), 0);

    ASSERT_EQ(port.Open(1), OpenResult::kOpened);
    EXPECT_EQ(port.OpenPortNumber(), 1);
    port.Write(kStatusRequest);
    port.HangUpFarEnd();
    EXPECT_EQ(port.BytesWaiting(), 0u);
    EXPECT_TRUE(port.TakeHangUp());
    EXPECT_FALSE(port.IsOpen());
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(port.BytesWaiting(), 0u);
        EXPECT_FALSE(port.TakeHangUp());
    }
    EXPECT_EQ(port.Open(1), OpenResult::kRefused);  // nobody there any more
}

TEST(InMemorySerialPort, RunsOnTheWindowSystemsVirtualClock) {
    win::VirtualClock clock;
    sim::VirtualReceiverLine line(clock);
    ASSERT_EQ(line.Port().Open(1), OpenResult::kOpened);
    line.Port().Write(kStatusRequest);
    clock.SetNow(200);
    EXPECT_EQ(line.Port().BytesWaiting(), line.Receiver().ConfigurationFrame().size());
}

}  // namespace
}  // namespace tra1::serial

namespace tra1::serial {
namespace {

TEST(InMemorySerialPort, InjectedBytesFailedWritesAndCloseFailure) {
    ManualLineClock clock;
    sim::VirtualReceiver receiver;
    InMemorySerialPort port(clock, receiver);
    port.InjectFromFarEnd("ignored while closed");
    ASSERT_EQ(port.Open(1), OpenResult::kOpened);
    EXPECT_EQ(port.BytesInFlight(), 0u);

    port.InjectFromFarEnd(std::string(300, '\0'));
    port.InjectFromFarEnd("AB", 20);
    clock.AdvanceBy(313);  // 300 bytes take 312.5 ms
    EXPECT_EQ(port.BytesWaiting(), 300u);
    clock.AdvanceBy(20);  // "AB" starts at 332.5 ms: its first byte is complete at 333.5 ms
    EXPECT_EQ(port.BytesWaiting(), 300u);
    clock.AdvanceBy(1);
    EXPECT_EQ(port.BytesWaiting(), 301u);

    port.FailNextWrites(2);
    EXPECT_EQ(port.Write(kStatusRequest), 0u);
    EXPECT_EQ(port.Write(kStatusRequest), 0u);
    EXPECT_EQ(port.Write(kStatusRequest), 5u);
    EXPECT_EQ(port.WriteCalls(), 3);
    EXPECT_EQ(receiver.FramesHeard(), 1);

    port.SetCloseFails(true);
    EXPECT_FALSE(port.Close());
    EXPECT_TRUE(port.IsOpen());
    port.SetCloseFails(false);
    EXPECT_TRUE(port.Close());
}

}  // namespace
}  // namespace tra1::serial
