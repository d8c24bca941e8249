#include "link/report_decoder.h"

#include <string>

#include "link/decoder_host.h"
#include "link/link_state.h"
#include "link/reply_digits.h"
#include "link/report_answers.h"
#include "model/protocol.h"

namespace tra1 {

bool ReportDecoder::WellFormed(std::string_view body) {
    return body.size() == kBodyLength && AreReplyDigits(body, kCodeAt, kBodyLength - kCodeAt);
}

ReportOutcome ReportDecoder::DecodeReport(std::string_view body) {
    ReportOutcome outcome;
    if (WellFormed(body)) {
        // Only the report that answers the queued command ends its wait: a device that
        // answers everything with some other report must not keep the request cycling without
        // ever using up its retries.
        state_.identificationPending = 0;
        outcome.reportCode = ReplyNumberAt(body, kCodeAt, 2);
        if (ReportAnswers(outcome.reportCode, host_.CurrentQueuedCommand())) {
            outcome.answeredQueue = true;
            state_.waiting = 0;
            host_.StopReplyTimeout();
        }
        if (ReportAnswers(outcome.reportCode, state_.awaitedFunction)) {
            outcome.answeredAwaited = true;
            state_.awaitedFunction = LinkState::kNone;
            // An accepted reply restarts the count of silent ticks for the next wait.
            state_.waitingCounter = 0;
        }
    }
    host_.LogReceived(std::string(log_prefix::kReport) + std::string(body) + "\r\n");
    return outcome;
}

}  // namespace tra1
