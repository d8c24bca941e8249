#include "platform/win/resource_registry.h"

#include <utility>

namespace tra1::win {

ResourceRegistry& ResourceRegistry::Instance() {
    static ResourceRegistry registry;
    return registry;
}

void ResourceRegistry::AddDialog(DialogTemplate dialog) {
    const int id = dialog.id;
    dialogs_.insert_or_assign(id, std::move(dialog));
}

void ResourceRegistry::AddMenu(MenuTemplate menu) {
    const int id = menu.id;
    menus_.insert_or_assign(id, std::move(menu));
}

void ResourceRegistry::AddString(int id, std::string text) {
    strings_.insert_or_assign(id, std::move(text));
}

void ResourceRegistry::AddIcon(IconImage icon) {
    const int id = icon.id;
    icons_.insert_or_assign(id, std::move(icon));
}

namespace {
template <typename Map>
const typename Map::mapped_type* FindIn(const Map& map, int id) {
    const auto found = map.find(id);
    return found == map.end() ? nullptr : &found->second;
}

template <typename Map>
std::vector<int> KeysOf(const Map& map) {
    std::vector<int> keys;
    keys.reserve(map.size());
    for (const auto& [key, value] : map) {
        keys.push_back(key);
    }
    return keys;
}
}  // namespace

const DialogTemplate* ResourceRegistry::FindDialog(int id) const {
    return FindIn(dialogs_, id);
}
const MenuTemplate* ResourceRegistry::FindMenu(int id) const {
    return FindIn(menus_, id);
}
const std::string* ResourceRegistry::FindString(int id) const {
    return FindIn(strings_, id);
}
const IconImage* ResourceRegistry::FindIcon(int id) const {
    return FindIn(icons_, id);
}

std::vector<int> ResourceRegistry::DialogIds() const {
    return KeysOf(dialogs_);
}
std::vector<int> ResourceRegistry::IconIds() const {
    return KeysOf(icons_);
}

}  // namespace tra1::win
