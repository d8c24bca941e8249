#pragma once
// Fills the main window's panel table from the list of setting panels: every setting panel gets
// a factory in the table's slot for its refresh message. The other slot (the REPORT window's)
// keeps whatever factory it had.

#include <cstddef>

#include "app/panel_table.h"

namespace tra1 {

struct PanelContext;

// Returns how many factories were installed.
std::size_t InstallPanelFactories(PanelTable& table, const PanelContext& context);

}  // namespace tra1
