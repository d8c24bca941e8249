#pragma once

#include <optional>

#include "link/dsp_parameter_slot.h"

namespace tra1 {

// How the value slots of a program's 42-byte DSP record travel over the line with function 265.
// The receiver numbers its parameters 0..29 and carries the sub-fields of parameters 4..7 and the
// second decode type under those numbers with a sub-index; the editor keeps them in slots 30..41.

// Whether the receiver has the value slot `slot` (0..41) for the program index (0..37). False
// for anything out of range.
bool ReceiverHasSlot(int program, int slot);

// The parameter and sub-digit under which slot `slot` of program `program` is written and
// requested (DspLineParameterOf, narrowed); nullopt for a slot the transfers do not carry (31,
// 41 of any program but "Standard", anything out of range).
struct DspWireParameter {
    int parameter;
    int subIndex;
};
std::optional<DspWireParameter> WireParameterOf(int program, int slot);

// The value the receiver is sent for a slot's stored value (DspLineValueOf).
inline int WireValueOf(int slot, int value) {
    return DspLineValueOf(slot, value);
}

// The program index whose decode type the receiver carries under parameter 27 in slot 41
// ("Standard"); its parameters are written with a short pause, the receiver being slow to take
// them.
inline constexpr int kSecondDecodeTypeProgram = 32;

}  // namespace tra1
