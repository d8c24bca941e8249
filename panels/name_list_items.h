#pragma once
// A combo box offering the names of one kind of value (value_names.h): item i names byte value
// i, so that the selection is the stored byte and the item reads as the report prints it.

namespace tra1 {

class NameList;

namespace win {
class ComboBox;
}

// Replaces the combo's items with the list's names, in byte order.
void FillWithNames(win::ComboBox& combo, const NameList& names);

}  // namespace tra1
