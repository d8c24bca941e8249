// The whole editor on the program's real clock against the virtual receiver behind Debian's
// ser2net, raw and with RFC 2217, and behind tr-a1-sim's own TCP port: AUTO finds the TR-A1
// through the one mapped number; a Download then Upload brings back what the same round trip
// brings back over the in-memory line; a server killed during a Download ends it with its
// message. Every wait is for an event, with a generous time-out of its own.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window_ids.h"
#include "app/receiver_editor_dlg.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"
#include "platform/serial/com_port_map.h"
#include "platform/serial/in_memory_serial_port.h"
#include "platform/serial/line_clock.h"
#include "platform/serial/mapped_serial_port.h"
#include "platform/win/event_loop.h"
#include "platform/win/scripted_prompter.h"
#include "platform/win/static.h"
#include "platform/win/steady_clock.h"
#include "platform/win/user_input.h"
#include "platform/win/virtual_clock.h"
#include "resources/icon_ids.h"
#include "sim/virtual_receiver.h"
#include "tests/support/serial_servers.h"

namespace tra1::testing {
namespace {

namespace id = main_window;

constexpr std::int64_t kConnectLimitMs = 60'000;
constexpr std::int64_t kSerialServerTransferLimitMs = 15 * 60'000;

// Settings in many blocks, away from the defaults.
void ChangeImage(ReceiverImage& image) {
    image.SpeakerLevels.at(speaker_levels::kSW) = 52;
    image.EqSettings.at(3) = 20;
    image.EqSettings.at(13 * 5 + 3) = 21;
    image.ToneSettings.at(5) = 11;
    image.InputTrims.at(4) = 0x13;
    image.SetInputName(2, "MY DVD");
    image.SetTunerPreset(17, tuner_presets::kBandAm, 33);
    image.SetSpeakerDistance(6, 345);
}

// The editor with its own loop, prompter and serial line.
class Editor {
public:
    Editor(win::Clock& clock, std::unique_ptr<serial::SerialPort> port) : loop(clock) {
        loop.SetPrompter(&prompter);
        window = std::make_unique<CReceiverEditorDlg>(loop, image, profile, std::move(port));
        created = window->Create();
        window->Show();
        loop.DrainPosted();
    }
    ~Editor() {
        if (window->IsWindow()) {
            window->DestroyWindow();
        }
        loop.DrainPosted();
    }
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    LinkState& State() { return window->Link().State(); }
    int Icon() const { return window->Get<win::Static>(id::kConnectionIcon)->GetIcon(); }
    bool Identified() {
        return Icon() == res::kIconConnectedAsync && State().searchPort == 0 &&
               State().echoGuard == 0;
    }
    bool TransferDone() {
        return State().uploadInProgress == 0 && State().downloadInProgress == 0 &&
               !window->WaitMessageOpen();
    }
    bool ConnectAuto() {
        return win::user::PickComboItem(*window, id::kPortCombo, 0) &&
               win::user::Click(*window, id::kConnectButton);
    }

    win::EventLoop loop;
    win::ScriptedPrompter prompter;
    // What the application owns for the whole run.
    ReceiverImage image;
    ModelProfile profile;
    std::unique_ptr<CReceiverEditorDlg> window;
    bool created = false;
};

// Runs the loop of the real clock, as the program's front end does (reading the line the moment
// its bytes arrive), until `done` or the limit.
bool RunUntil(Editor& editor, const std::function<bool()>& done, std::int64_t limitMs) {
    return editor.loop.RunUntil(done, limitMs);
}

// The round trip over the in-memory line on the virtual clock: what the protocol carries.
std::vector<std::uint8_t> RoundTripInMemory() {
    win::VirtualClock clock;
    sim::VirtualReceiver receiver;
    serial::FunctionLineClock lineClock([&clock] { return clock.NowMs(); });
    auto line = std::make_unique<serial::InMemorySerialPort>(lineClock, receiver);
    Editor editor(clock, std::move(line));
    editor.ConnectAuto();
    EXPECT_TRUE(editor.loop.AdvanceUntil([&] { return editor.Identified(); }, kConnectLimitMs));
    ChangeImage(editor.image);
    EXPECT_TRUE(win::user::Click(*editor.window, id::kDownloadButton));
    EXPECT_TRUE(editor.loop.AdvanceUntil([&] { return editor.TransferDone(); },
                                         kSerialServerTransferLimitMs));
    editor.image.ResetToDefaults(editor.profile);
    EXPECT_TRUE(win::user::Click(*editor.window, id::kUploadButton));
    EXPECT_TRUE(editor.loop.AdvanceUntil([&] { return editor.TransferDone(); },
                                         kSerialServerTransferLimitMs));
    return editor.image.ToBytes();
}

// COM2 leads to the server; every other number to nothing, so that AUTO tries COM2 alone.
serial::ComPortMap MapOnlyCom2(const std::string& url) {
    serial::ComPortMap map;
    for (int n = serial::kFirstComPort; n <= serial::kLastComPort; ++n) {
        map.SetCommandLineOverride(n, n == 2 ? url : std::string());
    }
    return map;
}

class SerialServerEditorTest : public ::testing::TestWithParam<bool> {
protected:
    void StartServer() {
        ASSERT_TRUE(Ser2netInstalled()) << "ser2net is missing: scripts/packages.sh installs it";
        sim_ = std::make_unique<SimProcess>();
        ASSERT_FALSE(sim_->Address().empty());
        server_ = std::make_unique<Ser2net>(sim_->Address(), GetParam());
        ASSERT_TRUE(server_->Ready());
        map_ = MapOnlyCom2(server_->Url());
    }
    void ConnectWithAuto() {
        editor_ =
            std::make_unique<Editor>(clock_, std::make_unique<serial::MappedSerialPort>(map_));
        ASSERT_TRUE(editor_->created);
        ASSERT_TRUE(editor_->ConnectAuto());
        ASSERT_TRUE(RunUntil(
            *editor_, [this] { return editor_->Identified(); }, kConnectLimitMs))
            << ::testing::PrintToString(editor_->prompter.BoxTexts());
        EXPECT_EQ(
            editor_->prompter.BoxTexts(),
            std::vector<std::string>{"Auto Device Finder found TR-A1.\r\nPort : Com 2\r\n\r\n"});
        EXPECT_EQ(editor_->State().openPort, 2);
    }

    win::SteadyClock clock_;
    std::unique_ptr<SimProcess> sim_;
    std::unique_ptr<Ser2net> server_;
    serial::ComPortMap map_;
    std::unique_ptr<Editor> editor_;
};

TEST_P(SerialServerEditorTest, AutoFindsTheReceiverAndARoundTripBringsBackTheImage) {
    const std::vector<std::uint8_t> expected = RoundTripInMemory();
    StartServer();
    ConnectWithAuto();

    editor_->image.ResetToDefaults(editor_->profile);
    ChangeImage(editor_->image);
    ASSERT_TRUE(win::user::Click(*editor_->window, id::kDownloadButton));
    ASSERT_TRUE(RunUntil(
        *editor_, [this] { return editor_->TransferDone(); }, kSerialServerTransferLimitMs));
    editor_->image.ResetToDefaults(editor_->profile);
    ASSERT_TRUE(win::user::Click(*editor_->window, id::kUploadButton));
    ASSERT_TRUE(RunUntil(
        *editor_, [this] { return editor_->TransferDone(); }, kSerialServerTransferLimitMs));

    EXPECT_EQ(editor_->image.ToBytes(), expected);
    EXPECT_EQ(editor_->image.SpeakerLevels.at(speaker_levels::kSW), 52);
    EXPECT_EQ(editor_->image.EqSettings.at(13 * 5 + 3), 21);
    EXPECT_EQ(editor_->image.InputName(2).rfind("MY DVD", 0), 0u);  // blank-padded, as in memory
    EXPECT_EQ(editor_->prompter.Boxes().size(), 1u);  // nothing but the search's finding
    EXPECT_EQ(editor_->State().openPort, 2);
}

TEST_P(SerialServerEditorTest, KillingTheServerDuringADownloadEndsItWithItsMessage) {
    StartServer();
    ConnectWithAuto();
    ASSERT_TRUE(win::user::Click(*editor_->window, id::kDownloadButton));
    ASSERT_TRUE(RunUntil(
        *editor_, [this] { return editor_->State().downloadInProgress > 10; }, kConnectLimitMs));
    server_->Kill();
    ASSERT_TRUE(RunUntil(
        *editor_, [this] { return editor_->prompter.Boxes().size() >= 2; }, kConnectLimitMs));
    EXPECT_EQ(editor_->prompter.Boxes().back().text,
              "COM Port : 2\r\nConnection lost.\r\nThe Download was stopped; the receiver may "
              "now hold only part of the new settings.\r\nThe PC image is as it was before the "
              "Download.");
    EXPECT_TRUE(editor_->TransferDone());
    EXPECT_EQ(editor_->State().openPort, 0);
    EXPECT_EQ(editor_->Icon(), res::kIconNotConnected);
}

INSTANTIATE_TEST_SUITE_P(RawAndRfc2217, SerialServerEditorTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Rfc2217" : "Raw"; });

TEST(SimulatorOnTcpEditorTest, AutoFindsTheReceiverOnTheSimulatorsOwnPort) {
    SimProcess sim(true);
    ASSERT_EQ(sim.Address().rfind("socket://", 0), 0u) << sim.Address();
    serial::ComPortMap map = MapOnlyCom2(sim.Address());
    win::SteadyClock clock;
    Editor editor(clock, std::make_unique<serial::MappedSerialPort>(map));
    ASSERT_TRUE(editor.ConnectAuto());
    ASSERT_TRUE(RunUntil(
        editor, [&] { return editor.Identified(); }, kConnectLimitMs));
    EXPECT_EQ(editor.State().openPort, 2);
    // The simulator going away is a lost connection like any other.
    EXPECT_EQ(sim.Stop(), 0);
    ASSERT_TRUE(RunUntil(
        editor, [&] { return editor.prompter.Boxes().size() >= 2; }, kConnectLimitMs));
    EXPECT_EQ(editor.prompter.Boxes().back().text, "COM Port : 2\r\nConnection lost.");
}

}  // namespace
}  // namespace tra1::testing
