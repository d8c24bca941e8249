#pragma once
// Single-selection list box.

#include <string>
#include <vector>

#include "platform/win/control.h"

namespace tra1::win {

class ListBox final : public Control {
public:
    ListBox(Dialog& parent, const ControlTemplate& source);

    int AddString(std::string item);                // index of the new row (sorted with kSort)
    int InsertString(int index, std::string item);  // -1 = at the end; LB_ERR past the end
    int DeleteString(int index);                    // remaining count, or LB_ERR
    void ResetContent();
    int GetCount() const { return static_cast<int>(items_.size()); }
    std::string GetText(int index) const;  // "" for a bad index
    const std::vector<std::string>& Items() const { return items_; }
    int FindString(const std::string& prefix) const;  // LB_ERR if none

    // An index outside the rows (including -1) leaves no selection and returns LB_ERR.
    int SetCurSel(int index);
    int GetCurSel() const { return sel_; }

    void SetTopIndex(int index);  // first visible row (clamped); a scrolling hint for front ends
    int GetTopIndex() const { return top_; }

private:
    std::vector<std::string> items_;
    int sel_ = LB_ERR;
    int top_ = 0;
};

}  // namespace tra1::win
