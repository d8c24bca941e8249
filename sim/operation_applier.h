#pragma once

#include <optional>
#include <string_view>

#include "model/command_table.h"
#include "model/protocol.h"
#include "model/report_codes.h"
#include "sim/receiver_state.h"

namespace tra1::sim {

// What a five-character operation code means to the receiver: the command number and value
// (position, level or volume step) of the command table; nullopt for a code it does not know.
std::optional<DecodedOperation> ResolveOperationCode(std::string_view code);

// Carries out an operation on the receiver's state. Returns the value the report frame carries
// (the new value as the receiver holds it). In standby only the power commands act.
int ApplyOperation(ReceiverState& state, const DecodedOperation& op);

// Whether the receiver follows its report for this command with a fresh configuration frame
// (power on/off, command 8, and the home preset recall, command 28).
inline bool SendsConfigurationAfter(int commandNumber) {
    return commandNumber != command::kStatusRequest && AnsweredWithConfiguration(commandNumber);
}

}  // namespace tra1::sim
