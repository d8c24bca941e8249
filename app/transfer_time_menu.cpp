#include "app/transfer_time_menu.h"

#include "platform/win/menu.h"

namespace tra1 {

void ShowTransferInMenu(win::Menu& menu, bool transferRunning, bool uploadRunning) {
    for (const int item : kItemsGreyedDuringTransfers) {
        menu.EnableItem(item, !transferRunning);  // tells the front end only of a change
    }
    for (const int item : kItemsGreyedDuringUploads) {
        menu.EnableItem(item, !uploadRunning);
    }
}

}  // namespace tra1
