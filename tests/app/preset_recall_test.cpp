// "Preset Setting" transfers walk the receiver's six memories: an Upload recalls each on the
// receiver before it reads it into that entry of the PC memories, a Download stores each pass and
// ends by recalling memory A. Against the virtual receiver paced as the receiver is, on the
// virtual clock, stepwise and pipelined: a Download checked by "Verify after Download" over a
// sound line verifies, and a recall the line loses or damages is sent again, so that no memory's
// settings end up in another's place and the receiver ends on memory A.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/compare_dlg.h"
#include "app/transfer_pc_memories.h"
#include "model/command_table.h"
#include "model/model_profile.h"
#include "model/protocol.h"
#include "model/report_codes.h"
#include "platform/win/user_input.h"
#include "resources/compare_ids.h"
#include "sim/receiver_pacing.h"
#include "tests/app/editor_fixture.h"

namespace tra1::testing {
namespace {

namespace id = main_window;

std::uint8_t Byte(int value) {
    return static_cast<std::uint8_t>(value);
}

// Settings a memory keeps, each a value of its range that depends on `v`.
void ChangeMemorySettings(ReceiverImage& im, int v) {
    for (std::size_t i = 0; i < eq_layout::kGraphicEqEnd; ++i) {
        im.EqSettings.at(i) = Byte((static_cast<int>(i) + 3 * v) % 25);
    }
    for (std::size_t pair = 0; pair < 4; ++pair) {
        im.ToneSettings.at(2 * pair) = Byte((static_cast<int>(pair) + v) % 3);
        im.ToneSettings.at(2 * pair + 1) = Byte((static_cast<int>(pair) * 5 + v * 3 + 1) % 25);
    }
    for (std::size_t k = 0; k < speaker_levels::kReportedLevel; ++k) {
        im.SpeakerLevels.at(k) = Byte(20 + (static_cast<int>(k) * 3 + v * 2) % 41);
    }
    im.AudioDelay.at(0) = Byte(10 * v + 5);
    im.LfeDrange = {Byte(20 + v), Byte(30 + v), Byte(v % 3), Byte((v + 1) % 3)};
    auto& zone = im.MainZoneState;
    // A memory keeps the main input's program too.
    im.SetInputProgramByte(zone.at(main_zone::kMainInput),
                           Byte((7 * v + 2) % (ModelProfile::kHighestProgram + 1)));
    zone.at(main_zone::kMainVolume) = Byte(90 + 5 * v);
    zone.at(main_zone::kZone2Volume) = Byte(50 + 3 * v);
    zone.at(main_zone::kNightMode) = Byte((v + 1) % 2);
}

// Six memories, each its own variant, and the live settings a seventh.
void FillMemories(ReceiverImage& im) {
    for (int entry = 0; entry < kPresetEntryCount; ++entry) {
        ChangeMemorySettings(im, entry + 1);
        StorePcMemories(im, entry);
    }
    ChangeMemorySettings(im, 0);
}

// The receiver with six memories stored, each its own variant, and the live settings a seventh.
sim::ReceiverState ReceiverWithMemories() {
    sim::ReceiverState state;
    ModelProfile profile;
    profile.SetModel(ModelProfile::kTrA1);
    state.image.ResetToDefaults(profile);
    for (std::size_t entry = 0; entry < sim::ReceiverState::kMemoryCount; ++entry) {
        ChangeMemorySettings(state.image, static_cast<int>(entry) + 1);
        state.image.StoreHomePreset(static_cast<int>(entry));
        state.homePresetStored.at(entry) = true;
        state.mainVolumeMemories.at(entry) = state.image.MainZoneState.at(main_zone::kMainVolume);
        state.zone2VolumeMemories.at(entry) = state.image.MainZoneState.at(main_zone::kZone2Volume);
    }
    ChangeMemorySettings(state.image, 0);
    return state;
}

// How the line spoils one recall.
enum class Spoilt {
    kFrame,   // the recall is damaged on its way in: the receiver neither makes nor answers it
    kAnswer,  // the receiver makes the recall, but its answer is damaged on the way back
};

// The line in front of the receiver, spoiling the first recall of `command` for memory `entry`
// that comes after the home preset recall of memory `after` (from the start when negative), and
// nothing else.
class RecallSpoilingLine final : public serial::FarEnd {
public:
    RecallSpoilingLine(serial::FarEnd& receiver, int command, int entry, int after, Spoilt how)
        : receiver_(receiver),
          code_(CommandCode(command, entry)),
          reportCode_(Hex2Text(ReportCodesOf(command).code)),
          afterCode_(after >= 0 ? CommandCode(command::kHomePresetRecall, after) : ""),
          armed_(after < 0),
          how_(how) {}

    std::vector<serial::LineSegment> Receive(std::string_view bytes) override {
        std::string heard(bytes);
        const std::size_t at = heard.find(code_);
        const bool spoilt = armed_ && !spoiltDone_ && at != std::string::npos;
        armed_ = armed_ || heard.find(afterCode_) != std::string::npos;
        if (spoilt && how_ == Spoilt::kFrame) {
            heard[at + code_.size() - 1] = 'x';  // no code of the receiver's
        }
        std::vector<serial::LineSegment> out = receiver_.Receive(heard);
        if (spoilt && how_ == Spoilt::kAnswer) {
            // The report's code digits come as those of a report that answers no command.
            const std::string report = std::string(1, control_byte::kStx) + "00" + reportCode_;
            for (serial::LineSegment& segment : out) {
                if (const std::size_t r = segment.bytes.find(report); r != std::string::npos) {
                    segment.bytes.replace(r + 3, 2, "FF");
                    break;
                }
            }
        }
        spoiltDone_ = spoiltDone_ || spoilt;
        return out;
    }
    bool SpoiltOne() const { return spoiltDone_; }

private:
    static std::string Hex2Text(int value) {
        constexpr char kDigits[] = "0123456789ABCDEF";
        return {kDigits[(value >> 4) & 0xF], kDigits[value & 0xF]};
    }

    serial::FarEnd& receiver_;
    std::string code_;
    std::string reportCode_;
    std::string afterCode_;
    bool armed_;
    Spoilt how_;
    bool spoiltDone_ = false;
};

enum class Flow { kStepwise, kPipelined };

class PresetRecallTest : public EditorFixture, public ::testing::WithParamInterface<Flow> {
protected:
    PresetRecallTest() : EditorFixture(sim::kReceiverPacing) { portSwitch_.Wire(3, receiver_); }

    void Prepare() {
        Start();
        TickDisplayLog();
        ConnectTo(3);
        const bool pipelined = GetParam() == Flow::kPipelined;
        if (Main().Transfer().Pipelined() != pipelined) {
            ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuFastTransfer));
        }
        ASSERT_TRUE(win::user::Click(Main(), id::kPresetSettingRadio));
    }

    // Runs the transfer of `button`, calling `during` on each turn of the clock, until no
    // transfer runs any more.
    template <typename During>
    void RunTransfer(int button, During during) {
        ASSERT_TRUE(win::user::Click(Main(), button));
        ASSERT_TRUE(loop_.AdvanceUntil(
            [&] {
                during();
                return State().uploadInProgress == 0 && State().downloadInProgress == 0;
            },
            kTransferLimitMs));
        loop_.DrainPosted();
    }
    void RunTransfer(int button) {
        RunTransfer(button, [] {});
    }

    std::vector<std::string> CompareRows() {
        std::vector<std::string> rows;
        if (const CCompareDlg* window = Main().Compares().Window()) {
            for (const SettingDifference& d : window->Result().differences) {
                rows.push_back(d.Text());
            }
        }
        return rows;
    }

    // The receiver's live settings are those of its memory `entry`: the home preset record it
    // stored, and the volumes of that entry in `sent` (an image whose volume memories are the
    // receiver's).
    void ExpectReceiverOnMemory(const ReceiverImage& sent, int entry) {
        const auto slot = static_cast<std::size_t>(entry);
        const auto& zone = receiver_.Image().MainZoneState;
        EXPECT_EQ(zone.at(main_zone::kMainVolume), sent.MainVolumeMemories.at(slot));
        EXPECT_EQ(zone.at(main_zone::kZone2Volume), sent.Zone2VolumeMemories.at(slot));
        ReceiverImage live = receiver_.Image();
        StorePcMemories(live, entry);
        EXPECT_EQ(live.HomePresetMemories, receiver_.Image().HomePresetMemories);
    }

    sim::VirtualReceiver receiver_;
};

TEST_P(PresetRecallTest, APresetDownloadVerifiesOnASoundLine) {
    Prepare();
    FillMemories(EditorImage());
    Main().RefreshPanels();
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuVerifyAfterDownload));
    const ReceiverImage sent = EditorImage();

    // The Download, then its read-back on its own.
    bool readBack = false;
    RunTransfer(id::kDownloadButton, [&] { readBack = readBack || State().uploadInProgress != 0; });
    if (!readBack) {
        ASSERT_TRUE(
            loop_.AdvanceUntil([this] { return State().uploadInProgress != 0; }, kTransferLimitMs));
    }
    ASSERT_TRUE(
        loop_.AdvanceUntil([this] { return State().uploadInProgress == 0; }, kTransferLimitMs));
    loop_.DrainPosted();

    EXPECT_TRUE(prompter_.Boxes().empty()) << ::testing::PrintToString(prompter_.BoxTexts());
    EXPECT_EQ(CountInLog("Command Waiting Counter Cleared"), 0);
    ASSERT_NE(Main().Compares().Window(), nullptr);
    EXPECT_EQ(CompareRows(), std::vector<std::string>{});
    EXPECT_EQ(Main().Compares().Window()->GetDlgItemText(compare_window::kCountText),
              CCompareDlg::kVerifiedText);
    // The receiver ends on memory A, as the image does.
    ExpectReceiverOnMemory(sent, 0);
}

// A Preset Upload reads each memory after recalling it on the receiver. A recall the line spoils
// (on its way in, or its answer on the way back) is sent again: every entry of the PC memories
// gets its own memory's settings, as over a sound line, and the receiver ends on memory A.
TEST_P(PresetRecallTest, AnUploadRecallSpoiltByTheLineIsSentAgain) {
    Prepare();
    receiver_.State() = ReceiverWithMemories();
    const sim::ReceiverState before = receiver_.State();
    RunTransfer(id::kUploadButton);
    ASSERT_TRUE(prompter_.Boxes().empty()) << ::testing::PrintToString(prompter_.BoxTexts());
    const ReceiverImage clean = EditorImage();

    struct Case {
        int command;
        int entry;
        int after;  // spoilt once the home preset recall of this memory has gone by
        Spoilt how;
    };
    // The first pass's recall of memory A, the recalls between passes, the closing recall.
    const Case cases[] = {
        {command::kHomePresetRecall, 0, -1, Spoilt::kFrame},
        {command::kHomePresetRecall, 3, -1, Spoilt::kFrame},
        {command::kZone2VolumeRecall, 4, -1, Spoilt::kFrame},
        {command::kZone2VolumeRecall, 5, -1, Spoilt::kAnswer},
        {command::kHomePresetRecall, 0, 5, Spoilt::kFrame},
        {command::kZone2VolumeRecall, 0, 5, Spoilt::kAnswer},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "command " << c.command << ", memory " << c.entry << ", after " << c.after
                     << ", " << (c.how == Spoilt::kFrame ? "frame" : "answer"));
        receiver_.State() = before;
        RecallSpoilingLine line(receiver_, c.command, c.entry, c.after, c.how);
        portSwitch_.Wire(3, line);
        RunTransfer(id::kUploadButton);
        portSwitch_.Wire(3, receiver_);
        EXPECT_TRUE(line.SpoiltOne());
        EXPECT_TRUE(prompter_.Boxes().empty()) << ::testing::PrintToString(prompter_.BoxTexts());
        prompter_.Clear();
        EXPECT_EQ(EditorImage().HomePresetMemories, clean.HomePresetMemories);
        EXPECT_EQ(EditorImage().MainVolumeMemories, clean.MainVolumeMemories);
        EXPECT_EQ(EditorImage().Zone2VolumeMemories, clean.Zone2VolumeMemories);
        EXPECT_EQ(EditorImage().ToBytes(), clean.ToBytes());
        ExpectReceiverOnMemory(clean, 0);
    }
}

// A Preset Download ends by recalling memory A on the receiver, as the image does. A recall the
// line spoils is sent again: the receiver does not stay on memory F.
TEST_P(PresetRecallTest, TheClosingRecallOfADownloadSpoiltByTheLineIsSentAgain) {
    Prepare();
    FillMemories(EditorImage());
    Main().RefreshPanels();
    const ReceiverImage sent = EditorImage();
    struct Case {
        int command;
        Spoilt how;
    };
    const Case cases[] = {
        {command::kHomePresetRecall, Spoilt::kFrame},
        {command::kHomePresetRecall, Spoilt::kAnswer},
        {command::kZone2VolumeRecall, Spoilt::kFrame},
    };
    for (const auto [command, how] : cases) {
        {
            SCOPED_TRACE(::testing::Message() << "command " << command << ", "
                                              << (how == Spoilt::kFrame ? "frame" : "answer"));
            EditorImage() = sent;
            RecallSpoilingLine line(receiver_, command, 0, -1, how);
            portSwitch_.Wire(3, line);
            RunTransfer(id::kDownloadButton);
            portSwitch_.Wire(3, receiver_);
            EXPECT_TRUE(line.SpoiltOne());
            EXPECT_TRUE(prompter_.Boxes().empty())
                << ::testing::PrintToString(prompter_.BoxTexts());
            prompter_.Clear();
            ExpectReceiverOnMemory(sent, 0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Flows, PresetRecallTest,
                         ::testing::Values(Flow::kStepwise, Flow::kPipelined),
                         [](const ::testing::TestParamInfo<Flow>& info) {
                             return info.param == Flow::kPipelined ? "Pipelined" : "Stepwise";
                         });

}  // namespace
}  // namespace tra1::testing
