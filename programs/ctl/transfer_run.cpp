#include "programs/ctl/transfer_run.h"

#include <ostream>
#include <string>
#include <string_view>

#include "app/transfer_engine.h"
#include "platform/win/event_loop.h"
#include "programs/ctl/progress_bar.h"
#include "programs/ctl/receiver_connection.h"
#include "programs/ctl_command_line.h"

namespace tra1::programs {
namespace {

// No transfer takes this long; the user can stop one sooner with Ctrl-C.
constexpr std::int64_t kTransferLimitMs = 4 * 60 * 60'000;

// Why the transfer engine stopped a transfer, from the first line of its message: a receiver
// that fell silent, or a line too noisy to carry a setting, in the engine's own words.
std::string StopReason(std::string_view engineText, const std::string& port) {
    std::string_view reason = engineText.substr(0, engineText.find_first_of("\r\n"));
    if (reason == TransferEngine::kReceiverSilentText) {
        return "the receiver on " + port + " stopped answering";
    }
    while (!reason.empty() && reason.back() == '.') {
        reason.remove_suffix(1);
    }
    return port + ": " + std::string(reason);
}

}  // namespace

int RunTransfer(ReceiverConnection& connection, TransferKind kind, bool presets,
                std::string_view leftBehind) {
    ReceiverSession& session = connection.Session();
    CtlContext& context = connection.Context();
    const bool upload = kind == TransferKind::kUpload;
    const std::size_t firstMessage = session.Messages().size();
    if (!(upload ? session.StartUpload(presets) : session.StartDownload(presets))) {
        std::string why;
        for (std::size_t i = firstMessage; i < session.Messages().size(); ++i) {
            why += session.Messages()[i];
        }
        context.err << ErrorLine((upload ? "the Upload did not start: "
                                         : "the Download did not start: ") +
                                 why)
                    << '\n';
        return ctl_exit::kReceiver;
    }
    ProgressBar* bar = context.progress;
    if (bar != nullptr) {
        bar->Begin(upload ? "Upload  " : "Download", context.loop.NowMs());
    }
    const auto outcome = connection.Run(
        [&] {
            if (bar != nullptr) {
                bar->Show(session.TransferProgress(), context.loop.NowMs());
            }
            return !session.TransferRunning();
        },
        kTransferLimitMs);
    if (bar != nullptr) {
        bar->End();
    }
    const std::string stopped =
        upload ? "the Upload was stopped" +
                     (leftBehind.empty() ? std::string() : "; " + std::string(leftBehind))
               : std::string(
                     "the Download was stopped; the receiver may now hold only part of "
                     "the new settings");
    if (session.LineLost()) {
        return connection.LinkFailure("connection to " + connection.PortName() + " lost; " +
                                      stopped);
    }
    if (!session.TransferStopped().empty()) {
        return connection.LinkFailure(StopReason(session.TransferStopped(), connection.PortName()) +
                                      "; " + stopped);
    }
    if (outcome == RunOutcome::kDone) {
        return ctl_exit::kDone;
    }
    // Ctrl-C, or a transfer that never ends: cancelled as the wait window's Cancel does, which
    // puts the receiver back on its input, program and volume.
    session.CancelTransfer();
    const std::string cancelled =
        upload ? "the Upload was cancelled" +
                     (leftBehind.empty() ? std::string() : "; " + std::string(leftBehind))
               : std::string(
                     "the Download was cancelled; the receiver "
                     "may now hold only part of the new "
                     "settings");
    if (outcome == RunOutcome::kStopped) {
        return connection.Interrupted("interrupted: " + cancelled);
    }
    return connection.LinkFailure("the transfer did not end: " + cancelled);
}

}  // namespace tra1::programs
