#pragma once

#include <csignal>
#include <string>

#include "platform/serial/far_end.h"
#include "sim/paced_line.h"

namespace tra1::sim {

// Serves a far end (the virtual receiver) on a pseudo-terminal in real time. A pseudo-terminal
// passes bytes at any speed, so the server paces what the far end sends at 9600 baud itself;
// bytes from the editor are handed over as they arrive. The server keeps its own handle on the
// terminal side, so that the editor can close and reopen it as often as it likes.
class PtyServer {
public:
    explicit PtyServer(serial::FarEnd& device);
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Creates the pseudo-terminal and sets it raw. False, with a reason in `error`, on failure.
    bool Open(std::string& error);
    // The terminal device the editor opens (for example /dev/pts/3); empty before Open.
    const std::string& DevicePath() const { return devicePath_; }

    // Serves until `stop` becomes non-zero (a signal handler sets it). Returns 0, or 1 when the
    // pseudo-terminal failed.
    int Run(const volatile std::sig_atomic_t& stop);

private:
    PacedLine line_;
    int master_ = -1;
    int keepOpen_ = -1;
    std::string devicePath_;
};

}  // namespace tra1::sim
