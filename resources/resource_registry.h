#pragma once
// The program's resources by id: dialog templates, menus, strings and icons. Each dialog's
// template lives in its own file under resources/dialogs/ and registers itself at start-up:
//
//   // resources/dialogs/about_dialog_template.cpp
//   namespace tra1::res {
//   namespace {
//   DialogTemplate Make() { DialogTemplate t; t.id = 100; ...; return t; }
//   const DialogRegistrar kRegistrar{Make};
//   }  // namespace
//   }  // namespace tra1::res
//
// Nothing refers to such a file by name, so the linker keeps it only because the resources
// library is linked whole (LINK_LIBRARY:WHOLE_ARCHIVE in the top CMakeLists.txt).

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "resources/dialog_template.h"
#include "resources/icon_image.h"
#include "resources/menu_template.h"

namespace tra1::res {

class ResourceRegistry {
public:
    // The one registry of the program (built on first use, so registrars in any file may use it).
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
    ResourceRegistry();  // registers the built-in icons
    std::map<int, DialogTemplate> dialogs_;
    std::map<int, MenuTemplate> menus_;
    std::map<int, std::string> strings_;
    std::map<int, IconImage> icons_;
};

// A file-scope object of this type registers a template when the program starts.
struct DialogRegistrar {
    explicit DialogRegistrar(const std::function<DialogTemplate()>& make);
};
struct MenuRegistrar {
    explicit MenuRegistrar(const std::function<MenuTemplate()>& make);
};
struct StringRegistrar {
    StringRegistrar(int id, const char* text);
};

}  // namespace tra1::res
