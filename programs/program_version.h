#pragma once
// What the build tells the programs about themselves: the version every program reports with
// --version, and the editor's name on the desktop.

#include <string>
#include <string_view>

namespace tra1::programs {

std::string_view ProgramVersion();

// The reverse-DNS name of the editor's desktop entry, which is also its icon's name in the icon
// theme: the desktop matches the running editor's windows to its entry by it.
std::string_view DesktopId();

// "NAME VERSION", the first line of --version that help2man and packaging tools read.
std::string VersionLine(std::string_view programName);

}  // namespace tra1::programs
