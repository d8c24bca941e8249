// A DSP parameter slot sent to the receiver and reported back lands in the slot it came from,
// with the value it had, except where the receiver keeps two slots in one field.

#include <gtest/gtest.h>

#include <optional>

#include "link/dsp_parameter_slot.h"
#include "model/model_profile.h"

namespace tra1 {
namespace {

constexpr int kStandardCode = 44;

std::optional<DspParameterTarget> RoundTrip(int programCode, int slot, int value) {
    const auto line = DspLineParameterOf(slot);
    if (!line) {
        return std::nullopt;
    }
    return DspParameterSlot(programCode, line->parameter, line->subDigit,
                            DspLineValueOf(slot, value));
}

TEST(DspParameterSlot, SlotsComeBackWhereTheyWereSent) {
    const int code = ModelProfile::ProgramCode(20);
    for (int slot = 0; slot < ModelProfile::kParametersPerProgram; ++slot) {
        // Slots 5..7 share the receiver's field with the two-channel slots 32, 35 and 38, and
        // 31 with 30 (both are parameter 4 with a multi-channel sub-digit).
        const bool shared = (slot >= 5 && slot <= 7) || slot == 31;
        const auto back = RoundTrip(code, slot, 9);
        ASSERT_TRUE(back.has_value()) << slot;
        if (slot == 41) {
            EXPECT_EQ(back->slot, 27);  // only "Standard" has a second decode type
            continue;
        }
        if (!shared) {
            EXPECT_EQ(back->slot, slot);
        }
        EXPECT_EQ(back->value, 9) << slot;
    }
    EXPECT_EQ(RoundTrip(code, 5, 9)->slot, 32);
    EXPECT_EQ(RoundTrip(code, 31, 9)->slot, 30);
    EXPECT_EQ(RoundTrip(kStandardCode, 41, 3)->slot, 41);
    EXPECT_EQ(RoundTrip(kStandardCode, 41, 3)->value, 3);

    for (int decodeType = 0; decodeType <= 3; ++decodeType) {
        const auto back = RoundTrip(code, 27, decodeType);
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(back->slot, 27);
        EXPECT_EQ(back->value, decodeType);
    }
    EXPECT_EQ(DspLineValueOf(27, 2), 4);
    EXPECT_EQ(DspLineValueOf(27, 3), 6);
    EXPECT_EQ(DspLineValueOf(41, 3), 3);
    EXPECT_FALSE(DspLineParameterOf(-1).has_value());
    EXPECT_FALSE(DspLineParameterOf(ModelProfile::kParametersPerProgram).has_value());
}

}  // namespace
}  // namespace tra1
