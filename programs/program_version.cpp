#include "programs/program_version.h"

#if !defined(TRA1_VERSION) || !defined(TRA1_DESKTOP_ID)
#error "TRA1_VERSION and TRA1_DESKTOP_ID must come from the build"
#endif

namespace tra1::programs {

std::string_view ProgramVersion() {
    return TRA1_VERSION;
}

std::string_view DesktopId() {
    return TRA1_DESKTOP_ID;
}

std::string VersionLine(std::string_view programName) {
    std::string line(programName);
    line += ' ';
    line += ProgramVersion();
    line += '\n';
    return line;
}

}  // namespace tra1::programs
