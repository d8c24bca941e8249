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

// Bytes a noisy line damaged, counted one way: each differs from the clean byte in exactly one
// bit.
std::size_t FlippedBytes(const std::string& clean, const std::string& noisy) {
    EXPECT_EQ(clean.size(), noisy.size());
    std::size_t flipped = 0;
    for (std::size_t i = 0; i < clean.size() && i < noisy.size(); ++i) {
        const unsigned diff = static_cast<unsigned char>(clean[i] ^ noisy[i]);
        if (diff != 0) {
            EXPECT_EQ(diff & (diff - 1), 0u) << "more than one bit at " << i;
            ++flipped;
        }
    }
    return flipped;
}

TEST(ReceiverFaults, ANoisyLineFlipsOneBitInBytesAtTheGivenRateBothWays) {
    VirtualReceiver clean;
    VirtualReceiver noisy;
    noisy.Faults().corruptRate = 0.01;
    noisy.Faults().seed = 5;
    // What it sends: 2,000 configuration frames, compared with a clean receiver's (where the
    // request itself arrived whole).
    std::size_t sent = 0;
    std::size_t flipped = 0;
    std::size_t counted = 0;
    for (int i = 0; i < 2000; ++i) {
        const auto heardBefore = noisy.FaultsDone().bytesCorruptedHeard;
        const auto sentBefore = noisy.FaultsDone().bytesCorruptedSent;
        std::string line;
        for (const auto& segment : noisy.Receive(Command(255, 0))) {
            line += segment.bytes;
        }
        if (noisy.FaultsDone().bytesCorruptedHeard == heardBefore) {
            const std::string frame = clean.ConfigurationFrame();
            sent += frame.size();
            flipped += FlippedBytes(frame, line);
            counted += noisy.FaultsDone().bytesCorruptedSent - sentBefore;
        }
    }
    EXPECT_EQ(flipped, counted);
    EXPECT_NEAR(static_cast<double>(flipped) / static_cast<double>(sent), 0.01, 0.002);
    // About one request in twenty was damaged on its way in (five bytes at 1 %).
    EXPECT_GT(noisy.FaultsDone().bytesCorruptedHeard, 50u);
    EXPECT_LT(noisy.FaultsDone().bytesCorruptedHeard, 150u);

    // What it hears: a damaged operation frame is not the one the editor sent.
    VirtualReceiver deaf;
    deaf.Faults().corruptRate = 1.0;
    const std::uint8_t volume = deaf.Image().MainZoneState[12];
    EXPECT_TRUE(Exchange(deaf, Command(48, 30)).size() <= 9);
    EXPECT_EQ(deaf.FaultsDone().bytesCorruptedHeard, 7u);
    EXPECT_EQ(deaf.Image().MainZoneState[12], volume);
}

TEST(ReceiverFaults, RandomFaultsRepeatForTheSameSeed) {
    const auto run = [](std::uint32_t seed) {
        VirtualReceiver receiver;
        receiver.Faults().corruptRate = 0.02;
        receiver.Faults().dropRate = 0.1;
        receiver.Faults().splitRate = 0.2;
        receiver.Faults().seed = seed;
        std::vector<std::string> pieces;
        for (int i = 0; i < 200; ++i) {
            for (const auto& segment : receiver.Receive(Command(255, 0) + Command(1, i % 2))) {
                pieces.push_back(segment.bytes);
            }
        }
        return std::pair{pieces, receiver.FaultsDone().answersDropped};
    };
    const auto first = run(3);
    EXPECT_EQ(first, run(3));
    EXPECT_NE(first, run(4));
    // About one answer in ten lost (400 frames heard, three answers each 200 times).
    EXPECT_GT(first.second, 20u);
    EXPECT_LT(first.second, 80u);
}

TEST(ReceiverFaults, SplitFramesComeInTwoOrThreePiecesAndStillJoinUp) {
    VirtualReceiver receiver;
    receiver.Faults().splitRate = 1.0;
    for (int i = 0; i < 20; ++i) {
        const auto segments = receiver.Receive(Command(255, 0));
        ASSERT_GE(segments.size(), 2u);
        ASSERT_LE(segments.size(), 3u);
        std::string joined;
        for (std::size_t k = 0; k < segments.size(); ++k) {
            joined += segments[k].bytes;
            EXPECT_EQ(segments[k].gapBeforeMs > 10, k > 0);
        }
        EXPECT_EQ(joined, receiver.ConfigurationFrame());
    }
    EXPECT_EQ(receiver.FaultsDone().framesSplit, 20u);
}

}  // namespace
}  // namespace tra1::sim
