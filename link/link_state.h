#pragma once

#include <string>

#include "model/protocol.h"

namespace tra1 {

// The run-time flags and counters of the link that the main window's helpers share: the command
// queue and its time-outs, the frame assembler and decoder, the connector, the change-message
// router and the transfer engine. Each flag has exactly this one home; every helper holds a
// reference to the main window's single instance. Nothing here is saved or sent.
struct LinkState {
    // "No function" for the awaited and previous awaited function.
    static constexpr int kNone = -1;
    // The first state of the realtime poll (request the I/O assignment groups): the poll's
    // states are numbered by extended function, and this one by the first.
    static constexpr int kFirstRealtimeState = extended_function::kFirst;

    // Control mode: true in realtime mode, false in asynchronous mode (the start-up mode).
    bool realtimeMode = false;

    // True while a change handler or a dialog holds the link; the 10 ms tick does nothing then.
    bool linkBusy = false;
    // True while a transfer step or the identification dialog runs; the periodic status request
    // is not queued then.
    bool transferBusy = false;

    // What a transfer or realtime step waits for: a command number (answered by a report frame,
    // or for 255 by a configuration frame) or an extended function number 256..274 (answered by
    // an extended reply). kNone when nothing is awaited.
    int awaitedFunction = kNone;
    // For an awaited extended function outside realtime mode: the data characters that name
    // the item asked for (ExtendedKeyLength of them). Only an accepted reply about that item
    // ends the wait: a late second answer to the step before (its request went out twice) has
    // the same function and must not stand in for this step's answer. Empty: any reply of the
    // function.
    std::string awaitedItem;
    // Copy of awaitedFunction taken when the waiting counter starts.
    int previousAwaitedFunction = kNone;
    // 10 ms ticks counted since the last accepted reply reset it.
    int waitingCounter = 0;
    // Bytes have come from the receiver since the waiting counter last started: a wait that runs
    // out with this set was answered, only not soundly (the line damaged the reply).
    bool heardDuringWait = false;

    // True while the next received state is an echo of the editor's own doing and must not be
    // decoded: set at start-up, after a full reload of the main window's controls, after an
    // extended write and while the identification dialog opens; cleared by the next
    // configuration frame or extended reply, the control-mode menu items, Disconnect and the end
    // of a transfer.
    bool echoGuard = true;
    // Configuration frames still to be passed over without decoding; the main-zone controls set
    // it to 3 after each change so that reports carrying the old value do not move them back.
    int decodeSkipCount = 0;

    // Upload and download step counters: 0 = not running, 1 when the transfer starts, one more
    // per executed step. At most one is non-zero.
    int uploadInProgress = 0;
    int downloadInProgress = 0;
    // Refusals in a row of the upload step's request; the step is repeated up to
    // kUploadRefusalRepeats times (a request the line damaged), then the upload goes on.
    static constexpr int kUploadRefusalRepeats = 3;
    int uploadRefusals = 0;
    // Values the running (or last) upload went on without, the receiver refusing their requests.
    int uploadValuesNotRead = 0;

    // The realtime poll: its state number (256..274) and the graphic EQ table index it expects
    // the next reply for (a function 267 reply in realtime mode ends the wait only when this
    // equals the reply's record digit + 1).
    int realtimePollState = kFirstRealtimeState;
    int realtimeExpectedTable = 0;

    // Extended replies carry a checksum. It is checked once a reply of this connection has
    // matched one, so that a receiver that computes it otherwise is still heard; the log says
    // once when checking is off. Both go back to false whenever a port is opened or closed.
    bool checksumsMatched = false;
    bool checksumNoticeLogged = false;

    // The link slots of the serial link. Port numbers are 1..8, 0 meaning none.
    int searchPort = 0;             // slot 0: port the device search is trying; 0 = no search
    int openPort = 0;               // slot 1: port that is open; 0 = closed
    int waiting = 0;                // slot 2: non-zero while a queued command waits for its reply
    int retryCount = 0;             // slot 3: resends of the waiting command
    int identificationPending = 0;  // slot 4: non-zero while the identification is expected

    // A configuration frame has told the receiver's power (MainZoneState byte 20) since the port
    // opened; until then that byte says nothing about the receiver on the line.
    bool powerReported = false;
};

}  // namespace tra1
