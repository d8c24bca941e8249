#pragma once
// Item bookkeeping shared by ComboBox and ListBox: insertion (sorted or at a position), removal
// with the selection kept on the same item, and prefix search.

#include <string>
#include <vector>

namespace tra1::win::detail {

// Inserts at `index` (-1 = end, or the sorted place when `sorted`); returns the index or -1 when
// `index` lies beyond the end. `selection` moves with the selected item.
int InsertItem(std::vector<std::string>& items, int index, std::string item, bool sorted,
               int& selection);
// Removes the item; returns the remaining count or -1 for a bad index. The selection is cleared
// when its item goes and moves down when an earlier item goes.
int RemoveItem(std::vector<std::string>& items, int index, int& selection);
// First item beginning with `prefix`, ignoring ASCII case; -1 if none.
int FindPrefix(const std::vector<std::string>& items, const std::string& prefix);

}  // namespace tra1::win::detail
