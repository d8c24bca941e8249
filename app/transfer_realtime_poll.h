#pragma once

namespace tra1 {

class ReceiverImage;
class TransferOutput;
struct LinkState;

// The background poll of realtime mode: every tick with no reply awaited sends the next request
// of a fixed cycle, so that the image follows what changes on the receiver. The state number
// lives in LinkState (realtimePollState, 256 = the first state); the visits within a state are
// counted here and start again at 0 whenever the state was moved from outside.
//
//   256 I/O assignment -> 261 input names -> 262 input trims -> 265 DSP parameters of the
//   current program (4 visits) -> 266 graphic EQ records (11 visits) -> 270 tone -> 271 DC
//   triggers (6 visits) -> 274 tuner pages (6 visits) -> 272 distances -> 273 picture modes
//   -> 256
class RealtimePoll {
public:
    RealtimePoll(const ReceiverImage& image, LinkState& state, TransferOutput& out)
        : image_(image), state_(state), out_(out) {}

    // Sends the requests of one visit and moves the state on.
    void Step();

    int Visit() const { return visit_; }

private:
    void Next(int nextState);
    void StayOrNext(int visits, int nextState);
    void RequestParameters(int subIndex);
    void RequestEqRecord();
    void RequestTriggers();
    void RequestTunerPage();

    const ReceiverImage& image_;
    LinkState& state_;
    TransferOutput& out_;
    int visit_ = 0;
    int lastState_ = -1;
};

}  // namespace tra1
