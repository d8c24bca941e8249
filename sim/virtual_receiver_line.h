#pragma once

#include "platform/serial/in_memory_serial_port.h"
#include "platform/win/clock.h"
#include "sim/virtual_receiver.h"
#include "sim/win_line_clock.h"

namespace tra1::sim {

// A virtual receiver at the far end of an in-memory serial line on the window system's clock:
// hand Port() to the editor's port owner and drive time with the event loop. The receiver
// answers at 9600 baud in virtual time.
class VirtualReceiverLine {
public:
    explicit VirtualReceiverLine(const win::Clock& clock)
        : clock_(clock), port_(clock_, receiver_) {}
    VirtualReceiverLine(const VirtualReceiverLine&) = delete;
    VirtualReceiverLine& operator=(const VirtualReceiverLine&) = delete;

    VirtualReceiver& Receiver() { return receiver_; }
    serial::InMemorySerialPort& Port() { return port_; }

private:
    WinLineClock clock_;
    VirtualReceiver receiver_;
    serial::InMemorySerialPort port_;
};

}  // namespace tra1::sim
