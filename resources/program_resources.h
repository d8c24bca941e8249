#pragma once
// Every resource of the program, from one explicit list: the dialog templates, the main menu,
// the strings and the built-in icons.

namespace tra1::win {
class ResourceRegistry;
}

namespace tra1::res {

// Adds every resource of the program to `registry` (an id it holds already is replaced). The
// programs call it once at start, before the first window is made:
//
//   res::AddProgramResources(win::ResourceRegistry::Instance());
void AddProgramResources(win::ResourceRegistry& registry);

}  // namespace tra1::res
