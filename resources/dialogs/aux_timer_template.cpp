// Dialog 163: the invisible window of the 10 ms auxiliary tick. No controls; it owns one timer.

#include "platform/win/dialog_template.h"
#include "resources/resource_makers.h"

namespace tra1::res {

DialogTemplate MakeAuxTimerTemplate() {
    DialogTemplate t;
    t.id = 163;
    t.caption = "AUX TIMER (Invisible Dialog)";
    t.cx = 120;
    t.cy = 40;
    // Never shown: no kVisible bit.
    t.style = dialog_style::kPopup;
    return t;
}

}  // namespace tra1::res
