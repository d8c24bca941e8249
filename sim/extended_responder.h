#pragma once

#include <string>
#include <string_view>

#include "model/model_profile.h"
#include "sim/receiver_state.h"

namespace tra1::sim {

// Answers the editor's extended frames. The body (between DC4 and ETX) is "20", LL, the
// three-character function code, the mode digit, the data and a two-character checksum. Its LL
// and checksum are checked first; a frame that fails a check, names an unknown function or
// carries data the receiver cannot use is refused with a reply whose status digit is not "0"
// and that carries no data. A request (mode 0) is answered with the item's current data, a
// write (mode 1) is stored and answered the same way (an acceptance that shows what is now
// stored).
class ExtendedResponder {
public:
    // Status digits of a refusal.
    static constexpr char kBadChecksum = '1';
    static constexpr char kBadLength = '2';
    static constexpr char kUnknownFunction = '3';
    static constexpr char kBadData = '4';

    // The whole reply frame, DC4 to ETX. `refuseWith` other than '0' refuses every frame with
    // that status digit and stores nothing; `refuseWritesWith` does the same for writes only.
    std::string Answer(ReceiverState& state, std::string_view body, char refuseWith = '0',
                       char refuseWritesWith = '0');

    // The reply frame for a function code, status digit and data; LL counts the function code,
    // status digit and data, except where the receiver is known to report another length.
    static std::string BuildReply(std::string_view functionCode, char status,
                                  std::string_view data);

private:
    ModelProfile profile_;  // only for the tuner frequency text
};

}  // namespace tra1::sim
