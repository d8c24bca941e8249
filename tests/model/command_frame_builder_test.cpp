#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "model/command_frame_builder.h"

namespace tra1 {
namespace {

const std::string kStx = "\x02";
const std::string kEtx = "\x03";

std::string Op(const std::string& code) {
    return kStx + code + kEtx;
}

// Strips the '|' that the tests use to show the fields of a frame.
std::string Fields(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c != '|') {
            out += c;
        }
    }
    return out;
}

// An extended frame from its characters after DC4 up to the last data character: the checksum is
// the sum of those bytes modulo 256 as two upper-case hexadecimal digits.
std::string Extended(const std::string& fields) {
    const std::string body = Fields(fields);
    unsigned sum = 0;
    for (unsigned char c : body) {
        sum += c;
    }
    char checksum[3];
    std::snprintf(checksum, sizeof checksum, "%02X", sum % 256);
    return "\x14" + body + checksum + kEtx;
}

class CommandFrameBuilderTest : public testing::Test {
protected:
    std::string Command(int number, int value) {
        return std::string(builder_.BuildCommandFrame(number, value));
    }
    std::string Ext(int function, int mode, int p1 = 0, int p2 = 0, int p3 = 0, int p4 = 0,
                    int p5 = 0, int p6 = 0, std::string_view text = {}) {
        return std::string(
            builder_.BuildExtendedFrame(function, mode, p1, p2, p3, p4, p5, p6, text));
    }
    // The frame is also NUL-terminated at the start of the buffer.
    std::string Buffer() const { return builder_.FrameBuffer(); }

    CommandFrameBuilder builder_;
};

TEST_F(CommandFrameBuilderTest, StatusRequestIgnoresTheValue) {
    for (int value : {0, 1, -5, 100000}) {
        EXPECT_EQ(Command(255, value), std::string("\x11") + "000" + kEtx);
    }
    EXPECT_EQ(Buffer().size(), 5u);
}

TEST_F(CommandFrameBuilderTest, SelectionGroupSendsTheCodeAtThePosition) {
    EXPECT_EQ(Command(9, 1), Op("07E7E"));
    EXPECT_EQ(Command(9, 0), Op("07E7F"));
    EXPECT_EQ(Command(4, 2 * 2), Op("07EAA"));
    EXPECT_EQ(Command(20, 37), Op("07EC3"));
    EXPECT_EQ(Command(46, 1), Op("00000"));
    EXPECT_EQ(Command(47, 0), Op("20100"));
    EXPECT_EQ(Command(51, 0), Op("23300"));
    EXPECT_EQ(Command(105, 1), Op("29B01"));
    EXPECT_EQ(Buffer(), Op("29B01"));
}

TEST_F(CommandFrameBuilderTest, VolumeGroupSendsStepPlus38) {
    EXPECT_EQ(Command(48, 0), Op("23000"));
    EXPECT_EQ(Command(49, 0), Op("23100"));
    EXPECT_EQ(Command(49, 1), Op("23127"));
    EXPECT_EQ(Command(48, 194), Op("230E8"));
    EXPECT_EQ(Command(52, 217), Op("234FF"));
    EXPECT_EQ(Command(52, 218), Op("23400"));
    EXPECT_EQ(Command(48, 100000), Op("23000"));
    EXPECT_EQ(Command(48, -1), Op("23025"));
    EXPECT_EQ(Command(48, -100), Op("23000"));
}

TEST_F(CommandFrameBuilderTest, ParameterGroupSendsTheValueInHex) {
    EXPECT_EQ(Command(53, 10), Op("2400A"));
    EXPECT_EQ(Command(79, 1 * 16 + 5), Op("26215"));
    EXPECT_EQ(Command(50, 255), Op("232FF"));
    EXPECT_EQ(Command(58, 0), Op("24700"));
    EXPECT_EQ(Command(66, 0x80), Op("25280"));
    EXPECT_EQ(Command(78, 256), Op("26100"));
    EXPECT_EQ(Command(64, -3), Op("25000"));
}

TEST_F(CommandFrameBuilderTest, InvalidNumberOrPositionSendsNothingAndKeepsTheBuffer) {
    const std::string previous = Command(9, 1);
    for (int number : {-1, 106, 254, 256, 274, -100000}) {
        EXPECT_TRUE(builder_.BuildCommandFrame(number, 0).empty()) << number;
    }
    // Positions outside a selection row would read into the next row.
    EXPECT_TRUE(builder_.BuildCommandFrame(20, 38).empty());
    EXPECT_TRUE(builder_.BuildCommandFrame(0, 2).empty());
    EXPECT_TRUE(builder_.BuildCommandFrame(105, -1).empty());
    EXPECT_TRUE(builder_.BuildCommandFrame(51, 1).empty());
    EXPECT_EQ(Buffer(), previous);
}

TEST_F(CommandFrameBuilderTest, ExtendedFramesOfEveryFunctionInBothModes) {
    struct Case {
        int function, mode, p1, p2, p3, p4, p5, p6;
        const char* body;
    };
    const Case cases[] = {
        {260, 0, 1, 0x2A, 5, 0, 0, 0, "20|07|010|0|1|2A"},
        {260, 1, 1, 0x2A, 5, 0, 0, 0, "20|08|010|1|1|2A|5"},
        {262, 0, 26, 0, 0, 0, 0, 0, "20|05|012|0|A"},
        {262, 1, 3, 0x80, 0, 0, 0, 0, "20|07|012|1|3|80"},
        {264, 0, 0x12, 5, 1, 0xC8, 0, 0, "20|0B|020|0|12|05|1|C8"},
        {264, 1, 0x12, 5, 1, 0xC8, 0, 0, "20|0B|020|1|12|05|1|C8"},
        {265, 0, 0x3F, 0x29, 0, 0, 0, 0, "20|0B|021|0|3F|29|0|00"},
        {265, 1, 0x3F, 0x29, 2, 0x7B, 0, 0, "20|0B|021|1|3F|29|2|7B"},
        {266, 0, 2, 7, 0x3C, 0, 0, 0, "20|06|022|0|2|7"},
        {266, 1, 2, 7, 0x3C, 0, 0, 0, "20|08|022|1|2|7|3C"},
        {267, 0, 0xB, 0xC, 0, 0, 0, 0, "20|06|030|0|B|C"},
        {267, 1, 0xB, 0xC, 0x11, 0, 0, 0, "20|08|030|1|B|C|11"},
        {268, 0, 1, 4, 0x10, 0x20, 0x30, 0x40, "20|05|031|0|1"},
        {268, 1, 1, 4, 0x10, 0x20, 0x30, 0x40, "20|0E|031|1|1|4|10|20|30|40"},
        {269, 0, 3, 0x7F, 0, 0, 0, 0, "20|05|032|0|3"},
        {269, 1, 3, 0x7F, 0, 0, 0, 0, "20|07|032|1|3|7F"},
        {270, 0, 1, 2, 9, 0xAB, 0, 0, "20|06|033|0|1|2"},
        {270, 1, 1, 2, 9, 0xAB, 0, 0, "20|09|033|1|1|2|9|AB"},
        {271, 0, 1, 2, 3, 1, 0, 0, "20|07|040|0|1|2|3"},
        {271, 1, 1, 2, 3, 1, 0, 0, "20|08|040|1|1|2|3|1"},
        {272, 0, 4, 1, 0x123, 0, 0, 0, "20|05|041|0|4"},
        {272, 1, 4, 1, 0x123, 0, 0, 0, "20|09|041|1|4|1|123"},
        {273, 0, 2, 1, 2, 3, 4, 5, "20|05|042|0|2"},
        {273, 1, 2, 1, 2, 3, 4, 0xFE, "20|11|042|1|2|01|02|03|04|FE|00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.function) + " mode " + std::to_string(c.mode));
        const std::string body = Fields(c.body);
        const std::string frame = Ext(c.function, c.mode, c.p1, c.p2, c.p3, c.p4, c.p5, c.p6);
        EXPECT_EQ(frame, Extended(body));
        // LL counts the characters from the function code to the end of the data.
        EXPECT_EQ(std::stoi(body.substr(2, 2), nullptr, 16), static_cast<int>(body.size()) - 4);
        EXPECT_EQ(Buffer(), frame);
    }
}

TEST_F(CommandFrameBuilderTest, ExtendedFrameExampleOfTheInputTrimRequest) {
    const std::string frame = Ext(262, 0, 26);
    const unsigned sum = '2' + '0' + '0' + '5' + '0' + '1' + '2' + '0' + 'A';
    char checksum[3];
    std::snprintf(checksum, sizeof checksum, "%02X", sum % 256);
    EXPECT_EQ(frame, std::string("\x14") + "20050120A" + checksum + "\x03");
    EXPECT_EQ(frame.size(), 13u);
}

TEST_F(CommandFrameBuilderTest, IoAssignRowsTravelInTheReceiversOrder) {
    const char digits[] = {'3', '1', '2', '0', '0', '0'};
    const int rows[] = {0, 1, 2, 3, 4, -1};
    for (int i = 0; i < 6; ++i) {
        const std::string frame = Ext(260, 0, rows[i], 0);
        EXPECT_EQ(frame, Extended(std::string("20070100") + digits[i] + "00")) << rows[i];
    }
}

TEST_F(CommandFrameBuilderTest, InputNameIsPaddedOrCutToEightCharacters) {
    EXPECT_EQ(Ext(261, 1, 3, 0, 0, 0, 0, 0, "DVD"), Extended("20|11|011|1|0|03|08|DVD     "));
    EXPECT_EQ(Ext(261, 0, 12, 0, 0, 0, 0, 0, {}), Extended("20|11|011|0|0|0C|08|        "));
    const std::string longName(1000, 'Q');
    EXPECT_EQ(Ext(261, 1, 1, 0, 0, 0, 0, 0, longName), Extended("20|11|011|1|0|01|08|QQQQQQQQ"));
    // Only the characters before a NUL belong to the text.
    EXPECT_EQ(Ext(261, 1, 1, 0, 0, 0, 0, 0, std::string_view("AB\0CDEF", 7)),
              Extended("20|11|011|1|0|01|08|AB      "));
}

TEST_F(CommandFrameBuilderTest, FrequencyTextIsSixCharacters) {
    EXPECT_EQ(Ext(274, 0, 1, 2, 0, 0, 0, 0, "xxxxxx"), Extended("20|0D|050|0|1|2|0|xxxxxx"));
    EXPECT_EQ(Ext(274, 1, 0, 5, 1, 0, 0, 0, "087500"), Extended("20|0D|050|1|0|5|1|087500"));
    EXPECT_EQ(Ext(274, 1, 0, 5, 1, 0, 0, 0, std::string(300, '9')),
              Extended("20|0D|050|1|0|5|1|999999"));
    EXPECT_EQ(Ext(274, 1, 0, 5, 1, 0, 0, 0, "87"), Extended("20|0D|050|1|0|5|1|87    "));
}

TEST_F(CommandFrameBuilderTest, UnsentFunctionsAndUnknownModesGiveNothing) {
    const std::string previous = Ext(269, 0, 1);
    for (int function : {255, 256, 257, 258, 259, 263, 275, -1}) {
        EXPECT_TRUE(builder_.BuildExtendedFrame(function, 0).empty()) << function;
        EXPECT_TRUE(builder_.BuildExtendedFrame(function, 1).empty()) << function;
    }
    EXPECT_TRUE(builder_.BuildExtendedFrame(262, 2).empty());
    EXPECT_TRUE(builder_.BuildExtendedFrame(262, -1).empty());
    EXPECT_EQ(Buffer(), previous);
}

TEST_F(CommandFrameBuilderTest, OutOfRangeParametersKeepTheFrameLength) {
    // Values that do not fit their field fall back to zeros instead of widening the frame.
    EXPECT_EQ(Ext(273, 1, 99, -1, 256, 70000, -70000, 255),
              Extended("20|11|042|1|0|00|00|00|00|FF|00"));
    EXPECT_EQ(Ext(272, 1, 16, -2, -0x12345), Extended("20|09|041|1|0|0|345"));
    // The input-trim index keeps only its low digit.
    EXPECT_EQ(Ext(262, 0, 0x1F), Extended("20|05|012|0|F"));
}

TEST_F(CommandFrameBuilderTest, ExtendedFrameFollowsAShorterPreviousFrameCleanly) {
    Ext(261, 1, 1, 0, 0, 0, 0, 0, "LONGNAME");
    const std::string frame = Ext(269, 0, 1);
    EXPECT_EQ(Buffer(), frame);
    EXPECT_EQ(Command(9, 1), Op("07E7E"));
    EXPECT_EQ(Buffer(), Op("07E7E"));
}

}  // namespace
}  // namespace tra1
