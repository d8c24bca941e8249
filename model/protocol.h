#pragma once
// The receiver's protocol by name: the command numbers of the operation frames, the status
// request, the extended function numbers, the control bytes that open and close every frame, the
// fixed parts of the frame layouts, and the prefixes of the protocol log. Every other file uses
// these names; the command table (command_table.h) and the extended codecs (extended_codec.h)
// hold what the numbers stand for on the line.

#include <array>
#include <cstddef>
#include <string_view>

namespace tra1 {

// Command numbers: rows of the command table. A row that a control, a change message or a
// transfer sends has a name; the rows nothing sends keep only their number in the table.
namespace command {
inline constexpr int kMainVolumeUpDown = 0;  // position 0 down, 1 up
inline constexpr int kMainMute = 1;
inline constexpr int kMainInput = 2;  // position = input
inline constexpr int kMultiChannelInput = 3;
inline constexpr int kInputMode = 4;  // position = twice the input mode
inline constexpr int kZone2VolumeUpDown = 5;
inline constexpr int kZone2Mute = 6;
inline constexpr int kZone2Input = 7;
inline constexpr int kPower = 8;          // standby 0, on 1
inline constexpr int kMainZonePower = 9;  // main zone "OFF" 0, "ON" 1
inline constexpr int kZone2Power = 10;    // zone 2 "OFF" 0, "ON" 1
inline constexpr int kOnScreen = 15;
inline constexpr int kExEs = 17;
inline constexpr int kNightMode = 18;
inline constexpr int kEffectOff = 19;  // position 0: the program without its effect
inline constexpr int kProgram = 20;    // position = program index
inline constexpr int kSpeakerA = 25;
inline constexpr int kSpeakerB = 26;
// The receiver's own memories, position = entry A..F (0..5).
inline constexpr int kHomePresetMemory = 27;
inline constexpr int kHomePresetRecall = 28;
inline constexpr int kMainVolumeMemory = 29;
inline constexpr int kMainVolumeRecall = 30;
inline constexpr int kZone2VolumeMemory = 31;
inline constexpr int kZone2VolumeRecall = 32;
inline constexpr int kDcTrigger1Mode = 35;
inline constexpr int kDcTrigger2Mode = 40;
inline constexpr int kSpeakerBSet = 44;
inline constexpr int kZone2Amp = 45;
// The two frames written whenever a port opens.
inline constexpr int kPortOpeningFirst = 46;   // sent with position 1
inline constexpr int kPortOpeningSecond = 47;  // sent with position 0
// The volume group: value = volume step.
inline constexpr int kMainVolume = 48;
inline constexpr int kZone2Volume = 49;
inline constexpr int kSpareParameter = 50;  // a parameter-group row nothing sends
inline constexpr int kSpareVolume = 52;     // a volume-group row nothing sends
// The parameter group: value = the level itself.
inline constexpr int kFirstSpeakerLevel = 53;  // 53 + SpeakerLevels byte 0..10
inline constexpr int kLastSpeakerLevel = 63;
inline constexpr int kFirstLfeLevel = 64;  // 64 + LfeDrange byte 0..1
inline constexpr int kAudioDelay = 66;
inline constexpr int kDialogLift = 69;
inline constexpr int kWallPaper = 70;
inline constexpr int kFirstVideoSetting = 71;  // 70 + VideoSettings byte 1..6
inline constexpr int kLastVideoSetting = 76;
inline constexpr int kInputModeSetting = 77;  // the INPUT MODE SET panel's setting
inline constexpr int kDimmer = 78;
inline constexpr int kOsdShift = 79;  // value = vertical * 16 + horizontal
inline constexpr int kGrayBack = 80;
inline constexpr int kFirstDynamicRange = 81;  // 81, 82 for LfeDrange bytes 2, 3
inline constexpr int kZone2Out = 83;
inline constexpr int kVideoConversion = 86;
inline constexpr int kComponentOsd = 87;
inline constexpr int kFirstSpeakerSet = 90;  // 90 + SpeakerSetup byte 0..5
inline constexpr int kSubwooferConfig = 96;  // configuration, plus 4 for a reversed phase
inline constexpr int kCrossover = 97;
inline constexpr int kTestTone = 98;   // "OFF" 0, "TEST" 1, "DSP" 2
inline constexpr int kFirstThx = 101;  // 101 + ThxSettings byte 0..2

// Not a row: the status request, answered by a configuration frame.
inline constexpr int kStatusRequest = 255;
}  // namespace command

// The command rows 0..105.
inline constexpr int kCommandCount = 106;

// Extended function numbers. Each stands for one three-character function code (see
// command_table.h) and one codec (extended_codec.h).
namespace extended_function {
inline constexpr int kUnused000 = 256;  // 256..259 and 263 have codes but are never sent
inline constexpr int kUnused001 = 257;
inline constexpr int kUnused002 = 258;
inline constexpr int kUnused00F = 259;
inline constexpr int kIoAssign = 260;   // IoAssignTable
inline constexpr int kInputName = 261;  // InputNames
inline constexpr int kInputTrim = 262;  // InputTrims
inline constexpr int kUnused013 = 263;
inline constexpr int kDspParameterRequest = 264;  // DspParameterTable, as requested
inline constexpr int kDspParameter = 265;         // DspParameterTable, as written and reported
inline constexpr int kEqBandRequest = 266;        // EqSettings band record, as requested
inline constexpr int kEqBand = 267;               // EqSettings band record
inline constexpr int kCinemaEq = 268;             // EqSettings CINEMA EQ record
inline constexpr int kEqOption = 269;             // EqSettings option byte
inline constexpr int kTone = 270;                 // ToneSettings
inline constexpr int kDcTrigger = 271;            // DcTrigger1 / DcTrigger2
inline constexpr int kSpeakerDistance = 272;      // SpeakerDistances
inline constexpr int kPictureMode = 273;          // PictureModeAdjust
inline constexpr int kTunerPreset = 274;          // TunerPresets

inline constexpr int kFirst = kUnused000;
inline constexpr int kLast = kTunerPreset;
inline constexpr int kCount = kLast - kFirst + 1;

// The mode digit of an extended frame.
inline constexpr int kRequest = 0;
inline constexpr int kWrite = 1;
}  // namespace extended_function

// The control bytes that open and close the frames, both ways.
namespace control_byte {
inline constexpr char kStx = 0x02;  // opens an operation frame (to) and a report frame (from)
inline constexpr char kEtx = 0x03;  // closes every frame
inline constexpr char kDc1 = 0x11;  // opens the status request
inline constexpr char kDc2 = 0x12;  // opens a configuration frame
inline constexpr char kDc4 = 0x14;  // opens an extended frame (to) and an extended reply (from)
}  // namespace control_byte

// The five characters of an operation frame: a code of the command table, or for the volume and
// parameter groups three code characters and a two-digit value.
inline constexpr int kOperationCodeLength = 5;
inline constexpr std::size_t kOperationCodePrefixLength = 3;
// What follows DC1 in the status request.
inline constexpr std::string_view kStatusRequestBody = "000";
// A volume step n above 0 travels as n + 38 (0 as 0).
inline constexpr int kVolumeOffset = 38;

// The model codes a configuration frame starts with, by model code 0..8 (8 is the TR-A1).
inline constexpr std::array<std::string_view, 9> kReportedModelCodes{
    "R3101", "R3102", "R3103", "R3104", "R3105", "R3106", "R3107", "R3108", "R3109"};

// The body of an extended frame and of an extended reply (between DC4 and ETX): "20", LL, the
// function code, the mode digit (frames) or status digit (replies), the data, two checksum
// characters. LL counts the characters from the function code to the end of the data; the
// checksum is Hex2 of the sum, modulo 256, of every body character before it.
namespace extended_frame {
inline constexpr std::string_view kAddress = "20";
inline constexpr std::size_t kLengthAt = 2;
inline constexpr std::size_t kCodeAt = 4;
inline constexpr std::size_t kCodeLength = 3;
inline constexpr std::size_t kModeAt = 7;  // the status digit in a reply
inline constexpr std::size_t kDataAt = 8;
inline constexpr std::size_t kChecksumLength = 2;
// The characters LL counts beyond the data: the function code and the mode or status digit.
inline constexpr int kCodeAndModeLength = 4;
// The status digit of an accepted reply.
inline constexpr char kAccepted = '0';
}  // namespace extended_frame

// The receiver reads what it hears into an input buffer of this many bytes and takes one frame
// (up to its ETX) at a time out of it, each once its answer to the frame before is out; bytes
// that arrive while the buffer is full are lost. The editor never has more than this in flight.
inline constexpr std::size_t kReceiverInputBuffer = 64;

// The prefixes of the protocol log's lines, with their trailing blanks.
namespace log_prefix {
inline constexpr std::string_view kSent = "(PC) EX  ";
inline constexpr std::string_view kQueuedSent = "(PC)--> ";
inline constexpr std::string_view kCommand = "(PC) Command  ";
inline constexpr std::string_view kConfiguration = "(TR-X)   ";
inline constexpr std::string_view kReport = "(TR-X) Report  ";
inline constexpr std::string_view kExtended = "(TR-X) EX  ";
inline constexpr std::string_view kCommandWaiting = "(Cmnd)   ";
inline constexpr std::string_view kLineEnd = "\r\n";
}  // namespace log_prefix

}  // namespace tra1
