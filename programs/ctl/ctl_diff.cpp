// tr-a1ctl diff: the settings that differ between two configurations.

#include <ostream>

#include "programs/ctl/ctl_commands.h"
#include "programs/ctl/receiver_connection.h"

namespace tra1::programs {

int RunDiff(CtlContext& context, const CtlRequest&) {
    context.err << ErrorLine("diff: the compare is not built yet") << '\n';
    return ctl_exit::kUsage;
}

}  // namespace tra1::programs
