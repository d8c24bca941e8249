// Built-in icons and the menu model.

#include <gtest/gtest.h>

#include <set>

#include "platform/win/menu.h"
#include "resources/icon_ids.h"
#include "platform/win/icon_image.h"
#include "platform/win/resource_registry.h"

namespace tra1::win {
namespace {

TEST(Resources, TheConnectionIconsExistAndDiffer) {
    const auto& registry = win::ResourceRegistry::Instance();
    std::set<std::vector<std::uint32_t>> pictures;
    for (const int id : {res::kIconProgram, res::kIconNotConnected, res::kIconSearching,
                         res::kIconConnectedAsync, res::kIconConnectedRealtime}) {
        const win::IconImage* icon = registry.FindIcon(id);
        ASSERT_NE(icon, nullptr) << id;
        EXPECT_EQ(icon->id, id);
        ASSERT_EQ(icon->argb.size(), static_cast<std::size_t>(icon->width * icon->height));
        EXPECT_EQ(icon->argb.front() >> 24, 0u) << "corners are transparent";
        pictures.insert(icon->argb);
    }
    EXPECT_EQ(pictures.size(), 5u);
    EXPECT_EQ(registry.FindIcon(999), nullptr);
}

TEST(Resources, MenusComeFromTemplatesAndTrackCheckAndEnable) {
    using win::menu_flag::kChecked;
    using win::menu_flag::kGrayed;
    using win::menu_flag::kPopup;
    using win::menu_flag::kSeparator;
    win::MenuTemplate source{
        7,
        {{"&File",
          0,
          kPopup,
          {{"Open", 32789, 0, {}}, {"", 0, kSeparator, {}}, {"Save", 32790, 0, {}}}},
         {"Control Mode",
          0,
          kPopup,
          {{"Realtime Mode", 32787, kGrayed, {}}, {"Asynchronous Mode", 32788, kChecked, {}}}}}};
    Menu menu = Menu::FromTemplate(source);
    ASSERT_NE(menu.PopupAt(0), nullptr);
    EXPECT_EQ(menu.PopupAt(0)->children.size(), 3u);
    EXPECT_EQ(menu.PopupAt(0)->children[1].kind, MenuItem::Kind::kSeparator);
    EXPECT_FALSE(menu.IsEnabled(32787));
    EXPECT_TRUE(menu.IsChecked(32788));
    int changes = 0;
    menu.SetObserver([&] { ++changes; });
    EXPECT_TRUE(menu.EnableItem(32787, true));
    EXPECT_TRUE(menu.CheckItem(32788, false));
    EXPECT_TRUE(menu.CheckItem(32788, false));  // no change, no call
    EXPECT_FALSE(menu.CheckItem(1, true));
    EXPECT_TRUE(menu.IsEnabled(32787));
    EXPECT_FALSE(menu.IsChecked(32788));
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(menu.PopupAt(5), nullptr);
}

}  // namespace
}  // namespace tra1::win
