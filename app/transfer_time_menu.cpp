#include "app/transfer_time_menu.h"

#include "platform/win/menu.h"

namespace tra1 {

void ShowTransferInMenu(win::Menu& menu, bool transferRunning) {
    for (const int item : kItemsGreyedDuringTransfers) {
        menu.EnableItem(item, !transferRunning);  // tells the front end only of a change
    }
}

}  // namespace tra1
