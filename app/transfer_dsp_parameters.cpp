#include "app/transfer_dsp_parameters.h"

#include "model/dsp_parameter_sets.h"
#include "model/model_profile.h"

namespace tra1 {

// The receiver holds exactly the parameter set that the DSP PARAMETER panel lists for a program.
bool ReceiverHasSlot(int program, int slot) {
    return ProgramHasParameter(program, slot);
}

std::optional<DspWireParameter> WireParameterOf(int program, int slot) {
    if (program < 0 || program >= ModelProfile::kProgramCount) {
        return std::nullopt;
    }
    // The transfers leave out the sub-field 3 of parameter 4 (slot 31), which only a change in
    // the panel sends, and carry the second decode type (slot 41) only for the one program that
    // has it; a panel change sends whatever slot it names.
    if (slot == 31 || (slot == 41 && program != kSecondDecodeTypeProgram)) {
        return std::nullopt;
    }
    const auto line = DspLineParameterOf(slot);
    if (!line) {
        return std::nullopt;
    }
    return DspWireParameter{line->parameter, line->subDigit};
}

}  // namespace tra1
