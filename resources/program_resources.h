#pragma once
// Every resource of the program, from one explicit list: the dialog templates, the main menu,
// the strings and the built-in icons.

namespace tra1::res {

class ResourceRegistry;

// Adds every resource of the program to `registry` (an id it holds already is replaced).
void AddProgramResources(ResourceRegistry& registry);

}  // namespace tra1::res
