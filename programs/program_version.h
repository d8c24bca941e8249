#pragma once
// The version every program reports with --version, from the project's version in the build.

#include <string>
#include <string_view>

namespace tra1::programs {

std::string_view ProgramVersion();

// "NAME VERSION", the first line of --version that help2man and packaging tools read.
std::string VersionLine(std::string_view programName);

}  // namespace tra1::programs
