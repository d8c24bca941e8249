#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "link/extended_decoder.h"
#include "link/link_state.h"
#include "model/receiver_image.h"
#include "tests/link/decode_test_support.h"

namespace tra1 {
namespace {

using test::ExtendedBody;
using test::Hex;

class ExtendedDecodeTest : public ::testing::Test {
protected:
    ExtendedDecodeTest() {
        state_.echoGuard = 0;
        state_.realtimeMode = true;
    }

    ExtendedOutcome Decode(std::string_view code, std::string_view data, char status = '0') {
        return decoder_.DecodeExtended(ExtendedBody(code, data, status));
    }

    ReceiverImage image_;
    LinkState state_;
    test::RecordingHost host_;
    ExtendedDecoder decoder_{image_, state_, host_};
};

TEST_F(ExtendedDecodeTest, IoAssignRowsAreRenumbered) {
    // Receiver rows 0, 1, 2, 3 are the image's rows 3, 1, 2, 0.
    const std::size_t imageRow[] = {3, 1, 2, 0};
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(Decode(test::kIoAssignCode, Hex(row, 1) + "05" + Hex(row + 6, 1)),
                  ExtendedOutcome::kStored);
        EXPECT_EQ(image_.IoAssignTable[imageRow[row] * 16 + 5], row + 6) << row;
    }
    // Value 13: as the row's first jack.
    image_.IoAssignTable[16 * 3] = 9;
    EXPECT_EQ(Decode(test::kIoAssignCode, "002D"), ExtendedOutcome::kStored);
    EXPECT_EQ(image_.IoAssignTable[16 * 3 + 2], 9);
}

TEST_F(ExtendedDecodeTest, InputNamesTakeEightCharactersAndAZero) {
    image_.InputNames[5 * 9 + 8] = 'x';
    EXPECT_EQ(Decode(test::kInputNameCode, "0" + Hex(5, 2) + "08" + "DVD 2   "),
              ExtendedOutcome::kStored);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&image_.InputNames[45]), 9),
              std::string("DVD 2   \0", 9));

    // Inputs past the named ones go to the multi-channel entry; entries 14 and 15 stay.
    EXPECT_EQ(Decode(test::kInputNameCode, "0" + Hex(15, 2) + "08" + "MULTI 6C"),
              ExtendedOutcome::kStored);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&image_.InputNames[13 * 9]), 8),
              "MULTI 6C");
    for (std::size_t i = 14 * 9; i < 144; ++i) {
        EXPECT_EQ(image_.InputNames[i], 0) << i;
    }
}

TEST_F(ExtendedDecodeTest, InputTrimAndOptionsAndTone) {
    EXPECT_EQ(Decode(test::kInputTrimCode, "D0E"), ExtendedOutcome::kStored);
    EXPECT_EQ(image_.InputTrims[13], 14);

    EXPECT_EQ(Decode(test::kEqOptionCode, "10C"), ExtendedOutcome::kStored);
    EXPECT_EQ(image_.EqSettings[131], 12);
    EXPECT_EQ(Decode(test::kEqOptionCode, "009"), ExtendedOutcome::kStored);
    EXPECT_EQ(image_.EqSettings[130], 9);

    // Headphone treble: a = 1, b = 1 -> bytes 6 and 7.
    EXPECT_EQ(Decode(test::kToneCode, "11210"), ExtendedOutcome::kStored);
    EXPECT_EQ(image_.ToneSettings[6], 2);
    EXPECT_EQ(image_.ToneSettings[7], 0x10);
    EXPECT_EQ(Decode(test::kToneCode, "0111A"), ExtendedOutcome::kStored);
    EXPECT_EQ(image_.ToneSettings[2], 1);
    EXPECT_EQ(image_.ToneSettings[3], 0x1A);
}

TEST_F(ExtendedDecodeTest, GraphicAndCinemaEq) {
    EXPECT_EQ(Decode(test::kEqBandCode, "0018"), ExtendedOutcome::kStored);
    EXPECT_EQ(image_.EqSettings[0], 0x18);
    EXPECT_EQ(Decode(test::kEqBandCode, "9C05"), ExtendedOutcome::kStored);
    EXPECT_EQ(image_.EqSettings[9 * 13 + 12], 5);

    EXPECT_EQ(Decode(test::kCinemaEqCode, "310F120B0E"), ExtendedOutcome::kStored);
    const std::uint8_t expected[] = {1, 0x0F, 0x12, 0x0B, 0x0E};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(image_.EqSettings[132 + 15 + i], expected[i]) << i;
    }
}

TEST_F(ExtendedDecodeTest, DcTriggerRowsAndTheMultiChannelByte) {
    image_.DcTrigger1.fill(1);
    image_.DcTrigger2.fill(1);
    EXPECT_EQ(Decode(test::kDcTriggerCode, "0150"), ExtendedOutcome::kStored);
    EXPECT_EQ(image_.DcTrigger1[1 + 16 + 5], 0);
    EXPECT_EQ(Decode(test::kDcTriggerCode, "102F0"), ExtendedOutcome::kWrongLength);
    EXPECT_EQ(Decode(test::kDcTriggerCode, "12F0"), ExtendedOutcome::kStored);
    EXPECT_EQ(image_.DcTrigger2[1 + 32 + 15], 0);
    // Item 13 is the trigger's last byte, whatever the zone digit.
    EXPECT_EQ(Decode(test::kDcTriggerCode, "19D0"), ExtendedOutcome::kStored);
    EXPECT_EQ(image_.DcTrigger2[49], 0);
    int cleared = 0;
    for (auto b : image_.DcTrigger1)
        cleared += b == 0;
    for (auto b : image_.DcTrigger2)
        cleared += b == 0;
    EXPECT_EQ(cleared, 3);
}

TEST_F(ExtendedDecodeTest, DistancesAndPictureModes) {
    EXPECT_EQ(Decode(test::kDistanceCode, "210C8"), ExtendedOutcome::kStored);
    EXPECT_EQ(image_.SpeakerDistances[2], 200);
    EXPECT_EQ(image_.SpeakerDistances[15], 1);
    EXPECT_EQ(Decode(test::kDistanceCode, "B0FFF"), ExtendedOutcome::kStored);
    EXPECT_EQ(image_.SpeakerDistances[11], 4095);
    EXPECT_EQ(image_.SpeakerDistances[15], 0);

    EXPECT_EQ(Decode(test::kPictureModeCode, "20A0B0C0D0E"), ExtendedOutcome::kStored);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(image_.PictureModeAdjust[30 + i], 10 + i) << i;
    }
    EXPECT_EQ(image_.PictureModeAdjust[35], 0);
}

TEST_F(ExtendedDecodeTest, TunerPresetsFromTheFrequencyText) {
    EXPECT_EQ(Decode(test::kTunerCode, "001087.50"), ExtendedOutcome::kStored);
    EXPECT_EQ(image_.TunerPresets[0], 1);
    EXPECT_EQ(image_.TunerPresets[1], static_cast<int>((107.9 - 87.5) / 0.2));
    EXPECT_EQ(image_.TunerPresets[1], 102);

    // Page 3, number 4 is entry 8 x 2 + 4 = 20.
    EXPECT_EQ(Decode(test::kTunerCode, "340000530"), ExtendedOutcome::kStored);
    EXPECT_EQ(image_.TunerPresets[40], 0);
    EXPECT_EQ(image_.TunerPresets[41], 118);
    // Page 5, number 8 is the last entry.
    EXPECT_EQ(Decode(test::kTunerCode, "581107.90"), ExtendedOutcome::kStored);
    EXPECT_EQ(image_.TunerPresets[80], 1);
    EXPECT_EQ(image_.TunerPresets[81], 0);
}

TEST_F(ExtendedDecodeTest, DspParametersAndTheirSubFields) {
    struct Case {
        int code;
        int parameter;
        int subDigit;
        int value;
        int program;
        int slot;
        int stored;
    };
    const Case cases[] = {
        {57, 0, 1, 33, 5, 0, 33},    {0, 4, 1, 7, 0, 4, 7},     {0, 4, 3, 8, 0, 30, 8},
        {0, 4, 4, 9, 0, 30, 9},      {1, 5, 1, 20, 1, 32, 20},  {1, 5, 2, 21, 1, 33, 21},
        {1, 5, 4, 22, 1, 33, 22},    {1, 5, 6, 23, 1, 34, 23},  {1, 5, 7, 24, 1, 34, 24},
        {2, 6, 1, 11, 2, 35, 11},    {2, 6, 3, 12, 2, 36, 12},  {2, 6, 7, 13, 2, 37, 13},
        {4, 7, 1, 1, 3, 38, 1},      {4, 7, 2, 2, 3, 39, 2},    {4, 7, 6, 3, 3, 40, 3},
        {44, 27, 1, 6, 32, 41, 6},   {45, 27, 1, 0, 33, 27, 0}, {45, 27, 1, 3, 33, 27, 1},
        {45, 27, 1, 5, 33, 27, 2},   {45, 27, 1, 8, 33, 27, 3}, {45, 27, 1, 9, 33, 27, 9},
        {53, 41, 1, 99, 34, 41, 99}, {52, 10, 7, 5, 35, 10, 5}, {55, 29, 1, 1, 37, 29, 1},
    };
    for (const Case& c : cases) {
        const std::string data =
            Hex(c.code, 2) + Hex(c.parameter, 2) + Hex(c.subDigit, 1) + Hex(c.value, 2);
        ASSERT_EQ(Decode(test::kDspParameterCode, data), ExtendedOutcome::kStored) << data;
        EXPECT_EQ(image_.DspParameterTable[static_cast<std::size_t>(c.program * 42 + c.slot)],
                  c.stored)
            << data;
    }
}

TEST_F(ExtendedDecodeTest, DspSubDigitZeroFollowsTheReportedDecoder) {
    struct Case {
        int decoderState;
        int inputMode;
        int slot;  // of parameter 6: 35 (w 1), 36 (w 2..4), 37 (w 6..7); -1 nothing
    };
    const Case cases[] = {{3, 0, 36},  {5, 0, 36}, {6, 0, 37},  {7, 0, 36},  {8, 0, 37},
                          {11, 0, 37}, {9, 1, 36}, {10, 1, 36}, {9, 0, 35},  {10, 2, 35},
                          {12, 0, 36}, {0, 0, 35}, {13, 0, 35}, {14, 0, -1}, {200, 0, -1}};
    for (const Case& c : cases) {
        image_.DspParameterTable.fill(0);
        image_.MainZoneState[main_zone::kReported16] = static_cast<std::uint8_t>(c.decoderState);
        image_.MainZoneState[main_zone::kInputMode] = static_cast<std::uint8_t>(c.inputMode);
        const ExtendedOutcome outcome = Decode(test::kDspParameterCode, "0106077");
        if (c.slot < 0) {
            EXPECT_EQ(outcome, ExtendedOutcome::kOutOfRange) << c.decoderState;
            continue;
        }
        EXPECT_EQ(outcome, ExtendedOutcome::kStored) << c.decoderState;
        EXPECT_EQ(image_.DspParameterTable[static_cast<std::size_t>(42 + c.slot)], 0x77)
            << c.decoderState;
    }
    // Parameter 4 with a derived sub-digit 4 goes to its DD field.
    image_.MainZoneState[main_zone::kReported16] = 3;
    EXPECT_EQ(Decode(test::kDspParameterCode, "0104005"), ExtendedOutcome::kStored);
    EXPECT_EQ(image_.DspParameterTable[42 + 30], 5);
}

// Replies whose record, row, band, entry, program or parameter lies outside its block store
// nothing at all.
TEST_F(ExtendedDecodeTest, OutOfRangeRepliesStoreNothing) {
    struct Case {
        std::string_view code;
        std::string data;
    };
    const Case cases[] = {
        {test::kIoAssignCode, "4053"},            // connector row 4
        {test::kIoAssignCode, "0103"},            // jack position 16
        {test::kIoAssignCode, "1FF3"},            // jack position 255
        {test::kDspParameterCode, "0300011"},     // program code 3 is no program
        {test::kDspParameterCode, "FF00011"},     // program code 255
        {test::kDspParameterCode, "002A111"},     // parameter 42
        {test::kDspParameterCode, "00FF111"},     // parameter 255
        {test::kDspParameterCode, "0105511"},     // parameter 5 has no field for w = 5
        {test::kDspParameterCode, "0106811"},     // parameter 6, w = 8
        {test::kDspParameterCode, "010701F"},     // parameter 7, w = 15
        {test::kEqBandCode, "0D0C"},              // band 13
        {test::kEqBandCode, "2F0C"},              // band 15
        {test::kEqBandCode, "100C"},              // record 1 is not reported
        {test::kEqBandCode, "A00C"},              // record 10
        {test::kCinemaEqCode, "4112121212"},      // CINEMA EQ record 4
        {test::kCinemaEqCode, "F112121212"},      // record 15
        {test::kEqOptionCode, "20C"},             // option 2 would land in CINEMA EQ
        {test::kToneCode, "20112"},               // tone pair a = 2
        {test::kToneCode, "02112"},               // tone pair b = 2
        {test::kDcTriggerCode, "2000"},           // trigger 2
        {test::kDcTriggerCode, "0300"},           // zone row 3: byte 49 and beyond
        {test::kDcTriggerCode, "0F00"},           // zone row 15
        {test::kPictureModeCode, "30A0B0C0D0E"},  // picture mode record 3
        {test::kTunerCode, "601087.50"},          // tuner page 6
        {test::kTunerCode, "F81087.50"},          // tuner page 15
        {test::kTunerCode, "101087.50"},          // number 0 on a preset page
        {test::kTunerCode, "191087.50"},          // number 9
        {test::kTunerCode, "112087.50"},          // band 2
        {test::kTunerCode, "111087,50"},          // not ddd.dd
        {test::kTunerCode, "11100 530"},          // not six decimal digits
        {test::kTunerCode, "110009999"},          // AM step below 0
        {test::kTunerCode, "111000.00"},          // FM step above 255
    };
    for (const Case& c : cases) {
        ReceiverImage before;
        before.MainZoneState[main_zone::kReported16] = 40;
        image_ = before;
        EXPECT_EQ(Decode(c.code, c.data), ExtendedOutcome::kOutOfRange) << c.code << " " << c.data;
        EXPECT_EQ(test::AllBytes(image_), test::AllBytes(before)) << c.code << " " << c.data;
    }
}

TEST_F(ExtendedDecodeTest, WrongLengthStatusAndModeKeepTheImage) {
    const ReceiverImage before = image_;
    // LL one short of the function's, and a body shorter than its own LL.
    EXPECT_EQ(decoder_.DecodeExtended(test::ExtendedBodyWithLength(7, test::kEqBandCode, "0018")),
              ExtendedOutcome::kWrongLength);
    EXPECT_EQ(decoder_.DecodeExtended(test::WithChecksum("20080300")),
              ExtendedOutcome::kWrongLength);
    EXPECT_EQ(host_.refreshes, 2);  // the refresh follows the decode step whatever LL was

    EXPECT_EQ(decoder_.DecodeExtended(ExtendedBody(test::kEqBandCode, "0018", '1')),
              ExtendedOutcome::kNotDecoded);
    state_.realtimeMode = false;
    EXPECT_EQ(Decode(test::kEqBandCode, "0018"), ExtendedOutcome::kNotDecoded);
    EXPECT_EQ(host_.refreshes, 2);
    EXPECT_EQ(test::AllBytes(image_), test::AllBytes(before));

    // A download's replies answer its writes: they end the wait but store nothing.
    state_.downloadInProgress = 4;
    state_.awaitedFunction = extended_function::kEqBand;
    EXPECT_EQ(Decode(test::kEqBandCode, "0018"), ExtendedOutcome::kNotDecoded);
    EXPECT_EQ(state_.awaitedFunction, LinkState::kNone);
    EXPECT_EQ(test::AllBytes(image_), test::AllBytes(before));
    state_.downloadInProgress = 0;
    state_.uploadInProgress = 4;
    EXPECT_EQ(Decode(test::kEqBandCode, "0019"), ExtendedOutcome::kStored);
    EXPECT_EQ(image_.EqSettings[0], 0x19);
}

// A reply of no known function, or too short to have a status digit, stores nothing and ends
// no wait; it still runs the closing steps: it ends the echo guard (and resets the receiver)
// and, accepted in realtime mode, refreshes the windows.
TEST_F(ExtendedDecodeTest, UnknownFunctionsAndShortRepliesStillRunTheClosingSteps) {
    state_.awaitedFunction = 256;
    const ReceiverImage before = image_;
    EXPECT_EQ(Decode("0FF", "0018"), ExtendedOutcome::kUnknownFunction);
    EXPECT_EQ(host_.refreshes, 1);
    EXPECT_EQ(Decode("0FF", "0018", '3'), ExtendedOutcome::kUnknownFunction);
    EXPECT_EQ(host_.refreshes, 1);  // refused: nothing to refresh for

    state_.echoGuard = 1;
    EXPECT_EQ(Decode("0FF", "0018"), ExtendedOutcome::kEcho);
    EXPECT_EQ(state_.echoGuard, 0);
    EXPECT_EQ(host_.receiverResets, 1);
    const std::string shortBody = test::WithChecksum("2004");
    state_.echoGuard = 1;
    EXPECT_EQ(decoder_.DecodeExtended(shortBody), ExtendedOutcome::kEcho);
    EXPECT_EQ(state_.echoGuard, 0);
    EXPECT_EQ(host_.receiverResets, 2);
    EXPECT_EQ(decoder_.DecodeExtended(shortBody), ExtendedOutcome::kUnknownFunction);
    EXPECT_EQ(host_.refreshes, 1);  // no status digit: not an accepted reply

    EXPECT_EQ(state_.awaitedFunction, 256);
    EXPECT_EQ(test::AllBytes(image_), test::AllBytes(before));
    ASSERT_EQ(host_.log.size(), 5u);
    EXPECT_EQ(host_.log[0], "(TR-X) EX  " + ExtendedBody("0FF", "0018") + "\r\n");
    EXPECT_EQ(host_.log[3], "(TR-X) EX  " + shortBody + "\r\n");
}

// Once a reply of the connection has matched its checksum, a reply that does not is dropped
// whole: logged, nothing stored, no wait ended, the echo guard kept. Until then replies are
// taken unchecked and the log says so once.
TEST_F(ExtendedDecodeTest, RepliesWhoseChecksumIsWrongAreDroppedOnceOneHasMatched) {
    std::string wrong = ExtendedBody(test::kEqBandCode, "0318");
    wrong.back() = wrong.back() == '0' ? '1' : '0';

    // A receiver that computes the checksum otherwise is still heard.
    EXPECT_EQ(decoder_.DecodeExtended(wrong), ExtendedOutcome::kStored);
    EXPECT_EQ(image_.EqSettings[3], 0x18);
    EXPECT_EQ(decoder_.DecodeExtended(wrong), ExtendedOutcome::kStored);
    ASSERT_EQ(host_.log.size(), 3u);
    EXPECT_EQ(host_.log[0],
              "Extended replies: no checksum has matched yet on this connection; replies are "
              "taken unchecked until one does.\r\n");
    EXPECT_FALSE(state_.checksumsMatched);

    // One reply matches: from now on the checksum counts.
    EXPECT_EQ(Decode(test::kEqBandCode, "0420"), ExtendedOutcome::kStored);
    EXPECT_TRUE(state_.checksumsMatched);
    image_.EqSettings[3] = 0;
    state_.awaitedFunction = 267;
    state_.echoGuard = 1;
    const int refreshes = host_.refreshes;
    EXPECT_EQ(decoder_.DecodeExtended(wrong), ExtendedOutcome::kBadChecksum);
    EXPECT_EQ(image_.EqSettings[3], 0);
    EXPECT_EQ(state_.awaitedFunction, 267);
    EXPECT_EQ(state_.echoGuard, 1);
    EXPECT_EQ(host_.receiverResets, 0);
    EXPECT_EQ(host_.refreshes, refreshes);
    EXPECT_EQ(host_.log.back(), "(TR-X) EX  " + wrong + "  -- checksum wrong, dropped\r\n");
    // Lower-case checksum digits are the same checksum.
    std::string lower = ExtendedBody(test::kEqBandCode, "0318");
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    state_.echoGuard = 0;
    EXPECT_EQ(decoder_.DecodeExtended(lower), ExtendedOutcome::kStored);
    EXPECT_EQ(image_.EqSettings[3], 0x18);
}

// An upload request refused (damaged on its way) ends the wait and steps the upload back, so
// that the step asks again at once; after a few refusals in a row the upload goes on.
TEST_F(ExtendedDecodeTest, ARefusedUploadRequestIsAskedForAgainAFewTimes) {
    state_.realtimeMode = false;
    state_.uploadInProgress = 100;
    for (int i = 0; i < LinkState::kUploadRefusalRepeats; ++i) {
        state_.awaitedFunction = 267;
        EXPECT_EQ(Decode(test::kEqBandCode, "", '1'), ExtendedOutcome::kNotDecoded);
        EXPECT_EQ(state_.awaitedFunction, -1);
        EXPECT_EQ(state_.uploadInProgress, 99 - i);
    }
    state_.awaitedFunction = 267;
    Decode(test::kEqBandCode, "", '1');
    EXPECT_EQ(state_.uploadInProgress, 100 - LinkState::kUploadRefusalRepeats);
    // An accepted reply starts the count afresh.
    state_.awaitedFunction = 267;
    Decode(test::kEqBandCode, "0318");
    state_.awaitedFunction = 267;
    Decode(test::kEqBandCode, "", '1');
    EXPECT_EQ(state_.uploadInProgress, 99 - LinkState::kUploadRefusalRepeats);
}

// Only a reply of the function's exact length whose numeric fields are digits is stored.
TEST_F(ExtendedDecodeTest, RepliesOfAnotherLengthOrWithDamagedDigitsStoreNothing) {
    const ReceiverImage before = image_;
    // Eight data characters too many, one too few (LL still claiming the right length).
    EXPECT_EQ(decoder_.DecodeExtended(test::ExtendedBodyWithLength(8, test::kEqBandCode,
                                                                   "0018"
                                                                   "00000000")),
              ExtendedOutcome::kWrongLength);
    EXPECT_EQ(decoder_.DecodeExtended(test::ExtendedBodyWithLength(8, test::kEqBandCode, "001")),
              ExtendedOutcome::kWrongLength);
    for (const char* data : {"0x18", "00G8", "0 18", "001\x12"}) {
        EXPECT_EQ(Decode(test::kEqBandCode, data), ExtendedOutcome::kMalformed) << data;
    }
    // A name may hold any character.
    EXPECT_EQ(Decode(test::kInputNameCode, "0" + Hex(2, 2) + "08" + "x-G; ?!z"),
              ExtendedOutcome::kStored);
    EXPECT_EQ(Decode(test::kInputNameCode, "0" + Hex(2, 2) + "0x" + "DVD     "),
              ExtendedOutcome::kMalformed);
    image_.SetInputName(2, before.InputName(2));
    EXPECT_EQ(test::AllBytes(image_), test::AllBytes(before));
}

TEST_F(ExtendedDecodeTest, FunctionCodesNameTheirNumbers) {
    const char* codes[] = {"000", "001", "002", "00F", "010", "011", "012", "013", "020", "021",
                           "022", "030", "031", "032", "033", "040", "041", "042", "050"};
    for (int i = 0; i < 19; ++i) {
        EXPECT_EQ(ExtendedFunctionOf(codes[i]), 256 + i) << codes[i];
    }
    EXPECT_EQ(ExtendedFunctionOf("00f"), 259);
    EXPECT_EQ(ExtendedFunctionOf("051"), 0);
    EXPECT_EQ(ExtendedFunctionOf("05"), 0);
}

TEST_F(ExtendedDecodeTest, EchoGuardResetsTheReceiverAfterEndingTheWait) {
    state_.echoGuard = 1;
    state_.awaitedFunction = 267;
    state_.previousAwaitedFunction = 267;
    state_.waitingCounter = 12;
    state_.realtimeMode = false;
    state_.uploadInProgress = 1;
    EXPECT_EQ(Decode(test::kEqBandCode, "0018"), ExtendedOutcome::kEcho);
    EXPECT_EQ(state_.echoGuard, 0);
    EXPECT_EQ(host_.receiverResets, 1);
    EXPECT_EQ(state_.awaitedFunction, -1);
    EXPECT_EQ(state_.previousAwaitedFunction, -1);
    EXPECT_EQ(state_.waitingCounter, 0);
    EXPECT_EQ(image_.EqSettings[0], 0);
    EXPECT_EQ(host_.refreshes, 0);
    // The next reply is decoded again.
    EXPECT_EQ(Decode(test::kEqBandCode, "0018"), ExtendedOutcome::kStored);
}

TEST_F(ExtendedDecodeTest, RequestOnlyReplyEndsItsWait) {
    state_.awaitedFunction = 264;
    EXPECT_EQ(decoder_.DecodeExtended(test::ExtendedBodyWithLength(0x2A, "020", "")),
              ExtendedOutcome::kNoData);
    EXPECT_EQ(state_.awaitedFunction, -1);
    EXPECT_EQ(host_.refreshes, 1);
}

TEST_F(ExtendedDecodeTest, GraphicEqWaitInRealtimeModeEndsOnTheExpectedRecord) {
    state_.awaitedFunction = 267;
    state_.waitingCounter = 30;
    state_.realtimeExpectedTable = 4;
    Decode(test::kEqBandCode, "2018");  // record 2: the poll expects record 3
    EXPECT_EQ(state_.awaitedFunction, 267);
    EXPECT_EQ(state_.waitingCounter, 30);
    EXPECT_EQ(image_.EqSettings[26], 0x18);  // stored all the same

    Decode(test::kEqBandCode, "3018");
    EXPECT_EQ(state_.awaitedFunction, -1);
    EXPECT_EQ(state_.waitingCounter, 0);

    state_.awaitedFunction = 267;
    decoder_.DecodeExtended(ExtendedBody(test::kEqBandCode, "7018", '2'));  // refused
    EXPECT_EQ(state_.awaitedFunction, -1);

    // Outside realtime mode any graphic EQ reply ends the wait.
    state_.realtimeMode = false;
    state_.uploadInProgress = 1;
    state_.awaitedFunction = 267;
    Decode(test::kEqBandCode, "7018");
    EXPECT_EQ(state_.awaitedFunction, -1);
}

TEST_F(ExtendedDecodeTest, OtherFunctionsDoNotEndTheWait) {
    state_.awaitedFunction = 272;
    Decode(test::kEqBandCode, "0018");
    EXPECT_EQ(state_.awaitedFunction, 272);
    Decode(test::kDistanceCode, "210C8");
    EXPECT_EQ(state_.awaitedFunction, -1);
}

}  // namespace
}  // namespace tra1
