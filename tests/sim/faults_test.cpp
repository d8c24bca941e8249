// Misbehaviour on demand.

#include <gtest/gtest.h>

#include "sim/virtual_receiver.h"
#include "tests/sim/sim_test_support.h"

namespace tra1::sim {
namespace {

using namespace testing;

TEST(ReceiverFaults, SilentHearsButNeverAnswers) {
    VirtualReceiver receiver;
    receiver.Faults().silent = true;
    EXPECT_TRUE(receiver.Receive(Command(48, 30)).empty());
    EXPECT_TRUE(receiver.Receive(Command(255, 0)).empty());
    EXPECT_EQ(receiver.Image().MainZoneState[12], 30);
    EXPECT_EQ(receiver.FramesHeard(), 2);
}

TEST(ReceiverFaults, NoiseBetweenFramesHoldsNoControlBytes) {
    VirtualReceiver receiver;
    receiver.Faults().lineNoise = true;
    const std::string line = Exchange(receiver, Command(1, 1) + Command(255, 0));
    const auto frames = Frames(line);
    ASSERT_EQ(frames.size(), 2u);
    ASSERT_NE(line.front(), kStx);  // noise first
    for (const char c : line.substr(0, line.find(kStx))) {
        EXPECT_GE(static_cast<unsigned char>(c), 0x20);
    }
    EXPECT_EQ(line.find('\0'), std::string::npos);
}

TEST(ReceiverFaults, SplitRepliesComeInPiecesWithPauses) {
    VirtualReceiver receiver;
    receiver.Faults().splitPieces = 3;
    const auto segments = receiver.Receive(Command(255, 0));
    ASSERT_EQ(segments.size(), 3u);
    std::string joined;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        joined += segments[i].bytes;
        EXPECT_EQ(segments[i].gapBeforeMs > 10, i > 0);
    }
    EXPECT_EQ(joined, receiver.ConfigurationFrame());
}

TEST(ReceiverFaults, DroppedAnswersAndRefusingStatus) {
    VirtualReceiver receiver;
    receiver.Faults().dropNextAnswers = 1;
    EXPECT_TRUE(Exchange(receiver, Command(255, 0)).empty());
    EXPECT_EQ(Frames(Exchange(receiver, Command(255, 0))).size(), 1u);

    receiver.Faults().extendedStatus = '5';
    const std::uint8_t trim = receiver.Image().InputTrims[2];
    const auto frames = Frames(Exchange(receiver, Extended(262, 1, 2, trim + 3)));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].body[7], '5');
    EXPECT_EQ(receiver.Image().InputTrims[2], trim);
}

TEST(ReceiverFaults, PoweredOffReportsPowerZero) {
    VirtualReceiver receiver;
    receiver.SetPower(false);
    const auto frames = Frames(Exchange(receiver, Command(255, 0)));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].body[15 + 1], '0');
}

}  // namespace
}  // namespace tra1::sim
