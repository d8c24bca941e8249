#pragma once

#include <optional>

namespace tra1 {

// Where a DSP parameter that the receiver reports (function 265) lands in a program's 42-byte
// record. The receiver carries the sub-fields of parameters 4..7 and 27 under their own numbers
// with a sub-digit; the editor keeps them in the slots 30..41.
struct DspParameterTarget {
    int slot;   // 0..41
    int value;  // the value to store
};

// The sub-digit the receiver means by 0, derived from the reported decoder state k
// (MainZoneState byte 16) and the input mode (MainZoneState byte 2). Above 13 it stays 0.
int DerivedSubDigit(int decoderState, int inputMode);

// The slot and value for parameter N with sub-digit w (already derived when it was 0) of the
// program with the receiver code `programCode`. nullopt when the reply names no slot of the
// record (a sub-digit the parameter has no field for, or N beyond the record).
std::optional<DspParameterTarget> DspParameterSlot(int programCode, int parameter, int subDigit,
                                                   int value);

}  // namespace tra1
