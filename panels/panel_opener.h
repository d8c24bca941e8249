#pragma once
// Opening a setting panel on behalf of the main window's panel table: an opener creates the
// panel from its creator, keeps it while it is open and frees it through the loop when it
// closes.

#include <functional>
#include <memory>

#include "panels/panel_context.h"
#include "panels/panel_dlg.h"

namespace tra1 {

// Creates a panel's window (not shown) from the context; `onClosed` runs once its window is
// gone. Returns null when the window could not be created. CreatePanel<T> is one.
using PanelCreator = std::unique_ptr<PanelDlg> (*)(const PanelContext& context,
                                                   std::function<void()> onClosed);

// Opens one panel at a time and owns it while it is open. Returns the new panel, or null when
// it could not be created.
using PanelOpener = std::function<PanelDlg*(std::function<void()> onClosed)>;

// An opener for the panels that `creator` makes. The opener owns the panel it made last: when
// that panel's window is destroyed, it calls `onClosed` and hands the object to the loop's
// DeleteLater; when the opener itself goes first (the main window closing), the panel goes with
// it. `context` is copied. A null creator gives an opener that opens nothing.
PanelOpener MakePanelOpener(PanelCreator creator, const PanelContext& context);

}  // namespace tra1
