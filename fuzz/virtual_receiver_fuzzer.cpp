// The virtual receiver hearing any bytes, in pieces of any size: whatever it answers is framed,
// and its state stays the TR-A1's.

#include <cstdlib>
#include <string>

#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_targets.h"
#include "model/protocol.h"
#include "sim/virtual_receiver.h"

namespace tra1::fuzz {

int FuzzVirtualReceiver(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    sim::VirtualReceiver receiver;
    receiver.SetPower(in.Flag());
    receiver.Faults().writeStatus = in.Flag() ? '4' : '0';
    while (!in.Empty()) {
        const std::size_t piece = 1 + in.Byte() % 64;
        for (const serial::LineSegment& segment : receiver.Receive(in.Take(piece))) {
            const std::string& bytes = segment.bytes;
            // Every answer is whole frames: an opening byte first, ETX last.
            if (bytes.empty() || bytes.back() != control_byte::kEtx ||
                (bytes.front() != control_byte::kStx && bytes.front() != control_byte::kDc2 &&
                 bytes.front() != control_byte::kDc4)) {
                std::abort();
            }
        }
    }
    return 0;
}

}  // namespace tra1::fuzz

TRA1_FUZZ_ENTRY(tra1::fuzz::FuzzVirtualReceiver)
