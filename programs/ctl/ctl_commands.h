#pragma once
// The commands of tr-a1ctl, one function each; each returns the program's exit status
// (ctl_exit) after writing its output and, for a failure, one error line.

#include "programs/ctl/ctl_context.h"
#include "programs/ctl_command_line.h"

namespace tra1::programs {

int RunStatus(CtlContext& context, const CtlRequest& request);
int RunSet(CtlContext& context, const CtlRequest& request);
int RunBackup(CtlContext& context, const CtlRequest& request);
int RunRestore(CtlContext& context, const CtlRequest& request);
int RunDiff(CtlContext& context, const CtlRequest& request);
int RunReport(CtlContext& context, const CtlRequest& request);
int RunMonitor(CtlContext& context, const CtlRequest& request);

// The command `request` names.
int RunCtlCommand(CtlContext& context, const CtlRequest& request);

}  // namespace tra1::programs
