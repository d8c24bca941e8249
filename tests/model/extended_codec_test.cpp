#include "model/extended_codec.h"

#include <gtest/gtest.h>

#include <string>

#include "model/command_table.h"
#include "model/extended_places.h"
#include "model/hex_codes.h"

namespace tra1 {
namespace {

namespace ef = extended_function;

// The LL of each sent function: request, write, accepted reply.
struct Lengths {
    int function;
    int request;
    int write;
    int reply;
};
constexpr Lengths kLengths[] = {
    {ef::kIoAssign, 0x07, 0x08, 8},      {ef::kInputName, 0x11, 0x11, 17},
    {ef::kInputTrim, 0x05, 0x07, 7},     {ef::kDspParameterRequest, 0x0B, 0x0B, 11},
    {ef::kDspParameter, 0x0B, 0x0B, 11}, {ef::kEqBandRequest, 0x06, 0x08, 8},
    {ef::kEqBand, 0x06, 0x08, 8},        {ef::kCinemaEq, 0x05, 0x0E, 14},
    {ef::kEqOption, 0x05, 0x07, 6},      {ef::kTone, 0x06, 0x09, 9},
    {ef::kDcTrigger, 0x07, 0x08, 8},     {ef::kSpeakerDistance, 0x05, 0x09, 9},
    {ef::kPictureMode, 0x05, 0x11, 15},  {ef::kTunerPreset, 0x0D, 0x0D, 13},
};

TEST(ExtendedCodecTest, FrameAndReplyLengthsFollowFromTheFields) {
    for (const Lengths& l : kLengths) {
        const ExtendedCodec* codec = FindExtendedCodec(l.function);
        ASSERT_NE(codec, nullptr) << l.function;
        EXPECT_EQ(ExtendedFrameLength(l.function, ef::kRequest), l.request) << l.function;
        EXPECT_EQ(ExtendedFrameLength(l.function, ef::kWrite), l.write) << l.function;
        EXPECT_EQ(ExtendedReplyLength(*codec), l.reply) << l.function;
    }
    for (const int unsent :
         {ef::kUnused000, ef::kUnused001, ef::kUnused002, ef::kUnused00F, ef::kUnused013}) {
        EXPECT_FALSE(IsSentExtendedFunction(unsent)) << unsent;
        EXPECT_EQ(ExtendedFrameLength(unsent, ef::kRequest), -1);
    }
    EXPECT_EQ(FindExtendedCodec(ef::kFirst - 1), nullptr);
    EXPECT_EQ(FindExtendedCodec(ef::kLast + 1), nullptr);
}

// What a write encodes, the reply's field positions read back: the encoder and the positions
// the decoder reads can never drift apart.
TEST(ExtendedCodecTest, ReplyPositionsReadBackWhatTheEncoderWrote) {
    const ExtendedParameters p{3, 9, 7, 11, 5, 13};
    for (int function = ef::kFirst; function <= ef::kLast; ++function) {
        const ExtendedCodec* codec = FindExtendedCodec(function);
        if (!codec->Sent()) {
            continue;
        }
        const ExtendedData reply = EncodeExtendedData(*codec, ExtendedPart::kReply, p, "ABCDEFGH");
        EXPECT_EQ(reply.size, codec->DataLength(ExtendedPart::kReply)) << function;
        for (const ExtendedField& field : codec->fields) {
            if (field.parameter < 0 || field.coding == FieldCoding::kIoRowDigit) {
                continue;
            }
            const auto spot = ParameterSpot(*codec, ExtendedPart::kReply, field.parameter);
            ASSERT_TRUE(spot.has_value()) << function;
            const std::string digits(reply.View().substr(spot->offset, spot->width));
            EXPECT_EQ(std::stoi(digits, nullptr, 16),
                      p.at(static_cast<std::size_t>(field.parameter)))
                << function << " p" << field.parameter + 1;
        }
    }
}

TEST(ExtendedCodecTest, WritesCarryTheirWriteOnlyFieldsAndRequestsDoNot) {
    const ExtendedCodec& tone = *FindExtendedCodec(ef::kTone);
    EXPECT_EQ(EncodeExtendedData(tone, ExtendedPart::kRequest, {1, 0, 2, 0x1F}, {}).View(), "10");
    EXPECT_EQ(EncodeExtendedData(tone, ExtendedPart::kWrite, {1, 0, 2, 0x1F}, {}).View(), "1021F");
    // The picture-mode write ends in a zero pad that the reply leaves out.
    const ExtendedCodec& picture = *FindExtendedCodec(ef::kPictureMode);
    EXPECT_EQ(EncodeExtendedData(picture, ExtendedPart::kWrite, {2, 1, 2, 3, 4, 5}, {}).View(),
              "2010203040500");
    EXPECT_EQ(EncodeExtendedData(picture, ExtendedPart::kReply, {2, 1, 2, 3, 4, 5}, {}).View(),
              "20102030405");
    // Texts are cut at a NUL and to their width, and padded with blanks.
    const ExtendedCodec& name = *FindExtendedCodec(ef::kInputName);
    EXPECT_EQ(
        EncodeExtendedData(name, ExtendedPart::kWrite, {5}, std::string_view("DVD\0X", 5)).View(),
        "00508DVD     ");
    EXPECT_EQ(EncodeExtendedData(name, ExtendedPart::kWrite, {5}, "LONGNAME123").View(),
              "00508LONGNAME");
}

TEST(ExtendedCodecTest, ConnectorRowsTravelAsTheirOwnInverseNumbering) {
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(IoRowOfDigit(IoRowDigit(row)), row);
    }
    EXPECT_EQ(IoRowDigit(0), 3);
    EXPECT_EQ(IoRowDigit(4), 0);
    EXPECT_EQ(IoRowDigit(-1), 0);
    EXPECT_FALSE(IoRowOfDigit(4).has_value());
    EXPECT_FALSE(IoRowOfDigit(-1).has_value());
}

TEST(ExtendedPlaceTest, EveryPlaceStaysInsideItsBlock) {
    EXPECT_EQ(extended_place::IoAssign(3, 15), 63u);
    EXPECT_FALSE(extended_place::IoAssign(4, 0));
    EXPECT_FALSE(extended_place::IoAssign(0, 16));
    EXPECT_EQ(extended_place::EqBand(9, 12), 129u);
    EXPECT_FALSE(extended_place::EqBand(10, 0));
    EXPECT_FALSE(extended_place::EqBand(0, 13));
    EXPECT_EQ(extended_place::CinemaEqRecord(3), 147u);
    EXPECT_FALSE(extended_place::CinemaEqRecord(4));
    EXPECT_EQ(extended_place::EqOption(1), 131u);
    EXPECT_FALSE(extended_place::EqOption(2));
    EXPECT_EQ(extended_place::TonePair(1, 1), 6u);
    EXPECT_FALSE(extended_place::TonePair(2, 0));
    EXPECT_EQ(extended_place::DcTriggerItem(2, 15), 48u);
    EXPECT_EQ(extended_place::DcTriggerItem(7, extended_place::kDcTriggerMultiChannelItem), 49u);
    EXPECT_FALSE(extended_place::DcTriggerItem(3, 0));
    EXPECT_EQ(extended_place::PictureModeRecord(2), 30u);
    EXPECT_FALSE(extended_place::PictureModeRecord(3));
    EXPECT_FALSE(extended_place::TunerEntry(6, 1));
    EXPECT_FALSE(extended_place::TunerEntry(1, 0));
    EXPECT_FALSE(extended_place::TunerEntry(1, 9));
    for (int entry = 0; entry <= 40; ++entry) {
        const auto slot = extended_place::TunerSlotOf(entry);
        EXPECT_EQ(extended_place::TunerEntry(slot.page, slot.number), entry);
    }
}

}  // namespace
}  // namespace tra1
