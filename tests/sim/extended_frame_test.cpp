// Extended frames: each item's reply carries the length the editor checks, a write is read back
// as written, and frames that fail the receiver's checks are refused with a non-zero status.

#include <gtest/gtest.h>

#include <map>

#include "model/command_table.h"
#include "model/model_profile.h"
#include "sim/virtual_receiver.h"
#include "tests/sim/sim_test_support.h"

namespace tra1::sim {
namespace {

using namespace testing;

struct Reply {
    int ll = -1;
    std::string function;
    char status = 0;
    std::string data;  // from body character 8 up to the checksum
    std::string body;
};

Reply Ask(VirtualReceiver& receiver, const std::string& frame) {
    const auto frames = Frames(Exchange(receiver, frame));
    EXPECT_EQ(frames.size(), 1u);
    if (frames.size() != 1 || frames[0].opener != kDc4 || frames[0].body.size() < 10) {
        ADD_FAILURE() << "no extended reply";
        return {};
    }
    const std::string& b = frames[0].body;
    return Reply{HexField(b, 2, 2), b.substr(4, 3), b[7], b.substr(8, b.size() - 10), b};
}

// The length each reply carries, as the editor's reply decoder checks it.
const std::map<int, int> kReplyLength{{260, 8}, {261, 17}, {262, 7},  {265, 11},
                                      {267, 8}, {268, 14}, {269, 6},  {270, 9},
                                      {271, 8}, {272, 9},  {273, 15}, {274, 13}};

TEST(ExtendedFrame, EveryRequestIsAnsweredWithTheCheckedLength) {
    VirtualReceiver receiver;
    for (const auto& [function, ll] : kReplyLength) {
        const Reply r =
            Ask(receiver, Extended(function, 0, 1, 1, 1, 1, 1, 1, function == 274 ? "xxxxxx" : ""));
        EXPECT_EQ(r.status, '0') << function;
        EXPECT_EQ(r.ll, ll) << function;
        EXPECT_EQ(r.function, std::string(ExtendedFunctionCode(function))) << function;
    }
    // The parameter request of the other code is answered too (its length is not checked).
    const Reply r = Ask(receiver, Extended(264, 0, 0x20, 3, 1, 0));
    EXPECT_EQ(r.status, '0');
    EXPECT_EQ(r.function, "020");
}

TEST(ExtendedFrame, ReplyChecksumCoversEverythingAfterDc4) {
    VirtualReceiver receiver;
    const Reply r = Ask(receiver, Extended(262, 0, 5));
    unsigned sum = 0;
    for (std::size_t i = 0; i + 2 < r.body.size(); ++i) {
        sum += static_cast<unsigned char>(r.body[i]);
    }
    EXPECT_EQ(HexField(r.body, r.body.size() - 2, 2), static_cast<int>(sum % 256));
}

TEST(ExtendedFrame, WriteThenRequestReturnsWhatWasWritten) {
    VirtualReceiver receiver;
    struct Case {
        int function;
        std::array<int, 6> write;
        std::string text;
        std::array<int, 6> request;
        std::string expectedData;
    };
    const std::vector<Case> cases{
        // I/O assignment: image row 2, jack 4, input 9 (row digit 2 on the line).
        {260, {2, 4, 9}, "", {2, 4}, "2049"},
        {261, {5}, "DVD", {5}, "00508DVD     "},
        {262, {3, 20}, "", {3}, "314"},
        {265, {0x21, 6, 4, 33}, "", {0x21, 6, 4, 0}, "2106421"},
        {267, {4, 11, 20}, "", {4, 11}, "4B14"},
        {268, {2, 1, 16, 19, 12, 22}, "", {2}, "2110130C16"},
        {269, {1, 17}, "", {1}, "111"},
        {270, {1, 0, 2, 18}, "", {1, 0}, "10212"},
        {271, {1, 2, 5, 0}, "", {1, 2, 5}, "1250"},
        {271, {0, 0, 13, 0}, "", {0, 0, 13}, "00D0"},
        {272, {7, 0, 1234}, "", {7}, "704D2"},
        {273, {1, 10, 3, 20, 30, 40}, "", {1}, "10A03141E28"},
        {274, {3, 6, 1}, "101.10", {3, 6, 1}, "361101.10"},
        {274, {0, 0, 0}, "001000", {0, 0, 0}, "000001000"},
    };
    for (const Case& c : cases) {
        const auto& w = c.write;
        const Reply accepted =
            Ask(receiver, Extended(c.function, 1, w[0], w[1], w[2], w[3], w[4], w[5], c.text));
        EXPECT_EQ(accepted.status, '0') << c.function;
        const auto& q = c.request;
        const Reply r = Ask(receiver, Extended(c.function, 0, q[0], q[1], q[2], q[3], q[4], q[5],
                                               c.function == 274 ? "xxxxxx" : c.text));
        EXPECT_EQ(r.status, '0') << c.function;
        EXPECT_EQ(r.data, c.expectedData) << c.function;
    }
    const ReceiverImage& im = receiver.Image();
    EXPECT_EQ(im.IoAssign(2, 4), 9);
    EXPECT_EQ(im.InputTrims[3], 20);
    EXPECT_EQ(im.EqSettings[13 * 4 + 11], 20);
    EXPECT_EQ(im.EqSettings[131], 17);
    EXPECT_EQ(im.ToneSettings[4], 2);
    EXPECT_EQ(im.ToneSettings[5], 18);
    EXPECT_EQ(im.DcTrigger2[1 + 32 + 5], 0);
    EXPECT_EQ(im.DcTrigger1[49], 0);
    EXPECT_EQ(im.SpeakerDistance(7), 1234);
    EXPECT_EQ(im.SpeakerDistance(15), 0);
    EXPECT_EQ(im.TunerBand(8 * 2 + 6), 1);
    EXPECT_EQ(im.TunerStep(8 * 2 + 6), 34);  // 107.9 - 0.2 x 34 = 101.1 MHz
    EXPECT_EQ(im.TunerBand(0), 0);
    EXPECT_EQ(im.TunerStep(0), 71);  // 1710 - 10 x 71 = 1000 kHz
}

// A parameter never written over the line is answered from the slot the editor keeps that
// variant in, so an upload followed by a download carries the same values back.
TEST(ExtendedFrame, UnwrittenParameterVariantsAnswerFromTheirSpareSlots) {
    VirtualReceiver receiver;
    ReceiverImage& im = receiver.Image();
    const int program = ModelProfile::ProgramIndex(0x21);
    ASSERT_GE(program, 0);
    im.SetDspParameter(program, 5, 11);
    im.SetDspParameter(program, 32, 22);
    im.SetDspParameter(program, 33, 33);
    im.SetDspParameter(program, 34, 44);
    const auto valueOf = [&](int sub) {
        const Reply r = Ask(receiver, Extended(265, 0, 0x21, 5, sub, 0));
        return HexField(r.body, r.body.size() - 4, 2);
    };
    EXPECT_EQ(valueOf(0), 11);
    EXPECT_EQ(valueOf(1), 22);
    EXPECT_EQ(valueOf(3), 33);
    EXPECT_EQ(valueOf(7), 44);
}

std::string WithChecksum(std::string frame, int delta) {
    // frame = DC4 ... cs cs ETX: corrupt the checksum by `delta`.
    const std::size_t at = frame.size() - 3;
    const int cs = HexField(frame, at, 2);
    const char* hex = "0123456789ABCDEF";
    const int bad = (cs + delta) & 0xFF;
    frame[at] = hex[bad >> 4];
    frame[at + 1] = hex[bad & 0xF];
    return frame;
}

TEST(ExtendedFrame, BadFramesAreRefusedAndChangeNothing) {
    VirtualReceiver receiver;
    const std::uint8_t trim = receiver.Image().InputTrims[3];
    Reply r = Ask(receiver, WithChecksum(Extended(262, 1, 3, 20), 1));
    EXPECT_NE(r.status, '0');
    EXPECT_EQ(r.function, "012");
    EXPECT_EQ(receiver.Image().InputTrims[3], trim);

    // A length that does not match the frame.
    std::string frame = Extended(262, 1, 3, 20);
    frame[4] = '8';
    r = Ask(receiver, frame);
    EXPECT_NE(r.status, '0');

    // A function the receiver does not take, with a correct checksum.
    std::string body =
        "2005013"
        "0"
        "1";
    unsigned sum = 0;
    for (const char c : body)
        sum += static_cast<unsigned char>(c);
    const char* hex = "0123456789ABCDEF";
    frame = std::string(1, kDc4) + body + hex[(sum >> 4) & 0xF] + hex[sum & 0xF] + kEtx;
    r = Ask(receiver, frame);
    EXPECT_NE(r.status, '0');

    // An index beyond the item (tone pair 3).
    r = Ask(receiver, Extended(270, 0, 3, 0));
    EXPECT_NE(r.status, '0');
    // A frequency text that is not a frequency.
    r = Ask(receiver, Extended(274, 1, 1, 1, 1, 0, 0, 0, "ab.cde"));
    EXPECT_NE(r.status, '0');
    // A refusal carries no data.
    EXPECT_EQ(r.ll, 4);
}

}  // namespace
}  // namespace tra1::sim
