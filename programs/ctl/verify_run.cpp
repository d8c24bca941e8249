#include "programs/ctl/verify_run.h"

#include <ostream>

#include "app/configuration_compare.h"
#include "programs/ctl/difference_output.h"
#include "programs/ctl/receiver_connection.h"
#include "programs/ctl/transfer_run.h"
#include "programs/ctl_command_line.h"

namespace tra1::programs {

int VerifyAgainstReceiver(ReceiverConnection& connection, const ReceiverImage& sent, bool presets,
                          bool json) {
    // The Download restarted the receiver (standby, then on); it answers again before the
    // Upload's first step is sent.
    if (const int status =
            RunTransfer(connection, TransferKind::kUpload, presets, "nothing was verified");
        status != ctl_exit::kDone) {
        return status;
    }
    const auto differences =
        CompareImages(sent, connection.Image(), connection.Profile(),
                      presets ? TransferScope::kPresetSetting : TransferScope::kCurrentSetting);
    PrintDifferences(connection.Context().out, differences, json);
    if (!differences.empty()) {
        connection.Context().err << ErrorLine("verify: the receiver differs from the file in " +
                                              std::to_string(differences.size()) +
                                              (differences.size() == 1 ? " setting" : " settings"))
                                 << '\n';
        return ctl_exit::kDifferences;
    }
    return ctl_exit::kDone;
}

}  // namespace tra1::programs
