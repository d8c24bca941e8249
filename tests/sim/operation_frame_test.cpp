// Operation frames: every command of every group is understood and acknowledged with the report
// code of the receiver's answer table; the state changes show in the configuration frame.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "model/command_table.h"
#include "sim/virtual_receiver.h"
#include "tests/sim/sim_test_support.h"

namespace tra1::sim {
namespace {

using namespace testing;

// The answer table, command number -> report code (decimal), as the receiver documents it.
const std::map<int, int>& AnswerTable() {
    static const std::map<int, int> table = [] {
        std::map<int, int> t{
            {0, 38},    {48, 38},  {1, 35},  {2, 33},  {3, 33},  {4, 34},  {5, 39},   {49, 39},
            {6, 37},    {7, 36},   {8, 32},  {9, 32},  {10, 32}, {15, 43}, {16, 44},  {17, 45},
            {18, 130},  {19, 40},  {20, 40}, {21, 41}, {22, 42}, {23, 53}, {24, 21},  {25, 46},
            {26, 47},   {27, 49},  {28, 48}, {29, 51}, {30, 50}, {31, 56}, {32, 55},  {35, 58},
            {36, 54},   {37, 54},  {38, 54}, {39, 57}, {40, 59}, {41, 60}, {42, 60},  {43, 60},
            {44, 62},   {45, 63},  {46, 0},  {47, 0},  {50, 80}, {51, 84}, {87, 107}, {98, 128},
            {104, 158}, {105, 159}};
        for (int n = 53; n <= 57; ++n)
            t[n] = 64 + (n - 53);
        for (int n = 58; n <= 63; ++n)
            t[n] = 69 + (n - 58);
        for (int n = 64; n <= 66; ++n)
            t[n] = 81 + (n - 64);
        for (int n = 69; n <= 75; ++n)
            t[n] = 87 + (n - 69);
        for (int n = 77; n <= 86; ++n)
            t[n] = 96 + (n - 77);
        for (int n = 90; n <= 97; ++n)
            t[n] = 112 + (n - 90);
        for (int n = 99; n <= 103; ++n)
            t[n] = 131 + (n - 99);
        return t;
    }();
    return table;
}

// The values worth sending for a command: every position of a selection row, a spread of
// levels and volume steps otherwise.
std::vector<int> ValuesFor(int n) {
    switch (CommandGroupOf(n)) {
        case CommandGroup::kSelection: {
            std::vector<int> v;
            for (int k = 0; k < CommandCodeCount(n); ++k)
                v.push_back(k);
            return v;
        }
        case CommandGroup::kVolume:
            return {0, 1, 81, 194};
        default:
            return {0, 12, 40, 255};
    }
}

TEST(OperationFrame, EveryCommandIsAnsweredWithItsReportCode) {
    std::set<int> listedCodes;
    for (const auto& [n, code] : AnswerTable())
        listedCodes.insert(code);

    for (int n = 0; n < kCommandCount; ++n) {
        for (const int value : ValuesFor(n)) {
            if (n == 4 && value % 2 != 0) {
                continue;  // odd input-mode positions are never sent (see SharedCodeIsSpeakerA)
            }
            VirtualReceiver receiver;
            const auto frames = Frames(Exchange(receiver, Command(n, value)));
            ASSERT_GE(frames.size(), 1u) << "command " << n << " value " << value;
            ASSERT_EQ(frames[0].opener, kStx);
            ASSERT_EQ(frames[0].body.size(), 6u);
            const int code = HexField(frames[0].body, 2, 2);
            const auto expected = AnswerTable().find(n);
            if (expected != AnswerTable().end()) {
                EXPECT_EQ(code, expected->second) << "command " << n << " value " << value;
            } else {
                EXPECT_EQ(listedCodes.count(code), 0u)
                    << "command " << n << " answered by " << code << ", which belongs to another";
            }
            EXPECT_EQ(receiver.LastCommandNumber(), n);
            const bool followed = n == 8 || n == 28;
            EXPECT_EQ(frames.size(), followed ? 2u : 1u) << "command " << n;
            if (followed && frames.size() == 2) {
                EXPECT_EQ(frames[1].opener, kDc2);
            }
        }
    }
}

TEST(OperationFrame, ReportCarriesTheNewValue) {
    VirtualReceiver receiver;
    // The example of the answer table: main volume step 8 travels as 2E, answered by 26 2E.
    auto frames = Frames(Exchange(receiver, Command(48, 8)));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].body.substr(2), "262E");

    frames = Frames(Exchange(receiver, Command(53, 10)));
    EXPECT_EQ(frames[0].body.substr(2), "400A");
    frames = Frames(Exchange(receiver, Command(2, 11)));
    EXPECT_EQ(frames[0].body.substr(2), "210B");
    // Volume up from step 8: step 9, code 2F.
    frames = Frames(Exchange(receiver, Command(0, 1)));
    EXPECT_EQ(frames[0].body.substr(2), "262F");
}

TEST(OperationFrame, SharedCodeIsSpeakerA) {
    // "07EAB" is listed both as input mode position 5 (never sent) and as speaker A on.
    VirtualReceiver receiver;
    receiver.Image().MainZoneState[9] = 0;
    const auto frames = Frames(Exchange(receiver, Command(25, 1)));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(HexField(frames[0].body, 2, 2), 46);
    EXPECT_EQ(receiver.Image().MainZoneState[9], 1);
}

TEST(OperationFrame, OperationsChangeTheReportedState) {
    VirtualReceiver receiver;
    const auto& im = receiver.Image();
    Exchange(receiver, Command(2, 7));      // main input
    Exchange(receiver, Command(4, 4));      // input mode ANALOG (position 2 x 2)
    Exchange(receiver, Command(48, 100));   // main volume
    Exchange(receiver, Command(49, 0));     // zone 2 volume
    Exchange(receiver, Command(20, 12));    // program 12
    Exchange(receiver, Command(58, 33));    // a channel level
    Exchange(receiver, Command(79, 0x15));  // OSD shift: V 1, H 5
    Exchange(receiver, Command(96, 6));     // subwoofer configuration 2 with reversed phase
    Exchange(receiver, Command(86, 0));     // video processor / video conversion off
    EXPECT_EQ(im.MainZoneState[0], 7);
    EXPECT_EQ(im.MainZoneState[2], 2);
    EXPECT_EQ(im.MainZoneState[12], 100);
    EXPECT_EQ(im.MainZoneState[11], 0);
    EXPECT_EQ(im.MainZoneState[4], 12);
    EXPECT_EQ(im.InputProgramMap[7], 12);
    EXPECT_EQ(im.SpeakerLevels[5], 33);
    EXPECT_EQ(im.DisplaySettings[1], 5);
    EXPECT_EQ(im.DisplaySettings[2], 1);
    EXPECT_EQ(im.SpeakerSetup[6], 2);
    EXPECT_NE(im.SpeakerSetup[11], 0);
    EXPECT_EQ(im.DisplaySettings[4], 0);
    EXPECT_EQ(im.VideoSettings[0], 0);

    Exchange(receiver, Command(19, 0));  // play without the program
    EXPECT_EQ(im.MainZoneState[4], 0x80 | 12);
    const auto frames = Frames(Exchange(receiver, Command(255, 0)));
    ASSERT_EQ(frames.size(), 1u);
    const std::string& body = frames[0].body;
    EXPECT_EQ(HexField(body, 15 + 2, 1), 7);
    EXPECT_EQ(HexField(body, 15 + 4, 1), 4);
    EXPECT_EQ(HexField(body, 15 + 8, 2), 100 + 38);
    EXPECT_EQ(HexField(body, 15 + 14, 1), 0);
}

TEST(OperationFrame, PowerAndStandby) {
    VirtualReceiver receiver;
    auto frames = Frames(Exchange(receiver, Command(8, 0)));
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(HexField(frames[1].body, 15 + 1, 1), 0);
    EXPECT_FALSE(receiver.PoweredOn());
    // In standby every frame is acknowledged but only power commands act.
    const auto before = receiver.Image().MainZoneState[0];
    frames = Frames(Exchange(receiver, Command(2, (before + 1) % 13)));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(receiver.Image().MainZoneState[0], before);

    frames = Frames(Exchange(receiver, Command(8, 1)));
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(HexField(frames[1].body, 15 + 1, 1), 1);
    Exchange(receiver, Command(9, 0));
    EXPECT_FALSE(receiver.PoweredOn());
    Exchange(receiver, Command(9, 1));
    EXPECT_TRUE(receiver.PoweredOn());
}

TEST(OperationFrame, PresetAndVolumeMemories) {
    VirtualReceiver receiver;
    ReceiverImage& im = receiver.Image();
    auto& mz = im.MainZoneState;
    Exchange(receiver, Command(48, 50));
    Exchange(receiver, Command(2, 3));
    Exchange(receiver, Command(20, 7));  // input 3 plays program 7
    Exchange(receiver, Command(18, 1));  // night mode
    Exchange(receiver, Command(53, 30));
    Exchange(receiver, Command(27, 2));  // store home preset 3
    Exchange(receiver, Command(29, 4));  // store main volume memory 5
    Exchange(receiver, Command(48, 120));
    Exchange(receiver, Command(20, 12));
    Exchange(receiver, Command(18, 0));
    Exchange(receiver, Command(53, 44));
    EXPECT_EQ(mz[12], 120);

    Exchange(receiver, Command(30, 4));
    EXPECT_EQ(mz[12], 50);
    Exchange(receiver, Command(48, 120));
    const auto frames = Frames(Exchange(receiver, Command(28, 2)));
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(HexField(frames[0].body, 2, 2), 48);
    EXPECT_EQ(frames[1].opener, kDc2);
    // The home preset brings back its own settings and the current input's program ...
    EXPECT_EQ(mz[main_zone::kNightMode], 1);
    EXPECT_EQ(im.SpeakerLevels.at(0), 30);
    EXPECT_EQ(im.InputProgram(3), 7);
    EXPECT_EQ(HexField(frames[1].body, 15 + 12, 2), ModelProfile::ProgramCode(7));
    // ... but not the input or the volume, which have memories of their own.
    EXPECT_EQ(HexField(frames[1].body, 15 + 2, 1), 3);
    EXPECT_EQ(HexField(frames[1].body, 15 + 8, 2), 120 + 38);
    // Recalling an empty memory changes nothing.
    Exchange(receiver, Command(30, 0));
    Exchange(receiver, Command(28, 0));
    EXPECT_EQ(mz[12], 120);
    EXPECT_EQ(im.SpeakerLevels.at(0), 30);
}

TEST(OperationFrame, SelectingAnInputBringsBackItsProgram) {
    VirtualReceiver receiver;
    ReceiverImage& im = receiver.Image();
    Exchange(receiver, Command(2, 1));
    Exchange(receiver, Command(20, 15));
    Exchange(receiver, Command(2, 5));
    Exchange(receiver, Command(20, 29));
    Exchange(receiver, Command(19, 0));  // input 5 without its effect
    EXPECT_EQ(im.InputProgram(1), 15);
    EXPECT_EQ(im.InputProgramByte(5), 0x80 | 29);

    auto frames = Frames(Exchange(receiver, Command(2, 1)));
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(im.MainZoneState[main_zone::kCurrentProgram], 15);
    frames = Frames(Exchange(receiver, Command(255, 0)));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(HexField(frames[0].body, 15 + 12, 2), ModelProfile::ProgramCode(15));
    Exchange(receiver, Command(2, 5));
    EXPECT_EQ(im.MainZoneState[main_zone::kCurrentProgram], 0x80 | 29);
    // Every input keeps its own: a program set on one does not reach the others.
    EXPECT_EQ(im.InputProgram(1), 15);
}

TEST(OperationFrame, UnknownOrMalformedFramesGetNoAnswer) {
    VirtualReceiver receiver;
    EXPECT_TRUE(Exchange(receiver, std::string{kStx, 'Z', 'Z', 'Z', 'Z', 'Z', kEtx}).empty());
    EXPECT_TRUE(Exchange(receiver, std::string{kStx, '0', '7', 'E', kEtx}).empty());
    // An overlong frame is dropped; the next good one is still understood.
    std::string longFrame(1, kStx);
    longFrame += std::string(400, 'A');
    longFrame.push_back(kEtx);
    EXPECT_TRUE(Exchange(receiver, longFrame).empty());
    EXPECT_EQ(Frames(Exchange(receiver, Command(1, 1))).size(), 1u);
}

TEST(OperationFrame, FramesInPiecesAndNoiseBetween) {
    VirtualReceiver receiver;
    const std::string frame = Command(48, 8);
    std::string answer;
    answer += Exchange(receiver, "xx");
    for (const char c : frame) {
        answer += Exchange(receiver, std::string(1, c));
    }
    const auto frames = Frames(answer);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].body.substr(2), "262E");
    // Two frames in one write are answered in order.
    const auto two = Frames(Exchange(receiver, Command(1, 1) + Command(255, 0)));
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0].opener, kStx);
    EXPECT_EQ(two[1].opener, kDc2);
}

}  // namespace
}  // namespace tra1::sim
