// Pipelined transfers (Configuration > "Fast Transfer") against the virtual receiver paced as the
// receiver is: the item and its setting, and a transfer whose answer goes missing half way, which
// goes back to the step concerned and ends stepwise with nothing lost; the frame count of the
// status line's result, stopped with frames waiting for room or finished.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "link/send_window.h"
#include "model/protocol.h"
#include "platform/win/menu.h"
#include "platform/win/user_input.h"
#include "sim/receiver_pacing.h"
#include "tests/app/editor_fixture.h"

namespace tra1::testing {
namespace {

namespace id = main_window;

constexpr std::int64_t kPipelinedTransferLimitMs = 30 * 60 * 1000;

// The settings the item is kept in.
class MemoryEditorSettings final : public EditorSettingsStore {
public:
    std::optional<bool> LoadFastTransfer() const override { return fast; }
    bool SaveFastTransfer(bool on) override {
        fast = on;
        ++saves;
        return writable;
    }
    std::optional<bool> LoadVerifyAfterDownload() const override { return std::nullopt; }
    bool SaveVerifyAfterDownload(bool /*verify*/) override { return writable; }
    std::optional<bool> fast;
    int saves = 0;
    bool writable = true;
};

class PipelinedTransferTest : public EditorFixture {
protected:
    PipelinedTransferTest() : EditorFixture(sim::kReceiverPacing) {
        portSwitch_.Wire(3, receiver_);
    }

    bool FastTransferTicked() { return Main().GetMenu()->IsChecked(id::kMenuFastTransfer); }

    sim::VirtualReceiver receiver_;
};

TEST_F(PipelinedTransferTest, FastTransferIsOnUnlessTheSettingsSayOtherwiseAndIsKeptThere) {
    Start();
    // Without settings the transfers run stepwise until the user ticks the item.
    EXPECT_FALSE(Main().Transfer().Pipelined());
    EXPECT_FALSE(FastTransferTicked());

    MemoryEditorSettings settings;
    Main().SetSettingsStore(&settings);
    EXPECT_TRUE(Main().Transfer().Pipelined());  // never chosen: on
    EXPECT_TRUE(FastTransferTicked());
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuFastTransfer));
    EXPECT_FALSE(Main().Transfer().Pipelined());
    EXPECT_FALSE(FastTransferTicked());
    EXPECT_EQ(settings.fast, false);

    // The next run reads it back.
    RestartEditor();
    Main().SetSettingsStore(&settings);
    EXPECT_FALSE(Main().Transfer().Pipelined());
    EXPECT_FALSE(FastTransferTicked());

    // A setting that cannot be written is said so, and still applies for the run.
    settings.writable = false;
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuFastTransfer));
    EXPECT_TRUE(Main().Transfer().Pipelined());
    ASSERT_EQ(prompter_.Boxes().size(), 1u);
    EXPECT_EQ(prompter_.Boxes()[0].text,
              "The Fast Transfer setting could not be saved.\r\nIt applies until the program "
              "ends.");
}

TEST_F(PipelinedTransferTest, AnAnswerLostHalfWayFallsBackToStepwiseAndTheUploadReadsEverything) {
    Start();
    TickDisplayLog();
    ConnectTo(3);
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuFastTransfer));
    ASSERT_TRUE(Main().Transfer().Pipelined());
    for (std::size_t i = 0; i < eq_layout::kGraphicEqEnd; ++i) {
        receiver_.Image().EqSettings.at(i) = static_cast<std::uint8_t>((i * 7 + 3) % 25);
    }

    ASSERT_TRUE(win::user::Click(Main(), id::kCurrentSettingRadio));
    ASSERT_TRUE(win::user::Click(Main(), id::kUploadButton));
    // Into the graphic EQ requests, which go back to back; the receiver's next answer is lost.
    const std::string eqRequest = std::string("\x14") + "20";
    const auto eqRequestsWritten = [&] {
        const std::string& written = port_->Written();
        int count = 0;
        for (std::size_t at = written.find(eqRequest); at != std::string::npos;
             at = written.find(eqRequest, at + 1)) {
            count += written.compare(at + 5, 4, "0300") == 0 ? 1 : 0;
        }
        return count;
    };
    ASSERT_TRUE(
        loop_.AdvanceUntil([&] { return eqRequestsWritten() >= 40; }, kPipelinedTransferLimitMs));
    ASSERT_TRUE(Main().Transfer().RunningAhead());
    receiver_.Faults().dropNextAnswers = 1;
    ASSERT_TRUE(loop_.AdvanceUntil([&] { return !Main().Transfer().RunningAhead(); }, 10'000));
    EXPECT_NE(State().uploadInProgress, 0);  // it goes on, stepwise
    ASSERT_TRUE(loop_.AdvanceUntil([&] { return State().uploadInProgress == 0; },
                                   kPipelinedTransferLimitMs));
    loop_.DrainPosted();

    EXPECT_TRUE(prompter_.Boxes().empty()) << ::testing::PrintToString(prompter_.BoxTexts());
    EXPECT_EQ(port_->BytesLostByFarEnd(), 0u);
    // Every record the receiver reports (all but record 1) came back whole.
    for (std::size_t i = 0; i < eq_layout::kGraphicEqEnd; ++i) {
        if (i / eq_layout::kBandsPerChannel == 1) {
            continue;
        }
        EXPECT_EQ(EditorImage().EqSettings.at(i), receiver_.Image().EqSettings.at(i)) << i;
    }
}

TEST_F(PipelinedTransferTest, ADownloadCountsTheFramesThatWentOnTheLineStoppedOrFinished) {
    Start();
    ConnectTo(3);
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuFastTransfer));
    ASSERT_TRUE(Main().Transfer().Pipelined());
    // Every operation and extended frame the editor wrote from `from` on (status requests are
    // the poll's, which a download never sends).
    const auto framesWritten = [this](std::size_t from) {
        const std::string written = port_->Written().substr(from);
        return static_cast<int>(std::count_if(written.begin(), written.end(), [](char c) {
            return c == control_byte::kStx || c == control_byte::kDc4;
        }));
    };
    const auto result = [this](const std::string& said) {
        const std::string status = Main().GetDlgItemText(id::kStatusLine);
        const std::size_t at = status.find(said);
        return at == std::string::npos ? "no \"" + said + "\" in " + status
                                       : status.substr(at + said.size());
    };
    const SendWindow& window = Main().Link().Sender().Window();
    const auto lineQuiet = [&] {
        return !window.HasQueued(SendLane::kTransfer) && window.FramesInFlight() == 0;
    };

    // Stopped while running ahead, with frames still waiting for room in the receiver's buffer:
    // those never go out. The put-back of input, program and volume does, and counts.
    std::size_t start = port_->Written().size();
    ASSERT_TRUE(win::user::Click(Main(), id::kDownloadButton));
    ASSERT_TRUE(loop_.AdvanceUntil(
        [&] {
            return Main().Transfer().RunningAhead() && framesWritten(start) > 20 &&
                   window.HasQueued(SendLane::kTransfer);
        },
        kPipelinedTransferLimitMs));
    Main().PostMessage(id::kTransferCancelled);
    loop_.DrainPosted();
    ASSERT_FALSE(Main().Transfer().Running());
    ASSERT_TRUE(loop_.AdvanceUntil(lineQuiet, 10'000));
    EXPECT_EQ(result("Download stopped after "), std::to_string(framesWritten(start)) + " frames");

    // A whole download, the receiver's standby and power-on at its end included.
    start = port_->Written().size();
    ASSERT_TRUE(win::user::Click(Main(), id::kDownloadButton));
    ASSERT_TRUE(loop_.AdvanceUntil([this] { return State().downloadInProgress == 0; },
                                   kPipelinedTransferLimitMs));
    ASSERT_TRUE(loop_.AdvanceUntil(lineQuiet, 10'000));
    const std::string finished = result("Download finished: ");
    EXPECT_TRUE(finished.starts_with(std::to_string(framesWritten(start)) + " frames in "))
        << finished;
    EXPECT_EQ(port_->BytesLostByFarEnd(), 0u);
}

}  // namespace
}  // namespace tra1::testing
