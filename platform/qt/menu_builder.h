#pragma once
// Qt menus from the window system's menu model. Choosing an entry calls `chosen` with its
// command id, queued on `context` so that the menu has closed first (the command may open a
// modal box, or rebuild this very menu); the caller turns that into the menu gesture.

#include <QMenu>
#include <QMenuBar>
#include <functional>
#include <vector>

#include "platform/win/menu.h"

namespace tra1::qtui {

using MenuChosen = std::function<void(int commandId)>;

// Replaces the bar's entries with `menu`'s popups and commands.
void FillMenuBar(QMenuBar& bar, const win::Menu& menu, QObject* context, const MenuChosen& chosen);
// Appends `items` (commands, separators, popups) to `target`.
void FillMenu(QMenu& target, const std::vector<win::MenuItem>& items, QObject* context,
              const MenuChosen& chosen);

// Brings entries built by the functions above in line with `items`, in place: check marks,
// enabling and texts. A menu that is open stays open. False (some entries may have changed)
// when the entries no longer have the items' shape, e.g. after items were added: then build
// afresh.
bool SyncMenuBar(QMenuBar& bar, const std::vector<win::MenuItem>& items);
bool SyncMenu(QMenu& target, const std::vector<win::MenuItem>& items);

}  // namespace tra1::qtui
