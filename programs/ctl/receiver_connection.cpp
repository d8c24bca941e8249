#include "programs/ctl/receiver_connection.h"

#include <ostream>

#include "link/connection_state.h"
#include "platform/serial/serial_port.h"
#include "platform/win/event_loop.h"
#include "programs/ctl_command_line.h"

namespace tra1::programs {
namespace {

// The parts of a message box text, without its empty lines.
std::vector<std::string> LinesOf(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        auto end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        if (end > start) {
            lines.emplace_back(text.substr(start, end - start));
        }
        start = end + 1;
    }
    return lines;
}

}  // namespace

std::string ErrorLine(std::string_view text) {
    std::string line(kCtlProgramName);
    line += ": ";
    bool first = true;
    for (const std::string& part : LinesOf(text)) {
        line += first ? "" : "; ";
        line += part;
        first = false;
    }
    return line;
}

ReceiverConnection::ReceiverConnection(CtlContext& context, std::string_view port, LogSink* log)
    : context_(context), choice_(ChoosePort(port, context.settings, context.readEnvironment)) {
    profile_.SetModel(ModelProfile::kTrA1);
    image_.ResetToDefaults(profile_);
    session_ = std::make_unique<ReceiverSession>(context.loop, image_, profile_,
                                                 context.makeLine(choice_.map), log);
}

ReceiverConnection::~ReceiverConnection() {
    // The port is let go before the session goes: the receiver sees a clean close.
    session_->Disconnect();
}

std::string ReceiverConnection::MessagesFrom(std::size_t first) const {
    std::string text;
    const auto& messages = session_->Messages();
    for (std::size_t i = first; i < messages.size(); ++i) {
        text += (text.empty() ? "" : "\r\n") + messages[i];
    }
    return text;
}

int ReceiverConnection::Open() {
    ReceiverSession& session = *session_;
    if (!session.Start()) {
        context_.err << ErrorLine(MessagesFrom(0)) << '\n';
        return ctl_exit::kReceiver;
    }
    const std::size_t firstMessage = session.Messages().size();
    session.Connect(choice_.number);
    const bool search = choice_.number == 0;
    const auto settled = [&] {
        switch (session.Connection()) {
            case ConnectionState::kConnected:
                return session.ConfigurationFramesHeard() > 0;
            case ConnectionState::kUnsupported:
            case ConnectionState::kNoReply:
                return true;
            case ConnectionState::kClosed:
                return session.OpenPortNumber() ==
                       0;  // the port would not open, or the search failed
            case ConnectionState::kSearching:
            case ConnectionState::kIdentifying:
            case ConnectionState::kRealtime:
                return false;
        }
        return false;
    };
    const RunOutcome outcome = Run(settled, kConnectLimitMs);
    if (outcome == RunOutcome::kStopped && context_.interrupted && context_.interrupted()) {
        return Interrupted("interrupted while connecting");
    }
    switch (session.Connection()) {
        case ConnectionState::kConnected:
            if (outcome == RunOutcome::kDone) {
                return ctl_exit::kDone;
            }
            break;
        case ConnectionState::kUnsupported:
            context_.err << ErrorLine(
                                "the receiver on " + choice_.name + " is a " +
                                std::string(ModelProfile::ModelName(session.ReportedModel())) +
                                ", not a TR-A1; only the TR-A1 is supported")
                         << '\n';
            return ctl_exit::kReceiver;
        case ConnectionState::kNoReply:
            context_.err << ErrorLine("no answer from a receiver on " + choice_.name +
                                      "; check the cable and that the receiver is plugged in")
                         << '\n';
            return ctl_exit::kReceiver;
        case ConnectionState::kClosed:
            if (search) {
                context_.err << ErrorLine("no receiver found on COM1..COM8") << '\n';
                return ctl_exit::kReceiver;
            }
            {
                // "COM Port : n", "Invalid Com Port.", then the reason when there is one.
                const auto lines = LinesOf(MessagesFrom(firstMessage));
                std::string reason = lines.size() > 2 ? lines[2] : std::string("it will not open");
                for (std::size_t i = 3; i < lines.size(); ++i) {
                    reason += "; " + lines[i];
                }
                context_.err << ErrorLine("cannot open " + choice_.name + ": " + reason) << '\n';
            }
            return ctl_exit::kReceiver;
        case ConnectionState::kSearching:
        case ConnectionState::kIdentifying:
        case ConnectionState::kRealtime:
            break;
    }
    context_.err << ErrorLine("no TR-A1 answered on " + choice_.name) << '\n';
    return ctl_exit::kReceiver;
}

RunOutcome ReceiverConnection::Run(const std::function<bool()>& done, std::int64_t limitMs) {
    const auto stopped = [this] {
        return (context_.interrupted && context_.interrupted()) || session_->LineLost();
    };
    // The loop waits for the line's input or the next timer in between; a signal wakes it.
    bool finished = false;
    context_.loop.RunUntil(
        [&] {
            finished = done();
            return finished || stopped();
        },
        limitMs);
    if (finished) {
        return RunOutcome::kDone;
    }
    return stopped() ? RunOutcome::kStopped : RunOutcome::kTimedOut;
}

int ReceiverConnection::LinkFailure(std::string_view what) {
    std::string text(what);
    if (session_->LineLost() && text.find(" lost") == std::string::npos) {
        text = "connection to " + choice_.name + " lost";
    }
    context_.err << ErrorLine(text) << '\n';
    return ctl_exit::kReceiver;
}

int ReceiverConnection::Interrupted(std::string_view what) {
    context_.err << ErrorLine(what) << '\n';
    return ctl_exit::kInterrupted;
}

}  // namespace tra1::programs
