#include "programs/program_version.h"

#ifndef TRA1_VERSION
#error "TRA1_VERSION must come from the build"
#endif

namespace tra1::programs {

std::string_view ProgramVersion() {
    return TRA1_VERSION;
}

std::string VersionLine(std::string_view programName) {
    std::string line(programName);
    line += ' ';
    line += ProgramVersion();
    line += '\n';
    return line;
}

}  // namespace tra1::programs
