#pragma once
// A menu: commands with ids, separators and popups, each command checked/enabled/grayed. Used
// for a window's menu bar and its system menu. One observer lets a front end mirror changes.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/win/menu_template.h"

namespace tra1::win {

struct MenuItem {
    enum class Kind { kCommand, kSeparator, kPopup };
    Kind kind = Kind::kCommand;
    int id = 0;
    std::string text;
    bool checked = false;
    bool enabled = true;             // false: cannot be chosen
    bool grayed = false;             // drawn grey (implies not enabled)
    std::vector<MenuItem> children;  // kPopup only
};

class Menu {
public:
    Menu() = default;
    // The observer belongs to the menu object, not to its contents: copies and moves carry the
    // items only, so a window that replaces its menu keeps observing it and a copy observes
    // nothing.
    Menu(const Menu& other) : items_(other.items_) {}
    Menu(Menu&& other) noexcept : items_(std::move(other.items_)) {}
    Menu& operator=(const Menu& other) {
        items_ = other.items_;
        return *this;
    }
    Menu& operator=(Menu&& other) noexcept {
        items_ = std::move(other.items_);
        return *this;
    }
    ~Menu() = default;
    static Menu FromTemplate(const MenuTemplate& source);

    // Appending at the top level (popups fill their `children` through Popup()).
    void AppendCommand(int id, std::string text);
    void AppendSeparator();
    // Appends a popup and returns it; fill its `children`. The reference is valid until the
    // next append at the top level.
    MenuItem& AppendPopup(std::string text);

    // Searches the whole tree for the command id; false if absent.
    bool CheckItem(int id, bool checked);
    bool EnableItem(int id, bool enabled);  // enabled=false greys the item, as MF_GRAYED does
    bool IsChecked(int id) const;
    bool IsEnabled(int id) const;  // false also for unknown ids
    const MenuItem* FindItem(int id) const;

    const std::vector<MenuItem>& Items() const { return items_; }
    // The popup at a top-level position (nullptr if there is none).
    const MenuItem* PopupAt(std::size_t index) const;

    // Called after every change (and after an append); one observer at a time. A window's menu
    // bar and system menu are observed by their window, which reports WindowChange::kMenu to
    // its host: a front end listens to the window, never to the menu.
    void SetObserver(std::function<void()> observer) { observer_ = std::move(observer); }

private:
    static MenuItem FromItemTemplate(const MenuItemTemplate& source);
    MenuItem* FindMutable(int id);
    void Changed() const;

    std::vector<MenuItem> items_;
    std::function<void()> observer_;
};

}  // namespace tra1::win
