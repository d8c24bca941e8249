#include <gtest/gtest.h>

#include <numeric>
#include <utility>
#include <vector>

#include "model/model_profile.h"
#include "model/receiver_image.h"

namespace tra1 {
namespace {

TEST(ImageBlockTable, NamesSizesAndFileOffsetsInFileOrder) {
    const std::vector<std::pair<std::string_view, std::size_t>> expected{
        {"InputNames", 1},
        {"InputProgramMap", 145},
        {"EqSettings", 161},
        {"ToneSettings", 313},
        {"ThxSettings", 321},
        {"SpeakerSetup", 324},
        {"SpeakerDistances", 340},
        {"SpeakerLevels", 404},
        {"VideoSettings", 437},
        {"PictureModeAdjust", 453},
        {"LfeDrange", 498},
        {"AudioDelay", 502},
        {"InputTrims", 505},
        {"DspParameterTable", 521},
        {"IoAssignTable", 2117},
        {"InputModeSetting", 2181},
        {"MultiZoneSetting", 2182},
        {"ExternalInputSetting", 2184},
        {"DisplaySettings", 2188},
        {"TunerPresets", 2195},
        {"DcTrigger1", 2277},
        {"DcTrigger2", 2327},
        {"MainZoneState", 2377},
        {"HomePresetMemories", 2409},
        {"MainVolumeMemories", 4873},
        {"Zone2VolumeMemories", 4880},
        {"Zone3VolumeMemories", 4887},
        {"SpareByte", 4894},
        {"UserMemo", 4895},
    };
    ASSERT_EQ(kImageBlocks.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].first);
        EXPECT_EQ(kImageBlocks[i].name, expected[i].first);
        EXPECT_EQ(kImageBlocks[i].fileOffset, expected[i].second);
    }
    const std::size_t total =
        std::accumulate(kImageBlocks.begin(), kImageBlocks.end(), std::size_t{0},
                        [](std::size_t sum, const ImageBlockInfo& b) { return sum + b.size; });
    EXPECT_EQ(total, 5394u);
    EXPECT_EQ(kImageBlocks.back().fileOffset + kImageBlocks.back().size, 5395u);
}

TEST(ImageBlockTable, MemberSizesMatchTable) {
    const ReceiverImage image;
    const std::vector<std::size_t> sizes{
        sizeof image.InputNames,
        sizeof image.InputProgramMap,
        sizeof image.EqSettings,
        sizeof image.ToneSettings,
        sizeof image.ThxSettings,
        sizeof image.SpeakerSetup,
        sizeof image.SpeakerDistances,
        sizeof image.SpeakerLevels,
        sizeof image.VideoSettings,
        sizeof image.PictureModeAdjust,
        sizeof image.LfeDrange,
        sizeof image.AudioDelay,
        sizeof image.InputTrims,
        sizeof image.DspParameterTable,
        sizeof image.IoAssignTable,
        sizeof image.InputModeSetting,
        sizeof image.MultiZoneSetting,
        sizeof image.ExternalInputSetting,
        sizeof image.DisplaySettings,
        sizeof image.TunerPresets,
        sizeof image.DcTrigger1,
        sizeof image.DcTrigger2,
        sizeof image.MainZoneState,
        sizeof image.HomePresetMemories,
        sizeof image.MainVolumeMemories,
        sizeof image.Zone2VolumeMemories,
        sizeof image.Zone3VolumeMemories,
        sizeof image.SpareByte,
        sizeof image.UserMemo,
    };
    ASSERT_EQ(sizes.size(), kImageBlocks.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        EXPECT_EQ(sizes[i], kImageBlocks[i].size) << kImageBlocks[i].name;
    }
}

TEST(ImageBlocks, DumpIsLittleEndianAndRoundTrips) {
    ReceiverImage image;
    image.ResetToDefaults(ModelProfile{});
    image.SpeakerDistances[0] = -2;
    image.SpeakerDistances[1] = 0x01020304;
    image.SpareByte[0] = 0x5A;
    image.SetUserMemoText("memo");

    const auto bytes = image.ToBytes();
    ASSERT_EQ(bytes.size(), 5394u);
    // File offsets count the model byte; the dump starts after it.
    const std::size_t distances = kImageBlocks[block_index::kSpeakerDistances].fileOffset - 1;
    EXPECT_EQ(bytes[distances + 0], 0xFE);
    EXPECT_EQ(bytes[distances + 3], 0xFF);
    EXPECT_EQ(bytes[distances + 4], 0x04);
    EXPECT_EQ(bytes[distances + 7], 0x01);
    // Entry 15, the unit, is a 32-bit value whose first byte is the unit.
    EXPECT_EQ(bytes[distances + 60], 1);
    EXPECT_EQ(bytes[distances + 61], 0);
    EXPECT_EQ(bytes[4894 - 1], 0x5A);
    EXPECT_EQ(bytes[4895 - 1], 'm');

    ReceiverImage copy;
    EXPECT_EQ(copy.FromBytes(bytes), ReceiverImage::kBlockCount);
    EXPECT_EQ(copy.ToBytes(), bytes);
    EXPECT_EQ(copy.SpeakerDistances[0], -2);
    EXPECT_EQ(copy.SpeakerDistances[1], 0x01020304);
    EXPECT_EQ(copy.UserMemoText(), "memo");
}

TEST(ImageBlocks, ShortInputStoresOnlyWholeBlocks) {
    ReceiverImage source;
    source.ResetToDefaults(ModelProfile{});
    source.SetUserMemoText("x");
    auto bytes = source.ToBytes();
    bytes.pop_back();  // the memo block one byte short

    ReceiverImage target;
    target.UserMemo[0] = 'k';
    EXPECT_EQ(target.FromBytes(bytes), ReceiverImage::kBlockCount - 1);
    EXPECT_EQ(target.MainZoneState, source.MainZoneState);
    EXPECT_EQ(target.UserMemoText(), "k");
    EXPECT_EQ(target.FromBytes({}), 0u);
}

TEST(ImageBlocks, ReadAndWriteRejectBadIndexOrSize) {
    ReceiverImage image;
    std::vector<std::uint8_t> buffer(64, 0xAA);
    EXPECT_FALSE(image.ReadBlock(ReceiverImage::kBlockCount, buffer));
    EXPECT_FALSE(image.WriteBlock(ReceiverImage::kBlockCount, buffer));
    EXPECT_FALSE(
        image.ReadBlock(block_index::kSpeakerDistances, std::span<std::uint8_t>(buffer).first(63)));
    EXPECT_FALSE(image.WriteBlock(block_index::kInputNames, buffer));
    EXPECT_TRUE(image.WriteBlock(block_index::kSpeakerDistances, buffer));
    EXPECT_EQ(image.SpeakerDistances[15], static_cast<std::int32_t>(0xAAAAAAAA));
    EXPECT_TRUE(image.WriteBlock(block_index::kIoAssignTable, buffer));
    EXPECT_EQ(image.IoAssignTable[63], 0xAA);
}

TEST(Le32, BoundsAreChecked) {
    std::array<std::uint8_t, 6> bytes{};
    WriteLe32(bytes, 2, -1);
    EXPECT_EQ(bytes, (std::array<std::uint8_t, 6>{0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(ReadLe32(bytes, 2), -1);
    WriteLe32(bytes, 3, 7);  // would end past the span
    EXPECT_EQ(bytes[5], 0xFF);
    EXPECT_EQ(ReadLe32(bytes, 3), 0);
    EXPECT_EQ(ReadLe32(bytes, 100), 0);
}

}  // namespace
}  // namespace tra1
