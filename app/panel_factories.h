#pragma once
// Fills the main window's panel table from the panel catalogue: every panel unit that
// registered a creator under its refresh message gets a factory in the table's slot for that
// message. Slots of panels that are not in the catalogue keep whatever factory they had (the
// REPORT window's, for one).

#include <cstddef>

#include "app/panel_table.h"

namespace tra1 {

struct PanelContext;

// Returns how many factories were installed.
std::size_t InstallPanelFactories(PanelTable& table, const PanelContext& context);

}  // namespace tra1
