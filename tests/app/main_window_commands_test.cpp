// The main window's File menu and report button reach their commands; a load refills the
// controls from the loaded image.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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

}  // namespace
}  // namespace tra1::testing
