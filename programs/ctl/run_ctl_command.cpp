#include "programs/ctl/ctl_commands.h"

namespace tra1::programs {

int RunCtlCommand(CtlContext& context, const CtlRequest& request) {
    switch (request.command) {
        case CtlCommand::kStatus:
            return RunStatus(context, request);
        case CtlCommand::kSet:
            return RunSet(context, request);
        case CtlCommand::kBackup:
            return RunBackup(context, request);
        case CtlCommand::kRestore:
            return RunRestore(context, request);
        case CtlCommand::kDiff:
            return RunDiff(context, request);
        case CtlCommand::kReport:
            return RunReport(context, request);
        case CtlCommand::kMonitor:
            return RunMonitor(context, request);
    }
    return ctl_exit::kUsage;
}

}  // namespace tra1::programs
