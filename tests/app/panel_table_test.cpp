// The main window's panel table on its own: one window per panel, a second request brings the
// open one back (also when the main window had hidden it), a closed panel is made anew, and a
// window that cannot be made leaves the slot closed.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "app/panel_table.h"
#include "platform/win/dialog.h"
#include "platform/win/event_loop.h"
#include "platform/win/virtual_clock.h"

namespace tra1 {
namespace {

// A panel that frees itself the way the real ones do: its destroyed callback tells the table.
class TestPanel final : public win::Dialog {
public:
    TestPanel(win::EventLoop& loop, int templateId, std::function<void()> onClosed)
        : Dialog(loop, templateId), onClosed_(std::move(onClosed)) {}

protected:
    void OnCancel() override { DestroyWindow(); }
    void PostNcDestroy() override {
        if (onClosed_) {
            onClosed_();
        }
    }

private:
    std::function<void()> onClosed_;
};

class PanelTableTest : public ::testing::Test {
protected:
    PanelTableTest() {
        index = PanelTable::IndexForRefresh(0x9004);  // DELAY
        table.SetFactory(index, [this](std::function<void()> onClosed) {
            ++made;
            auto panel = std::make_unique<TestPanel>(loop, PanelDescriptors()[index].templateId,
                                                     std::move(onClosed));
            if (!panel->Create()) {
                return OpenPanel{};
            }
            OpenPanel open{panel.get(), [this] { ++holdResets; }};
            panels.push_back(std::move(panel));
            return open;
        });
    }
    ~PanelTableTest() override { table.DestroyAll(); }

    win::VirtualClock clock;
    win::EventLoop loop{clock};
    PanelTable table;
    std::size_t index = 0;
    int made = 0;
    int holdResets = 0;
    std::vector<std::unique_ptr<TestPanel>> panels;
};

TEST_F(PanelTableTest, ASecondRequestShowsAndFocusesTheOpenPanelEvenWhenHidden) {
    ASSERT_LT(index, kPanelCount);
    EXPECT_EQ(table.Show(index), PanelTable::ShowResult::kCreated);
    win::Dialog* panel = table.Window(index);
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(table.IsOpen(index));
    EXPECT_TRUE(panel->IsWindowVisible());

    // Hidden by the main window (multi-channel input), then asked for again from the menu.
    panel->Show(false);
    EXPECT_EQ(table.Show(index), PanelTable::ShowResult::kFocused);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(table.Window(index), panel);
    EXPECT_TRUE(panel->IsWindowVisible());
    EXPECT_TRUE(panel->HasFocus());

    // Visible already: it only takes the focus back.
    loop.SetFocusedWindow({});
    EXPECT_EQ(table.Show(index), PanelTable::ShowResult::kFocused);
    EXPECT_TRUE(panel->IsWindowVisible());
    EXPECT_TRUE(panel->HasFocus());
    EXPECT_EQ(made, 1);

    table.ResetAllHoldCounters();
    EXPECT_EQ(holdResets, 1);
}

TEST_F(PanelTableTest, AClosedPanelIsMadeAnewAndAFailedOneStaysClosed) {
    ASSERT_EQ(table.Show(index), PanelTable::ShowResult::kCreated);
    table.Window(index)->DestroyWindow();  // the user closes it
    EXPECT_FALSE(table.IsOpen(index));
    EXPECT_EQ(table.Window(index), nullptr);
    int visited = 0;
    table.ForEachOpen([&](std::size_t, const OpenPanel&) { ++visited; });
    EXPECT_EQ(visited, 0);

    EXPECT_EQ(table.Show(index), PanelTable::ShowResult::kCreated);
    EXPECT_EQ(made, 2);
    ASSERT_NE(table.Window(index), nullptr);
    EXPECT_TRUE(table.Window(index)->IsWindowVisible());
    table.DestroyAll();
    EXPECT_FALSE(table.IsOpen(index));

    loop.SetCreationFailureHook([](int) { return true; });
    EXPECT_EQ(table.Show(index), PanelTable::ShowResult::kCreateFailed);
    EXPECT_FALSE(table.IsOpen(index));
    EXPECT_EQ(table.Window(index), nullptr);

    // No factory, or no such panel: nothing to show.
    EXPECT_EQ(table.Show(PanelTable::IndexForRefresh(0x9007)),
              PanelTable::ShowResult::kNotAvailable);
    EXPECT_EQ(table.Show(kPanelCount), PanelTable::ShowResult::kNotAvailable);
}

}  // namespace
}  // namespace tra1
