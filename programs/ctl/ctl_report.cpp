// tr-a1ctl report: the configuration report of a file or of the receiver on standard output.

#include <ostream>

#include "app/configuration_report.h"
#include "programs/ctl/configuration_files.h"
#include "programs/ctl/ctl_commands.h"
#include "programs/ctl/receiver_connection.h"
#include "programs/ctl/transfer_run.h"

namespace tra1::programs {
namespace {

// The report's lines end with "\r\n" as the REPORT window shows them; a terminal and the tools
// behind a pipe want "\n".
std::string WithUnixLineEnds(const std::string& text) {
    std::string unix;
    unix.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        unix += text[i];
    }
    return unix;
}

}  // namespace

int RunReport(CtlContext& context, const CtlRequest& request) {
    ReceiverConnection connection(context, request.port);
    if (request.receiver) {
        if (const int status = connection.Open(); status != ctl_exit::kDone) {
            return status;
        }
        if (const int status = RunTransfer(connection, TransferKind::kUpload, request.presets);
            status != ctl_exit::kDone) {
            return status;
        }
    } else if (const int status = LoadConfiguration(request.arguments.at(0), connection.Image(),
                                                    connection.Profile(), context.err);
               status != ctl_exit::kDone) {
        return status;
    }
    const ConfigurationReport report(connection.Image(), connection.Profile());
    context.out << WithUnixLineEnds(report.Text()) << std::flush;
    return ctl_exit::kDone;
}

}  // namespace tra1::programs
