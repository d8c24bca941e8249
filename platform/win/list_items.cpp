#include "platform/win/list_items.h"

#include <algorithm>
#include <cctype>

namespace tra1::win::detail {

namespace {
char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Lower(x) < Lower(y); });
}
}  // namespace

int InsertItem(std::vector<std::string>& items, int index, std::string item, bool sorted,
               int& selection) {
    const int count = static_cast<int>(items.size());
    int at = index;
    if (sorted && index == -1) {
        at = static_cast<int>(std::upper_bound(items.begin(), items.end(), item, LessIgnoringCase) -
                              items.begin());
    } else if (index == -1) {
        at = count;
    } else if (index < 0 || index > count) {
        return -1;
    }
    items.insert(items.begin() + at, std::move(item));
    if (selection >= at) {
        ++selection;
    }
    return at;
}

int RemoveItem(std::vector<std::string>& items, int index, int& selection) {
    if (index < 0 || index >= static_cast<int>(items.size())) {
        return -1;
    }
    items.erase(items.begin() + index);
    if (selection == index) {
        selection = -1;
    } else if (selection > index) {
        --selection;
    }
    return static_cast<int>(items.size());
}

int FindPrefix(const std::vector<std::string>& items, const std::string& prefix) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string& item = items[i];
        if (item.size() >= prefix.size() &&
            std::equal(prefix.begin(), prefix.end(), item.begin(),
                       [](char x, char y) { return Lower(x) == Lower(y); })) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace tra1::win::detail
