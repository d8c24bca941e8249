#pragma once
// Menus as plain data: a menu bar of popups, each a list of commands and separators.

#include <cstdint>
#include <string>
#include <vector>

namespace tra1::win {

namespace menu_flag {
inline constexpr std::uint32_t kNone = 0;
inline constexpr std::uint32_t kSeparator = 1u << 0;  // a line; id and text unused
inline constexpr std::uint32_t kPopup = 1u << 1;      // opens `children`; id unused
inline constexpr std::uint32_t kGrayed = 1u << 2;     // shown disabled and grey
inline constexpr std::uint32_t kDisabled = 1u << 3;   // not choosable but drawn normally
inline constexpr std::uint32_t kChecked = 1u << 4;
}  // namespace menu_flag

struct MenuItemTemplate {
    std::string text;  // "&File"; the '&' marks the mnemonic letter
    int id = 0;        // command id sent with WM_COMMAND when chosen
    std::uint32_t flags = menu_flag::kNone;
    std::vector<MenuItemTemplate> children;  // for kPopup
};

struct MenuTemplate {
    int id = 0;  // menu resource id
    std::vector<MenuItemTemplate> items;
};

}  // namespace tra1::win
