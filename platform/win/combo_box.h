#pragma once
// Drop-down combo box: items, the selected index (or none) and whether its list is open.

#include <string>
#include <vector>

#include "platform/win/control.h"

namespace tra1::win {

class ComboBox final : public Control {
public:
    ComboBox(Dialog& parent, const ControlTemplate& source);

    // Returns the new item's index (kept sorted with style kSort).
    int AddString(std::string item);
    // Inserts at `index` (-1 = at the end); CB_ERR if index is beyond the end.
    int InsertString(int index, std::string item);
    // Returns the remaining count, CB_ERR for a bad index. Removing the selected item clears the
    // selection; removing one before it moves the selection down by one.
    int DeleteString(int index);
    void ResetContent();  // no items, no selection
    int GetCount() const { return static_cast<int>(items_.size()); }
    // The item's text, or "" for a bad index.
    std::string GetLBText(int index) const;
    const std::vector<std::string>& Items() const { return items_; }
    // Index of the first item that begins with `prefix` (case-insensitive), or CB_ERR.
    int FindString(const std::string& prefix) const;

    // An index outside 0..count-1 (including -1) leaves no selection and returns CB_ERR;
    // otherwise returns the index. No notification.
    int SetCurSel(int index);
    int GetCurSel() const { return sel_; }  // CB_ERR when nothing is selected

    // Opens or closes the list programmatically (no notification).
    void ShowDropDown(bool show);
    bool GetDroppedState() const { return dropped_; }

    // Text of the edit field of a kDropDown combo; for a drop-down list the selected item's text.
    std::string GetWindowText() const;
    // Sets the edit field of a kDropDown combo (a drop-down list has none: nothing happens).
    // The selection stays; picking an item puts the item's text here.
    void SetEditText(std::string text);

private:
    std::vector<std::string> items_;
    int sel_ = CB_ERR;
    bool dropped_ = false;
};

}  // namespace tra1::win
