// tr-a1ctl backup: the receiver's configuration into a file (Upload).

#include "app/configuration_file.h"
#include "model/model_profile.h"
#include "programs/ctl/configuration_files.h"
#include "programs/ctl/ctl_commands.h"
#include "programs/ctl/receiver_connection.h"
#include "programs/ctl/transfer_run.h"

namespace tra1::programs {

int RunBackup(CtlContext& context, const CtlRequest& request) {
    const std::string& path = request.arguments.at(0);
    // Known before the receiver is asked for anything: a file that cannot be written.
    const auto save = PrepareSave(path, context.err);
    if (!save) {
        return ctl_exit::kFile;
    }
    ReceiverConnection connection(context, request.port);
    if (const int status = connection.Open(); status != ctl_exit::kDone) {
        save->Discard();
        return status;
    }
    connection.Session().SetPipelinedTransfers(request.fast);
    if (const int status =
            RunTransfer(connection, TransferKind::kUpload, request.presets, "no file was written");
        status != ctl_exit::kDone) {
        save->Discard();
        return status;
    }
    return FinishSave(*save, path, connection.Image(), connection.Profile().Model(), context.err);
}

}  // namespace tra1::programs
