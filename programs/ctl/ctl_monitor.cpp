// tr-a1ctl monitor: the frames both ways with time stamps until interrupted.

#include <limits>
#include <ostream>

#include "programs/ctl/ctl_commands.h"
#include "programs/ctl/monitor_log.h"
#include "programs/ctl/receiver_connection.h"

namespace tra1::programs {

int RunMonitor(CtlContext& context, const CtlRequest& request) {
    MonitorLog log(context.out, context.timeStamp);
    ReceiverConnection connection(context, request.port, &log);
    if (const int status = connection.Open(); status != ctl_exit::kDone) {
        return status;
    }
    // The link asks for the receiver's state every second, as the editor does once connected;
    // everything it sends and hears is shown until Ctrl-C, which is the normal end here, or
    // until nobody reads the output any more (monitor | head).
    connection.Run([&context] { return !context.out.good(); },
                   std::numeric_limits<std::int64_t>::max() / 2);
    if (connection.Session().LineLost()) {
        return connection.LinkFailure("connection lost");
    }
    return ctl_exit::kDone;
}

}  // namespace tra1::programs
