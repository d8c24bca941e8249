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
        index_ = PanelTable::IndexForRefresh(0x9004);  // DELAY
        table_.SetFactory(index_, [this](std::function<void()> onClosed) {
            ++made_;
            auto panel = std::make_unique<TestPanel>(loop_, PanelDescriptors()[index_].templateId,
                                                     std::move(onClosed));
            if (!panel->Create()) {
                return OpenPanel{};
            }
            OpenPanel open{panel.get(), [this] { ++holdResets_; }};
            panels_.push_back(std::move(panel));
            return open;
        });
    }
    ~PanelTableTest() override { table_.DestroyAll(); }

    win::VirtualClock clock_;
    win::EventLoop loop_{clock_};
    PanelTable table_;
    std::size_t index_ = 0;
    int made_ = 0;
    int holdResets_ = 0;
    std::vector<std::unique_ptr<TestPanel>> panels_;
};

TEST_F(PanelTableTest, ASecondRequestShowsAndFocusesTheOpenPanelEvenWhenHidden) {
    ASSERT_LT(index_, kPanelCount);
    EXPECT_EQ(table_.Show(index_), PanelTable::ShowResult::kCreated);
    win::Dialog* panel = table_.Window(index_);
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(table_.IsOpen(index_));
    EXPECT_TRUE(panel->IsWindowVisible());

    // Hidden by the main window (multi-channel input), then asked for again from the menu.
    panel->Show(false);
    EXPECT_EQ(table_.Show(index_), PanelTable::ShowResult::kFocused);
    EXPECT_EQ(made_, 1);
    EXPECT_EQ(table_.Window(index_), panel);
    EXPECT_TRUE(panel->IsWindowVisible());
    EXPECT_TRUE(panel->HasFocus());

    // Visible already: it only takes the focus back.
    loop_.SetFocusedWindow({});
    EXPECT_EQ(table_.Show(index_), PanelTable::ShowResult::kFocused);
    EXPECT_TRUE(panel->IsWindowVisible());
    EXPECT_TRUE(panel->HasFocus());
    EXPECT_EQ(made_, 1);

    table_.ResetAllHoldCounters();
    EXPECT_EQ(holdResets_, 1);
}

TEST_F(PanelTableTest, AClosedPanelIsMadeAnewAndAFailedOneStaysClosed) {
    ASSERT_EQ(table_.Show(index_), PanelTable::ShowResult::kCreated);
    table_.Window(index_)->DestroyWindow();  // the user closes it
    EXPECT_FALSE(table_.IsOpen(index_));
    EXPECT_EQ(table_.Window(index_), nullptr);
    int visited = 0;
    table_.ForEachOpen([&](std::size_t, const OpenPanel&) { ++visited; });
    EXPECT_EQ(visited, 0);

    EXPECT_EQ(table_.Show(index_), PanelTable::ShowResult::kCreated);
    EXPECT_EQ(made_, 2);
    ASSERT_NE(table_.Window(index_), nullptr);
    EXPECT_TRUE(table_.Window(index_)->IsWindowVisible());
    table_.DestroyAll();
    EXPECT_FALSE(table_.IsOpen(index_));

    loop_.SetCreationFailureHook([](int) { return true; });
    EXPECT_EQ(table_.Show(index_), PanelTable::ShowResult::kCreateFailed);
    EXPECT_FALSE(table_.IsOpen(index_));
    EXPECT_EQ(table_.Window(index_), nullptr);

    // No factory, or no such panel: nothing to show.
    EXPECT_EQ(table_.Show(PanelTable::IndexForRefresh(0x9007)),
              PanelTable::ShowResult::kNotAvailable);
    EXPECT_EQ(table_.Show(kPanelCount), PanelTable::ShowResult::kNotAvailable);
}

}  // namespace
}  // namespace tra1
