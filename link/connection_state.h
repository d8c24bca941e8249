#pragma once
// Where the link stands with the receiver, as the connector reports it. The editor's main window
// shows it as its connection icon; a program without windows may print it.

namespace tra1 {

enum class ConnectionState {
    kClosed,       // no port open and no search running
    kSearching,    // trying COM1..COM8 in turn for a receiver that answers
    kIdentifying,  // a receiver answered that is not yet taken: the user is asked about it
    kUnsupported,  // the receiver is a model this editor does not edit; the link idles
    kConnected,    // the TR-A1 answers, in asynchronous mode
    kRealtime,     // the TR-A1 answers, in realtime mode
    kNoReply,      // the receiver stopped answering; the port stays open for it to come back
};

}  // namespace tra1
