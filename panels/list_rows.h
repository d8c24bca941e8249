#pragma once
// Updating a list box's rows without losing the user's place: the panels that rebuild their
// lists on every refresh replace only the rows whose text changed, so a selected row that is
// still there stays selected.

#include <string>
#include <vector>

namespace tra1 {

namespace win {
class ListBox;
}

// Brings the list's rows to `wanted` in place: a row whose text differs is replaced, missing
// rows are added and surplus rows deleted, so the selection stays where it was when its row is
// still there.
void SyncListRows(win::ListBox& list, const std::vector<std::string>& wanted);

}  // namespace tra1
