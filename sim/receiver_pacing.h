#pragma once

#include "model/protocol.h"
#include "platform/serial/paced_far_end.h"

namespace tra1::sim {

// How the receiver takes what it hears (see kReceiverInputBuffer); the editor sizes its window of
// frames in flight by the same buffer.
inline constexpr serial::FarEndPacing kReceiverPacing{control_byte::kEtx, kReceiverInputBuffer};

}  // namespace tra1::sim
