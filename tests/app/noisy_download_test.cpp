// A Download over a line that damages bytes both ways, on the virtual clock: every write the line
// spoils, or whose answer it spoils or loses, is sent again, so the receiver ends up holding
// what the editor sent, stepwise and pipelined alike.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "app/line_carriage.h"
#include "model/model_profile.h"
#include "model/protocol.h"
#include "platform/win/user_input.h"
#include "sim/receiver_pacing.h"
#include "tests/app/editor_fixture.h"

namespace tra1::testing {
namespace {

namespace id = main_window;

std::uint8_t Byte(int value) {
    return static_cast<std::uint8_t>(value);
}

// An image unlike the receiver's defaults in the blocks a Download writes.
void ChangeSettings(ReceiverImage& im) {
    for (int input = 0; input <= input_index::kMultiChannel; ++input) {
        im.SetInputProgramByte(input, Byte((3 * input + 1) % (ModelProfile::kHighestProgram + 1)));
    }
    for (std::size_t i = 0; i < eq_layout::kGraphicEqEnd; ++i) {
        im.EqSettings.at(i) = Byte((static_cast<int>(i) * 7 + 3) % 25);
    }
    for (int program = 0; program <= ModelProfile::kHighestProgram; ++program) {
        for (int slot = 0; slot < ModelProfile::kParametersPerProgram; ++slot) {
            const int value = slot == 27 ? program % 4 : (program + slot) % 10 + 1;
            im.SetDspParameter(program, slot, Byte(value));
        }
    }
    for (std::size_t k = 0; k < speaker_levels::kReportedLevel; ++k) {
        im.SpeakerLevels.at(k) = Byte(20 + (static_cast<int>(k) * 3) % 41);
    }
    for (int input = 0; input < input_index::kCount; ++input) {
        im.InputTrims.at(static_cast<std::size_t>(input)) = Byte((input * 5 + 3) % 25);
    }
    im.SetInputName(2, "RADIO");
    im.SetInputName(5, "DISCPLYR");
}

// The bytes the line carries in which `got` differs from `want`, one line each.
std::string Differences(const ReceiverImage& want, const ReceiverImage& got) {
    const ReceiverImage marks = UncarriedMarks(want, TransferScope::kCurrentSetting);
    std::string differences;
    std::vector<std::uint8_t> a;
    std::vector<std::uint8_t> b;
    std::vector<std::uint8_t> mark;
    for (std::size_t index = 0; index < ReceiverImage::kBlockCount; ++index) {
        const std::size_t size = kImageBlocks[index].size;
        a.assign(size, 0);
        b.assign(size, 0);
        mark.assign(size, 0);
        want.ReadBlock(index, a);
        got.ReadBlock(index, b);
        marks.ReadBlock(index, mark);
        for (std::size_t offset = 0; offset < size; ++offset) {
            if (mark[offset] == 0 && a[offset] != b[offset]) {
                differences += std::string(kImageBlocks[index].name) + "[" +
                               std::to_string(offset) + "]: " + std::to_string(a[offset]) + " is " +
                               std::to_string(b[offset]) + "\n";
            }
        }
    }
    return differences;
}

class NoisyDownloadTest : public EditorFixture, public ::testing::WithParamInterface<bool> {
protected:
    NoisyDownloadTest() : EditorFixture(sim::kReceiverPacing) {
        portSwitch_.Wire(3, receiver_);
        portSwitch_.Wire(4, clean_);
    }

    // Downloads the editor's image to the receiver on `port`; true when the transfer ended.
    bool DownloadTo(int port) {
        ConnectTo(port);
        if (Main().Transfer().Pipelined() != GetParam()) {
            EXPECT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuFastTransfer));
        }
        EXPECT_TRUE(win::user::Click(Main(), id::kCurrentSettingRadio));
        EXPECT_TRUE(win::user::Click(Main(), id::kDownloadButton));
        const bool ended = loop_.AdvanceUntil([this] { return State().downloadInProgress == 0; },
                                              kTransferLimitMs);
        loop_.DrainPosted();
        return ended;
    }

    sim::VirtualReceiver receiver_;
    // The same download over a sound line: a few places the receiver keeps in its own way (the
    // decode types, the program of the input left selected) differ from the image there too.
    sim::VirtualReceiver clean_;
};

TEST_P(NoisyDownloadTest, ADownloadOverALineDamagingOneByteInAHundredLeavesTheReceiverRight) {
    Start();
    ChangeSettings(EditorImage());
    Main().RefreshPanels();
    const ReceiverImage sent = EditorImage();
    ASSERT_TRUE(DownloadTo(4));
    const std::string cleanDifferences = Differences(sent, clean_.Image());
    EXPECT_LT(std::count(cleanDifferences.begin(), cleanDifferences.end(), '\n'), 5)
        << cleanDifferences;

    receiver_.Faults().corruptRate = 0.01;
    // No operation frame is damaged into another value of the same command on this run: the
    // receiver acknowledges that like the right one, and nothing in its answer tells them apart.
    receiver_.Faults().seed = 3;
    ASSERT_TRUE(DownloadTo(3));
    EXPECT_TRUE(prompter_.Boxes().empty()) << ::testing::PrintToString(prompter_.BoxTexts());
    // The line really was noisy, and writes went out again.
    EXPECT_GT(receiver_.FaultsDone().bytesCorruptedHeard, 50u);
    EXPECT_GT(receiver_.FaultsDone().bytesCorruptedSent, 50u);
    EXPECT_GT(Main().Link().Sender().Window().WritesRepeated(), 50);
    EXPECT_EQ(Differences(sent, receiver_.Image()), cleanDifferences);
}

// The end of each "Preset Setting" pass stores the receiver's state into its memories. A store
// the line spoils on its way in is neither made nor answered: it goes out again, with the pass's
// other stores, before the next pass starts.
TEST_P(NoisyDownloadTest, APresetPassStoreLostOnTheLineIsSentAgain) {
    Start();
    for (std::size_t entry = 0; entry < sim::ReceiverState::kMemoryCount; ++entry) {
        EditorImage().MainVolumeMemories.at(entry) = Byte(90 + 7 * static_cast<int>(entry));
        EditorImage().Zone2VolumeMemories.at(entry) = Byte(40 + 5 * static_cast<int>(entry));
    }
    const ReceiverImage sent = EditorImage();
    ConnectTo(3);
    if (Main().Transfer().Pipelined() != GetParam()) {
        EXPECT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuFastTransfer));
    }
    // The first pass's main volume store and the third pass's zone 2 volume store.
    receiver_.Faults().loseCommand = command::kMainVolumeMemory;
    receiver_.Faults().loseCommandTimes = 1;
    ASSERT_TRUE(win::user::Click(Main(), id::kPresetSettingRadio));
    ASSERT_TRUE(win::user::Click(Main(), id::kDownloadButton));
    bool zone2Lost = false;
    ASSERT_TRUE(loop_.AdvanceUntil(
        [&] {
            if (!zone2Lost && EditorImage().MainZoneState.at(main_zone::kPresetPass) == 2) {
                receiver_.Faults().loseCommand = command::kZone2VolumeMemory;
                receiver_.Faults().loseCommandTimes = 1;
                zone2Lost = true;
            }
            return State().downloadInProgress == 0;
        },
        kTransferLimitMs));
    loop_.DrainPosted();
    EXPECT_TRUE(prompter_.Boxes().empty()) << ::testing::PrintToString(prompter_.BoxTexts());
    EXPECT_EQ(receiver_.Faults().loseCommandTimes, 0);
    const sim::ReceiverState& memories = receiver_.State();
    for (std::size_t entry = 0; entry < sim::ReceiverState::kMemoryCount; ++entry) {
        EXPECT_TRUE(memories.homePresetStored.at(entry)) << entry;
        EXPECT_EQ(memories.mainVolumeMemories.at(entry), sent.MainVolumeMemories.at(entry))
            << entry;
        EXPECT_EQ(memories.zone2VolumeMemories.at(entry), sent.Zone2VolumeMemories.at(entry))
            << entry;
    }
}

INSTANTIATE_TEST_SUITE_P(Transfers, NoisyDownloadTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Pipelined" : "Stepwise";
                         });

}  // namespace
}  // namespace tra1::testing
