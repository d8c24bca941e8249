#pragma once

#include "model/protocol.h"
#include "platform/serial/paced_far_end.h"

namespace tra1::sim {

// How the receiver takes what it hears: one frame (up to its ETX) at a time, each once its
// answer to the frame before is out, from an input buffer of 64 bytes that loses what overruns
// it. The editor sizes its window of frames in flight by the same buffer.
inline constexpr std::size_t kReceiverInputBuffer = 64;
inline constexpr serial::FarEndPacing kReceiverPacing{control_byte::kEtx, kReceiverInputBuffer};

}  // namespace tra1::sim
