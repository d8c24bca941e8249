// The configuration frame, read back by a small decoder that follows the receiver's published
// field table, not the simulator's code.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "model/model_profile.h"
#include "sim/virtual_receiver.h"
#include "tests/sim/sim_test_support.h"

namespace tra1::sim {
namespace {

using namespace testing;

// The editor's view of a configuration frame body: data position N is body character 15 + N.
struct Decoded {
    std::string model;
    int power = 0;
    ReceiverImage image;  // only the fields the frame carries are filled
};

Decoded Decode(std::string_view body) {
    Decoded d;
    d.model = std::string(body.substr(0, 5));
    const auto digit = [&](int pos) {
        return HexField(body, 15 + static_cast<std::size_t>(pos), 1);
    };
    const auto two = [&](int pos) { return HexField(body, 15 + static_cast<std::size_t>(pos), 2); };
    auto& mz = d.image.MainZoneState;
    d.power = digit(1);
    mz[0] = static_cast<std::uint8_t>(digit(2));
    mz[1] = static_cast<std::uint8_t>(digit(3));
    mz[2] = static_cast<std::uint8_t>(digit(4) / 2);
    mz[13] = static_cast<std::uint8_t>(digit(5));
    mz[3] = static_cast<std::uint8_t>(digit(6));
    mz[14] = static_cast<std::uint8_t>(digit(7));
    mz[12] = static_cast<std::uint8_t>(two(8) == 0 ? 0 : two(8) - 38);
    mz[11] = static_cast<std::uint8_t>(two(10) == 0 ? 0 : two(10) - 38);
    mz[4] = static_cast<std::uint8_t>(ModelProfile::ProgramIndex(two(12)));
    mz[5] = static_cast<std::uint8_t>(digit(14));
    constexpr std::array<int, 7> kExEs{0, 2, 1, 1, 3, 4, 5};
    mz[15] = static_cast<std::uint8_t>(digit(15) < 7 ? kExEs[digit(15)] : digit(15));
    mz[8] = static_cast<std::uint8_t>(2 - digit(16));
    mz[25] = static_cast<std::uint8_t>(digit(20));
    mz[9] = static_cast<std::uint8_t>(digit(22));
    mz[10] = static_cast<std::uint8_t>(digit(23));
    mz[16] = static_cast<std::uint8_t>(digit(24));
    d.image.DcTrigger1[0] = static_cast<std::uint8_t>(digit(35));
    d.image.DcTrigger2[0] = static_cast<std::uint8_t>(digit(37));
    d.image.SpeakerSetup[8] = static_cast<std::uint8_t>(digit(39));
    d.image.MultiZoneSetting[1] = static_cast<std::uint8_t>(digit(40));
    const std::array<std::pair<int, int>, 12> levels{{{41, 0},
                                                      {43, 1},
                                                      {45, 2},
                                                      {47, 3},
                                                      {49, 4},
                                                      {51, 7},
                                                      {53, 8},
                                                      {55, 5},
                                                      {57, 6},
                                                      {59, 9},
                                                      {61, 10},
                                                      {63, 32}}};
    for (const auto& [pos, byte] : levels) {
        d.image.SpeakerLevels[static_cast<std::size_t>(byte)] = static_cast<std::uint8_t>(two(pos));
    }
    d.image.LfeDrange[0] = static_cast<std::uint8_t>(two(67));
    d.image.LfeDrange[1] = static_cast<std::uint8_t>(two(69));
    d.image.AudioDelay[0] = static_cast<std::uint8_t>(two(71));
    d.image.InputModeSetting[0] = static_cast<std::uint8_t>(digit(77));
    const std::array<int, 7> display{78, 81, 80, 82, 83, 79, 100};
    for (std::size_t i = 0; i < display.size(); ++i) {
        d.image.DisplaySettings[i] = static_cast<std::uint8_t>(digit(display[i]));
    }
    const std::array<int, 7> video{83, 101, 102, 103, 104, 105, 106};
    for (std::size_t i = 0; i < video.size(); ++i) {
        d.image.VideoSettings[i] = static_cast<std::uint8_t>(digit(video[i]));
    }
    d.image.LfeDrange[2] = static_cast<std::uint8_t>(digit(84));
    d.image.LfeDrange[3] = static_cast<std::uint8_t>(digit(85));
    d.image.MultiZoneSetting[0] = static_cast<std::uint8_t>(digit(86));
    for (std::size_t i = 0; i < 6; ++i) {
        d.image.SpeakerSetup[i] = static_cast<std::uint8_t>(digit(89 + static_cast<int>(i)));
    }
    d.image.SpeakerSetup[11] = static_cast<std::uint8_t>(digit(95));
    d.image.SpeakerSetup[6] = static_cast<std::uint8_t>(digit(96));
    d.image.SpeakerSetup[9] = static_cast<std::uint8_t>(digit(97));
    for (std::size_t i = 0; i < 3; ++i) {
        d.image.ThxSettings[i] = static_cast<std::uint8_t>(digit(110 + static_cast<int>(i)));
    }
    return d;
}

std::string StatusRequest() {
    return std::string{kDc1, '0', '0', '0', kEtx};
}

Decoded AskState(VirtualReceiver& receiver) {
    const auto frames = Frames(Exchange(receiver, StatusRequest()));
    EXPECT_EQ(frames.size(), 1u);
    if (frames.empty()) {
        return {};
    }
    EXPECT_EQ(frames[0].opener, kDc2);
    return Decode(frames[0].body);
}

TEST(ConfigurationFrame, FieldsDecodeToTheReceiversState) {
    VirtualReceiver receiver;
    ReceiverImage& im = receiver.Image();
    auto& mz = im.MainZoneState;
    // A state far from the defaults, with every field the frame carries set.
    mz[0] = 11;
    mz[1] = 1;
    mz[2] = 2;
    mz[13] = 1;
    mz[3] = 9;
    mz[14] = 1;
    mz[12] = 150;
    mz[11] = 1;
    mz[4] = 17;  // effect on
    mz[15] = 4;
    mz[8] = 0;
    mz[25] = 1;
    mz[9] = 1;
    mz[10] = 1;
    mz[16] = 7;
    im.DcTrigger1[0] = 3;
    im.DcTrigger2[0] = 2;
    im.SpeakerSetup = {1, 2, 0, 3, 1, 2, 3, 0, 1, 10, 0, 2, 0, 0, 0, 0};
    im.MultiZoneSetting = {1, 1};
    for (std::size_t i = 0; i < 11; ++i) {
        im.SpeakerLevels[i] = static_cast<std::uint8_t>(10 + 5 * i);
    }
    im.SpeakerLevels[32] = 33;
    im.LfeDrange = {30, 25, 2, 1};
    im.AudioDelay[0] = 160;
    im.InputModeSetting[0] = 1;
    im.DisplaySettings = {7, 9, 3, 0, 1, 0, 4};
    im.VideoSettings = {1, 2, 3, 1, 0, 1, 0};
    im.ThxSettings = {1, 1, 2};

    const Decoded d = AskState(receiver);
    EXPECT_EQ(d.model, "R3109");
    EXPECT_EQ(d.power, 1);
    for (const std::size_t b : {0, 1, 2, 3, 4, 8, 9, 10, 11, 12, 13, 14, 15, 16, 25}) {
        EXPECT_EQ(d.image.MainZoneState[b], mz[b]) << "MainZoneState byte " << b;
    }
    EXPECT_EQ(d.image.MainZoneState[5], 1);  // effect on is reported as 1
    EXPECT_EQ(d.image.DcTrigger1[0], 3);
    EXPECT_EQ(d.image.DcTrigger2[0], 2);
    for (const std::size_t b : {0, 1, 2, 3, 4, 5, 6, 8, 9, 11}) {
        EXPECT_EQ(d.image.SpeakerSetup[b], im.SpeakerSetup[b]) << "SpeakerSetup byte " << b;
    }
    EXPECT_EQ(d.image.MultiZoneSetting, im.MultiZoneSetting);
    for (const std::size_t b : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 32}) {
        EXPECT_EQ(d.image.SpeakerLevels[b], im.SpeakerLevels[b]) << "SpeakerLevels byte " << b;
    }
    EXPECT_EQ(d.image.LfeDrange, im.LfeDrange);
    EXPECT_EQ(d.image.AudioDelay[0], 160);
    EXPECT_EQ(d.image.InputModeSetting[0], 1);
    EXPECT_EQ(d.image.DisplaySettings, im.DisplaySettings);
    for (std::size_t b = 0; b < 7; ++b) {
        EXPECT_EQ(d.image.VideoSettings[b], im.VideoSettings[b]) << "VideoSettings byte " << b;
    }
    EXPECT_EQ(d.image.ThxSettings, im.ThxSettings);
}

TEST(ConfigurationFrame, ProgramEffectOffAndVolumeEdges) {
    VirtualReceiver receiver;
    auto& mz = receiver.Image().MainZoneState;
    mz[4] = 0x80 | 22;  // program 22 without effect
    mz[12] = 0;         // lowest volume travels as "00"
    mz[11] = 194;
    const Decoded d = AskState(receiver);
    EXPECT_EQ(d.image.MainZoneState[4], 22);
    EXPECT_EQ(d.image.MainZoneState[5], 0);  // 0: effect off
    EXPECT_EQ(d.image.MainZoneState[12], 0);
    EXPECT_EQ(d.image.MainZoneState[11], 194);
}

TEST(ConfigurationFrame, LayoutModelCodesAndStandby) {
    VirtualReceiver receiver;
    std::string line = Exchange(receiver, StatusRequest());
    ASSERT_FALSE(line.empty());
    EXPECT_EQ(line.front(), kDc2);
    EXPECT_EQ(line.back(), kEtx);
    EXPECT_EQ(line.size(), 1u + 5 + 10 + 113 + 1);
    EXPECT_LE(line.size(), 255u);  // one batch of the editor's port
    EXPECT_EQ(line.find('\0'), std::string::npos);

    const std::array<std::string_view, 9> codes{"R3101", "R3102", "R3103", "R3104", "R3105",
                                                "R3106", "R3107", "R3108", "R3109"};
    for (int m = 0; m < 9; ++m) {
        receiver.SetModel(m);
        EXPECT_EQ(AskState(receiver).model, codes[static_cast<std::size_t>(m)]);
    }
    receiver.SetModel(-1);
    const std::string unknown = AskState(receiver).model;
    EXPECT_EQ(std::find(codes.begin(), codes.end(), unknown), codes.end());
    receiver.SetReportedModelCode("R9999");
    EXPECT_EQ(AskState(receiver).model, "R9999");

    receiver.SetPower(false);
    EXPECT_EQ(AskState(receiver).power, 0);
}

TEST(ConfigurationFrame, OnlyTheExactStatusRequestIsAnswered) {
    VirtualReceiver receiver;
    EXPECT_TRUE(Exchange(receiver, std::string{kDc1, '0', '1', '0', kEtx}).empty());
    EXPECT_EQ(Frames(Exchange(receiver, Command(255, 0))).size(), 1u);
}

}  // namespace
}  // namespace tra1::sim
