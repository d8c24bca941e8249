#include "programs/ctl/verify_run.h"

#include <ostream>

#include "programs/ctl/receiver_connection.h"
#include "programs/ctl_command_line.h"

namespace tra1::programs {

int VerifyAgainstReceiver(ReceiverConnection& connection, const ReceiverImage&, bool, bool) {
    connection.Context().err << ErrorLine("--verify: the compare is not built yet") << '\n';
    return ctl_exit::kUsage;
}

}  // namespace tra1::programs
