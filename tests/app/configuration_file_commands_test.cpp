// File > Open and File > Save as the user meets them: the dialogs, the questions, every message
// text and title, the file names, the configuration name, and what the main window is asked to
// do after a load.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/configuration_file.h"
#include "app/configuration_file_commands.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"
#include "platform/files/file_size_limit.h"
#include "platform/win/event_loop.h"
#include "platform/win/scripted_prompter.h"
#include "platform/win/virtual_clock.h"

namespace tra1::testing {
namespace {

namespace fs = std::filesystem;
using win::Answer;
using win::Buttons;
using Commands = ConfigurationFileCommands;

// The disk, except that write or read call number `failAt` of the next file made or opened fails
// (0 = the model byte, 1 + i = block i). Remembers whether the last file was closed, and whether
// it was closed by throwing away what was written.
class FailingStorage final : public ConfigurationStorage {
public:
    int failAt = -1;
    bool lastClosed = false;
    bool lastDiscarded = false;

    bool Exists(const std::string& path) const override { return DiskStorage().Exists(path); }
    std::unique_ptr<ConfigurationStream> CreateForWriting(const std::string& path) override {
        return Wrap(DiskStorage().CreateForWriting(path));
    }
    std::unique_ptr<ConfigurationStream> OpenForReading(const std::string& path) override {
        return Wrap(DiskStorage().OpenForReading(path));
    }

private:
    class Stream final : public ConfigurationStream {
    public:
        Stream(std::unique_ptr<ConfigurationStream> file, FailingStorage& owner, int failAt)
            : file_(std::move(file)), owner_(owner), failAt_(failAt) {}
        bool Write(std::span<const std::uint8_t> bytes) override {
            return calls_++ != failAt_ && file_->Write(bytes);
        }
        bool Read(std::span<std::uint8_t> bytes) override {
            return calls_++ != failAt_ && file_->Read(bytes);
        }
        bool Close() override {
            owner_.lastClosed = true;
            return file_->Close();
        }
        void Discard() override {
            owner_.lastClosed = true;
            owner_.lastDiscarded = true;
            file_->Discard();
        }

    private:
        std::unique_ptr<ConfigurationStream> file_;
        FailingStorage& owner_;
        int failAt_;
        int calls_ = 0;
    };
    std::unique_ptr<ConfigurationStream> Wrap(std::unique_ptr<ConfigurationStream> file) {
        lastClosed = false;
        lastDiscarded = false;
        const int failing = std::exchange(failAt, -1);
        if (!file) {
            return nullptr;
        }
        return std::make_unique<Stream>(std::move(file), *this, failing);
    }
};

// The main window's part: a reset as at start-up (which forgets the configuration name), and a
// record of every call.
class RecordingConfigurationHost final : public ConfigurationHost {
public:
    RecordingConfigurationHost(ReceiverImage& image, ModelProfile& profile)
        : image_(image), profile_(profile) {}
    void ResetToDefaults() override {
        calls.push_back("Reset");
        image_.ResetToDefaults(profile_);
        if (commands != nullptr) {
            commands->ClearConfigurationName();
        }
    }
    void FillMainWindow() override { calls.push_back("Fill"); }
    void RefreshPanels() override { calls.push_back("Refresh"); }
    bool HasUnsavedChanges() const override { return unsaved; }
    void ConfigurationSaved(const std::string& path) override { saved.push_back(path); }
    void ConfigurationLoaded(const std::string& path) override { loaded.push_back(path); }

    std::vector<std::string> calls;
    bool unsaved = true;
    std::vector<std::string> saved;
    std::vector<std::string> loaded;
    Commands* commands = nullptr;

private:
    ReceiverImage& image_;
    ModelProfile& profile_;
};

class ConfigurationCommandsTest : public ::testing::Test {
protected:
    ConfigurationCommandsTest() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() / (std::string("tra1_cfgcmd_") + info->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        loop_.SetPrompter(&prompter_);
        profile_.SetModel(ModelProfile::kTrA1);
        image_.ResetToDefaults(profile_);
        host_.commands = &commands_;
    }
    ~ConfigurationCommandsTest() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
    static std::vector<std::uint8_t> FileBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    // A whole file of `source` with model byte `model`.
    static std::vector<std::uint8_t> FileOf(const ReceiverImage& source, std::uint8_t model) {
        std::vector<std::uint8_t> bytes{model};
        const auto blocks = source.ToBytes();
        bytes.insert(bytes.end(), blocks.begin(), blocks.end());
        return bytes;
    }
    // An image unlike the defaults, for files to load.
    ReceiverImage ChangedImage() const {
        ReceiverImage changed = image_;
        changed.SetInputName(0, "TURNTBL");
        changed.MainZoneState[main_zone::kMainVolume] = 150;
        changed.SpareByte[0] = 0x5A;
        changed.SetUserMemoText("living room");
        return changed;
    }
    // Open with the save question answered No.
    bool OpenAnsweringNo(const std::string& path) {
        prompter_.QueueFile(path);
        prompter_.QueueAnswer(Answer::kNo);
        return commands_.Open();
    }
    void ExpectOnlyBox(const std::string& text, const std::string& title) {
        ASSERT_EQ(prompter_.Boxes().size(), 1u);
        EXPECT_EQ(prompter_.Boxes()[0].text, text);
        EXPECT_EQ(prompter_.Boxes()[0].title, title);
    }

    fs::path dir_;
    win::VirtualClock clock_;
    win::EventLoop loop_{clock_};
    win::ScriptedPrompter prompter_;
    ModelProfile profile_;
    ReceiverImage image_;
    RecordingConfigurationHost host_{image_, profile_};
    FailingStorage storage_;
    Commands commands_{loop_, image_, profile_, host_, &storage_};
};

TEST_F(ConfigurationCommandsTest, SaveAppendsTheExtensionUnlessTheNameEndsWithItInAnyCase) {
    prompter_.QueueFile(PathOf("Setup"));
    EXPECT_TRUE(commands_.Save());
    EXPECT_EQ(FileBytes(PathOf("Setup.tcf")).size(), ConfigurationFile::kFileSize);
    EXPECT_FALSE(fs::exists(PathOf("Setup")));

    prompter_.QueueFile(PathOf("Other.TCF"));
    EXPECT_TRUE(commands_.Save());
    EXPECT_TRUE(fs::exists(PathOf("Other.TCF")));
    EXPECT_FALSE(fs::exists(PathOf("Other.TCF.tcf")));

    const auto& dialog = prompter_.SaveDialogs().at(0);
    EXPECT_EQ(dialog.title, "Save Configuration File");
    EXPECT_EQ(dialog.filter, "Configuration File(*.tcf)");
    EXPECT_EQ(dialog.proposedName, "TR-A1.tcf");  // no configuration name yet
    EXPECT_EQ(dialog.maxPath, 255u);
    EXPECT_TRUE(prompter_.Boxes().empty());
    EXPECT_TRUE(commands_.ConfigurationName().empty());  // saving does not name the configuration
    EXPECT_TRUE(host_.calls.empty());
}

TEST_F(ConfigurationCommandsTest, SaveOverAnExistingFileAsksAndCancelKeepsTheFile) {
    const std::string path = PathOf("Setup.tcf");
    WriteBytes(path, {1, 2, 3});
    prompter_.QueueFile(path);
    prompter_.QueueAnswer(Answer::kCancel);
    EXPECT_FALSE(commands_.Save());
    ExpectOnlyBox("File exists. Do you want to overwrite it?", "Tolvek Receiver Editor Message");
    EXPECT_EQ(prompter_.Boxes()[0].buttons, Buttons::kOkCancel);
    EXPECT_EQ(FileBytes(path), (std::vector<std::uint8_t>{1, 2, 3}));

    prompter_.QueueFile(path);
    prompter_.QueueAnswer(Answer::kOk);
    EXPECT_TRUE(commands_.Save());
    EXPECT_EQ(FileBytes(path).size(), ConfigurationFile::kFileSize);

    prompter_.Clear();
    prompter_.QueueFile(std::nullopt);  // Cancel in the dialog: nothing else happens
    EXPECT_FALSE(commands_.Save());
    EXPECT_TRUE(prompter_.Boxes().empty());
}

TEST_F(ConfigurationCommandsTest, SaveFailuresReportTheirOwnTextsAndKeepTheOldFile) {
    prompter_.QueueFile(PathOf("missing_dir/Setup.tcf"));
    EXPECT_FALSE(commands_.Save());
    ExpectOnlyBox("Cannot open the file", "Tolvek Receiver Editor Message");

    // A file saved before, which every failing save below must leave byte for byte.
    const std::string path = PathOf("a.tcf");
    const std::vector<std::uint8_t> old = FileOf(ChangedImage(), ModelProfile::kTrA1);
    WriteBytes(path, old);

    prompter_.Clear();
    storage_.failAt = 0;  // the model byte
    prompter_.QueueFile(path);
    prompter_.QueueAnswer(Answer::kOk);  // overwrite
    EXPECT_FALSE(commands_.Save());
    EXPECT_EQ(prompter_.BoxTexts(),
              (std::vector<std::string>{"File exists. Do you want to overwrite it?",
                                        "File wirte error"}));
    EXPECT_TRUE(storage_.lastDiscarded);
    EXPECT_EQ(FileBytes(path), old);

    prompter_.Clear();
    storage_.failAt = 1 + static_cast<int>(block_index::kHomePresetMemories);
    prompter_.QueueFile(path);
    prompter_.QueueAnswer(Answer::kOk);
    EXPECT_FALSE(commands_.Save());
    EXPECT_EQ(prompter_.BoxTexts(),
              (std::vector<std::string>{"File exists. Do you want to overwrite it?",
                                        "File write error"}));
    EXPECT_EQ(prompter_.Boxes()[1].title, "Tolvek Receiver Editor Message");
    EXPECT_TRUE(storage_.lastDiscarded);
    EXPECT_EQ(FileBytes(path), old);
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);

    // A file the user may not write is not replaced.
    fs::permissions(path, fs::perms::owner_read, fs::perm_options::replace);
    if (::access(path.c_str(), W_OK) != 0) {  // root may write it anyway
        prompter_.Clear();
        prompter_.QueueFile(path);
        prompter_.QueueAnswer(Answer::kOk);
        EXPECT_FALSE(commands_.Save());
        EXPECT_EQ(prompter_.BoxTexts().back(), "Cannot open the file");
        EXPECT_EQ(FileBytes(path), old);
    }
}

TEST_F(ConfigurationCommandsTest, SaveBeyondTheFileSizeLimitFailsAndKeepsTheOldFile) {
    const std::string path = PathOf("limited.tcf");
    const std::vector<std::uint8_t> old = FileOf(ChangedImage(), ModelProfile::kTrA1);
    WriteBytes(path, old);
    struct sigaction previousAction {};
    ASSERT_EQ(::sigaction(SIGXFSZ, nullptr, &previousAction), 0);
    files::TreatFileSizeLimitAsWriteError();
    rlimit previous{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    // Room for the blocks up to the home preset memories, not for the whole file.
    rlimit limited = previous;
    limited.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);

    prompter_.QueueFile(path);
    prompter_.QueueAnswer(Answer::kOk);  // overwrite
    const bool saved = commands_.Save();
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &previous), 0);
    ASSERT_EQ(::sigaction(SIGXFSZ, &previousAction, nullptr), 0);

    EXPECT_FALSE(saved);
    EXPECT_EQ(prompter_.BoxTexts(),
              (std::vector<std::string>{"File exists. Do you want to overwrite it?",
                                        "File write error"}));
    EXPECT_EQ(FileBytes(path), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(ConfigurationCommandsTest, OpenLoadsTheFileNamesTheConfigurationAndRefreshesTheWindows) {
    const ReceiverImage changed = ChangedImage();
    const std::string path = PathOf("a.b.tcf");
    WriteBytes(path, FileOf(changed, ModelProfile::kTrA1));
    image_.SetInputName(1, "STALE");  // overwritten by the load

    EXPECT_TRUE(OpenAnsweringNo(path));
    EXPECT_EQ(image_.ToBytes(), changed.ToBytes());
    EXPECT_EQ(commands_.ConfigurationName(), "a");  // kept over the reset's cleared name
    EXPECT_EQ(profile_.Model(), ModelProfile::kTrA1);
    EXPECT_EQ(host_.calls, (std::vector<std::string>{"Reset", "Fill", "Refresh"}));

    const auto& dialog = prompter_.OpenDialogs().at(0);
    EXPECT_EQ(dialog.title, "Open Configuration File");
    EXPECT_EQ(dialog.filter, "Configuration File(*.tcf)");
    EXPECT_EQ(dialog.proposedName, "TR-A1.tcf");
    EXPECT_TRUE(dialog.mustExist);
    ExpectOnlyBox("Do you want to save the current configuration?", "Receiver Editor Message");
    EXPECT_EQ(prompter_.Boxes()[0].buttons, Buttons::kYesNoCancel);

    // The name now proposes itself in both dialogs.
    EXPECT_EQ(commands_.ProposedFileName(), "a.tcf");
    prompter_.QueueFile(std::nullopt);
    commands_.Save();
    EXPECT_EQ(prompter_.SaveDialogs().at(0).proposedName, "a.tcf");
}

TEST_F(ConfigurationCommandsTest, OpenChecksTheExtensionOfTheFileNameOnly) {
    const std::string bak = PathOf("a.tcf.bak");
    WriteBytes(bak, FileOf(ChangedImage(), ModelProfile::kTrA1));
    const auto before = image_.ToBytes();
    EXPECT_FALSE(OpenAnsweringNo(bak));
    EXPECT_EQ(prompter_.BoxTexts().back(), "The file extention must be '.tcf'.");
    EXPECT_EQ(prompter_.Boxes().back().title, "Tolvek Receiver Editor Message");
    EXPECT_EQ(image_.ToBytes(), before);
    EXPECT_TRUE(host_.calls.empty());
    EXPECT_TRUE(commands_.ConfigurationName().empty());

    // Upper case passes; a dot in the directory does not count as the name's.
    fs::create_directories(dir_ / "v1.0");
    const std::string upper = (dir_ / "v1.0" / "Living.TCF").string();
    WriteBytes(upper, FileOf(ChangedImage(), ModelProfile::kTrA1));
    EXPECT_TRUE(OpenAnsweringNo(upper));
    EXPECT_EQ(commands_.ConfigurationName(), "Living");
}

TEST_F(ConfigurationCommandsTest, OpenQuestionCancelStopsAndYesLoadsOnlyOnceSaved) {
    const std::string path = PathOf("load.tcf");
    const ReceiverImage changed = ChangedImage();
    WriteBytes(path, FileOf(changed, ModelProfile::kTrA1));
    const auto before = image_.ToBytes();

    prompter_.QueueFile(path);
    prompter_.QueueAnswer(Answer::kCancel);
    EXPECT_FALSE(commands_.Open());
    EXPECT_TRUE(host_.calls.empty());
    EXPECT_TRUE(prompter_.SaveDialogs().empty());

    // Yes, then the save dialog cancelled: the changes would be lost, so nothing loads.
    prompter_.QueueFile(path);
    prompter_.QueueAnswer(Answer::kYes);
    prompter_.QueueFile(std::nullopt);
    EXPECT_FALSE(commands_.Open());
    EXPECT_EQ(prompter_.SaveDialogs().size(), 1u);
    EXPECT_EQ(image_.ToBytes(), before);
    EXPECT_TRUE(host_.calls.empty());

    // Yes and a save that succeeds: saved first, then loaded.
    prompter_.QueueFile(path);
    prompter_.QueueAnswer(Answer::kYes);
    prompter_.QueueFile(PathOf("kept.tcf"));
    EXPECT_TRUE(commands_.Open());
    EXPECT_EQ(prompter_.SaveDialogs().size(), 2u);
    EXPECT_EQ(FileBytes(PathOf("kept.tcf")).size(), ConfigurationFile::kFileSize);
    EXPECT_EQ(image_.ToBytes(), changed.ToBytes());

    // Yes with a save that fails: the failure is shown and nothing loads.
    image_.ResetToDefaults(profile_);
    const auto defaults = image_.ToBytes();
    storage_.failAt = 0;
    prompter_.QueueFile(path);
    prompter_.QueueAnswer(Answer::kYes);
    prompter_.QueueFile(PathOf("saved.tcf"));
    EXPECT_FALSE(commands_.Open());
    EXPECT_EQ(prompter_.BoxTexts().back(), "File wirte error");
    EXPECT_EQ(image_.ToBytes(), defaults);
}

TEST_F(ConfigurationCommandsTest, WithoutUnsavedChangesNothingIsAsked) {
    const std::string path = PathOf("clean.tcf");
    WriteBytes(path, FileOf(ChangedImage(), ModelProfile::kTrA1));
    host_.unsaved = false;
    prompter_.QueueFile(path);
    EXPECT_TRUE(commands_.Open());
    EXPECT_TRUE(prompter_.Boxes().empty());
    EXPECT_EQ(host_.loaded, (std::vector<std::string>{path}));
    EXPECT_TRUE(commands_.SelectModel(3));
    EXPECT_TRUE(prompter_.Boxes().empty());
    EXPECT_EQ(profile_.Model(), 3);

    // The host hears of each whole save with the path written (".tcf" added).
    prompter_.QueueFile(PathOf("named"));
    EXPECT_TRUE(commands_.Save());
    EXPECT_EQ(host_.saved, (std::vector<std::string>{PathOf("named.tcf")}));
}

TEST_F(ConfigurationCommandsTest, OpenFailuresBeforeTheBlocksLeaveTheImageAlone) {
    const auto before = image_.ToBytes();
    EXPECT_FALSE(OpenAnsweringNo(PathOf("absent.tcf")));
    EXPECT_EQ(prompter_.BoxTexts().back(), "Cannot open the file.");
    EXPECT_EQ(prompter_.Boxes().back().title, "Tolvek Receiver Editor Message");

    const std::string empty = PathOf("empty.tcf");
    WriteBytes(empty, {});
    EXPECT_FALSE(OpenAnsweringNo(empty));
    EXPECT_EQ(prompter_.BoxTexts().back(), "File read error");
    EXPECT_EQ(prompter_.Boxes().back().title, "Tolvek Receiver Editor Message");
    EXPECT_TRUE(storage_.lastClosed);
    EXPECT_EQ(image_.ToBytes(), before);
    EXPECT_TRUE(host_.calls.empty());
}

TEST_F(ConfigurationCommandsTest, AShortOrUnreadableFileChangesNothing) {
    // The configuration as the user has it, with a name from an earlier Open.
    const std::string good = PathOf("living.tcf");
    WriteBytes(good, FileOf(ChangedImage(), ModelProfile::kTrA1));
    ASSERT_TRUE(OpenAnsweringNo(good));
    image_.SetUserMemoText("old memo");
    const auto before = image_.ToBytes();
    host_.calls.clear();

    ReceiverImage other = ChangedImage();
    other.SetInputName(0, "OTHER");
    auto bytes = FileOf(other, 3);
    bytes.pop_back();  // 5,394 bytes: the memo block one byte short
    const std::string path = PathOf("short.tcf");
    WriteBytes(path, bytes);
    EXPECT_FALSE(OpenAnsweringNo(path));
    EXPECT_EQ(prompter_.BoxTexts().back(), "File read error");
    EXPECT_TRUE(storage_.lastClosed);
    EXPECT_EQ(image_.ToBytes(), before);
    EXPECT_EQ(profile_.Model(), ModelProfile::kTrA1);  // the model byte 3 is not applied
    EXPECT_EQ(commands_.ConfigurationName(), "living");
    EXPECT_TRUE(host_.calls.empty());  // no reset, no window touched

    // A read failing at a chosen block, and a file that cannot be read at all.
    WriteBytes(path, FileOf(other, ModelProfile::kTrA1));
    storage_.failAt = 1 + static_cast<int>(block_index::kMainZoneState);
    EXPECT_FALSE(OpenAnsweringNo(path));
    EXPECT_EQ(prompter_.BoxTexts().back(), "File read error");
    fs::permissions(path, fs::perms::none, fs::perm_options::replace);
    if (::access(path.c_str(), R_OK) != 0) {  // root may read it anyway
        EXPECT_FALSE(OpenAnsweringNo(path));
        EXPECT_EQ(prompter_.BoxTexts().back(), "Cannot open the file.");
    }
    EXPECT_EQ(image_.ToBytes(), before);
    EXPECT_EQ(commands_.ConfigurationName(), "living");
    EXPECT_TRUE(host_.calls.empty());
}

TEST_F(ConfigurationCommandsTest, OnlyRegularFilesAreOpenedAndNothingWaitsForOne) {
    const auto before = image_.ToBytes();
    // A FIFO would block the open until a writer came; a device would never end.
    const std::string fifo = PathOf("pipe.tcf");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string device = PathOf("device.tcf");
    fs::create_symlink("/dev/zero", device);
    const std::string folder = PathOf("folder.tcf");
    fs::create_directory(folder);
    for (const std::string& path : {fifo, device, folder}) {
        prompter_.Clear();
        EXPECT_FALSE(OpenAnsweringNo(path)) << path;
        EXPECT_EQ(prompter_.BoxTexts().back(), "Cannot open the file.") << path;
    }
    EXPECT_EQ(image_.ToBytes(), before);
    EXPECT_TRUE(host_.calls.empty());

    // A link to a regular file is that file.
    const std::string real = PathOf("real.tcf");
    WriteBytes(real, FileOf(ChangedImage(), ModelProfile::kTrA1));
    const std::string link = PathOf("link.tcf");
    fs::create_symlink(real, link);
    EXPECT_TRUE(OpenAnsweringNo(link));
    EXPECT_EQ(image_.ToBytes(), ChangedImage().ToBytes());
}

TEST_F(ConfigurationCommandsTest, ModelByteAboveEightLoadsAsUnknown) {
    const std::string path = PathOf("nine.tcf");
    WriteBytes(path, FileOf(ChangedImage(), 9));
    EXPECT_TRUE(OpenAnsweringNo(path));
    EXPECT_EQ(profile_.Model(), ModelProfile::kUnknownModel);
    EXPECT_EQ(profile_.ModelName(), "UNKNOWN");
    EXPECT_EQ(commands_.ProposedFileName(), "nine.tcf");
    commands_.ClearConfigurationName();
    EXPECT_EQ(commands_.ProposedFileName(), "UNKNOWN.tcf");
}

TEST_F(ConfigurationCommandsTest, ModelSelectionAsksWithTheModelNameAndResetsForAnotherModel) {
    prompter_.QueueAnswer(Answer::kCancel);
    EXPECT_FALSE(commands_.SelectModel(3));
    ExpectOnlyBox("Do you want to save the current configuration?\r\nModel : TR-A1",
                  "Receiver Editor Message");
    EXPECT_EQ(profile_.Model(), ModelProfile::kTrA1);

    prompter_.QueueAnswer(Answer::kNo);
    EXPECT_TRUE(commands_.SelectModel(ModelProfile::kTrA1));  // the same model: nothing resets
    EXPECT_TRUE(host_.calls.empty());

    // Yes with the save dialog cancelled: the model stays, nothing is reset.
    prompter_.QueueAnswer(Answer::kYes);
    prompter_.QueueFile(std::nullopt);
    EXPECT_FALSE(commands_.SelectModel(3));
    EXPECT_EQ(prompter_.SaveDialogs().size(), 1u);
    EXPECT_EQ(profile_.Model(), ModelProfile::kTrA1);
    EXPECT_TRUE(host_.calls.empty());

    prompter_.QueueAnswer(Answer::kYes);
    prompter_.QueueFile(PathOf("before-the-change.tcf"));
    EXPECT_TRUE(commands_.SelectModel(3));
    EXPECT_EQ(prompter_.SaveDialogs().size(), 2u);
    EXPECT_EQ(profile_.Model(), 3);
    EXPECT_EQ(host_.calls, (std::vector<std::string>{"Reset"}));
}

}  // namespace
}  // namespace tra1::testing
