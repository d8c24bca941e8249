#pragma once
// The menu items whose commands cannot run while an Upload or Download runs, in one list:
// File > "Open" (the transfer's stop puts its saved image back over what a file brought),
// Control Mode's two items (the mode cannot change under a transfer) and Configuration >
// "Compare with Receiver..." (it reads the receiver with an upload of its own, and the line is
// taken). They are greyed while a transfer runs; each command also refuses itself when it
// arrives anyway (a shortcut, another front end).
//
// While an Upload runs (also the reading of Compare with Receiver and of the check after a
// Download) the image is being filled from the receiver step by step: File > "Save" would write
// a file that mixes two configurations, so it is greyed then too. A Download only reads the
// image, so a save during one writes what the user has.

#include <array>

#include "app/main_window_ids.h"

namespace tra1 {

namespace win {
class Menu;
}

inline constexpr std::array kItemsGreyedDuringTransfers = {
    main_window::kMenuOpen,
    main_window::kMenuRealtime,
    main_window::kMenuAsynchronous,
    main_window::kMenuCompareWithReceiver,
};

inline constexpr std::array kItemsGreyedDuringUploads = {
    main_window::kMenuSave,
};

// Greys the items while `transferRunning` (and the upload items while `uploadRunning`) and gives
// them back otherwise.
void ShowTransferInMenu(win::Menu& menu, bool transferRunning, bool uploadRunning);

}  // namespace tra1
