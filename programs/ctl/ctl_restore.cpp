// tr-a1ctl restore: a file's configuration into the receiver (Download), and with --verify
// read back and compared.

#include <ostream>

#include "model/model_profile.h"
#include "programs/ctl/configuration_files.h"
#include "programs/ctl/ctl_commands.h"
#include "programs/ctl/receiver_connection.h"
#include "programs/ctl/transfer_run.h"
#include "programs/ctl/verify_run.h"

namespace tra1::programs {

int RunRestore(CtlContext& context, const CtlRequest& request) {
    const std::string& path = request.arguments.at(0);
    ReceiverConnection connection(context, request.port);
    // The file is read whole before the receiver is touched.
    if (const int status =
            LoadConfiguration(path, connection.Image(), connection.Profile(), context.err);
        status != ctl_exit::kDone) {
        return status;
    }
    if (connection.Profile().Model() != ModelProfile::kTrA1) {
        context.err << ErrorLine(path + " holds a configuration of the " +
                                 std::string(connection.Profile().ModelName()) +
                                 "; only TR-A1 configurations can be restored")
                    << '\n';
        return ctl_exit::kFile;
    }
    if (const int status = connection.Open(); status != ctl_exit::kDone) {
        return status;
    }
    connection.Session().SetPipelinedTransfers(request.fast);
    if (const int status = RunTransfer(connection, TransferKind::kDownload, request.presets);
        status != ctl_exit::kDone || !request.verify) {
        return status;
    }
    // What was sent is the image as the Download leaves it: with the presets, the Download makes
    // preset A the current settings (and ends with the receiver on it), so the file's own
    // current settings never went out.
    const ReceiverImage sent = connection.Image();
    return VerifyAgainstReceiver(connection, sent, request.presets, request.json);
}

}  // namespace tra1::programs
