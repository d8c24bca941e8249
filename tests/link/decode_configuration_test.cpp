#include <gtest/gtest.h>

#include "link/configuration_decoder.h"
#include "link/link_state.h"
#include "link/receiver_value.h"
#include "model/receiver_image.h"
#include "tests/link/decode_test_support.h"

namespace tra1 {
namespace {

using test::ConfigurationBody;

class ConfigurationDecodeTest : public ::testing::Test {
protected:
    ConfigurationDecodeTest() {
        state_.echoGuard = 0;
        state_.realtimeMode = true;
    }

    ReceiverImage image_;
    LinkState state_;
    test::RecordingHost host_;
    ConfigurationDecoder decoder_{image_, state_, host_};
};

TEST_F(ConfigurationDecodeTest, PowerOffOnlyClearsThePowerByte) {
    image_.MainZoneState[main_zone::kPower] = 1;
    ConfigurationBody body;
    body.Digit(1, 0).Digit(2, 9).Two(8, 0x50);
    const ReceiverImage before = image_;

    EXPECT_EQ(decoder_.DecodeConfiguration(body), ConfigurationOutcome::kPowerOff);

    EXPECT_EQ(image_.MainZoneState[main_zone::kPower], 0);
    image_.MainZoneState[main_zone::kPower] = 1;
    EXPECT_EQ(test::AllBytes(image_), test::AllBytes(before));
    EXPECT_EQ(host_.refreshes, 0);
}

TEST_F(ConfigurationDecodeTest, EveryReportedFieldLandsInItsByte) {
    ConfigurationBody body;
    body.Digit(2, 7)    // main input
        .Digit(3, 1)    // multi-channel input
        .Digit(4, 4)    // input mode, reported doubled
        .Digit(5, 1)    // main mute
        .Digit(6, 3)    // zone 2 input
        .Digit(7, 1)    // zone 2 mute
        .Two(8, 0x70)   // main volume 112 - 38
        .Two(10, 0x30)  // zone 2 volume 48 - 38
        .Two(12, 57)    // program code 57 = program 5
        .Digit(14, 1)   // effect on
        .Digit(15, 1)   // EX/ES reported 1 = 2
        .Digit(16, 1)   // on-screen display 2 - 1
        .Digit(20, 1)   // night mode
        .Digit(22, 1)   // speaker A
        .Digit(23, 0)   // speaker B
        .Digit(24, 9)   // decoder state
        .Digit(35, 2)   // left trigger mode
        .Digit(37, 3)   // right trigger mode
        .Digit(39, 1)   // speaker B set
        .Digit(40, 1);  // zone 2 amp
    const int levelPositions[] = {41, 43, 45, 47, 49, 51, 53, 55, 57, 59, 61, 63};
    for (int i = 0; i < 12; ++i) {
        body.Two(static_cast<std::size_t>(levelPositions[i]), 30 + i);
    }
    body.Two(67, 0x21).Two(69, 0x22).Two(71, 0x9A).Digit(77, 1);
    const int displayPositions[] = {78, 81, 80, 82, 83, 79, 100};
    for (int i = 0; i < 7; ++i) {
        body.Digit(static_cast<std::size_t>(displayPositions[i]), i + 1);
    }
    const int videoPositions[] = {101, 102, 103, 104, 105, 106};
    for (int i = 0; i < 6; ++i) {
        body.Digit(static_cast<std::size_t>(videoPositions[i]), 9 + i);
    }
    body.Digit(84, 2).Digit(85, 1).Digit(86, 1);
    for (int i = 0; i < 6; ++i) {
        body.Digit(static_cast<std::size_t>(89 + i), i);
    }
    body.Digit(95, 3).Digit(96, 2).Digit(97, 10).Digit(110, 1).Digit(111, 1).Digit(112, 2);

    EXPECT_EQ(decoder_.DecodeConfiguration(body), ConfigurationOutcome::kDecoded);

    const auto& zone = image_.MainZoneState;
    EXPECT_EQ(zone[20], 1);
    EXPECT_EQ(zone[0], 7);
    EXPECT_EQ(zone[1], 1);
    EXPECT_EQ(zone[2], 2);
    EXPECT_EQ(zone[13], 1);
    EXPECT_EQ(zone[3], 3);
    EXPECT_EQ(zone[14], 1);
    EXPECT_EQ(zone[12], 0x70 - 38);
    EXPECT_EQ(zone[11], 0x30 - 38);
    EXPECT_EQ(zone[4], 5);
    EXPECT_EQ(zone[5], 1);
    EXPECT_EQ(image_.InputProgramMap[7], 5);  // effect on: no flag bit
    EXPECT_EQ(zone[15], 2);
    EXPECT_EQ(zone[8], 1);
    EXPECT_EQ(zone[25], 1);
    EXPECT_EQ(zone[9], 1);
    EXPECT_EQ(zone[10], 0);
    EXPECT_EQ(zone[16], 9);
    EXPECT_EQ(image_.DcTrigger1[0], 2);
    EXPECT_EQ(image_.DcTrigger2[0], 3);
    EXPECT_EQ(image_.SpeakerSetup[8], 1);
    EXPECT_EQ(image_.MultiZoneSetting[1], 1);
    const int levelBytes[] = {0, 1, 2, 3, 4, 7, 8, 5, 6, 9, 10, 32};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(image_.SpeakerLevels[static_cast<std::size_t>(levelBytes[i])], 30 + i) << i;
    }
    EXPECT_EQ(image_.LfeDrange[0], 0x21);
    EXPECT_EQ(image_.LfeDrange[1], 0x22);
    EXPECT_EQ(image_.AudioDelay[0], 0x9A);
    EXPECT_EQ(image_.InputModeSetting[0], 1);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(image_.DisplaySettings[static_cast<std::size_t>(i)], i + 1) << i;
    }
    EXPECT_EQ(image_.VideoSettings[0], 5);  // position 83 feeds display byte 4 and video byte 0
    for (int i = 1; i < 7; ++i) {
        EXPECT_EQ(image_.VideoSettings[static_cast<std::size_t>(i)], 8 + i) << i;
    }
    EXPECT_EQ(image_.LfeDrange[2], 2);
    EXPECT_EQ(image_.LfeDrange[3], 1);
    EXPECT_EQ(image_.MultiZoneSetting[0], 1);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(image_.SpeakerSetup[static_cast<std::size_t>(i)], i) << i;
    }
    EXPECT_EQ(image_.SpeakerSetup[11], 3);
    EXPECT_EQ(image_.SpeakerSetup[6], 2);
    EXPECT_EQ(image_.SpeakerSetup[9], 10);
    EXPECT_EQ(image_.ThxSettings[0], 1);
    EXPECT_EQ(image_.ThxSettings[1], 1);
    EXPECT_EQ(image_.ThxSettings[2], 2);
    EXPECT_EQ(host_.refreshes, 1);
}

TEST_F(ConfigurationDecodeTest, EffectDigitZeroSetsTheFlagBitOfTheInputsProgram) {
    ConfigurationBody body;
    body.Digit(2, 12).Two(12, 37).Digit(14, 0);  // V-AUX plays program 29 without effect
    decoder_.DecodeConfiguration(body);
    EXPECT_EQ(image_.MainZoneState[main_zone::kCurrentProgram], 29);
    EXPECT_EQ(image_.InputProgramMap[12], 29 | 0x80);
}

TEST_F(ConfigurationDecodeTest, UnknownProgramCodeLeavesTheProgramBytes) {
    image_.MainZoneState[main_zone::kCurrentProgram] = 3;
    image_.InputProgramMap[5] = 0x83;
    ConfigurationBody body;
    body.Digit(2, 5).Two(12, 0xFF).Digit(14, 1).Two(8, 0x40);
    EXPECT_EQ(decoder_.DecodeConfiguration(body), ConfigurationOutcome::kDecoded);
    EXPECT_EQ(image_.MainZoneState[main_zone::kCurrentProgram], 3);
    EXPECT_EQ(image_.InputProgramMap[5], 0x83);
    EXPECT_EQ(image_.MainZoneState[main_zone::kReported5], 1);
    EXPECT_EQ(image_.MainZoneState[main_zone::kMainVolume], 0x40 - 38);
}

TEST_F(ConfigurationDecodeTest, VolumesStayWithinTheVolumeSteps) {
    struct Case {
        int reported;
        int step;
    };
    for (const Case c : {Case{0x27, 1}, Case{0x00, 0}, Case{0x01, 0}, Case{0x25, 0}, Case{0x26, 0},
                         Case{232, 194}, Case{233, 194}, Case{0xFF, 194}}) {
        ConfigurationBody body;
        body.Two(8, c.reported).Two(10, c.reported);
        decoder_.DecodeConfiguration(body);
        EXPECT_EQ(image_.MainZoneState[main_zone::kMainVolume], c.step) << c.reported;
        EXPECT_EQ(image_.MainZoneState[main_zone::kZone2Volume], c.step) << c.reported;
    }
}

TEST_F(ConfigurationDecodeTest, DigitsAreReadCaseInsensitivelyAndAFrameWithOthersIsNotDecoded) {
    ConfigurationBody body;
    body.Char(71, 'a').Char(72, 'F').Char(41, '0').Char(42, '7');
    EXPECT_EQ(decoder_.DecodeConfiguration(body), ConfigurationOutcome::kDecoded);
    EXPECT_EQ(image_.AudioDelay[0], 0xAF);
    EXPECT_EQ(image_.SpeakerLevels[0], 0x07);

    // One damaged digit anywhere in the data (even where nothing is read) and nothing is
    // stored, not even the power byte; the decode skip count is not used up by it.
    state_.decodeSkipCount = 1;
    for (const std::size_t position : {std::size_t{1}, std::size_t{41}, std::size_t{112}}) {
        for (const char bad : {'x', 'G', ' ', '\x12'}) {
            ConfigurationBody damaged;
            damaged.Two(71, 0x11).Char(position, bad);
            image_.MainZoneState[main_zone::kPower] = 7;
            EXPECT_EQ(decoder_.DecodeConfiguration(damaged), ConfigurationOutcome::kMalformed)
                << position << " " << bad;
            EXPECT_EQ(image_.AudioDelay[0], 0xAF);
            EXPECT_EQ(image_.MainZoneState[main_zone::kPower], 7);
        }
    }
    EXPECT_EQ(state_.decodeSkipCount, 1);
    // Nor is a body that runs past the last position.
    EXPECT_EQ(decoder_.DecodeConfiguration(std::string(ConfigurationBody().Text()) + "0"),
              ConfigurationOutcome::kMalformed);
}

TEST_F(ConfigurationDecodeTest, OnScreenDigitsAboveTwoDoNotWrapTheByte) {
    ConfigurationBody body;
    body.Digit(16, 0xF);
    decoder_.DecodeConfiguration(body);
    EXPECT_EQ(image_.MainZoneState[main_zone::kOnScreenDisplay], 0);
}

TEST_F(ConfigurationDecodeTest, SkipCountAndEchoGuardHoldTheStateBack) {
    ConfigurationBody body;
    body.Two(8, 0x60);
    state_.decodeSkipCount = 2;
    EXPECT_EQ(decoder_.DecodeConfiguration(body), ConfigurationOutcome::kSkipped);
    EXPECT_EQ(decoder_.DecodeConfiguration(body), ConfigurationOutcome::kSkipped);
    EXPECT_EQ(state_.decodeSkipCount, 0);
    EXPECT_EQ(image_.MainZoneState[main_zone::kMainVolume], 0);

    state_.echoGuard = 1;
    EXPECT_EQ(decoder_.DecodeConfiguration(body), ConfigurationOutcome::kEcho);
    EXPECT_EQ(state_.echoGuard, 1);  // the identification step clears it, not the decoder
    EXPECT_EQ(image_.MainZoneState[main_zone::kMainVolume], 0);
    EXPECT_EQ(image_.MainZoneState[main_zone::kPower], 0);

    state_.echoGuard = 0;
    EXPECT_EQ(decoder_.DecodeConfiguration(body), ConfigurationOutcome::kDecoded);
    EXPECT_EQ(image_.MainZoneState[main_zone::kMainVolume], 0x60 - 38);
}

TEST_F(ConfigurationDecodeTest, AsynchronousModeOnlyWatchesUnlessAnUploadRuns) {
    state_.realtimeMode = false;
    ConfigurationBody body;
    body.Two(8, 0x60);
    EXPECT_EQ(decoder_.DecodeConfiguration(body), ConfigurationOutcome::kPowerOnOnly);
    EXPECT_EQ(image_.MainZoneState[main_zone::kPower], 1);
    EXPECT_EQ(image_.MainZoneState[main_zone::kMainVolume], 0);
    EXPECT_EQ(host_.refreshes, 0);

    state_.downloadInProgress = 5;
    EXPECT_EQ(decoder_.DecodeConfiguration(body), ConfigurationOutcome::kPowerOnOnly);

    // An upload believes a frame once another of the same step agrees with it.
    state_.uploadInProgress = 3;
    EXPECT_EQ(decoder_.DecodeConfiguration(body), ConfigurationOutcome::kUnconfirmed);
    EXPECT_EQ(image_.MainZoneState[main_zone::kMainVolume], 0);
    EXPECT_EQ(decoder_.DecodeConfiguration(body), ConfigurationOutcome::kDecoded);
    EXPECT_EQ(image_.MainZoneState[main_zone::kMainVolume], 0x60 - 38);
}

TEST_F(ConfigurationDecodeTest, AnUploadStoresOnlyAStateTwoFramesOfTheSameStepAgreeOn) {
    state_.realtimeMode = false;
    state_.uploadInProgress = 5;
    state_.awaitedFunction = command::kStatusRequest;
    ConfigurationBody sound;
    sound.Two(8, 0x60);
    ConfigurationBody damaged;
    damaged.Two(8, 0x70);  // one flipped bit, still a digit
    // The step's two answers differ: nothing is stored, and the step asks again at once.
    EXPECT_EQ(decoder_.DecodeConfiguration(sound), ConfigurationOutcome::kUnconfirmed);
    EXPECT_EQ(state_.uploadInProgress, 5);
    EXPECT_EQ(decoder_.DecodeConfiguration(damaged), ConfigurationOutcome::kUnconfirmed);
    EXPECT_EQ(state_.uploadInProgress, 4);
    EXPECT_EQ(state_.awaitedFunction, LinkState::kNone);
    EXPECT_EQ(image_.MainZoneState[main_zone::kMainVolume], 0);
    // Run again: a frame like one heard before in the step confirms it.
    state_.uploadInProgress = 5;
    state_.awaitedFunction = command::kStatusRequest;
    EXPECT_EQ(decoder_.DecodeConfiguration(sound), ConfigurationOutcome::kDecoded);
    EXPECT_EQ(image_.MainZoneState[main_zone::kMainVolume], 0x60 - 38);
    EXPECT_EQ(state_.awaitedFunction, LinkState::kNone);
    // The next step starts afresh: what the step before heard confirms nothing.
    state_.uploadInProgress = 6;
    state_.awaitedFunction = command::kStatusRequest;
    EXPECT_EQ(decoder_.DecodeConfiguration(sound), ConfigurationOutcome::kUnconfirmed);
}

TEST_F(ConfigurationDecodeTest, DecodingEndsTheWaitForTheStatusRequestOnly) {
    ConfigurationBody body;
    state_.awaitedFunction = 255;
    state_.waitingCounter = 57;
    decoder_.DecodeConfiguration(body);
    EXPECT_EQ(state_.awaitedFunction, -1);
    EXPECT_EQ(state_.waitingCounter, 0);

    state_.awaitedFunction = 20;
    decoder_.DecodeConfiguration(body);
    EXPECT_EQ(state_.awaitedFunction, 20);
}

TEST_F(ConfigurationDecodeTest, TooShortFramesAreIgnored) {
    ConfigurationBody full;
    full.Two(8, 0x60);
    image_.MainZoneState[main_zone::kPower] = 7;
    const ReceiverImage before = image_;
    state_.decodeSkipCount = 1;

    // Not even the power digit.
    EXPECT_EQ(decoder_.DecodeConfiguration(full.Text().substr(0, 16)),
              ConfigurationOutcome::kTooShort);
    EXPECT_EQ(state_.decodeSkipCount, 1);
    state_.decodeSkipCount = 0;
    EXPECT_EQ(decoder_.DecodeConfiguration(""), ConfigurationOutcome::kTooShort);
    EXPECT_EQ(test::AllBytes(image_), test::AllBytes(before));
    // Powered on but cut before the last position: it says the receiver is on, nothing more.
    EXPECT_EQ(decoder_.DecodeConfiguration(full.Text().substr(0, full.Text().size() - 1)),
              ConfigurationOutcome::kTooShort);
    EXPECT_EQ(image_.MainZoneState[main_zone::kPower], 1);
    image_.MainZoneState[main_zone::kPower] = 7;
    EXPECT_EQ(test::AllBytes(image_), test::AllBytes(before));
    EXPECT_EQ(host_.refreshes, 0);

    // A short frame that reports standby still says enough.
    ConfigurationBody off;
    off.Digit(1, 0);
    EXPECT_EQ(decoder_.DecodeConfiguration(off.Text().substr(0, 17)),
              ConfigurationOutcome::kPowerOff);
    EXPECT_EQ(image_.MainZoneState[main_zone::kPower], 0);
}

TEST(ReportedModelCode, IsTheFirstFiveCharacters) {
    EXPECT_EQ(ReportedModelCode("R3109000000"), "R3109");
    EXPECT_EQ(ReportedModelCode("R310"), "");
}

TEST(ReceiverValue, MapsTheReportedCodes) {
    EXPECT_EQ(ReceiverValue(34, 0), 0);
    EXPECT_EQ(ReceiverValue(34, 2), 1);
    EXPECT_EQ(ReceiverValue(34, 4), 2);
    const int exEs[] = {0, 2, 1, 1, 3, 4, 5};
    for (int code = 0; code < 7; ++code) {
        EXPECT_EQ(ReceiverValue(45, code), exEs[code]) << code;
    }
    EXPECT_EQ(ReceiverValue(45, 7), 7);
    EXPECT_EQ(ReceiverValue(40, 57), 5);
    EXPECT_EQ(ReceiverValue(40, 53), 34);
    EXPECT_EQ(ReceiverValue(40, 52), 35);
    EXPECT_EQ(ReceiverValue(40, 3), 3);  // unknown code: unchanged
    for (int table : {33, 35, 36, 37, 58, 62, 99}) {
        EXPECT_EQ(ReceiverValue(table, 11), 11) << table;
    }
}

}  // namespace
}  // namespace tra1
