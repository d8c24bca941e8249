// The REPORT window headless: created once from the panel table, the report written once and
// cut at the edit's limit, its refresh message ignored, closed by Esc and not by Enter.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/configuration_report.h"
#include "app/creport_dlg.h"
#include "app/panel_table.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"
#include "platform/win/edit.h"
#include "platform/win/event_loop.h"
#include "platform/win/user_input.h"
#include "platform/win/virtual_clock.h"
#include "platform/win/window.h"

namespace tra1 {
namespace {

class ReportWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        profile.SetModel(ModelProfile::kTrA1);
        image.ResetToDefaults(profile);
        ASSERT_TRUE(mainWindow.CreateHidden());
        panels.SetFactory(report,
                          MakeReportPanelFactory(loop, image, profile, mainWindow.Handle()));
    }
    void TearDown() override {
        panels.DestroyAll();
        loop.DrainPosted();
    }

    CREPORTDlg* Window() const { return dynamic_cast<CREPORTDlg*>(panels.Window(report)); }
    win::Edit* ReportEdit() const { return Window()->Get<win::Edit>(CREPORTDlg::kReportEdit); }

    win::VirtualClock clock;
    win::EventLoop loop{clock};
    ModelProfile profile;
    ReceiverImage image;
    win::Window mainWindow{loop};
    PanelTable panels;
    const std::size_t report = PanelTable::IndexForRefresh(CREPORTDlg::kRefreshMessage);
};

TEST_F(ReportWindowTest, OpensOnceWithTheReportOfThatMoment) {
    ASSERT_LT(report, kPanelCount);
    EXPECT_EQ(PanelDescriptors().at(report).templateId, CREPORTDlg::kTemplateId);
    ASSERT_EQ(panels.Show(report), PanelTable::ShowResult::kCreated);
    CREPORTDlg* window = Window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->GetWindowText(), "REPORT");
    EXPECT_TRUE(window->IsWindowVisible());
    EXPECT_EQ(window->Parent(), win::WindowHandle{});  // a top-level window, like a panel
    EXPECT_EQ(window->placement(), win::Placement::kCenterOverOwner);
    EXPECT_EQ(window->placement_owner(), mainWindow.Handle());

    win::Edit* edit = ReportEdit();
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->IsMultiLine());
    EXPECT_TRUE(edit->IsReadOnly());
    EXPECT_EQ(edit->GetLimitText(), 65535);
    const std::string expected = ConfigurationReport(image, profile).Text();
    EXPECT_EQ(window->ReportText(), expected);

    // A second request only focuses the window.
    EXPECT_EQ(panels.Show(report), PanelTable::ShowResult::kFocused);
    EXPECT_EQ(Window(), window);
    EXPECT_TRUE(window->HasFocus());

    // The refresh message changes nothing: the text stays that of the moment of opening.
    image.SpeakerLevels.at(speaker_levels::kFL) = 41;
    EXPECT_EQ(window->SendMessage(CREPORTDlg::kRefreshMessage), 1);
    loop.Post(window->Handle(), CREPORTDlg::kRefreshMessage);
    loop.DrainPosted();
    EXPECT_EQ(window->ReportText(), expected);

    // Enter leaves it open; Esc closes it and the table hears of it.
    win::user::PressEnter(*window);
    EXPECT_TRUE(panels.IsOpen(report));
    win::user::PressEsc(*window);
    EXPECT_FALSE(panels.IsOpen(report));
    loop.DrainPosted();

    // Opened again, it shows the image as it is now.
    ASSERT_EQ(panels.Show(report), PanelTable::ShowResult::kCreated);
    EXPECT_EQ(Window()->ReportText(), ConfigurationReport(image, profile).Text());
    EXPECT_NE(Window()->ReportText(), expected);
    win::user::CloseBox(*Window());
    EXPECT_FALSE(panels.IsOpen(report));
}

TEST_F(ReportWindowTest, CreationFailureLeavesThePanelClosed) {
    loop.SetCreationFailureHook([](int id) { return id == CREPORTDlg::kTemplateId; });
    EXPECT_EQ(panels.Show(report), PanelTable::ShowResult::kCreateFailed);
    EXPECT_FALSE(panels.IsOpen(report));
    loop.SetCreationFailureHook({});
    EXPECT_EQ(panels.Show(report), PanelTable::ShowResult::kCreated);
}

TEST_F(ReportWindowTest, TextBeyondTheLimitIsCut) {
    ASSERT_EQ(panels.Show(report), PanelTable::ShowResult::kCreated);
    win::Edit& edit = *ReportEdit();
    const std::string report_text = Window()->ReportText();
    ASSERT_LT(report_text.size(), 65535u);

    const std::string filler(65535 - report_text.size() - 3, 'x');
    AppendWithinLimit(edit, filler, CREPORTDlg::kTextLimit);
    AppendWithinLimit(edit, "abcdef", CREPORTDlg::kTextLimit);
    EXPECT_EQ(edit.GetTextLength(), 65535);
    EXPECT_TRUE(edit.GetText().ends_with("xxxabc"));
    EXPECT_EQ(edit.GetText().substr(0, report_text.size()), report_text);
    AppendWithinLimit(edit, "more", CREPORTDlg::kTextLimit);
    EXPECT_EQ(edit.GetTextLength(), 65535);
}

}  // namespace
}  // namespace tra1
