#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "link/frame_assembler.h"
#include "link/link_state.h"
#include "link/reply_decoder.h"
#include "model/receiver_image.h"
#include "tests/link/decode_test_support.h"

namespace tra1 {
namespace {

// The image between two guard areas: a write past either end of the image object shows there.
struct GuardedImage {
    std::array<std::uint8_t, 256> before{};
    ReceiverImage image;
    std::array<std::uint8_t, 256> after{};
};

constexpr std::uint8_t kGuard = 0xA5;

// Extended functions with the code, LL and data length of their replies.
struct ReplyLayout {
    std::string_view code;
    int length;
    int dataLength;
};
constexpr ReplyLayout kLayouts[] = {
    {"010", 8, 4}, {"011", 17, 13}, {"012", 7, 3},  {"020", 11, 7}, {"021", 11, 7},
    {"030", 8, 4}, {"031", 14, 10}, {"032", 6, 3},  {"033", 9, 5},  {"040", 8, 4},
    {"041", 9, 5}, {"042", 15, 11}, {"050", 13, 9}, {"000", 5, 1},  {"00F", 5, 1},
    {"013", 5, 1}, {"022", 6, 2},   {"0A7", 8, 4},
};

class FrameSource {
public:
    explicit FrameSource(std::uint32_t seed) : random_(seed) {}

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    char HexChar() { return "0123456789ABCDEFabcdef"[Below(22)]; }
    char AnyByte() { return static_cast<char>(1 + Below(255)); }

    std::string Digits(int count) {
        std::string text;
        for (int i = 0; i < count; ++i) {
            text += HexChar();
        }
        return text;
    }

    std::string Configuration() {
        // The receiver mostly reports the same state again, which is when it is decoded.
        if (!lastConfiguration_.empty() && Below(2) == 0) {
            return lastConfiguration_;
        }
        lastConfiguration_ = NewConfiguration();
        return lastConfiguration_;
    }

    std::string NewConfiguration() {
        std::string body = Below(8) == 0 ? "R3108" : "R3109";
        body += Digits(10);
        body += Digits(113);
        if (Below(4) != 0) {
            body[16] = '1';  // mostly powered on, so that the fields are decoded
        }
        return test::Framed(0x12, body);
    }

    std::string Report() { return test::Framed(0x02, "00" + Digits(4)); }

    std::string Extended() {
        const ReplyLayout& layout = kLayouts[Below(static_cast<int>(std::size(kLayouts)))];
        std::string data = Digits(layout.dataLength);
        if (layout.code == "011" && data.size() == 13) {
            for (std::size_t i = 5; i < 13; ++i) {
                data[i] = static_cast<char>(' ' + Below(95));
            }
        }
        if (layout.code == "050" && data.size() == 9) {
            const int shape = Below(3);
            const std::string number = std::to_string(Below(1000000) + 1000000).substr(1);
            if (shape == 0) {
                data.replace(3, 6, number);
            } else if (shape == 1) {
                data.replace(3, 6, number.substr(0, 3) + "." + number.substr(3, 2));
            }
        }
        const char status = Below(10) == 0 ? HexChar() : '0';
        const std::string body =
            "20" + test::Hex(layout.length, 2) + std::string(layout.code) + status + data;
        // Mostly the right checksum, now and then any two digits.
        return test::Framed(0x14, Below(8) == 0 ? body + Digits(2) : test::WithChecksum(body));
    }

    std::string Mutated(std::string frame) {
        const int edits = Below(4);
        for (int i = 0; i < edits && !frame.empty(); ++i) {
            const std::size_t at = static_cast<std::size_t>(Below(static_cast<int>(frame.size())));
            switch (Below(6)) {
                case 0:
                    frame[at] = AnyByte();
                    break;
                case 1:
                    frame[at] = HexChar();
                    break;
                case 2:
                    frame.resize(at);  // cut short, ETX lost
                    break;
                case 3:
                    frame.insert(at, std::string(static_cast<std::size_t>(Below(300)), AnyByte()));
                    break;
                case 4:
                    frame.insert(at, 1, "\x02\x03\x12\x14"[Below(4)]);
                    break;
                default:
                    frame.erase(at, 1);
                    break;
            }
        }
        return frame;
    }

    std::string Random() {
        std::string bytes(static_cast<std::size_t>(Below(400)), '\0');
        for (char& c : bytes) {
            c = AnyByte();
        }
        return bytes;
    }

    std::string Next() {
        std::string frame;
        switch (Below(4)) {
            case 0:
                frame = Configuration();
                break;
            case 1:
                frame = Report();
                break;
            case 2:
                frame = Extended();
                break;
            default:
                return Random();
        }
        return Below(2) == 0 ? frame : Mutated(std::move(frame));
    }

    std::mt19937& Engine() { return random_; }

private:
    std::mt19937 random_;
    std::string lastConfiguration_;
};

// A starting image with valid values where the decoder keeps values valid, random elsewhere.
void FillRandomly(ReceiverImage& image, FrameSource& source) {
    auto fill = [&source](auto& block) {
        for (auto& b : block) {
            b = static_cast<std::remove_reference_t<decltype(b)>>(source.Below(256));
        }
    };
    fill(image.InputNames);
    fill(image.EqSettings);
    fill(image.SpeakerLevels);
    fill(image.PictureModeAdjust);
    fill(image.MainZoneState);
    fill(image.HomePresetMemories);
    fill(image.UserMemo);
    fill(image.ExternalInputSetting);
    fill(image.SpeakerSetup);
    fill(image.VideoSettings);
    fill(image.AudioDelay);
    fill(image.MainVolumeMemories);
    for (auto& b : image.InputProgramMap) {
        b = static_cast<std::uint8_t>(source.Below(38) | (source.Below(2) << 7));
    }
    image.MainZoneState[main_zone::kCurrentProgram] = static_cast<std::uint8_t>(source.Below(38));
    image.MainZoneState[main_zone::kMainVolume] = static_cast<std::uint8_t>(source.Below(195));
    image.MainZoneState[main_zone::kZone2Volume] = static_cast<std::uint8_t>(source.Below(195));
    for (std::size_t e = 0; e < 41; ++e) {
        image.TunerPresets[2 * e] = static_cast<std::uint8_t>(source.Below(2));
    }
}

// What the decoder may never change, taken from the starting image.
struct Untouchable {
    explicit Untouchable(const ReceiverImage& image) : start(image) {}

    void Check(const ReceiverImage& image) const {
        ASSERT_EQ(image.HomePresetMemories, start.HomePresetMemories);
        ASSERT_EQ(image.MainVolumeMemories, start.MainVolumeMemories);
        ASSERT_EQ(image.Zone2VolumeMemories, start.Zone2VolumeMemories);
        ASSERT_EQ(image.Zone3VolumeMemories, start.Zone3VolumeMemories);
        ASSERT_EQ(image.SpareByte, start.SpareByte);
        ASSERT_EQ(image.UserMemo, start.UserMemo);
        ASSERT_EQ(image.ExternalInputSetting, start.ExternalInputSetting);
        // Bytes inside written blocks that no reply addresses.
        for (std::size_t i : {6, 7, 17, 18, 19, 21, 22, 23, 24, 26, 27, 28, 29, 30, 31}) {
            ASSERT_EQ(image.MainZoneState[i], start.MainZoneState[i]) << i;
        }
        for (std::size_t i = 13; i < 26; ++i) {
            ASSERT_EQ(image.EqSettings[i], start.EqSettings[i]) << i;  // channel record 1
        }
        for (std::size_t i = 11; i < 32; ++i) {
            ASSERT_EQ(image.SpeakerLevels[i], start.SpeakerLevels[i]) << i;
        }
        for (std::size_t r = 0; r < 3; ++r) {
            for (std::size_t i = 5; i < 15; ++i) {
                ASSERT_EQ(image.PictureModeAdjust[15 * r + i], start.PictureModeAdjust[15 * r + i]);
            }
        }
        for (std::size_t i : {7, 10, 12, 13, 14, 15}) {
            ASSERT_EQ(image.SpeakerSetup[i], start.SpeakerSetup[i]) << i;
        }
        for (std::size_t i = 7; i < 16; ++i) {
            ASSERT_EQ(image.VideoSettings[i], start.VideoSettings[i]) << i;
        }
        ASSERT_EQ(image.AudioDelay[1], start.AudioDelay[1]);
        ASSERT_EQ(image.AudioDelay[2], start.AudioDelay[2]);
        for (std::size_t i = 14 * 9; i < 144; ++i) {
            ASSERT_EQ(image.InputNames[i], start.InputNames[i]) << i;
        }
    }

    // Values that index tables elsewhere stay usable as indices.
    static void CheckValues(const ReceiverImage& image) {
        for (const std::uint8_t program : image.InputProgramMap) {
            ASSERT_LE(program & 0x7F, 37);
        }
        ASSERT_LE(image.MainZoneState[main_zone::kCurrentProgram] & 0x7F, 37);
        ASSERT_LE(image.MainZoneState[main_zone::kMainVolume], 194);
        ASSERT_LE(image.MainZoneState[main_zone::kZone2Volume], 194);
        for (std::size_t e = 0; e < 41; ++e) {
            ASSERT_LE(image.TunerPresets[2 * e], 1) << e;
        }
    }

    ReceiverImage start;
};

void RunFuzz(std::uint32_t seed, int frames) {
    FrameSource source(seed);
    auto guarded = std::make_unique<GuardedImage>();
    guarded->before.fill(kGuard);
    guarded->after.fill(kGuard);
    FillRandomly(guarded->image, source);
    const Untouchable untouchable(guarded->image);

    LinkState state;
    test::RecordingHost host;
    auto decoder = std::make_unique<ReplyDecoder>(guarded->image, state, host);
    auto assembler = std::make_unique<FrameAssembler>(*decoder);
    host.onReset = [&assembler] { assembler->Reset(); };

    for (int i = 0; i < frames; ++i) {
        // The link's flags move on as they do in use: modes, transfers, echoes, awaited replies.
        state.realtimeMode = source.Below(3) != 0;
        state.uploadInProgress = source.Below(4) == 0 ? 1 + source.Below(300) : 0;
        state.downloadInProgress = source.Below(8) == 0 ? 1 + source.Below(300) : 0;
        state.echoGuard = source.Below(20) == 0 ? 1 : 0;
        if (source.Below(20) == 0) {
            state.decodeSkipCount = source.Below(4);
        }
        const int awaited[] = {-1, 255, 20, 48, 264, 265, 267, 272, 274};
        state.awaitedFunction = awaited[source.Below(9)];
        state.realtimeExpectedTable = source.Below(12);
        host.queuedCommand = source.Below(120) - 10;
        host.log.clear();

        // Hand the bytes over in batches of the serial link's sizes.
        const std::string bytes = source.Next();
        std::size_t at = 0;
        while (at < bytes.size()) {
            const std::size_t size = 1 + static_cast<std::size_t>(source.Below(255));
            assembler->Feed(std::string_view(bytes).substr(at, size));
            at += size;
        }
        ASSERT_TRUE(std::all_of(guarded->before.begin(), guarded->before.end(),
                                [](std::uint8_t b) { return b == kGuard; }));
        ASSERT_TRUE(std::all_of(guarded->after.begin(), guarded->after.end(),
                                [](std::uint8_t b) { return b == kGuard; }));
        ASSERT_LE(assembler->Pending().size(), FrameAssembler::kMaxFrameLength);
        ASSERT_NO_FATAL_FAILURE(Untouchable::CheckValues(guarded->image)) << "frame " << i;
        if (i % 64 == 0) {
            ASSERT_NO_FATAL_FAILURE(untouchable.Check(guarded->image)) << "frame " << i;
        }
    }
    ASSERT_NO_FATAL_FAILURE(untouchable.Check(guarded->image));
    // The frames really reached the decoders and changed the image.
    // (Mutated frames whose digits are no longer digits are dropped before any decoder.)
    EXPECT_GT(host.refreshes, frames / 10);
    EXPECT_NE(test::AllBytes(guarded->image), test::AllBytes(untouchable.start));
}

// 100,000 random, well-formed and mutated frames, split into random batches.
TEST(FuzzDecode, RandomAndMutatedFramesNeverWriteOutsideTheImage) {
    RunFuzz(0x7A1u, 50000);
    RunFuzz(20261207u, 50000);
}

}  // namespace
}  // namespace tra1
