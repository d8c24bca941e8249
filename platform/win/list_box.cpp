#include "platform/win/list_box.h"

#include <algorithm>

#include "platform/win/list_items.h"

namespace tra1::win {

ListBox::ListBox(Dialog& parent, const ControlTemplate& source) : Control(parent, source) {}

int ListBox::AddString(std::string item) {
    return InsertString(-1, std::move(item));
}

int ListBox::InsertString(int index, std::string item) {
    const int before = sel_;
    const int at = detail::InsertItem(items_, index, std::move(item), HasStyle(style::kSort), sel_);
    if (at < 0) {
        return LB_ERR;
    }
    Changed(ControlChange::kItems);
    if (sel_ != before) {
        Changed(ControlChange::kSelection);
    }
    return at;
}

int ListBox::DeleteString(int index) {
    const int before = sel_;
    const int remaining = detail::RemoveItem(items_, index, sel_);
    if (remaining < 0) {
        return LB_ERR;
    }
    top_ = std::clamp(top_, 0, std::max(0, remaining - 1));
    Changed(ControlChange::kItems);
    if (sel_ != before) {
        Changed(ControlChange::kSelection);
    }
    return remaining;
}

void ListBox::ResetContent() {
    const bool hadSelection = sel_ != LB_ERR;
    items_.clear();
    sel_ = LB_ERR;
    top_ = 0;
    Changed(ControlChange::kItems);
    if (hadSelection) {
        Changed(ControlChange::kSelection);
    }
}

std::string ListBox::GetText(int index) const {
    if (index < 0 || index >= GetCount()) {
        return {};
    }
    return items_[static_cast<std::size_t>(index)];
}

int ListBox::FindString(const std::string& prefix) const {
    return detail::FindPrefix(items_, prefix);
}

int ListBox::SetCurSel(int index) {
    const int value = (index >= 0 && index < GetCount()) ? index : LB_ERR;
    if (value != sel_) {
        sel_ = value;
        Changed(ControlChange::kSelection);
    }
    return value;
}

void ListBox::SetTopIndex(int index) {
    const int value = std::clamp(index, 0, std::max(0, GetCount() - 1));
    if (value != top_) {
        top_ = value;
        Changed(ControlChange::kSelection);
    }
}

}  // namespace tra1::win
