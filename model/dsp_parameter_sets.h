#pragma once
// The sound-field parameters beyond the model's name and default tables: which parameters each
// program has, the value range of every slot of a program's 42-byte record, which rows the DSP
// PARAMETER panel lists for a source type, and how a value reads. The panel and the
// configuration report both read these tables, so the two always agree on a program's set.
// Pure table look-ups: a program, parameter or slot out of range has no parameters, an empty
// range and an empty text.

#include <string>

namespace tra1 {

// Source types of the panel's Source Type list.
namespace source_type {
inline constexpr int kDualField = 0;  // "Dual Field (2ch)"
inline constexpr int kTriField = 1;   // "Tri Field (5.1ch)"
inline constexpr int kQuadField = 2;  // "Quad Field (EX/ES)"
inline constexpr int kCount = 3;
}  // namespace source_type

// Whether parameter 0..41 belongs to the parameter set of program 0..37.
bool ProgramHasParameter(int program, int parameter);

// Smallest and largest value of a slot 0..41 of a program's record. Slot 3 ("S. Delay") has a
// wider range for the game and music programs. An unknown slot has the range 0..0.
struct SlotRange {
    int min = 0;
    int max = 0;
};
SlotRange DspSlotRange(int program, int slot);

// Whether the panel lists parameter `parameter` of `program` for `sourceType`; `dialogLift` is
// the main zone's dialog-lift byte being non-zero.
bool ListsParameter(int program, int sourceType, int parameter, bool dialogLift);

// The record slot that the row of a listed parameter shows: parameters 4..7 keep their values
// per source type in the slots 30..40. A source type outside 0..2 counts as the first.
int RowSlot(int parameter, int sourceType);

// The Value list text of slot `slot` holding `value`.
std::string DspValueText(int slot, int value);

}  // namespace tra1
