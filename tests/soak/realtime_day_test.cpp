// A whole day in realtime mode on the virtual clock (built in the optimised build, where it runs
// in seconds; see TRA1_BUILD_SOAK_TEST), on a line that damages one byte in a
// hundred both ways and now and then loses an answer or splits a frame, while settings change
// on the receiver itself: the link stays connected, every queue, buffer and log stays within its
// bound, and once the line is quiet the image holds what the receiver holds.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/log_pane.h"
#include "link/frame_assembler.h"
#include "platform/win/user_input.h"
#include "tests/app/editor_fixture.h"

namespace tra1::testing {
namespace {

namespace id = main_window;

std::string Trimmed(std::string text) {
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

// The settings the realtime poll and the configuration frame keep in step, where the editor's
// image and the receiver's differ; empty when they agree.
std::vector<std::string> PolledDifferences(const ReceiverImage& editor, const ReceiverImage& rx) {
    std::vector<std::string> differences;
    const auto compare = [&](const char* what, std::size_t at, int a, int b) {
        if (a != b) {
            differences.push_back(std::string(what) + "[" + std::to_string(at) + "]: editor " +
                                  std::to_string(a) + ", receiver " + std::to_string(b));
        }
    };
    // The named inputs 0..12 and the multi-channel input.
    for (int input = 0; input < 14; ++input) {
        // The receiver pads a name with blanks.
        if (Trimmed(editor.InputName(input)) != Trimmed(rx.InputName(input))) {
            differences.push_back("name " + std::to_string(input));
        }
        compare("trim", static_cast<std::size_t>(input),
                editor.InputTrims.at(static_cast<std::size_t>(input)),
                rx.InputTrims.at(static_cast<std::size_t>(input)));
    }
    for (std::size_t row = 0; row < io_assign::kRowCount; ++row) {
        for (std::size_t jack = 0; jack < io_assign::kJackCount.at(row); ++jack) {
            compare("io", row * 16 + jack,
                    editor.IoAssign(static_cast<int>(row), static_cast<int>(jack)),
                    rx.IoAssign(static_cast<int>(row), static_cast<int>(jack)));
        }
    }
    for (std::size_t k = 0; k < eq_layout::kChannelCount * eq_layout::kBandsPerChannel; ++k) {
        if (k / eq_layout::kBandsPerChannel != 1) {  // the receiver keeps no EQ for record 1
            compare("eq", k, editor.EqSettings.at(k), rx.EqSettings.at(k));
        }
    }
    for (std::size_t k = 0; k < editor.ToneSettings.size(); ++k) {
        compare("tone", k, editor.ToneSettings.at(k), rx.ToneSettings.at(k));
    }
    for (std::size_t k = dc_trigger::kZone1Row;
         k < dc_trigger::kZone1Row + 2 * dc_trigger::kRowSize; ++k) {
        if ((k - dc_trigger::kZone1Row) % dc_trigger::kRowSize < 13) {
            compare("trigger1", k, editor.DcTrigger1.at(k), rx.DcTrigger1.at(k));
            compare("trigger2", k, editor.DcTrigger2.at(k), rx.DcTrigger2.at(k));
        }
    }
    compare("trigger1 mode", 0, editor.DcTrigger1.at(0), rx.DcTrigger1.at(0));
    for (int entry = 0; entry <= 40; ++entry) {
        compare("tuner band", static_cast<std::size_t>(entry), editor.TunerBand(entry),
                rx.TunerBand(entry));
        compare("tuner step", static_cast<std::size_t>(entry), editor.TunerStep(entry),
                rx.TunerStep(entry));
    }
    for (int entry = 0; entry < 12; ++entry) {
        compare("distance", static_cast<std::size_t>(entry), editor.SpeakerDistance(entry),
                rx.SpeakerDistance(entry));
    }
    for (std::size_t r = 0; r < picture_mode::kRecordCount; ++r) {
        for (std::size_t b = 0; b < 5; ++b) {
            const std::size_t k = r * picture_mode::kRecordSize + b;
            compare("picture", k, editor.PictureModeAdjust.at(k), rx.PictureModeAdjust.at(k));
        }
    }
    // From the configuration frame.
    for (std::size_t k : {main_zone::kMainInput, main_zone::kInputMode, main_zone::kZone2Input,
                          main_zone::kMainVolume, main_zone::kZone2Volume, main_zone::kMainMute,
                          main_zone::kSpeakerA, main_zone::kNightMode}) {
        compare("zone", k, editor.MainZoneState.at(k), rx.MainZoneState.at(k));
    }
    for (std::size_t k = 0; k <= 10; ++k) {
        compare("level", k, editor.SpeakerLevels.at(k), rx.SpeakerLevels.at(k));
    }
    compare("delay", 0, editor.AudioDelay.at(0), rx.AudioDelay.at(0));
    for (std::size_t k = 0; k < editor.ThxSettings.size(); ++k) {
        compare("thx", k, editor.ThxSettings.at(k), rx.ThxSettings.at(k));
    }
    return differences;
}

class RealtimeDayTest : public EditorFixture {
protected:
    RealtimeDayTest() { portSwitch_.Wire(3, receiver_); }

    // Settings changed at the receiver itself, a different set each time.
    void ChangeOnTheReceiver(int round) {
        ReceiverImage& rx = receiver_.Image();
        const auto v = static_cast<std::uint8_t>(round);
        rx.InputTrims.at(static_cast<std::size_t>(round % 14)) = static_cast<std::uint8_t>(v % 32);
        rx.EqSettings.at(static_cast<std::size_t>(26 + round % 100)) =
            static_cast<std::uint8_t>(v % 25);
        rx.ToneSettings.at(static_cast<std::size_t>(2 * (round % 4) + 1)) =
            static_cast<std::uint8_t>(v % 13);
        rx.SetSpeakerDistance(round % 12, 100 + 7 * round);
        rx.SetIoAssign(round % 4, 1, round % 5);
        rx.SetInputName(round % 13, "ROUND " + std::to_string(round));
        rx.SetTunerPreset(1 + round % 40, tuner_presets::kBandFm, 10 + round);
        rx.PictureModeAdjust.at(static_cast<std::size_t>(round % 3) * picture_mode::kRecordSize +
                                2) = static_cast<std::uint8_t>(20 + round);
        rx.DcTrigger1.at(dc_trigger::kZone1Row + static_cast<std::size_t>(round % 13)) = v % 2;
        rx.SpeakerLevels.at(static_cast<std::size_t>(round % 11)) =
            static_cast<std::uint8_t>(30 + round % 20);
        rx.MainZoneState.at(main_zone::kMainVolume) = static_cast<std::uint8_t>(60 + round);
        rx.AudioDelay.at(0) = static_cast<std::uint8_t>(round * 3);
    }

    sim::VirtualReceiver receiver_;
};

TEST_F(RealtimeDayTest, ADayOnANoisyLineStaysConnectedBoundedAndInStep) {
    Start();
    ConnectTo(3);
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuRealtime));
    TickDisplayLog();  // the log is written all day and must stay within its bound
    sim::ReceiverFaults& faults = receiver_.Faults();
    faults.corruptRate = 0.01;
    faults.dropRate = 0.005;
    faults.splitRate = 0.01;
    faults.seed = 2412;

    int notConnectedMinutes = 0;
    for (int hour = 0; hour < 24; ++hour) {
        if (hour % 3 == 0) {
            ChangeOnTheReceiver(hour + 1);
        }
        for (int minute = 0; minute < 60; ++minute) {
            Advance(60'000);
            notConnectedMinutes += ConnectionIcon() == res::kIconConnectedRealtime ? 0 : 1;
            // Every queue, buffer and log within its bound.
            ASSERT_LE(Main().Link().Sender().QueueCount(), CommandSender::kQueueSize);
            ASSERT_LE(Main().Link().Sender().Window().FramesInFlight(), SendWindow::kMaxInFlight);
            ASSERT_LE(LogText().size(), LogPane::kTrimLength + 1000);
            ASSERT_LE(port_->BytesInFlight(), 2000u);
            ASSERT_TRUE(prompter_.Boxes().empty()) << prompter_.Boxes()[0].text;
        }
    }
    EXPECT_EQ(notConnectedMinutes, 0);
    EXPECT_TRUE(State().realtimeMode);
    EXPECT_EQ(State().openPort, 3);
    // The day really was noisy.
    EXPECT_GT(receiver_.FaultsDone().bytesCorruptedSent, 100'000u);
    EXPECT_GT(receiver_.FaultsDone().bytesCorruptedHeard, 10'000u);
    EXPECT_GT(receiver_.FaultsDone().answersDropped, 1000u);

    // The line goes quiet: within two rounds of the poll the image holds the receiver's state.
    faults = sim::ReceiverFaults{};
    int rounds = 0;
    int previous = State().realtimePollState;
    ASSERT_TRUE(loop_.AdvanceUntil(
        [&] {
            const int now = State().realtimePollState;
            rounds += now == LinkState::kFirstRealtimeState && previous != now ? 1 : 0;
            previous = now;
            return rounds >= 2;
        },
        10 * 60'000));
    Advance(3'000);
    EXPECT_EQ(PolledDifferences(EditorImage(), receiver_.Image()), std::vector<std::string>{});
    EXPECT_EQ(ConnectionIcon(), res::kIconConnectedRealtime);
}

}  // namespace
}  // namespace tra1::testing
