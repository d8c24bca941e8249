// Dialog 145: the REPORT window. One multi-line edit filling the window shows the configuration
// report; it is read-only and scrolls, so the text can be read and copied.

#include "platform/win/dialog_template.h"
#include "resources/resource_makers.h"

namespace tra1::res {

DialogTemplate MakeReportTemplate() {
    DialogTemplate t;
    t.id = 145;
    t.caption = "REPORT";
    t.cx = 380;
    t.cy = 300;
    t.style = dialog_style::kSystemMenu | dialog_style::kPopup | dialog_style::kMinimizeBox;

    ControlTemplate edit;
    edit.id = 1108;
    edit.kind = ControlKind::kEdit;
    edit.style = style::kMultiLine | style::kReadOnly | style::kVScroll | style::kAutoHScroll |
                 style::kBorder | style::kTabStop;
    edit.x = 0;
    edit.y = 0;
    edit.cx = t.cx;
    edit.cy = t.cy;
    t.controls.push_back(edit);
    return t;
}

}  // namespace tra1::res
