#pragma once
// The program's resources by id: dialog templates, menus, strings and icons. Each dialog's
// template lives in its own file under resources/dialogs/ with a maker declared in
// resource_makers.h, and program_resources.cpp lists every maker:
//
//   // resources/dialogs/about_template.cpp
//   DialogTemplate MakeAboutTemplate() { DialogTemplate t; t.id = 100; ...; return t; }
//   // resources/program_resources.cpp, in kDialogMakers
//   MakeAboutTemplate,

#include <map>
#include <string>
#include <vector>

#include "resources/dialog_template.h"
#include "resources/icon_image.h"
#include "resources/menu_template.h"

namespace tra1::res {

class ResourceRegistry {
public:
    // The one registry of the program, holding every program resource from its first use.
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
    ResourceRegistry();  // adds every program resource
    std::map<int, DialogTemplate> dialogs_;
    std::map<int, MenuTemplate> menus_;
    std::map<int, std::string> strings_;
    std::map<int, IconImage> icons_;
};

}  // namespace tra1::res
