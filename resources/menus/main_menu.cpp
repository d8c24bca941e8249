// Menu 102: the main window's menu bar, and string 101, the text of the About item that the main
// window appends to its system menu.

#include <utility>
#include <vector>

#include "platform/win/menu_template.h"
#include "resources/resource_makers.h"

namespace tra1::res {
namespace {

MenuItemTemplate Item(const char* text, int id) {
    MenuItemTemplate item;
    item.text = text;
    item.id = id;
    return item;
}

MenuItemTemplate Separator() {
    MenuItemTemplate separator;
    separator.flags = menu_flag::kSeparator;
    return separator;
}

MenuItemTemplate Popup(const char* text, std::vector<MenuItemTemplate> children) {
    MenuItemTemplate popup;
    popup.text = text;
    popup.flags = menu_flag::kPopup;
    popup.children = std::move(children);
    return popup;
}

}  // namespace

MenuTemplate MakeMainMenu() {
    MenuTemplate m;
    m.id = 102;
    m.items = {
        Popup("&File", {Item("&Open", 32789), Item("&Save", 32790), Separator(),
                        Item("Compare with &File...", 32797)}),
        Popup("&Connection", {Item("&Connect", 32791), Item("&Disconnect", 32792),
                              Item("&Port Settings...", 32795)}),
        Popup("Control &Mode", {Item("&Realtime Mode", 32787), Item("&Asynchronous Mode", 32788)}),
        Popup("Con&figuration",
              {Item("&Upload", 32793), Item("&Download", 32794), Item("&Fast Transfer", 32796),
               Separator(), Item("&Compare with Receiver...", 32798),
               Item("&Verify after Download", 32799)}),
        // The panels in the order the user meets them on the receiver's set-up menu.
        Popup("&Window",
              {
                  Item("Show DSP PARAMETER", 32782),
                  Item("Show INPUT - DSP PROGRAM", 32780),
                  Item("Show GRAPHIC EQ", 32771),
                  Item("Show CINEMA EQ", 214),
                  Item("Show TONE CONTROL", 57653),
                  Item("Show LFE LEVEL / D-RANGE", 32777),
                  Item("Show THX SET", 216),
                  Item("Show DELAY", 32778),
                  Item("Show SPEAKER / SUBWOOFER SET", 32772),
                  Item("Show SPEAKER LEVEL", 32775),
                  Item("Show SPEAKER DISTANCE", 218),
                  Item("Show VIDEO PROCESSOR", 219),
                  Item("Show INPUT MODE SET", 32785),
                  Item("Show DISPLAY SET", 32786),
                  Item("Show RENAME", 32773),
                  Item("Show INPUT TRIM", 220),
                  Item("Show I/O ASSIGN", 32774),
                  Item("Show TUNER", 32776),
                  Item("Show DC TRIGGER", 32779),
                  Item("Show MULTI ZONE SET", 32783),
              }),
    };
    return m;
}

}  // namespace tra1::res
