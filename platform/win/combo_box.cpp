#include "platform/win/combo_box.h"

#include "platform/win/list_items.h"

namespace tra1::win {

ComboBox::ComboBox(Dialog& parent, const ControlTemplate& source) : Control(parent, source) {}

int ComboBox::AddString(std::string item) {
    return InsertString(-1, std::move(item));
}

int ComboBox::InsertString(int index, std::string item) {
    const int before = sel_;
    const int at = detail::InsertItem(items_, index, std::move(item), HasStyle(style::kSort), sel_);
    if (at < 0) {
        return CB_ERR;
    }
    Changed(ControlChange::kItems);
    if (sel_ != before) {
        Changed(ControlChange::kSelection);
    }
    return at;
}

int ComboBox::DeleteString(int index) {
    const int before = sel_;
    const int remaining = detail::RemoveItem(items_, index, sel_);
    if (remaining < 0) {
        return CB_ERR;
    }
    Changed(ControlChange::kItems);
    if (sel_ != before) {
        Changed(ControlChange::kSelection);
    }
    return remaining;
}

void ComboBox::ResetContent() {
    const bool hadSelection = sel_ != CB_ERR;
    items_.clear();
    sel_ = CB_ERR;
    Changed(ControlChange::kItems);
    if (hadSelection) {
        Changed(ControlChange::kSelection);
    }
}

std::string ComboBox::GetLBText(int index) const {
    if (index < 0 || index >= GetCount()) {
        return {};
    }
    return items_[static_cast<std::size_t>(index)];
}

int ComboBox::FindString(const std::string& prefix) const {
    return detail::FindPrefix(items_, prefix);
}

int ComboBox::SetCurSel(int index) {
    const int value = (index >= 0 && index < GetCount()) ? index : CB_ERR;
    if (value != sel_) {
        sel_ = value;
        Changed(ControlChange::kSelection);
    }
    // The edit field of an editable combo shows the item picked.
    if (value != CB_ERR && HasStyle(style::kDropDown)) {
        SetEditText(items_[static_cast<std::size_t>(value)]);
    }
    return value;
}

void ComboBox::SetEditText(std::string text) {
    if (!HasStyle(style::kDropDown)) {
        return;
    }
    if (text != GetText()) {
        SetText(std::move(text));
    }
}

void ComboBox::ShowDropDown(bool show) {
    if (show != dropped_) {
        dropped_ = show;
        Changed(ControlChange::kDroppedDown);
    }
}

std::string ComboBox::GetWindowText() const {
    if (HasStyle(style::kDropDown)) {
        return GetText();
    }
    return GetLBText(sel_);
}

}  // namespace tra1::win
