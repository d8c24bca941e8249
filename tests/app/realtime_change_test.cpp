// In realtime mode a change the user makes goes on the line at once, ahead of the poll's requests
// that wait for room in the receiver's buffer, and reaches a receiver paced as the real one well
// within 100 ms.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/panel_table.h"
#include "link/send_window.h"
#include "model/protocol.h"
#include "panels/speaker_level_dlg.h"
#include "platform/win/slider.h"
#include "platform/win/user_input.h"
#include "sim/receiver_pacing.h"
#include "tests/app/editor_fixture.h"

namespace tra1::testing {
namespace {

namespace id = main_window;

constexpr int kMenuShowSpeakerLevel = 32775;
constexpr int kSwSlider = CSPEAKERLEVELDlg::kChannels.at(speaker_levels::kSW).slider;

class RealtimeChangeTest : public EditorFixture {
protected:
    RealtimeChangeTest() : EditorFixture(sim::kReceiverPacing) { portSwitch_.Wire(3, receiver_); }

    sim::VirtualReceiver receiver_;
};

TEST_F(RealtimeChangeTest, AChangeOvertakesThePollsQueuedRequestsAndReachesTheReceiverAtOnce) {
    Start();
    TickDisplayLog();
    ConnectTo(3);
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuRealtime));
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), kMenuShowSpeakerLevel));
    loop_.DrainPosted();
    auto* level = dynamic_cast<CSPEAKERLEVELDlg*>(
        Main().Panels().Window(PanelTable::IndexForCommand(kMenuShowSpeakerLevel)));
    ASSERT_NE(level, nullptr);

    // Wait for a poll visit that asks for more than the receiver's buffer may hold at once (the
    // input names: fourteen requests), so that some of its requests wait in the editor.
    const SendWindow& window = Main().Link().Sender().Window();
    ASSERT_TRUE(loop_.AdvanceUntil([&] { return window.HasQueued(SendLane::kPoll); }, 10'000));
    const std::size_t before = port_->Written().size();

    constexpr int kLevel = 52;
    ASSERT_NE(receiver_.Image().SpeakerLevels.at(speaker_levels::kSW), kLevel);
    ASSERT_TRUE(win::user::ReleaseSlider(*level, kSwSlider, CSPEAKERLEVELDlg::kInversion - kLevel));
    loop_.DrainPosted();  // the panel's change message, as the loop delivers it next
    // The change went out at once, the poll's requests still wait behind it.
    const std::string sent = port_->Written().substr(before);
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.front(), '\x02') << sent;  // an operation frame, not a poll request
    EXPECT_EQ(sent.find('\x14'), std::string::npos) << sent;
    EXPECT_TRUE(window.HasQueued(SendLane::kPoll));

    // The receiver takes it behind at most what the poll has in its buffer: its report is back
    // well within 100 ms.
    const std::string frame = sent.substr(0, sent.find('\x03') + 1);
    sim::VirtualReceiver probe;
    const std::vector<serial::LineSegment> answer = probe.Receive(frame);
    ASSERT_FALSE(answer.empty());
    const std::string& report = answer.front().bytes;
    ASSERT_GE(report.size(), 2u);
    const std::string line = std::string(log_prefix::kReport) + report.substr(1, report.size() - 2);
    ASSERT_EQ(LogText().find(line), std::string::npos);
    const std::int64_t changedAt = loop_.NowMs();
    ASSERT_TRUE(
        loop_.AdvanceUntil([&] { return LogText().find(line) != std::string::npos; }, 1000));
    EXPECT_LE(loop_.NowMs() - changedAt, 100);
    EXPECT_EQ(receiver_.Image().SpeakerLevels.at(speaker_levels::kSW), kLevel);
    EXPECT_EQ(port_->BytesLostByFarEnd(), 0u);
}

}  // namespace
}  // namespace tra1::testing
