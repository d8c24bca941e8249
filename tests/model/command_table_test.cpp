#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/command_table.h"
#include "model/extended_codec.h"

namespace tra1 {
namespace {

TEST(CommandTable, EveryRowHoldsItsNumberOfCodes) {
    const std::vector<int> expected{
        2, 2, 13, 2, 6, 2, 2, 13, 2, 2, 2, 2, 2, 2, 13, 3, 5, 6, 2, 2,  38, 5,  // 0..21
        8, 2, 2,  2, 2, 6, 6, 6,  6, 6, 6, 6, 6, 4, 2,  2, 2, 3, 4, 2,  2,  2,  // 22..43
        2, 2, 2,  9, 1, 1, 1, 1,  1, 1, 1, 1, 1, 1, 1,  1, 1, 1, 1, 1,  1,  1,  // 44..65
        1, 1, 1,  2, 5, 3, 4, 4,  2, 2, 3, 2, 1, 1, 2,  3, 3, 2, 2, 12, 2,  2,  // 66..87
        2, 2, 3,  2, 3, 5, 2, 3,  8, 9, 3, 2, 4, 2, 2,  3, 3, 2};               // 88..105
    ASSERT_EQ(static_cast<int>(expected.size()), kCommandCount);
    int total = 0;
    for (int n = 0; n < kCommandCount; ++n) {
        EXPECT_EQ(CommandCodeCount(n), expected[static_cast<std::size_t>(n)]) << "row " << n;
        EXPECT_EQ(CommandRowCodes(n).size(), 5u * static_cast<std::size_t>(CommandCodeCount(n)));
        total += CommandCodeCount(n);
    }
    EXPECT_EQ(total, 368);
}

TEST(CommandTable, CodesSitAtTheirPositions) {
    EXPECT_EQ(CommandCode(0, 0), "07A1B");
    EXPECT_EQ(CommandCode(2, 12), "07A55");
    EXPECT_EQ(CommandCode(4, 4), "07EAA");
    EXPECT_EQ(CommandCode(9, 1), "07E7E");
    EXPECT_EQ(CommandCode(20, 0), "07EE1");
    EXPECT_EQ(CommandCode(20, 21), "07EFF");
    EXPECT_EQ(CommandCode(20, 37), "07EC3");
    EXPECT_EQ(CommandCode(46, 1), "00000");
    EXPECT_EQ(CommandCode(47, 8), "20108");
    EXPECT_EQ(CommandCode(53, 0), "24000");
    EXPECT_EQ(CommandCode(58, 0), "24700");
    EXPECT_EQ(CommandCode(60, 0), "24500");
    EXPECT_EQ(CommandCode(63, 0), "24A00");
    EXPECT_EQ(CommandCode(85, 11), "26807");
    EXPECT_EQ(CommandCode(96, 4), "27610");
    EXPECT_EQ(CommandCode(105, 1), "29B01");
}

TEST(CommandTable, OutOfRangeLookupsAreEmpty) {
    for (int n : {-1, 106, 255, 256}) {
        EXPECT_TRUE(CommandRowCodes(n).empty()) << n;
        EXPECT_EQ(CommandCodeCount(n), 0) << n;
        EXPECT_FALSE(CommandTableRow(n).has_value()) << n;
    }
    EXPECT_TRUE(CommandCode(20, 38).empty());
    EXPECT_TRUE(CommandCode(20, -1).empty());
    EXPECT_TRUE(CommandCode(48, 1).empty());
}

TEST(CommandTable, GroupsFollowTheCommandNumber) {
    EXPECT_EQ(CommandGroupOf(255), CommandGroup::kStatusRequest);
    for (int n : {-1, 106, 254, 256, 1000}) {
        EXPECT_EQ(CommandGroupOf(n), CommandGroup::kInvalid) << n;
    }
    for (int n = 0; n < kCommandCount; ++n) {
        CommandGroup expected = CommandGroup::kSelection;
        if (n == 48 || n == 49 || n == 52) {
            expected = CommandGroup::kVolume;
        } else if (n == 50 || (n >= 53 && n <= 66) || n == 78 || n == 79) {
            expected = CommandGroup::kParameter;
        }
        EXPECT_EQ(CommandGroupOf(n), expected) << n;
    }
}

TEST(CommandTable, RowsCarryWhatSendsThem) {
    EXPECT_TRUE(CommandTableRow(0)->sentFor.empty());
    EXPECT_EQ(CommandTableRow(1)->sentFor, "main zone \"Mute\" check box: value 0 or 1");
    // Marked in the row itself.
    EXPECT_TRUE(CommandTableRow(12)->sentByDownload);
    EXPECT_TRUE(CommandTableRow(2)->sentByUpload);
    EXPECT_TRUE(CommandTableRow(20)->sentByUpload);
    EXPECT_TRUE(CommandTableRow(8)->sentByUpload);
    EXPECT_TRUE(CommandTableRow(8)->sentByDownload);
    // Sent with their image values by the download although the row names only a control.
    for (int n : {1, 6, 7, 15, 17, 25, 26, 48, 49, 53, 63, 90, 91, 95, 97}) {
        EXPECT_TRUE(CommandTableRow(n)->sentByDownload) << n;
    }
    for (int n : {0, 9, 10, 46, 47, 50, 51, 98, 104}) {
        EXPECT_FALSE(CommandTableRow(n)->sentByDownload) << n;
    }
    EXPECT_FALSE(CommandTableRow(12)->sentByUpload);
}

TEST(CommandTable, EveryCodeDecodesBackToItsCommand) {
    for (int n = 0; n < kCommandCount; ++n) {
        if (CommandGroupOf(n) != CommandGroup::kSelection) {
            continue;
        }
        for (int k = 0; k < CommandCodeCount(n); ++k) {
            const auto decoded = DecodeOperationCode(CommandCode(n, k));
            ASSERT_TRUE(decoded.has_value()) << n << "/" << k;
            // Codes that occur twice resolve to their first place.
            const auto code = std::string(CommandCode(n, k));
            if (code == "07EAB" || (n == 85 && k >= 8)) {
                continue;
            }
            EXPECT_EQ(decoded->commandNumber, n);
            EXPECT_EQ(decoded->value, k);
        }
    }
    EXPECT_EQ(DecodeOperationCode("07EAB")->commandNumber, 4);
    EXPECT_EQ(DecodeOperationCode("26806")->value, 6);
}

TEST(CommandTable, VolumeAndParameterCodesDecodeTheirValue) {
    EXPECT_EQ(DecodeOperationCode("23000")->value, 0);
    EXPECT_EQ(DecodeOperationCode("23127")->commandNumber, 49);
    EXPECT_EQ(DecodeOperationCode("23127")->value, 1);
    EXPECT_EQ(DecodeOperationCode("234FF")->value, 217);
    EXPECT_FALSE(DecodeOperationCode("23026").has_value());  // no volume step sends 38
    EXPECT_EQ(DecodeOperationCode("2400A")->commandNumber, 53);
    EXPECT_EQ(DecodeOperationCode("2400A")->value, 10);
    EXPECT_EQ(DecodeOperationCode("26215")->commandNumber, 79);
    EXPECT_EQ(DecodeOperationCode("26215")->value, 0x15);
    EXPECT_FALSE(DecodeOperationCode("2400G").has_value());
    EXPECT_FALSE(DecodeOperationCode("99999").has_value());
    EXPECT_FALSE(DecodeOperationCode("2400").has_value());
    EXPECT_FALSE(DecodeOperationCode("").has_value());
}

TEST(ExtendedFunctions, CodesAndLengthsPerFunction) {
    const char* codes[] = {"000", "001", "002", "00F", "010", "011", "012", "013", "020", "021",
                           "022", "030", "031", "032", "033", "040", "041", "042", "050"};
    for (int f = extended_function::kFirst; f <= extended_function::kLast; ++f) {
        EXPECT_EQ(ExtendedFunctionCode(f), codes[f - extended_function::kFirst]) << f;
        EXPECT_EQ(ExtendedFunctionForCode(codes[f - extended_function::kFirst]), f);
        const bool sent = f >= 260 && f != 263;
        EXPECT_EQ(IsSentExtendedFunction(f), sent) << f;
    }
    EXPECT_TRUE(ExtendedFunctionCode(255).empty());
    EXPECT_TRUE(ExtendedFunctionCode(275).empty());
    EXPECT_EQ(ExtendedFunctionForCode("0A0"), -1);
    EXPECT_EQ(ExtendedFunctionForCode("01"), -1);
    EXPECT_EQ(ExtendedFrameLength(262, 0), 0x05);
    EXPECT_EQ(ExtendedFrameLength(273, 1), 0x11);
    EXPECT_EQ(ExtendedFrameLength(263, 0), -1);
    EXPECT_EQ(ExtendedFrameLength(262, 2), -1);
    EXPECT_EQ(ExtendedFrameLength(262, -1), -1);
}

}  // namespace
}  // namespace tra1
