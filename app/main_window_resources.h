#pragma once

namespace tra1::res {

// The main window's template (dialog 102) and its menu (menu 102, string 101), registered again
// by name. Each file also registers itself when the program starts; calling these keeps the
// files in a program that links the resources as a plain static library.
void RegisterMainWindowTemplate();
void RegisterMainMenu();

}  // namespace tra1::res
