// File > Open, File > Save and the image reset they run, while the editor is connected, in
// realtime mode and while the device search runs: the link goes on exactly as before (the
// status requests continue, a Download starts, Disconnect closes the port).

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/win/menu.h"
#include "platform/win/user_input.h"
#include "tests/app/editor_fixture.h"

namespace tra1::testing {
namespace {

namespace fs = std::filesystem;
namespace id = main_window;

class ImageResetKeepsLinkTest : public EditorFixture {
protected:
    ImageResetKeepsLinkTest() {
        portSwitch_.Wire(3, receiver_);
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        file_ = fs::temp_directory_path() / (std::string("tra1_reset_") + info->name() + ".tcf");
    }
    ~ImageResetKeepsLinkTest() override {
        std::error_code ignored;
        fs::remove(file_, ignored);
    }

    // Saves the image as it is, then changes it, so that opening the file changes it back.
    void SaveFile() {
        prompter_.QueueFile(file_.string());
        if (fs::exists(file_)) {
            prompter_.QueueAnswer(win::Answer::kOk);  // overwrite
        }
        ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuSave));
        ASSERT_TRUE(fs::exists(file_));
    }
    void OpenFile() {
        prompter_.QueueFile(file_.string());
        if (Main().Document().Changed()) {
            prompter_.QueueAnswer(win::Answer::kNo);  // do not save first
        }
        ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuOpen));
        loop_.DrainPosted();
    }
    // The status requests keep going out (and are answered) every second.
    void ExpectStatusRequestsContinue() {
        const int requests = StatusRequestsWritten();
        Advance(3'000);
        EXPECT_GE(StatusRequestsWritten(), requests + 2);
    }
    void ExpectDisconnectClosesThePort() {
        ASSERT_TRUE(win::user::Click(Main(), id::kDisconnectButton));
        EXPECT_FALSE(port_->IsOpen());
        EXPECT_EQ(State().openPort, 0);
        EXPECT_EQ(ConnectionIcon(), res::kIconNotConnected);
    }

    sim::VirtualReceiver receiver_;
    fs::path file_;
};

TEST_F(ImageResetKeepsLinkTest, OpenAndSaveWhileConnectedKeepTheLinkAndDownloadWorks) {
    Start();
    ConnectTo(3);
    SaveFile();
    EditorImage().InputTrims.at(3) = 0x10;
    OpenFile();
    EXPECT_EQ(Main().ConfigurationName(), file_.stem().string());
    EXPECT_EQ(EditorImage().InputTrims.at(3), 12);  // the file's value
    EXPECT_EQ(State().openPort, 3);
    EXPECT_TRUE(port_->IsOpen());
    ExpectStatusRequestsContinue();
    EXPECT_EQ(ConnectionIcon(), res::kIconConnectedAsync);

    // A Download starts and runs to its end on the same link.
    EditorImage().InputTrims.at(3) = 0x11;
    ASSERT_TRUE(win::user::Click(Main(), id::kDownloadButton));
    EXPECT_TRUE(prompter_.BoxTexts().empty() ||
                prompter_.BoxTexts().back() != "Com port is not open.");
    ASSERT_TRUE(
        loop_.AdvanceUntil([this] { return State().downloadInProgress == 0; }, 15 * 60 * 1000));
    EXPECT_EQ(receiver_.Image().InputTrims.at(3), 0x11);
    SaveFile();
    ExpectStatusRequestsContinue();
    ExpectDisconnectClosesThePort();
}

TEST_F(ImageResetKeepsLinkTest, OpenInRealtimeModeLeavesRealtimeModeButKeepsTheLink) {
    Start();
    ConnectTo(3);
    SaveFile();
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuRealtime));
    Advance(1'500);  // the realtime poll has a reply on its way
    OpenFile();
    // The reset returns to asynchronous mode, as at start-up; everything else goes on.
    EXPECT_FALSE(State().realtimeMode);
    EXPECT_TRUE(Main().GetMenu()->IsChecked(id::kMenuAsynchronous));
    EXPECT_EQ(State().openPort, 3);
    ExpectStatusRequestsContinue();
    EXPECT_EQ(ConnectionIcon(), res::kIconConnectedAsync);
    EXPECT_TRUE(TransferControlsEnabled());
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuRealtime));  // and back again
    EXPECT_TRUE(State().realtimeMode);
    ExpectDisconnectClosesThePort();
}

TEST_F(ImageResetKeepsLinkTest, OpenWhileSearchingLetsTheSearchFindTheReceiver) {
    Start();
    SaveFile();
    ChoosePort(0);  // AUTO: COM1 and COM2 stay silent, the receiver is on COM3
    ClickConnect();
    ASSERT_EQ(State().searchPort, 1);
    Advance(2'500);  // COM1 is being asked
    ASSERT_EQ(State().searchPort, 1);
    ASSERT_NE(State().waiting, 0);
    OpenFile();
    EXPECT_EQ(State().searchPort, 1);
    EXPECT_NE(State().waiting, 0);
    const std::size_t boxes = prompter_.Boxes().size();
    ASSERT_TRUE(loop_.AdvanceUntil([&] { return prompter_.Boxes().size() > boxes; }, 30'000));
    loop_.DrainPosted();
    EXPECT_EQ(prompter_.Boxes().back().text,
              "Auto Device Finder found TR-A1.\r\nPort : Com 3\r\n\r\n");
    EXPECT_EQ(State().openPort, 3);
    ExpectStatusRequestsContinue();
    ExpectDisconnectClosesThePort();
}

}  // namespace
}  // namespace tra1::testing
