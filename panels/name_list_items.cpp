#include "panels/name_list_items.h"

#include <string>

#include "model/value_names.h"
#include "platform/win/combo_box.h"

namespace tra1 {

void FillWithNames(win::ComboBox& combo, const NameList& names) {
    combo.ResetContent();
    for (const std::string_view name : names.Names()) {
        combo.AddString(std::string(name));
    }
}

}  // namespace tra1
