// The editor's compares: File > "Compare with File...", Configuration > "Compare with
// Receiver..." and "Verify after Download", headless against the virtual receiver on the
// virtual clock. The editor's image never changes under a compare, whatever its end.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "app/compare_dlg.h"
#include "app/configuration_file.h"
#include "app/editor_settings_store.h"
#include "platform/win/list_view.h"
#include "platform/win/menu.h"
#include "platform/win/static.h"
#include "platform/win/user_input.h"
#include "resources/compare_ids.h"
#include "tests/app/editor_fixture.h"

namespace tra1::testing {
namespace {

namespace fs = std::filesystem;
namespace id = main_window;
namespace cw = compare_window;

constexpr std::int64_t kCompareTransferLimitMs = 30 * 60 * 1000;

class MemoryOptions final : public EditorSettingsStore {
public:
    std::optional<bool> LoadFastTransfer() const override { return std::nullopt; }
    bool SaveFastTransfer(bool /*fast*/) override { return saves; }
    std::optional<bool> LoadVerifyAfterDownload() const override { return verify; }
    bool SaveVerifyAfterDownload(bool value) override {
        verify = value;
        return saves;
    }
    std::optional<bool> verify;
    bool saves = true;
};

class CompareCommandsTest : public EditorFixture {
protected:
    CompareCommandsTest() {
        portSwitch_.Wire(3, receiver_);
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() / (std::string("tra1_compare_") + info->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    ~CompareCommandsTest() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    std::string WriteFile(const std::string& name, const ReceiverImage& image) {
        const std::string path = (dir_ / name).string();
        auto file = DiskStorage().CreateForWriting(path);
        EXPECT_NE(file, nullptr);
        if (file) {
            ConfigurationFile::Write(*file, image, EditorProfile().Model());
            EXPECT_TRUE(file->Close());
        }
        return path;
    }

    CCompareDlg* CompareWindow() { return Main().Compares().Window(); }

    std::vector<std::string> Rows() {
        std::vector<std::string> rows;
        CCompareDlg* w = CompareWindow();
        auto* list = w != nullptr ? w->Get<win::ListView>(cw::kDifferenceList) : nullptr;
        if (list == nullptr) {
            return rows;
        }
        for (const auto& row : list->Rows()) {
            rows.push_back(row.at(0) + " | " + row.at(1) + " | " + row.at(2));
        }
        return rows;
    }

    std::string CountText() {
        return CompareWindow() != nullptr ? CompareWindow()->GetDlgItemText(cw::kCountText) : "";
    }

    bool Choose(int item) { return win::user::ChooseMenuItem(Main(), item); }

    void RunUntilTransferEnds() {
        ASSERT_TRUE(loop_.AdvanceUntil(
            [this] { return State().uploadInProgress == 0 && State().downloadInProgress == 0; },
            kCompareTransferLimitMs));
        loop_.DrainPosted();
    }

    sim::VirtualReceiver receiver_;
    fs::path dir_;
};

TEST_F(CompareCommandsTest, CompareWithFileListsTheDifferencesSortableWithACount) {
    Start();
    ReceiverImage fileImage = EditorImage();
    fileImage.SpeakerLevels.at(speaker_levels::kFL) = 35;
    fileImage.AudioDelay.at(0) = 5;
    fileImage.ThxSettings.at(0) = 1;
    const std::string path = WriteFile("living room.tcf", fileImage);
    const std::vector<std::uint8_t> before = EditorImage().ToBytes();

    prompter_.QueueFile(path);
    ASSERT_TRUE(Choose(id::kMenuCompareWithFile));
    loop_.DrainPosted();

    ASSERT_NE(CompareWindow(), nullptr);
    EXPECT_TRUE(CompareWindow()->IsWindowVisible());
    EXPECT_EQ(CompareWindow()->GetWindowText(), "Compare with File");
    EXPECT_EQ(CompareWindow()->GetDlgItemText(cw::kWhatText),
              "This image against the file " + path);
    EXPECT_EQ(CountText(), "3 differences");
    EXPECT_EQ(Rows(), (std::vector<std::string>{
                          "THX SET / THX Ultra2 Subwoofer | No | Yes",
                          "Speaker Level / FRONT L | 0.0 dB | -2.5 dB",
                          "Delay / Audio Delay | 0 msec | 5 msec",
                      }));
    auto* list = CompareWindow()->Get<win::ListView>(cw::kDifferenceList);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Columns(), (std::vector<std::string>{"Setting", "This image", "The file"}));

    // A click on a header sorts by that column; a second click turns the order round.
    ASSERT_TRUE(win::user::ClickColumnHeader(*CompareWindow(), cw::kDifferenceList, 0));
    EXPECT_EQ(Rows().front(), "Delay / Audio Delay | 0 msec | 5 msec");
    ASSERT_TRUE(win::user::ClickColumnHeader(*CompareWindow(), cw::kDifferenceList, 0));
    EXPECT_EQ(Rows().front(), "THX SET / THX Ultra2 Subwoofer | No | Yes");
    ASSERT_TRUE(win::user::ClickColumnHeader(*CompareWindow(), cw::kDifferenceList, 2));
    EXPECT_EQ(Rows().front(), "Speaker Level / FRONT L | 0.0 dB | -2.5 dB");
    EXPECT_FALSE(win::user::ClickColumnHeader(*CompareWindow(), cw::kDifferenceList, 3));

    EXPECT_EQ(EditorImage().ToBytes(), before);
    EXPECT_TRUE(prompter_.Boxes().empty());
    EXPECT_EQ(Main().ConfigurationName(), "");

    // The same file again: a fresh window, which says that nothing differs.
    prompter_.QueueFile(WriteFile("same.tcf", EditorImage()));
    ASSERT_TRUE(Choose(id::kMenuCompareWithFile));
    loop_.DrainPosted();
    ASSERT_NE(CompareWindow(), nullptr);
    EXPECT_EQ(CountText(), "No differences.");
    EXPECT_TRUE(Rows().empty());

    // Esc closes it.
    ASSERT_TRUE(win::user::PressEsc(*CompareWindow()));
    loop_.DrainPosted();
    EXPECT_EQ(CompareWindow(), nullptr);
}

TEST_F(CompareCommandsTest, AFileThatCannotBeComparedSaysWhyAndOpensNothing) {
    Start();
    const std::vector<std::uint8_t> before = EditorImage().ToBytes();
    const std::string good = WriteFile("good.tcf", EditorImage());
    const std::string shortFile = (dir_ / "short.tcf").string();
    fs::copy_file(good, shortFile);
    fs::resize_file(shortFile, 1000);
    prompter_.QueueFile(shortFile);
    ASSERT_TRUE(Choose(id::kMenuCompareWithFile));
    prompter_.QueueFile((dir_ / "notes.txt").string());
    ASSERT_TRUE(Choose(id::kMenuCompareWithFile));
    const std::string otherModel = (dir_ / "other.tcf").string();
    fs::copy_file(good, otherModel);
    {
        std::fstream f(otherModel, std::ios::in | std::ios::out | std::ios::binary);
        f.put(static_cast<char>(EditorProfile().Model() + 1));
    }
    prompter_.QueueFile(otherModel);
    ASSERT_TRUE(Choose(id::kMenuCompareWithFile));
    prompter_.QueueFile(std::nullopt);  // the user cancels the file dialog
    ASSERT_TRUE(Choose(id::kMenuCompareWithFile));
    loop_.DrainPosted();

    EXPECT_EQ(prompter_.BoxTexts(),
              (std::vector<std::string>{
                  "File read error", "The file extention must be '.tcf'.",
                  "The file holds the configuration of another model and cannot be compared."}));
    EXPECT_EQ(CompareWindow(), nullptr);
    EXPECT_EQ(EditorImage().ToBytes(), before);
}

TEST_F(CompareCommandsTest, CompareWithReceiverReadsItsSettingsWithoutChangingTheImage) {
    Start();
    ConnectTo(3);
    // The editor's image and the receiver part on one setting the line carries and on several
    // it does not.
    EditorImage().SpeakerLevels.at(speaker_levels::kSW) = 44;
    EditorImage().SetUserMemoText("only on the PC");
    EditorImage().ExternalInputSetting.at(1) = 1;
    Main().RefreshPanels();
    loop_.DrainPosted();
    const std::vector<std::uint8_t> before = EditorImage().ToBytes();

    ASSERT_TRUE(Choose(id::kMenuCompareWithReceiver));
    EXPECT_TRUE(Main().WaitMessageOpen());
    RunUntilTransferEnds();

    ASSERT_NE(CompareWindow(), nullptr);
    EXPECT_EQ(CompareWindow()->GetWindowText(), "Compare with Receiver");
    EXPECT_EQ(Rows(), std::vector<std::string>{"Speaker Level / SW1 | 2.0 dB | 0.0 dB"});
    EXPECT_EQ(CountText(), "1 difference");
    EXPECT_EQ(EditorImage().ToBytes(), before);
    EXPECT_FALSE(Main().WaitMessageOpen());
    EXPECT_TRUE(prompter_.Boxes().empty()) << ::testing::PrintToString(prompter_.BoxTexts());
}

TEST_F(CompareCommandsTest, ACancelledCompareWithReceiverLeavesTheImageAndOpensNothing) {
    Start();
    ConnectTo(3);
    const std::vector<std::uint8_t> before = EditorImage().ToBytes();
    ASSERT_TRUE(Choose(id::kMenuCompareWithReceiver));
    Advance(3000);
    ASSERT_NE(State().uploadInProgress, 0);
    Main().PostMessage(id::kTransferCancelled);
    RunUntilTransferEnds();
    EXPECT_EQ(CompareWindow(), nullptr);
    EXPECT_EQ(EditorImage().ToBytes(), before);

    // Not connected: the upload's own message, nothing read.
    ASSERT_TRUE(win::user::Click(Main(), id::kDisconnectButton));
    loop_.DrainPosted();
    ASSERT_TRUE(Choose(id::kMenuCompareWithReceiver));
    EXPECT_EQ(prompter_.BoxTexts().back(), "Com port is not open.");
    EXPECT_EQ(CompareWindow(), nullptr);
}

TEST_F(CompareCommandsTest, VerifyAfterDownloadIsACheckMarkKeptInTheSettings) {
    MemoryOptions options;
    options.verify = true;
    Main().SetSettingsStore(&options);
    Start();
    win::Menu* menu = Main().GetMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->IsChecked(id::kMenuVerifyAfterDownload));
    ASSERT_TRUE(Choose(id::kMenuVerifyAfterDownload));
    EXPECT_FALSE(menu->IsChecked(id::kMenuVerifyAfterDownload));
    EXPECT_EQ(options.verify, false);

    // A store that cannot write: the choice holds for the run, and the user is told.
    options.saves = false;
    ASSERT_TRUE(Choose(id::kMenuVerifyAfterDownload));
    EXPECT_TRUE(menu->IsChecked(id::kMenuVerifyAfterDownload));
    ASSERT_EQ(prompter_.Boxes().size(), 1U);
    EXPECT_EQ(prompter_.Boxes().at(0).text,
              "The settings could not be saved; the choice lasts until the editor is closed.");
}

TEST_F(CompareCommandsTest, AfterADownloadTheSettingsAreReadBackAndTheResultShown) {
    Start();
    ConnectTo(3);
    ASSERT_TRUE(Choose(id::kMenuVerifyAfterDownload));
    EditorImage().SpeakerLevels.at(speaker_levels::kCT) = 30;
    EditorImage().SetInputName(input_index::kCd, "COMPACT");
    EditorImage().AudioDelay.at(0) = 12;
    Main().RefreshPanels();
    loop_.DrainPosted();
    const std::vector<std::uint8_t> sent = EditorImage().ToBytes();

    ASSERT_TRUE(win::user::Click(Main(), id::kDownloadButton));
    // The read-back follows on its own, with a wait window of its own.
    ASSERT_TRUE(loop_.AdvanceUntil([this] { return State().uploadInProgress != 0; },
                                   kCompareTransferLimitMs));
    EXPECT_EQ(State().downloadInProgress, 0);
    EXPECT_TRUE(Main().WaitMessageOpen());
    RunUntilTransferEnds();

    ASSERT_NE(CompareWindow(), nullptr);
    EXPECT_EQ(CompareWindow()->GetWindowText(), "Verify after Download");
    EXPECT_EQ(CountText(), "Verified: the receiver holds every setting that was downloaded.");
    EXPECT_TRUE(Rows().empty());
    // The image is what was sent; only the power, which the receiver reports, follows it.
    ReceiverImage expected;
    expected.FromBytes(sent);
    expected.MainZoneState.at(main_zone::kPower) =
        EditorImage().MainZoneState.at(main_zone::kPower);
    EXPECT_EQ(EditorImage().ToBytes(), expected.ToBytes());
    EXPECT_TRUE(prompter_.Boxes().empty()) << ::testing::PrintToString(prompter_.BoxTexts());

    // The receiver changes before the read-back: the check lists what differs.
    ASSERT_TRUE(win::user::Click(Main(), id::kDownloadButton));
    ASSERT_TRUE(loop_.AdvanceUntil([this] { return State().uploadInProgress != 0; },
                                   kCompareTransferLimitMs));
    receiver_.Image().AudioDelay.at(0) = 40;  // someone turns the delay up on the receiver
    RunUntilTransferEnds();
    ASSERT_NE(CompareWindow(), nullptr);
    EXPECT_EQ(CountText(),
              "Not verified: 1 difference between what was sent and what the receiver holds.");
    EXPECT_EQ(Rows(), std::vector<std::string>{"Delay / Audio Delay | 12 msec | 40 msec"});
    auto* list = CompareWindow()->Get<win::ListView>(cw::kDifferenceList);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Columns(), (std::vector<std::string>{"Setting", "Sent", "Read back"}));

    // Unchecked: a Download is not read back.
    ASSERT_TRUE(Choose(id::kMenuVerifyAfterDownload));
    ASSERT_TRUE(win::user::PressEsc(*CompareWindow()));
    loop_.DrainPosted();
    ASSERT_TRUE(win::user::Click(Main(), id::kDownloadButton));
    RunUntilTransferEnds();
    EXPECT_EQ(State().uploadInProgress, 0);
    EXPECT_EQ(CompareWindow(), nullptr);
}

}  // namespace
}  // namespace tra1::testing
