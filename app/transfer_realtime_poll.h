#pragma once

#include <span>

#include "app/transfer_steps.h"

namespace tra1 {

class ReceiverImage;
class TransferOutput;
struct LinkState;

// The background poll of realtime mode: every tick with no reply awaited sends the next request
// of a fixed cycle, so that the image follows what changes on the receiver. The cycle is a table
// of visits (Visits()); each row is one state of the poll, numbered by the extended function it
// asks for, and covers that state's visits. The state number lives in LinkState
// (realtimePollState, 256 = the first state); the visits within a state are counted here and
// start again at 0 whenever the state was moved from outside.
class RealtimePoll {
public:
    RealtimePoll(const ReceiverImage& image, LinkState& state, TransferOutput& out)
        : image_(image), state_(state), out_(out) {}

    // Sends the requests of one visit and moves the state on.
    void Step();

    int Visit() const { return visit_; }

    // The visits of one cycle, in order.
    static std::span<const StepRow<RealtimePoll>> Visits();

private:
    void RequestIoAssignments(const StepAt& at);
    void RequestInputNames(const StepAt& at);
    void RequestInputTrims(const StepAt& at);
    void RequestParameters(const StepAt& at);
    void RequestEqRecord(const StepAt& at);
    void RequestTone(const StepAt& at);
    void RequestTriggers(const StepAt& at);
    void RequestTunerPage(const StepAt& at);
    void RequestDistances(const StepAt& at);
    void RequestPictureModes(const StepAt& at);

    void Next(int nextState);

    const ReceiverImage& image_;
    LinkState& state_;
    TransferOutput& out_;
    int visit_ = 0;
    int lastState_ = -1;
};

}  // namespace tra1
