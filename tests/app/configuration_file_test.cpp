// The configuration file's bytes: the model byte and the 29 blocks at their offsets, a round trip
// through a real file, short and long files, and the user memo's 500 bytes. Failing writes and
// reads at a chosen block are tested with the Open and Save commands.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/configuration_file.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"

namespace tra1::testing {
namespace {

namespace fs = std::filesystem;

class ConfigurationFileTest : public ::testing::Test {
protected:
    ConfigurationFileTest() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() / (std::string("tra1_cfgfile_") + info->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        profile_.SetModel(ModelProfile::kTrA1);
        image_.ResetToDefaults(profile_);
    }
    ~ConfigurationFileTest() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

    ConfigurationFile::WriteResult Save(const std::string& path) {
        auto file = DiskStorage().CreateForWriting(path);
        EXPECT_NE(file, nullptr);
        if (!file) {
            return {ConfigurationFile::WriteError::kModelByte, 0};
        }
        const auto result = ConfigurationFile::Write(*file, image_, profile_.Model());
        EXPECT_TRUE(file->Close());
        return result;
    }

    // Reads the model byte and the blocks into `target`; returns the blocks read.
    std::size_t Load(const std::string& path, ReceiverImage& target) {
        auto file = DiskStorage().OpenForReading(path);
        EXPECT_NE(file, nullptr);
        if (!file || !ConfigurationFile::ReadModelByte(*file)) {
            return 0;
        }
        const std::size_t blocks = ConfigurationFile::ReadBlocks(*file, target);
        file->Close();
        return blocks;
    }

    static std::vector<std::uint8_t> FileBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    static std::vector<std::uint8_t> BlockOf(const ReceiverImage& from, std::size_t index) {
        std::vector<std::uint8_t> bytes(kImageBlocks.at(index).size);
        from.ReadBlock(index, bytes);
        return bytes;
    }
    static std::vector<std::uint8_t> FileSlice(const std::vector<std::uint8_t>& file,
                                               std::size_t index) {
        const auto& block = kImageBlocks.at(index);
        const auto begin = file.begin() + static_cast<std::ptrdiff_t>(block.fileOffset);
        return {begin, begin + static_cast<std::ptrdiff_t>(block.size)};
    }
    // Gives every block a byte pattern of its own, unlike the defaults.
    void ChangeEveryBlock() {
        for (std::size_t index = 0; index < kImageBlocks.size(); ++index) {
            auto bytes = BlockOf(image_, index);
            for (std::size_t k = 0; k < bytes.size(); ++k) {
                bytes[k] = static_cast<std::uint8_t>(index * 31 + k * 7 + 3);
            }
            image_.WriteBlock(index, bytes);
        }
        image_.SetSpeakerDistance(2, -123456);
    }

    fs::path dir_;
    ModelProfile profile_;
    ReceiverImage image_;
};

TEST_F(ConfigurationFileTest, ChangedImageRoundTripsByteForByteAtTheTableOffsets) {
    ChangeEveryBlock();
    const std::string path = PathOf("round.tcf");
    ASSERT_TRUE(Save(path).Ok());

    const auto file = FileBytes(path);
    ASSERT_EQ(file.size(), ConfigurationFile::kFileSize);
    EXPECT_EQ(file[0], ModelProfile::kTrA1);
    for (std::size_t index = 0; index < kImageBlocks.size(); ++index) {
        EXPECT_EQ(FileSlice(file, index), BlockOf(image_, index)) << kImageBlocks[index].name;
    }
    // Distances are little-endian whatever the host.
    EXPECT_EQ(ReadLe32(file, kImageBlocks[block_index::kSpeakerDistances].fileOffset + 2 * 4),
              -123456);

    ReceiverImage loaded;
    loaded.ResetToDefaults(profile_);
    EXPECT_EQ(Load(path, loaded), ReceiverImage::kBlockCount);
    EXPECT_EQ(loaded.ToBytes(), image_.ToBytes());
    EXPECT_EQ(loaded.SpeakerDistance(2), -123456);
}

TEST_F(ConfigurationFileTest, ModelByteIsTheCodesLowByte) {
    profile_.SetModel(ModelProfile::kUnknownModel);
    const std::string path = PathOf("unknown.tcf");
    ASSERT_TRUE(Save(path).Ok());
    EXPECT_EQ(FileBytes(path).at(0), 0xFF);  // reads back as unknown: above 8
}

TEST_F(ConfigurationFileTest, ShortFileLoadsEveryBlockBeforeTheOneItCannotFill) {
    ChangeEveryBlock();
    const std::string path = PathOf("short.tcf");
    ASSERT_TRUE(Save(path).Ok());
    auto bytes = FileBytes(path);
    bytes.pop_back();  // 5,394 bytes: the memo block one byte short
    WriteBytes(path, bytes);

    ReceiverImage loaded;
    loaded.ResetToDefaults(profile_);
    loaded.SetUserMemoText("kept");
    EXPECT_EQ(Load(path, loaded), block_index::kUserMemo);
    for (std::size_t index = 0; index < block_index::kUserMemo; ++index) {
        EXPECT_EQ(BlockOf(loaded, index), BlockOf(image_, index)) << kImageBlocks[index].name;
    }
    // No half-read memo: the block keeps what it held.
    EXPECT_EQ(loaded.UserMemoText(), "kept");

    WriteBytes(path, {});
    ASSERT_NE(DiskStorage().OpenForReading(path), nullptr);
    EXPECT_FALSE(ConfigurationFile::ReadModelByte(*DiskStorage().OpenForReading(path)));
}

TEST_F(ConfigurationFileTest, LongerFileIsReadUpToItsFirst5395Bytes) {
    ChangeEveryBlock();
    const std::string path = PathOf("long.tcf");
    ASSERT_TRUE(Save(path).Ok());
    auto bytes = FileBytes(path);
    bytes.insert(bytes.end(), 300, 0xEE);
    WriteBytes(path, bytes);

    ReceiverImage loaded;
    loaded.ResetToDefaults(profile_);
    EXPECT_EQ(Load(path, loaded), ReceiverImage::kBlockCount);
    EXPECT_EQ(loaded.ToBytes(), image_.ToBytes());
}

TEST_F(ConfigurationFileTest, MemoOf700CharactersKeepsItsFirst500WithoutTerminator) {
    std::string memo;
    for (int i = 0; i < 700; ++i) {
        memo += static_cast<char>('a' + i % 26);
    }
    image_.SetUserMemoText(memo);
    const std::string path = PathOf("memo.tcf");
    ASSERT_TRUE(Save(path).Ok());

    const auto file = FileBytes(path);
    ASSERT_EQ(file.size(), ConfigurationFile::kFileSize);
    const auto memoBytes = FileSlice(file, block_index::kUserMemo);
    EXPECT_EQ(std::string(memoBytes.begin(), memoBytes.end()), memo.substr(0, 500));

    ReceiverImage loaded;
    loaded.ResetToDefaults(profile_);
    ASSERT_EQ(Load(path, loaded), ReceiverImage::kBlockCount);
    EXPECT_EQ(loaded.UserMemoText(), memo.substr(0, 500));
}

}  // namespace
}  // namespace tra1::testing
