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

// The other way: the receiver's parameter number and sub-digit under which a record slot is
// written with function 265. Slots 0..29 go under their own number (8..10, which exist only for
// EX/ES sources, with sub-digit 7, the others with 1); 30 and 31 are the sub-fields 4 and 3 of
// parameter 4; 32..40 the two-channel, multi-channel and EX/ES fields (1, 4, 7) of parameters
// 5, 6 and 7; 41 is the second decode type, parameter 27. nullopt outside 0..41.
// A panel change and the transfers each narrow this further (see their callers).
struct DspLineParameter {
    int parameter;
    int subDigit;
};
std::optional<DspLineParameter> DspLineParameterOf(int slot);

// The value the receiver is sent for a slot's stored value: the decode type of slot 27 is kept
// as 0..3 by the editor and as 0, 1, 4, 6 by the receiver (the inverse fold is in
// DspParameterSlot); every other value is sent as stored.
int DspLineValueOf(int slot, int value);

}  // namespace tra1
