#include <gtest/gtest.h>

#include <set>

#include "model/model_profile.h"

namespace tra1 {
namespace {

TEST(ModelCode, OutOfRangeStoresUnknown) {
    ModelProfile profile;
    profile.SetModel(8);
    EXPECT_EQ(profile.Model(), 8);
    EXPECT_EQ(profile.ModelName(), "TR-A1");
    for (int code : {9, -5, -1, 1000}) {
        profile.SetModel(8);
        profile.SetModel(code);
        EXPECT_EQ(profile.Model(), -1) << code;
        EXPECT_EQ(profile.ModelName(), "UNKNOWN");
    }
    profile.SetModel(0);
    EXPECT_EQ(profile.ModelName(), "TR-E1");
    EXPECT_EQ(ModelProfile::ModelName(7), "TR-B2");
    EXPECT_EQ(ModelProfile::ModelName(9), "UNKNOWN");
}

TEST(ProgramCodes, CrossedPairAndBothDirections) {
    EXPECT_EQ(ModelProfile::ProgramCode(34), 53);
    EXPECT_EQ(ModelProfile::ProgramCode(35), 52);
    EXPECT_EQ(ModelProfile::ProgramIndex(53), 34);
    EXPECT_EQ(ModelProfile::ProgramIndex(52), 35);
    EXPECT_EQ(ModelProfile::ProgramCode(5), 57);
    EXPECT_EQ(ModelProfile::ProgramIndex(6), 8);
    EXPECT_EQ(ModelProfile::ProgramCode(-1), 0);
    EXPECT_EQ(ModelProfile::ProgramCode(38), 0);
    // Codes that no program has come back unchanged.
    for (int code : {3, 7, 11, 56, 60, 255, -4}) {
        EXPECT_EQ(ModelProfile::ProgramIndex(code), code) << code;
    }
    std::set<int> codes;
    for (int i = 0; i <= 37; ++i) {
        const int code = ModelProfile::ProgramCode(i);
        codes.insert(code);
        EXPECT_EQ(ModelProfile::ProgramIndex(code), i) << i;
    }
    EXPECT_EQ(codes.size(), 38u);
}

TEST(NameTables, EdgesOfEachTable) {
    EXPECT_EQ(ModelProfile::ParameterName(42), "");
    EXPECT_EQ(ModelProfile::ParameterName(4), "S. Delay");
    EXPECT_EQ(ModelProfile::ParameterName(3), "S. Delay");
    EXPECT_EQ(ModelProfile::ParameterName(37), "S.Room(EXES");
    EXPECT_EQ(ModelProfile::ParameterName(-1), "");
    EXPECT_EQ(ModelProfile::ProgramName(0), "Munich A");
    EXPECT_EQ(ModelProfile::ProgramName(24), "Classical / Opera");
    EXPECT_EQ(ModelProfile::ProgramName(37), "THX Music");
    EXPECT_EQ(ModelProfile::ProgramName(38), "");
    EXPECT_EQ(ModelProfile::InputName(12), "V-AUX");
    EXPECT_EQ(ModelProfile::InputName(13), "");
    EXPECT_EQ(ModelProfile::DefaultInputName(6), "DTV/LD");
    EXPECT_EQ(ModelProfile::AssignableInputName(0), "DVD");
    EXPECT_EQ(ModelProfile::AssignableInputName(7), "V-AUX");
    EXPECT_EQ(ModelProfile::AssignableInputName(8), "PHONO");
    EXPECT_EQ(ModelProfile::AssignableInputName(-1), "PHONO");
    EXPECT_EQ(ModelProfile::SetupMenuName(3), "HP Tone COntrol");
    EXPECT_EQ(ModelProfile::SetupMenuName(15), "Zone2 Set");
    EXPECT_EQ(ModelProfile::SetupMenuName(16), "");
}

TEST(NameTables, EnumeratedValues) {
    EXPECT_EQ(ModelProfile::DynamicRangeName(3), "INVALID");
    EXPECT_EQ(ModelProfile::DynamicRangeName(1), "STANDARD");
    EXPECT_EQ(ModelProfile::CinemaEqTypeName(3), "");
    EXPECT_EQ(ModelProfile::CinemaEqTypeName(2), "Dynamic");
    EXPECT_EQ(ModelProfile::CinemaEqFrequencyName(16), "Through");
    EXPECT_EQ(ModelProfile::CinemaEqFrequencyName(15), "12.7kHz");
    EXPECT_EQ(ModelProfile::CinemaEqFrequencyName(11), "8.0kHz");
    EXPECT_EQ(ModelProfile::CinemaEqFrequencyName(17), "");
    EXPECT_EQ(ModelProfile::CinemaEqFrequencyName(-1), "");
    EXPECT_EQ(ModelProfile::SpeakerSizeName(2), "NONE");
    EXPECT_EQ(ModelProfile::SpeakerSizeName(3), "INVALID");
    // The lists are the ones the panels offer (value_names), spelt as the receiver's menus.
    EXPECT_EQ(ModelProfile::SurroundBackSizeName(3), "SMALL x 1");
    EXPECT_EQ(ModelProfile::SurroundBackSizeName(5), "INVALID");
    EXPECT_EQ(ModelProfile::CrossoverName(2), "80Hz(THX)");
    EXPECT_EQ(ModelProfile::CrossoverName(7), "160Hz");
    EXPECT_EQ(ModelProfile::CrossoverName(8), "200Hz");
    EXPECT_EQ(ModelProfile::CrossoverName(9), "INVALID");
    EXPECT_EQ(ModelProfile::CrossoverName(-1), "INVALID");
    EXPECT_EQ(ModelProfile::BassOutName(0), "SUBWOOFER");
    EXPECT_EQ(ModelProfile::BassOutName(3), "INVALID");
    EXPECT_EQ(ModelProfile::TunerBandName(1), "FM");
    EXPECT_EQ(ModelProfile::TunerBandName(2), "INVALID");
}

TEST(DefaultTables, ProgramsParametersAndIoAssignment) {
    EXPECT_EQ(ModelProfile::DefaultProgram(5), 29);
    EXPECT_EQ(ModelProfile::DefaultProgram(12), 28);
    EXPECT_EQ(ModelProfile::DefaultProgram(13), 0);
    EXPECT_EQ(ModelProfile::DefaultProgram(99), 0);
    EXPECT_FALSE(ModelProfile::InputProgramFlag(6));
    EXPECT_TRUE(ModelProfile::InputProgramFlag(7));
    EXPECT_TRUE(ModelProfile::InputProgramFlag(15));
    EXPECT_FALSE(ModelProfile::InputProgramFlag(16));

    // The whole 1,596-value table, checked by count, sum and a position-weighted sum.
    int nonZero = 0;
    long sum = 0;
    long weighted = 0;
    for (int p = 0; p < 38; ++p) {
        for (int k = 0; k < 42; ++k) {
            const int v = ModelProfile::DefaultParameter(p, k);
            nonZero += v != 0;
            sum += v;
            weighted += static_cast<long>(42 * p + k + 1) * v;
        }
    }
    EXPECT_EQ(nonZero, 517);
    EXPECT_EQ(sum, 8510);
    EXPECT_EQ(weighted, 6972345);
    EXPECT_EQ(ModelProfile::DefaultParameter(10, 12), 130);
    EXPECT_EQ(ModelProfile::DefaultParameter(17, 12), 240);
    EXPECT_EQ(ModelProfile::DefaultParameter(38, 0), 0);
    EXPECT_EQ(ModelProfile::DefaultParameter(0, 42), 0);

    EXPECT_EQ(ModelProfile::DefaultIoAssign(1, 6), 11);  // stored row B
    EXPECT_EQ(ModelProfile::DefaultImageIoAssign(2, 6), 11);
    EXPECT_EQ(ModelProfile::DefaultImageIoAssign(1, 2), 11);  // stored row C
    EXPECT_EQ(ModelProfile::DefaultIoAssign(4, 0), 255);
    EXPECT_EQ(ModelProfile::DefaultImageIoAssign(0, 16), 255);
}

TEST(TunerFrequencyText, FixedWidthTexts) {
    ModelProfile profile;
    EXPECT_EQ(profile.TunerFrequencyText(1, 102), "087.50");
    EXPECT_EQ(profile.TunerFrequencyText(1, 0), "107.90");
    EXPECT_EQ(profile.TunerFrequencyText(1, 1), "107.70");
    EXPECT_EQ(profile.TunerFrequencyText(1, 51), "097.70");
    EXPECT_EQ(profile.TunerFrequencyText(0, 0), "001710");
    EXPECT_EQ(profile.TunerFrequencyText(0, 118), "000530");
    EXPECT_EQ(profile.TunerFrequencyText(0, 71), "001000");
    // The text stays valid until the next call and is then overwritten.
    const std::string_view first = profile.TunerFrequencyText(1, 102);
    EXPECT_EQ(std::string(first), "087.50");
    // Steps beyond the band are held at its ends.
    EXPECT_EQ(profile.TunerFrequencyText(0, 255), "000530");
    EXPECT_EQ(profile.TunerFrequencyText(1, 103), "087.50");
    EXPECT_EQ(profile.TunerFrequencyText(1, -7), "107.90");
    // Any non-zero band byte is FM.
    EXPECT_EQ(profile.TunerFrequencyText(2, 0), "107.90");
}

}  // namespace
}  // namespace tra1
