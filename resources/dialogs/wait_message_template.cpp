// Dialog 164: the wait-message window shown while a whole configuration travels between the
// receiver and the PC. Its label says which way, the bar shows how far, Cancel stops it.

#include "platform/win/dialog_template.h"
#include "resources/resource_makers.h"

#include <utility>

namespace tra1::res {
namespace {

ControlTemplate Control(int id, ControlKind kind, std::string text, std::uint32_t control_style,
                        int x, int y, int cx, int cy) {
    ControlTemplate c;
    c.id = id;
    c.kind = kind;
    c.text = std::move(text);
    c.style = control_style;
    c.x = x;
    c.y = y;
    c.cx = cx;
    c.cy = cy;
    return c;
}

}  // namespace

DialogTemplate MakeWaitMessageTemplate() {
    DialogTemplate t;
    t.id = 164;
    t.caption = "Tolvek Receiver Editor Message";
    t.cx = 200;
    t.cy = 66;
    t.style = dialog_style::kSystemMenu | dialog_style::kPopup;
    t.controls.push_back(Control(1210, ControlKind::kStatic, "Uploading Configuration",
                                 style::kNone, 10, 8, 180, 10));
    t.controls.push_back(
        Control(1208, ControlKind::kProgressBar, "", style::kBorder, 10, 22, 180, 12));
    t.controls.push_back(
        Control(1078, ControlKind::kPushButton, "Cancel", style::kTabStop, 75, 44, 50, 14));
    return t;
}

}  // namespace tra1::res
