// Dialog 171: the differences of a compare. A line saying what was compared, a line with the
// count, the list of differences in three columns, and Close.

#include "platform/win/dialog_template.h"
#include "resources/compare_ids.h"
#include "resources/resource_makers.h"

namespace tra1::res {
namespace {

using namespace compare_window;

ControlTemplate Control(int id, ControlKind kind, const char* text, std::uint32_t controlStyle,
                        int x, int y, int cx, int cy) {
    ControlTemplate c;
    c.id = id;
    c.kind = kind;
    c.text = text;
    c.style = controlStyle;
    c.x = x;
    c.y = y;
    c.cx = cx;
    c.cy = cy;
    return c;
}

}  // namespace

DialogTemplate MakeCompareTemplate() {
    DialogTemplate t;
    t.id = kTemplateId;
    t.caption = "Compare";
    t.cx = 420;
    t.cy = 280;
    t.style = dialog_style::kSystemMenu | dialog_style::kPopup | dialog_style::kMinimizeBox;

    t.controls.push_back(Control(kWhatText, ControlKind::kStatic, "", style::kNone, 7, 6, 406, 18));
    t.controls.push_back(
        Control(kCountText, ControlKind::kStatic, "", style::kNone, 7, 26, 406, 9));
    t.controls.push_back(
        Control(kDifferenceList, ControlKind::kListView, "Setting\tThis image\tThe other",
                style::kBorder | style::kTabStop | style::kVScroll, 7, 38, 406, 216));
    t.controls.push_back(Control(kCloseButton, ControlKind::kPushButton, "Close", style::kTabStop,
                                 363, 259, 50, 14));
    return t;
}

}  // namespace tra1::res
