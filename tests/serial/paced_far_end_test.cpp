// The far end paced as a receiver takes what it hears: frame by frame at line time, one answer
// after the other, from a small input buffer that loses what overruns it.

#include "platform/serial/paced_far_end.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/serial/line_timing.h"

namespace tra1::serial {
namespace {

constexpr char kEnd = '\x03';
constexpr std::int64_t kByte = kLineTicksPerByte;

// Answers every frame with `answerSize` bytes and remembers the frames it heard.
class CountingDevice final : public FarEnd {
public:
    explicit CountingDevice(std::size_t answerSize) : answerSize_(answerSize) {}
    std::vector<LineSegment> Receive(std::string_view bytes) override {
        heard.emplace_back(bytes);
        return {LineSegment{std::string(answerSize_, 'a'), 0}};
    }
    std::vector<std::string> heard;

private:
    std::size_t answerSize_;
};

std::string Frame(std::size_t size, char fill = 'f') {
    return std::string(size - 1, fill) + kEnd;
}

TEST(PacedFarEnd, HearsEachFrameWhenItsOwnLastByteHasCrossedAndAnswersOneAfterTheOther) {
    CountingDevice device(10);
    PacedFarEnd far(device, FarEndPacing{kEnd, 64});
    // Two frames in one write: each is heard on its own, the second 5 bytes after the first.
    const std::vector<TimedSegment> first = far.Hear(Frame(5) + Frame(5, 'g'), 0);
    ASSERT_EQ(device.heard.size(), 2u);
    EXPECT_EQ(device.heard[0], Frame(5));
    EXPECT_EQ(device.heard[1], Frame(5, 'g'));
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0].startTick, 5 * kByte);
    // The second was heard at 10 bytes, but the first answer takes the line until 15.
    EXPECT_EQ(first[1].startTick, 15 * kByte);

    // A write made while the line still carries the first one queues behind it: the time on
    // the line is carried from write to write, not restarted.
    const std::vector<TimedSegment> third = far.Hear(Frame(4), 2 * kByte);
    ASSERT_EQ(third.size(), 1u);
    EXPECT_EQ(third[0].startTick, 25 * kByte);  // heard at 14, answered after the second answer
    EXPECT_EQ(far.DeviceFreeTick(), 35 * kByte);
    EXPECT_EQ(far.LostBytes(), 0u);
}

TEST(PacedFarEnd, AFrameSplitOverWritesIsHeardOnceWhole) {
    CountingDevice device(3);
    PacedFarEnd far(device, FarEndPacing{kEnd, 64});
    EXPECT_TRUE(far.Hear("abc", 0).empty());
    EXPECT_TRUE(device.heard.empty());
    const std::vector<TimedSegment> answer = far.Hear(std::string("de") + kEnd, 100 * kByte);
    ASSERT_EQ(device.heard.size(), 1u);
    EXPECT_EQ(device.heard[0], std::string("abcde") + kEnd);
    ASSERT_EQ(answer.size(), 1u);
    EXPECT_EQ(answer[0].startTick, 103 * kByte);
}

TEST(PacedFarEnd, BytesThatOverrunTheInputBufferAreLostAndFramesAfterTheBufferDrainsAreHeard) {
    // Long answers keep the device busy, so the frames pile up in the buffer.
    CountingDevice device(200);
    PacedFarEnd far(device, FarEndPacing{kEnd, 64});
    std::string burst;
    for (int i = 0; i < 10; ++i) {
        burst += Frame(10, static_cast<char>('0' + i));  // 100 bytes
    }
    far.Hear(burst, 0);
    // The first frame is taken at once; frames 1..6 wait in 60 bytes of the buffer, four bytes
    // of frame 7 fill the rest; its last six bytes (its ETX among them) and frames 8 and 9 are
    // lost.
    EXPECT_EQ(far.LostBytes(), 6u + 20u);
    ASSERT_GE(device.heard.size(), 7u);
    EXPECT_EQ(device.heard[6], Frame(10, '6'));
    const std::size_t heard = device.heard.size();
    EXPECT_EQ(heard, 7u);

    // Once the device has caught up, a new frame has room again.
    const std::int64_t later = far.DeviceFreeTick() + 1000 * kByte;
    EXPECT_LT(far.BufferedAt(later), 64u);
    const std::size_t lost = far.LostBytes();
    far.Hear(Frame(10, 'z'), later);
    EXPECT_EQ(far.LostBytes(), lost);
}

TEST(PacedFarEnd, NoiseLongerThanTheBufferIsThrownAwayAndTheNextFrameIsHeard) {
    CountingDevice device(1);
    PacedFarEnd far(device, FarEndPacing{kEnd, 16});
    far.Hear(std::string(16, 'x'), 0);
    EXPECT_EQ(far.LostBytes(), 16u);
    far.Hear(Frame(4), 100 * kByte);
    ASSERT_EQ(device.heard.size(), 1u);
    EXPECT_EQ(device.heard[0], Frame(4));
}

TEST(PacedFarEnd, ResetForgetsWhatWasOnTheLine) {
    CountingDevice device(50);
    PacedFarEnd far(device, FarEndPacing{kEnd, 64});
    far.Hear(Frame(4) + "half", 0);
    far.Reset();
    const std::vector<TimedSegment> answer = far.Hear(Frame(4), 0);
    ASSERT_EQ(device.heard.size(), 2u);
    EXPECT_EQ(device.heard[1], Frame(4));  // the half frame did not stick to it
    ASSERT_EQ(answer.size(), 1u);
    EXPECT_EQ(answer[0].startTick, 4 * kByte);
}

}  // namespace
}  // namespace tra1::serial
