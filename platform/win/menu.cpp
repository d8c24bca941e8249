#include "platform/win/menu.h"

namespace tra1::win {

namespace {
// Depth-first search through popups; Items is a const or mutable vector of MenuItem.
template <typename Items>
auto FindItemIn(Items& items, int id) -> decltype(&items.front()) {
    for (auto& item : items) {
        if (item.kind == MenuItem::Kind::kCommand && item.id == id) {
            return &item;
        }
        if (item.kind == MenuItem::Kind::kPopup) {
            if (auto* found = FindItemIn(item.children, id)) {
                return found;
            }
        }
    }
    return nullptr;
}
}  // namespace

MenuItem Menu::FromItemTemplate(const MenuItemTemplate& source) {
    MenuItem item;
    item.id = source.id;
    item.text = source.text;
    item.checked = (source.flags & menu_flag::kChecked) != 0;
    item.grayed = (source.flags & menu_flag::kGrayed) != 0;
    item.enabled = !item.grayed && (source.flags & menu_flag::kDisabled) == 0;
    if ((source.flags & menu_flag::kSeparator) != 0) {
        item.kind = MenuItem::Kind::kSeparator;
    } else if ((source.flags & menu_flag::kPopup) != 0 || !source.children.empty()) {
        item.kind = MenuItem::Kind::kPopup;
        for (const MenuItemTemplate& child : source.children) {
            item.children.push_back(FromItemTemplate(child));
        }
    }
    return item;
}

Menu Menu::FromTemplate(const MenuTemplate& source) {
    Menu menu;
    for (const MenuItemTemplate& item : source.items) {
        menu.items_.push_back(FromItemTemplate(item));
    }
    return menu;
}

void Menu::AppendCommand(int id, std::string text) {
    MenuItem item;
    item.id = id;
    item.text = std::move(text);
    items_.push_back(std::move(item));
    Changed();
}

void Menu::AppendSeparator() {
    MenuItem item;
    item.kind = MenuItem::Kind::kSeparator;
    items_.push_back(std::move(item));
    Changed();
}

MenuItem& Menu::AppendPopup(std::string text) {
    MenuItem item;
    item.kind = MenuItem::Kind::kPopup;
    item.text = std::move(text);
    items_.push_back(std::move(item));
    Changed();
    return items_.back();
}

MenuItem* Menu::FindMutable(int id) {
    return FindItemIn(items_, id);
}

const MenuItem* Menu::FindItem(int id) const {
    return FindItemIn(items_, id);
}

bool Menu::CheckItem(int id, bool checked) {
    MenuItem* item = FindMutable(id);
    if (item == nullptr) {
        return false;
    }
    if (item->checked != checked) {
        item->checked = checked;
        Changed();
    }
    return true;
}

bool Menu::EnableItem(int id, bool enabled) {
    MenuItem* item = FindMutable(id);
    if (item == nullptr) {
        return false;
    }
    if (item->enabled != enabled || item->grayed == enabled) {
        item->enabled = enabled;
        item->grayed = !enabled;
        Changed();
    }
    return true;
}

bool Menu::IsChecked(int id) const {
    const MenuItem* item = FindItem(id);
    return item != nullptr && item->checked;
}

bool Menu::IsEnabled(int id) const {
    const MenuItem* item = FindItem(id);
    return item != nullptr && item->enabled && !item->grayed;
}

const MenuItem* Menu::PopupAt(std::size_t index) const {
    if (index >= items_.size() || items_[index].kind != MenuItem::Kind::kPopup) {
        return nullptr;
    }
    return &items_[index];
}

void Menu::Changed() const {
    if (observer_) {
        observer_();
    }
}

}  // namespace tra1::win
