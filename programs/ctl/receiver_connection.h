#pragma once
// One tr-a1ctl command's connection to the receiver: the port --port names, the receiver image
// and the model profile, the headless session, and every way it can fail turned into one line
// on standard error with the exit status that goes with it.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/receiver_session.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"
#include "programs/ctl/ctl_context.h"
#include "programs/ctl/port_choice.h"

namespace tra1 {
class LogSink;
}

namespace tra1::programs {

// How a run of the loop for a command ended.
enum class RunOutcome {
    kDone,      // what the command waited for happened
    kTimedOut,  // its time limit passed first
    kStopped,   // Ctrl-C, or the line was lost
};

class ReceiverConnection {
public:
    // How long the receiver has to answer as a TR-A1 once its port is open (the search of eight
    // ports takes up to 6 s each).
    static constexpr std::int64_t kConnectLimitMs = 120'000;

    ReceiverConnection(CtlContext& context, std::string_view port, LogSink* log = nullptr);
    ~ReceiverConnection();
    ReceiverConnection(const ReceiverConnection&) = delete;
    ReceiverConnection& operator=(const ReceiverConnection&) = delete;

    // Opens the port and waits until a TR-A1 answers: ctl_exit::kDone, or the exit status after
    // the error line went to standard error (no receiver, another model, a port that will not
    // open, Ctrl-C).
    int Open();

    // Runs the loop until done(), Ctrl-C, a lost line or `limitMs`.
    RunOutcome Run(const std::function<bool()>& done, std::int64_t limitMs);
    // The line was lost or the receiver fell silent: its error line, exit status 3.
    int LinkFailure(std::string_view what);
    // Ctrl-C: the line, exit status 130.
    int Interrupted(std::string_view what);

    ReceiverSession& Session() { return *session_; }
    ReceiverImage& Image() { return image_; }
    ModelProfile& Profile() { return profile_; }
    const std::string& PortName() const { return choice_.name; }
    CtlContext& Context() { return context_; }

private:
    // The session's messages from `first` on, for the error line.
    std::string MessagesFrom(std::size_t first) const;

    CtlContext& context_;
    PortChoice choice_;
    ReceiverImage image_;
    ModelProfile profile_;
    std::unique_ptr<ReceiverSession> session_;
};

// "tr-a1ctl: " + `text` on one line: the message's own line breaks become "; ".
std::string ErrorLine(std::string_view text);

}  // namespace tra1::programs
