#pragma once

#include <string>
#include <string_view>

#include "sim/receiver_state.h"

namespace tra1::sim {

// The five characters a receiver of model code 0..8 puts at the start of its configuration
// frame ("R3101".."R3109"); "R9999", a code no model uses, for anything else.
std::string ReportedModelCode(int modelCode);

// The configuration frame: DC2, the five-character model code, ten filler characters, the
// state data (one hexadecimal digit per position, positions 0..112) and ETX. In standby data
// position 1 is 0.
std::string BuildConfigurationFrame(const ReceiverState& state, std::string_view modelCode);

// The number of state data positions the frame carries.
inline constexpr std::size_t kConfigurationDataLength = 113;
// Where the state data starts in the frame body (after the model code and the filler).
inline constexpr std::size_t kConfigurationDataOffset = 15;

}  // namespace tra1::sim
