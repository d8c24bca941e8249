// Dialog 163: the invisible window of the 10 ms auxiliary tick. No controls; it owns one timer.

#include "resources/dialog_template.h"
#include "resources/resource_registry.h"

namespace tra1::res {
namespace {

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

const DialogRegistrar kRegistrar{MakeAuxTimerTemplate};

}  // namespace
}  // namespace tra1::res
