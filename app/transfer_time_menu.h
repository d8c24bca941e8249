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
// a file that mixes two configurations and File > "Compare with File..." would list differences
// from a configuration half read, so they are greyed then too (as is the main window's "Show
// Report" button, for the same reason). A Download only reads the image, so a save or a compare
// during one works on what the user has.

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
    main_window::kMenuCompareWithFile,
};

// Greys the items while `transferRunning` (and the upload items while `uploadRunning`) and gives
// them back otherwise.
void ShowTransferInMenu(win::Menu& menu, bool transferRunning, bool uploadRunning);

}  // namespace tra1
