#include "panels/list_rows.h"

#include <cstddef>

#include "platform/win/list_box.h"

namespace tra1 {

void SyncListRows(win::ListBox& list, const std::vector<std::string>& wanted) {
    const int selected = list.GetCurSel();
    const int count = static_cast<int>(wanted.size());
    for (int i = 0; i < count; ++i) {
        const std::string& text = wanted[static_cast<std::size_t>(i)];
        if (i >= list.GetCount()) {
            list.InsertString(-1, text);
        } else if (list.GetText(i) != text) {
            list.DeleteString(i);
            list.InsertString(i, text);
        }
    }
    while (list.GetCount() > count) {
        list.DeleteString(list.GetCount() - 1);
    }
    if (selected != win::LB_ERR && selected < list.GetCount() && list.GetCurSel() != selected) {
        list.SetCurSel(selected);
    }
}

}  // namespace tra1
