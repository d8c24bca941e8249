// Dialog 171: the differences of a compare. A line saying what was compared, a line with the
// count, the list of differences in three columns, and Close.

#include "platform/win/dialog_template.h"
#include "resources/compare_ids.h"
#include "resources/dialogs/control_maker.h"
#include "resources/resource_makers.h"

namespace tra1::res {
namespace {

using namespace compare_window;

}  // namespace

DialogTemplate MakeCompareTemplate() {
    DialogTemplate t;
    t.id = kTemplateId;
    t.caption = "Compare";
    t.cx = 420;
    t.cy = 280;
    t.style = dialog_style::kSystemMenu | dialog_style::kPopup | dialog_style::kMinimizeBox;

    t.controls.push_back(
        MakeControl(kWhatText, ControlKind::kStatic, "", style::kNone, 7, 6, 406, 18));
    t.controls.push_back(
        MakeControl(kCountText, ControlKind::kStatic, "", style::kNone, 7, 26, 406, 9));
    t.controls.push_back(
        MakeControl(kDifferenceList, ControlKind::kListView, "Setting\tThis image\tThe other",
                    style::kBorder | style::kTabStop | style::kVScroll, 7, 38, 406, 216));
    t.controls.push_back(MakeControl(kCloseButton, ControlKind::kPushButton, "Close",
                                     style::kTabStop, 363, 259, 50, 14));
    return t;
}

}  // namespace tra1::res
