// Dialog 100: the About box, opened from the main window's system menu. The program's icon, its
// title and an OK button.

#include "platform/win/dialog_template.h"
#include "resources/icon_ids.h"
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

DialogTemplate MakeAboutTemplate() {
    DialogTemplate t;
    t.id = 100;
    t.caption = "About Tolvek Receiver Editor";
    t.cx = 235;
    t.cy = 55;
    t.style = dialog_style::kSystemMenu | dialog_style::kPopup | dialog_style::kCenter;

    ControlTemplate icon = Control(-1, ControlKind::kIcon, "", style::kNone, 11, 14, 21, 20);
    icon.icon = kIconProgram;
    t.controls.push_back(icon);
    t.controls.push_back(Control(-1, ControlKind::kStatic, "Tolvek Receiver Editor for TR-A1",
                                 style::kNone, 40, 10, 130, 8));
    t.controls.push_back(
        Control(-1, ControlKind::kStatic, "Version 1.0", style::kNone, 40, 25, 130, 8));
    t.controls.push_back(Control(1 /* IDOK */, ControlKind::kDefPushButton, "OK",
                                 style::kGroup | style::kTabStop, 178, 7, 50, 14));
    return t;
}

}  // namespace tra1::res
