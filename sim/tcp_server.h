#pragma once

#include <csignal>
#include <string>

#include "platform/serial/far_end.h"
#include "sim/paced_line.h"

namespace tra1::sim {

// Serves a far end (the virtual receiver) on a TCP port of 127.0.0.1 as a raw serial server
// does: the bytes of the line pass as they are, paced at 9600 baud. One client at a time, as a
// serial port has one user; a second client is turned away at once, and when the client leaves
// the next one may come.
class TcpServer {
public:
    explicit TcpServer(serial::FarEnd& device);
    ~TcpServer();
    TcpServer(const TcpServer&) = delete;
    TcpServer& operator=(const TcpServer&) = delete;

    // Listens on 127.0.0.1:`port` (0: a free port the system picks). False, with a reason in
    // `error`, on failure.
    bool Listen(int port, std::string& error);
    // The port listened on; 0 before Listen.
    int Port() const { return port_; }

    // Serves until `stop` becomes non-zero. Returns 0, or 1 when the listening socket failed.
    int Run(const volatile std::sig_atomic_t& stop);

private:
    void Accept();
    void DropClient();

    PacedLine line_;
    int listener_ = -1;
    int client_ = -1;
    int port_ = 0;
};

}  // namespace tra1::sim
