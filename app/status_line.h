#pragma once
// The main window's status line: what a user wants to know at a glance, in words, beside the
// connection icon: the port, the receiver's model, the control mode, whether the receiver is on
// or in standby, and the result of the last thing the user did.
//
//   "Not connected · Asynchronous mode · Saved living-room.tcf"
//   "COM1 · TR-A1 · Realtime mode · Receiver on"
//   "COM1 · TR-A1 · Asynchronous mode · Receiver on · Download finished: 778 frames in 21.5 s"
//   "COM1 · No answer · Realtime mode"

#include <cstdint>
#include <string>
#include <string_view>

#include "link/connection_state.h"

namespace tra1 {

struct StatusFacts {
    // Where the link stands, as the connector reports it, and the port it has open (1..8, 0
    // when none is).
    ConnectionState connection = ConnectionState::kClosed;
    int openPort = 0;
    std::string_view model;      // the identified receiver's model name
    bool realtime = false;       // the control mode chosen on the main window
    bool powerReported = false;  // the receiver has told its power since the port opened
    bool standby = false;        // ... and it is in standby
    std::string_view lastResult;
};

std::string StatusText(const StatusFacts& facts);

// "Download finished: 778 frames in 21.5 s", "Upload stopped after 12 frames".
std::string TransferResultText(bool download, bool finished, int frames, std::int64_t elapsedMs,
                               int valuesNotRead = 0);

}  // namespace tra1
