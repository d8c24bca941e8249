// Dialog 162: the invisible window that owns the serial port. It has no controls; it exists only
// to own the 10 ms poll timer and to pass the "batch received" message on to the main window.

#include "platform/win/dialog_template.h"
#include "resources/resource_makers.h"

namespace tra1::res {

DialogTemplate MakeRs232cTemplate() {
    DialogTemplate t;
    t.id = 162;
    t.caption = "RS-232C(Invisible Dialog)";
    t.cx = 120;
    t.cy = 40;
    // Never shown: no kVisible bit.
    t.style = dialog_style::kPopup;
    return t;
}

}  // namespace tra1::res
