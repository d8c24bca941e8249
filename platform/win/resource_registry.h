#pragma once
// The resources of the running program by id: dialog templates, menus, strings and icons, as
// the module's resource section is to the toolkit. A dialog finds its template here when it is
// created. The registry starts empty; the program adds its own resources once at start, before
// the first window is made (see resources/program_resources.h), and tests add their own.

#include <map>
#include <string>
#include <vector>

#include "platform/win/dialog_template.h"
#include "platform/win/icon_image.h"
#include "platform/win/menu_template.h"

namespace tra1::win {

class ResourceRegistry {
public:
    // The one registry of the program.
    static ResourceRegistry& Instance();

    // Adding an id that exists replaces the earlier entry (tests swap templates this way).
    void AddDialog(DialogTemplate dialog);
    void AddMenu(MenuTemplate menu);
    void AddString(int id, std::string text);
    void AddIcon(IconImage icon);

    // nullptr / empty when the id is unknown.
    const DialogTemplate* FindDialog(int id) const;
    const MenuTemplate* FindMenu(int id) const;
    const std::string* FindString(int id) const;
    const IconImage* FindIcon(int id) const;

    std::vector<int> DialogIds() const;  // ascending
    std::vector<int> IconIds() const;    // ascending

private:
    ResourceRegistry() = default;
    std::map<int, DialogTemplate> dialogs_;
    std::map<int, MenuTemplate> menus_;
    std::map<int, std::string> strings_;
    std::map<int, IconImage> icons_;
};

}  // namespace tra1::win
