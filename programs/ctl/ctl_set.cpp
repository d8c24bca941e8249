// tr-a1ctl set: one main-zone or zone 2 control, by the names and values the editor shows.

#include <cctype>
#include <ostream>

#include "app/named_controls.h"
#include "model/receiver_image.h"
#include "programs/ctl/ctl_commands.h"
#include "programs/ctl/receiver_connection.h"

namespace tra1::programs {
namespace {

// The receiver's configuration frames come every second: the second one after the command
// certainly carries its effect.
constexpr int kFramesToConfirm = 2;
constexpr std::int64_t kConfirmLimitMs = 15'000;

bool IsZone2(std::string_view word) {
    return word.size() == 5 && std::tolower(static_cast<unsigned char>(word[0])) == 'z' &&
           std::tolower(static_cast<unsigned char>(word[1])) == 'o' &&
           std::tolower(static_cast<unsigned char>(word[2])) == 'n' &&
           std::tolower(static_cast<unsigned char>(word[3])) == 'e' && word[4] == '2';
}

}  // namespace

int RunSet(CtlContext& context, const CtlRequest& request) {
    const auto& args = request.arguments;
    const bool zone2 = args.size() == 3 && IsZone2(args[0]);
    if (args.size() == 3 && !zone2) {
        context.err << ErrorLine("set: '" + args[0] + "' is not a zone; use: set zone2 KEY VALUE")
                    << '\n';
        return ctl_exit::kUsage;
    }
    const std::string& key = args[zone2 ? 1 : 0];
    const std::string& value = args[zone2 ? 2 : 1];
    const ControlChoice choice = ChooseControl(zone2, key, value);
    if (!choice.setting) {
        context.err << ErrorLine("set: " + choice.error) << '\n';
        return ctl_exit::kUsage;
    }
    const ControlSetting& setting = *choice.setting;

    ReceiverConnection connection(context, request.port);
    if (const int status = connection.Open(); status != ctl_exit::kDone) {
        return status;
    }
    ReceiverSession& session = connection.Session();
    // In realtime mode the command goes to the receiver at once and its report comes back.
    session.EnterRealtime();
    session.SendCommand(setting.commandNumber, setting.value);
    const int heard = session.ConfigurationFramesHeard();
    const auto outcome = connection.Run(
        [&] { return session.ConfigurationFramesHeard() >= heard + kFramesToConfirm; },
        kConfirmLimitMs);
    if (outcome == RunOutcome::kStopped && !session.LineLost()) {
        return connection.Interrupted("interrupted; the command may have reached the receiver");
    }
    if (outcome != RunOutcome::kDone) {
        return connection.LinkFailure("the receiver stopped answering on " + connection.PortName());
    }
    if (setting.reportedByte) {
        const int reported = connection.Image().MainZoneState.at(*setting.reportedByte);
        if (reported != setting.expected) {
            context.err << ErrorLine("the receiver did not take " +
                                     std::string(zone2 ? "zone2 " : "") + key + " " + value)
                        << '\n';
            return ctl_exit::kReceiver;
        }
    }
    return ctl_exit::kDone;
}

}  // namespace tra1::programs
