// tr-a1ctl diff: the settings that differ between two configuration files, or between a file
// and the receiver.

#include <optional>
#include <ostream>

#include "app/configuration_compare.h"
#include "programs/ctl/configuration_files.h"
#include "programs/ctl/ctl_commands.h"
#include "programs/ctl/difference_output.h"
#include "programs/ctl/receiver_connection.h"
#include "programs/ctl/transfer_run.h"

namespace tra1::programs {

int RunDiff(CtlContext& context, const CtlRequest& request) {
    // The connection's image is the other side: the second file, or what the receiver holds.
    ReceiverConnection connection(context, request.port);
    ModelProfile profile;
    ReceiverImage mine;
    const std::string& path = request.arguments.at(0);
    if (const int status = LoadConfiguration(path, mine, profile, context.err);
        status != ctl_exit::kDone) {
        return status;
    }
    std::optional<TransferScope> scope;
    if (request.receiver) {
        if (profile.Model() != ModelProfile::kTrA1) {
            context.err << ErrorLine(
                               path + " holds a configuration of the " +
                               std::string(profile.ModelName()) +
                               "; only TR-A1 configurations can be compared with the receiver")
                        << '\n';
            return ctl_exit::kFile;
        }
        if (const int status = connection.Open(); status != ctl_exit::kDone) {
            return status;
        }
        if (const int status = RunTransfer(connection, TransferKind::kUpload, request.presets,
                                           "nothing was compared");
            status != ctl_exit::kDone) {
            return status;
        }
        scope = request.presets ? TransferScope::kPresetSetting : TransferScope::kCurrentSetting;
    } else if (const int status = LoadConfiguration(request.arguments.at(1), connection.Image(),
                                                    connection.Profile(), context.err);
               status != ctl_exit::kDone) {
        return status;
    } else if (connection.Profile().Model() != profile.Model()) {
        context.err << ErrorLine(path + " and " + request.arguments.at(1) +
                                 " are configurations of different models (" +
                                 std::string(profile.ModelName()) + ", " +
                                 std::string(connection.Profile().ModelName()) + ")")
                    << '\n';
        return ctl_exit::kFile;
    }
    const auto differences = CompareImages(mine, connection.Image(), profile, scope);
    PrintDifferences(context.out, differences, request.json);
    return differences.empty() ? ctl_exit::kDone : ctl_exit::kDifferences;
}

}  // namespace tra1::programs
