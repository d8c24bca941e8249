#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "link/configuration_gate.h"
#include "link/frame_assembler.h"
#include "link/frame_sink.h"
#include "link/link_state.h"
#include "link/reply_decoder.h"
#include "model/receiver_image.h"
#include "tests/link/decode_test_support.h"

namespace tra1 {
namespace {

constexpr char kStx = 0x02;
constexpr char kEtx = 0x03;
constexpr char kDc2 = 0x12;
constexpr char kDc4 = 0x14;

class RecordingFrameSink : public FrameSink {
public:
    void OnConfigurationFrame(std::string_view body) override { Record(1, body); }
    void OnReportFrame(std::string_view body) override { Record(2, body); }
    void OnExtendedReply(std::string_view body) override { Record(3, body); }

    std::vector<std::pair<int, std::string>> frames;
    std::function<void()> onFrame;

private:
    void Record(int kind, std::string_view body) {
        frames.emplace_back(kind, std::string(body));
        if (onFrame) {
            onFrame();
        }
    }
};

class FrameAssemblerTest : public ::testing::Test {
protected:
    RecordingFrameSink sink_;
    FrameAssembler assembler_{sink_};
};

TEST_F(FrameAssemblerTest, EachOpeningByteSelectsItsFrameKind) {
    assembler_.Feed(std::string{kStx} + "00262E" + kEtx + kDc2 + "R3109" + kEtx + kDc4 +
                    "2008030000185A" + kEtx);
    ASSERT_EQ(sink_.frames.size(), 3u);
    EXPECT_EQ(sink_.frames[0], std::make_pair(2, std::string("00262E")));
    EXPECT_EQ(sink_.frames[1], std::make_pair(1, std::string("R3109")));
    EXPECT_EQ(sink_.frames[2], std::make_pair(3, std::string("2008030000185A")));
    EXPECT_EQ(assembler_.Kind(), FrameKind::kNone);
    EXPECT_EQ(assembler_.Pending(), "");
}

TEST_F(FrameAssemblerTest, FrameSplitOverThreeBatchesIsHandedOverOnceWhole) {
    const std::string frame = test::Framed(kDc2, test::ConfigurationBody().Text());
    assembler_.Feed(frame.substr(0, 40));
    assembler_.Feed(frame.substr(40, 60));
    EXPECT_TRUE(sink_.frames.empty());
    EXPECT_EQ(assembler_.Kind(), FrameKind::kConfiguration);
    assembler_.Feed(frame.substr(100));
    ASSERT_EQ(sink_.frames.size(), 1u);
    EXPECT_EQ(sink_.frames[0].first, 1);
    EXPECT_EQ(sink_.frames[0].second, test::ConfigurationBody().Text());
}

TEST_F(FrameAssemblerTest, NoiseBetweenFramesIsDropped) {
    assembler_.Feed(std::string("garbage") + kEtx + "more" + kStx + "00262E" + kEtx + "tail");
    ASSERT_EQ(sink_.frames.size(), 1u);
    EXPECT_EQ(sink_.frames[0].second, "00262E");
    EXPECT_EQ(assembler_.Pending(), "tail");
    // An opening byte in the middle of a frame starts over.
    assembler_.Feed(std::string{kDc4} + "half" + kStx + "002200" + kEtx);
    ASSERT_EQ(sink_.frames.size(), 2u);
    EXPECT_EQ(sink_.frames[1], std::make_pair(2, std::string("002200")));
}

TEST_F(FrameAssemblerTest, ANulSpoilsOnlyItsFrameAndABatchEndsAfter256Bytes) {
    // A NUL inside a frame drops that frame; the frames after it in the batch arrive whole.
    const std::string withNul = std::string{kStx} + "0026" + '\0' + "2E" + kEtx + kStx + "002300" +
                                kEtx + kDc4 + "ab" + '\0' + 'c' + kEtx;
    assembler_.Feed(withNul);
    ASSERT_EQ(sink_.frames.size(), 1u);
    EXPECT_EQ(sink_.frames[0], std::make_pair(2, std::string("002300")));
    EXPECT_EQ(assembler_.BatchCopy(), withNul);

    // A NUL first, and one between frames, are noise; a frame split over batches survives a
    // NUL-first batch only when the NUL is not inside it.
    assembler_.Feed(std::string(1, '\0') + kStx + "0027");
    assembler_.Feed(std::string("00") + kEtx + '\0');
    ASSERT_EQ(sink_.frames.size(), 2u);
    EXPECT_EQ(sink_.frames[1], std::make_pair(2, std::string("002700")));
    assembler_.Feed(std::string{kStx} + "0028");
    assembler_.Feed(std::string("\0", 1) + "00" + kEtx);
    EXPECT_EQ(sink_.frames.size(), 2u);

    assembler_.Reset();
    sink_.frames.clear();
    std::string longBatch = std::string{kStx} + std::string(254, 'A') + kEtx + kEtx;
    assembler_.Feed(longBatch);  // 257 bytes: the last ETX is beyond the batch
    ASSERT_EQ(sink_.frames.size(), 1u);
    EXPECT_EQ(sink_.frames[0].second.size(), 254u);
    EXPECT_EQ(assembler_.BatchCopy().size(), 256u);
}

TEST_F(FrameAssemblerTest, FrameLongerThan256CharactersIsDropped) {
    const std::string body256(256, '7');
    assembler_.Feed(std::string{kDc4} + body256.substr(0, 200));
    assembler_.Feed(body256.substr(200) + kEtx);
    ASSERT_EQ(sink_.frames.size(), 1u);
    EXPECT_EQ(sink_.frames[0].second, body256);

    assembler_.Feed(std::string{kDc4} + body256.substr(0, 200));
    assembler_.Feed(body256.substr(200) + "8" + kEtx);
    EXPECT_EQ(sink_.frames.size(), 1u);
    // A long run of noise never grows the buffer either, and the next frame is whole.
    for (int i = 0; i < 10; ++i) {
        assembler_.Feed(std::string(255, 'n'));
    }
    EXPECT_LE(assembler_.Pending().size(), FrameAssembler::kMaxFrameLength);
    assembler_.Feed(std::string{kStx} + "00262E" + kEtx);
    ASSERT_EQ(sink_.frames.size(), 2u);
    EXPECT_EQ(sink_.frames[1].second, "00262E");
}

TEST_F(FrameAssemblerTest, ResetDuringAFrameDropsTheRestOfTheBatch) {
    sink_.onFrame = [this] { assembler_.Reset(); };
    assembler_.Feed(std::string{kStx} + "002200" + kEtx + kStx + "002300" + kEtx);
    ASSERT_EQ(sink_.frames.size(), 1u);
    EXPECT_EQ(assembler_.Kind(), FrameKind::kNone);
    EXPECT_EQ(assembler_.BatchCopy(), "");
    sink_.onFrame = nullptr;
    assembler_.Feed(std::string{kStx} + "002400" + kEtx);
    EXPECT_EQ(sink_.frames.size(), 2u);

    // Reset between batches forgets a half-received frame.
    assembler_.Feed(std::string{kDc2} + "R31");
    assembler_.Reset();
    assembler_.Feed(std::string("09") + kEtx);
    EXPECT_EQ(sink_.frames.size(), 2u);
}

// The decoders behind the assembler, as the main window wires them.
class Gate : public ConfigurationGate {
public:
    bool OnConfigurationFrame(std::string_view body) override {
        seen.emplace_back(body);
        return pass;
    }
    std::vector<std::string> seen;
    bool pass = true;
};

TEST(ReplyDecoderWiring, ConfigurationFrameInThreeBatchesIsDecodedOnce) {
    ReceiverImage image;
    LinkState state;
    state.echoGuard = 0;
    state.realtimeMode = true;
    state.decodeSkipCount = 1;  // a second decode would show in the volume
    test::RecordingHost host;
    Gate gate;
    ReplyDecoder decoder(image, state, host, &gate);
    FrameAssembler assembler(decoder);

    test::ConfigurationBody body;
    body.Two(8, 0x27);
    const std::string frame = test::Framed(kDc2, body.Text());
    assembler.Feed(frame.substr(0, 50));
    assembler.Feed(frame.substr(50, 50));
    EXPECT_TRUE(gate.seen.empty());
    assembler.Feed(frame.substr(100));
    ASSERT_EQ(gate.seen.size(), 1u);
    EXPECT_EQ(state.decodeSkipCount, 0);  // the one frame used up the skip count

    state.decodeSkipCount = 0;
    assembler.Feed(frame);
    EXPECT_EQ(image.MainZoneState[main_zone::kMainVolume], 1);
    EXPECT_EQ(host.refreshes, 1);

    // A frame the identification holds back is not decoded.
    gate.pass = false;
    body.Two(8, 0x50);
    assembler.Feed(test::Framed(kDc2, body.Text()));
    EXPECT_EQ(image.MainZoneState[main_zone::kMainVolume], 1);
}

TEST(ReplyDecoderWiring, EchoAfterAnExtendedWriteIsNotDecodedButTheRestOfItsBatchIs) {
    ReceiverImage image;
    LinkState state;
    state.realtimeMode = true;
    state.echoGuard = 1;  // an extended write has just gone out
    test::RecordingHost host;
    ReplyDecoder decoder(image, state, host);
    FrameAssembler assembler(decoder);

    // The echo and a good reply in one batch: only the echo goes.
    const std::string echo = test::Framed(kDc4, test::ExtendedBody(test::kEqBandCode, "0018"));
    const std::string next = test::Framed(kDc4, test::ExtendedBody(test::kEqBandCode, "0019"));
    assembler.Feed(echo + next);
    EXPECT_EQ(host.receiverResets, 1);
    EXPECT_EQ(image.EqSettings[0], 0x19);
    EXPECT_EQ(state.echoGuard, 0);
    ASSERT_EQ(host.log.size(), 2u);
}

// A DC2 in line noise, or a frame whose model code the line damaged, is only logged: it never
// reaches the identification, so it can neither answer the status request nor open the model
// dialog with a garbage model code. A frame with a proper model code but a state cut short or
// damaged reaches the identification (it answers and names the model) and is not decoded.
TEST(ReplyDecoderWiring, ConfigurationFramesAreBelievedAsFarAsTheirFormAllows) {
    ReceiverImage image;
    LinkState state;
    state.echoGuard = 0;
    state.realtimeMode = true;
    test::RecordingHost host;
    Gate gate;
    ReplyDecoder decoder(image, state, host, &gate);
    FrameAssembler assembler(decoder);
    const ReceiverImage before = image;

    test::ConfigurationBody on;
    on.Two(8, 0x60);
    const std::string full = on.Text();
    std::string lowerR = full;
    lowerR[0] = 'r';
    std::string letterInCode = full;
    letterInCode[3] = 'A';
    std::string controlInCode = full;
    controlInCode[4] = '\x19';
    for (const std::string& noise : {std::string(), std::string("R31"), std::string("R310"), lowerR,
                                     letterInCode, controlInCode}) {
        assembler.Feed(test::Framed(kDc2, noise));
        ASSERT_FALSE(host.log.empty());
        EXPECT_EQ(host.log.back(), "(TR-X)   " + noise + "\r\n");
    }
    EXPECT_TRUE(gate.seen.empty());

    std::string damagedDigit = full;
    damagedDigit[15 + 60] = 'g';
    std::string filler = full;  // characters 5-14 are not looked at
    filler[7] = 'z';
    const std::vector<std::string> identifyOnly{std::string("R9999"), full.substr(0, 16),
                                                damagedDigit, full + "0"};
    for (const std::string& body : identifyOnly) {
        assembler.Feed(test::Framed(kDc2, body));
    }
    EXPECT_EQ(gate.seen, identifyOnly);
    EXPECT_EQ(test::AllBytes(image), test::AllBytes(before));
    // Cut short but sound: only the power digit is believed.
    for (const std::string& body : {full.substr(0, 17), full.substr(0, full.size() - 1)}) {
        image.MainZoneState[main_zone::kPower] = 0;
        assembler.Feed(test::Framed(kDc2, body));
        assembler.Feed(test::Framed(kDc2, body));
        EXPECT_EQ(image.MainZoneState[main_zone::kPower], 1);
    }
    image.MainZoneState[main_zone::kPower] = before.MainZoneState[main_zone::kPower];
    EXPECT_EQ(test::AllBytes(image), test::AllBytes(before));
    EXPECT_EQ(host.refreshes, 0);

    // A short frame that reports standby carries all it must; a whole frame goes on as ever,
    // whatever its filler holds.
    test::ConfigurationBody off;
    off.Digit(1, 0);
    image.MainZoneState[main_zone::kPower] = 1;
    assembler.Feed(test::Framed(kDc2, off.Text().substr(0, 17)));
    assembler.Feed(test::Framed(kDc2, off.Text().substr(0, 17)));
    EXPECT_EQ(image.MainZoneState[main_zone::kPower], 0);
    assembler.Feed(test::Framed(kDc2, filler));
    assembler.Feed(test::Framed(kDc2, filler));
    ASSERT_EQ(gate.seen.size(), identifyOnly.size() + 8);
    EXPECT_EQ(image.MainZoneState[main_zone::kMainVolume], 0x60 - 38);
}

TEST(ReplyDecoderWiring, ReportFramesReachTheReportDecoder) {
    ReceiverImage image;
    LinkState state;
    test::RecordingHost host;
    host.queuedCommand = 48;
    state.waiting = 1;
    ReplyDecoder decoder(image, state, host);
    FrameAssembler assembler(decoder);
    assembler.Feed(std::string{kStx} + "00262E" + kEtx);
    EXPECT_EQ(state.waiting, 0);
    EXPECT_EQ(host.timeoutStops, 1);
}

}  // namespace
}  // namespace tra1
