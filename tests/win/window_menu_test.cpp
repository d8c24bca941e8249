// A window reports every change of its menus to its front end: setting the menu bar, moving a
// check mark, greying an item, adding to the system menu. A copy of a window's menu is a plain
// menu that reports nothing.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/win/event_loop.h"
#include "platform/win/menu.h"
#include "platform/win/virtual_clock.h"
#include "platform/win/window.h"

namespace tra1::win {
namespace {

class RecordingWindow final : public Window {
public:
    using Window::Window;
    std::vector<WindowChange> changes;
    int MenuChanges() const {
        return static_cast<int>(std::count(changes.begin(), changes.end(), WindowChange::kMenu));
    }

protected:
    void WindowStateChanged(WindowChange change) override { changes.push_back(change); }
};

Menu ModeMenu() {
    Menu menu;
    MenuItem& popup = menu.AppendPopup("Control Mode");
    MenuItem realtime;
    realtime.id = 32787;
    realtime.text = "Realtime Mode";
    MenuItem asynchronous;
    asynchronous.id = 32788;
    asynchronous.text = "Asynchronous Mode";
    asynchronous.checked = true;
    popup.children = {realtime, asynchronous};
    return menu;
}

TEST(WindowMenuTest, ChecksGreyingAndNewItemsOfBothMenusAreWindowChanges) {
    VirtualClock clock;
    EventLoop loop(clock);
    RecordingWindow window(loop);

    // Before the window exists nothing is reported.
    window.SetMenu(ModeMenu());
    window.GetMenu()->CheckItem(32787, true);
    EXPECT_EQ(window.MenuChanges(), 0);
    window.GetMenu()->CheckItem(32787, false);

    ASSERT_TRUE(window.CreateHidden());
    Menu* menu = window.GetMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->CheckItem(32787, true));
    EXPECT_TRUE(menu->CheckItem(32788, false));
    EXPECT_EQ(window.MenuChanges(), 2);
    EXPECT_TRUE(menu->CheckItem(32788, false));  // no change, nothing reported
    EXPECT_TRUE(menu->EnableItem(32787, false));
    EXPECT_FALSE(menu->CheckItem(1, true));  // no such item
    EXPECT_EQ(window.MenuChanges(), 3);

    window.GetSystemMenu().AppendSeparator();
    window.GetSystemMenu().AppendCommand(IDM_ABOUTBOX, "&About...");
    EXPECT_EQ(window.MenuChanges(), 5);

    // A new menu bar is reported, and the window goes on watching it.
    window.SetMenu(ModeMenu());
    EXPECT_EQ(window.MenuChanges(), 6);
    EXPECT_TRUE(window.GetMenu()->IsEnabled(32787));
    window.GetMenu()->CheckItem(32787, true);
    EXPECT_EQ(window.MenuChanges(), 7);

    // A copy is the caller's own menu: its changes are no window change.
    Menu copy = *window.GetMenu();
    copy.CheckItem(32787, false);
    copy.AppendSeparator();
    EXPECT_EQ(window.MenuChanges(), 7);
    EXPECT_TRUE(window.GetMenu()->IsChecked(32787));

    window.DestroyWindow();
    window.changes.clear();
    window.GetMenu()->CheckItem(32788, true);
    EXPECT_EQ(window.MenuChanges(), 0);
}

}  // namespace
}  // namespace tra1::win
