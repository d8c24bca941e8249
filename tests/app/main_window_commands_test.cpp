// The main window's File menu and report button reach their commands; a load refills the
// controls from the loaded image. The REPORT and compare windows belong to the main window
// without blocking it; the model combo changes nothing under a running transfer.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/compare_dlg.h"
#include "app/creport_dlg.h"
#include "app/wait_message_dlg.h"
#include "model/model_profile.h"
#include "platform/win/combo_box.h"
#include "platform/win/slider.h"
#include "platform/win/user_input.h"
#include "tests/app/editor_fixture.h"

namespace tra1::testing {
namespace {

namespace id = main_window;

using MainWindowCommandsTest = EditorFixture;

TEST_F(MainWindowCommandsTest, SaveAndOpenGoThroughTheFileMenuAndRefillTheWindow) {
    Start();
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "tra1-main-window-commands-test.tcf";
    EditorImage().MainZoneState[main_zone::kMainVolume] = 161;
    prompter_.QueueFile(path.string());
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuSave));
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(std::filesystem::file_size(path), 5395u);

    EditorImage().MainZoneState[main_zone::kMainVolume] = 20;
    prompter_.QueueFile(path.string());
    prompter_.QueueAnswer(win::Answer::kNo);  // do not save the current configuration first
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuOpen));
    loop_.DrainPosted();
    EXPECT_EQ(EditorImage().MainZoneState[main_zone::kMainVolume], 161);
    EXPECT_EQ(Main().Get<win::Slider>(id::kMainVolumeSlider)->GetPos(), 33);
    EXPECT_EQ(Main().ConfigurationName(), path.stem().string());
    std::filesystem::remove(path);
}

TEST_F(MainWindowCommandsTest, TheReportButtonOpensTheReportWindowOnce) {
    Start();
    const std::size_t report = PanelTable::IndexForRefresh(0x9010);
    ASSERT_TRUE(win::user::Click(Main(), 1108));
    EXPECT_TRUE(Main().Panels().IsOpen(report));
    const std::size_t windows = loop_.WindowCount();
    ASSERT_TRUE(win::user::Click(Main(), 1108));
    EXPECT_EQ(loop_.WindowCount(), windows);
    EXPECT_TRUE(Main().Panels().Window(report)->HasFocus());
}

TEST_F(MainWindowCommandsTest, ReportAndCompareWindowsBelongToTheMainWindowWithoutBlockingIt) {
    Start();
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "tra1-main-window-owned-windows-test.tcf";
    prompter_.QueueFile(path.string());
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuSave));
    const std::size_t report = PanelTable::IndexForRefresh(CREPORTDlg::kRefreshMessage);
    ASSERT_TRUE(win::user::Click(Main(), CREPORTDlg::kDescriptor.buttonId));
    prompter_.QueueFile(path.string());
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuCompareWithFile));
    loop_.DrainPosted();
    std::filesystem::remove(path);
    constexpr int kShowLfePanel = 32777;
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), kShowLfePanel));
    const win::Dialog* reportWindow = Main().Panels().Window(report);
    const CCompareDlg* compareWindow = Main().Compares().Window();
    const win::Dialog* panel = Main().Panels().Window(PanelTable::IndexForCommand(kShowLfePanel));
    ASSERT_NE(reportWindow, nullptr);
    ASSERT_NE(compareWindow, nullptr);
    ASSERT_NE(panel, nullptr);

    // Owned by the main window (the front end keeps them above it), the setting panels not.
    EXPECT_EQ(reportWindow->Parent(), Main().Handle());
    EXPECT_EQ(compareWindow->Parent(), Main().Handle());
    EXPECT_TRUE(panel->Parent().IsNull());
    // Modeless: the main window takes the user's clicks while they are open, and so do they.
    EXPECT_FALSE(reportWindow->IsModal());
    EXPECT_FALSE(compareWindow->IsModal());
    EXPECT_TRUE(Main().IsWindowEnabled());
    const std::uint8_t night = EditorImage().MainZoneState.at(main_zone::kNightMode);
    ASSERT_TRUE(win::user::Click(Main(), id::kNightModeCheck));
    EXPECT_NE(EditorImage().MainZoneState.at(main_zone::kNightMode), night);
    EXPECT_TRUE(win::user::ClickColumnHeader(*Main().Compares().Window(),
                                             compare_window::kDifferenceList, 0));

    // Closing the main window closes them first; their owners forget them.
    const win::WindowHandle reportHandle = reportWindow->Handle();
    const win::WindowHandle compareHandle = compareWindow->Handle();
    ASSERT_TRUE(Main().DestroyWindow());
    loop_.DrainPosted();
    EXPECT_EQ(loop_.Find(reportHandle), nullptr);
    EXPECT_EQ(loop_.Find(compareHandle), nullptr);
    EXPECT_FALSE(Main().Panels().IsOpen(report));
    EXPECT_EQ(Main().Compares().Window(), nullptr);
}

class ModelComboTest : public EditorFixture {
protected:
    ModelComboTest() { portSwitch_.Wire(1, receiver_); }
    sim::VirtualReceiver receiver_;
};

TEST_F(ModelComboTest, APickDuringATransferChangesNothingAndAfterItAsksAsBefore) {
    Start();
    ConnectTo(1);
    auto* models = Main().Get<win::ComboBox>(id::kModelCombo);
    ASSERT_NE(models, nullptr);
    EXPECT_FALSE(models->IsEnabled());  // this build edits one model
    // A build with more models would enable it: another model resets the image.
    models->AddString("Another model");
    Main().EnableDlgItem(id::kModelCombo, true);
    ASSERT_TRUE(win::user::Click(Main(), id::kNightModeCheck));  // an unsaved change

    for (const int start : {id::kUploadButton, id::kDownloadButton}) {
        SCOPED_TRACE(start);
        ASSERT_TRUE(win::user::Click(Main(), start));
        loop_.AdvanceBy(1'000);
        ASSERT_TRUE(Main().Transfer().Running());
        const std::vector<std::uint8_t> image = EditorImage().ToBytes();
        prompter_.Clear();
        prompter_.QueueAnswer(win::Answer::kNo);  // what "save first?" would be answered
        ASSERT_TRUE(win::user::PickComboItem(Main(), id::kModelCombo, 1));
        loop_.DrainPosted();
        // No question, no new model, no reset: the pick is put back.
        EXPECT_TRUE(prompter_.Boxes().empty());
        EXPECT_EQ(EditorProfile().Model(), ModelProfile::kTrA1);
        EXPECT_EQ(EditorImage().ToBytes(), image);
        EXPECT_EQ(models->GetCurSel(), 0);
        EXPECT_TRUE(Main().Transfer().Running());
        Main().PostMessage(CWaitMessageDlg::kCancelMessage);
        loop_.DrainPosted();
        ASSERT_FALSE(Main().Transfer().Running());
    }

    // With no transfer running the pick asks about the unsaved change as before; Cancel puts
    // the combo back.
    prompter_.Clear();
    prompter_.QueueAnswer(win::Answer::kCancel);
    ASSERT_TRUE(win::user::PickComboItem(Main(), id::kModelCombo, 1));
    loop_.DrainPosted();
    ASSERT_EQ(prompter_.Boxes().size(), 1u);
    EXPECT_EQ(prompter_.Boxes().front().text,
              "Do you want to save the current configuration?\r\nModel : TR-A1");
    EXPECT_EQ(models->GetCurSel(), 0);
    EXPECT_EQ(EditorProfile().Model(), ModelProfile::kTrA1);
}

}  // namespace
}  // namespace tra1::testing
