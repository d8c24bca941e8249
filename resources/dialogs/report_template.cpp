// Dialog 145: the REPORT window, and its menu 145. One multi-line edit filling the window shows
// the configuration report in the fixed-pitch font; it is read-only, scrolls both ways and does
// not wrap, so that the report's columns and rules stand as written. The File menu saves,
// prints or exports the text.

#include <utility>
#include <vector>

#include "platform/win/dialog_template.h"
#include "platform/win/menu_template.h"
#include "resources/resource_makers.h"

namespace tra1::res {

namespace {

constexpr int kReportMenuId = 145;

MenuItemTemplate Item(const char* text, int id) {
    MenuItemTemplate item;
    item.text = text;
    item.id = id;
    return item;
}

}  // namespace

DialogTemplate MakeReportTemplate() {
    DialogTemplate t;
    t.id = 145;
    t.caption = "REPORT";
    t.cx = 380;
    t.cy = 300;
    t.style = dialog_style::kSystemMenu | dialog_style::kPopup | dialog_style::kMinimizeBox;
    t.menu = kReportMenuId;

    ControlTemplate edit;
    edit.id = 1108;
    edit.kind = ControlKind::kEdit;
    edit.style = style::kMultiLine | style::kReadOnly | style::kVScroll | style::kAutoHScroll |
                 style::kBorder | style::kTabStop | style::kFixedPitch;
    edit.x = 0;
    edit.y = 0;
    edit.cx = t.cx;
    edit.cy = t.cy;
    t.controls.push_back(edit);
    return t;
}

MenuTemplate MakeReportMenu() {
    MenuItemTemplate separator;
    separator.flags = menu_flag::kSeparator;
    MenuItemTemplate file;
    file.text = "&File";
    file.flags = menu_flag::kPopup;
    file.children = {Item("Save &As...", 32901), Item("&Print...", 32902),
                     Item("Export P&DF...", 32903), separator, Item("&Close", 32904)};
    MenuTemplate m;
    m.id = kReportMenuId;
    m.items = {std::move(file)};
    return m;
}

}  // namespace tra1::res
