// The transfer sequences against a recording host: the start checks, the order and scope of
// what a download and an upload send, the preset passes, the progress messages and the realtime
// poll's cycle. The end-to-end runs against the virtual receiver are in transfer_test.cpp.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/transfer_dsp_parameters.h"
#include "app/transfer_engine.h"
#include "app/transfer_host.h"
#include "link/link_state.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"

namespace tra1 {
namespace {

struct Sent {
    bool extended = false;
    int number = 0;  // command or function number
    int mode = 0;
    std::array<int, 6> p{};
    std::string text;
    int pass = 0;  // the preset pass while it was sent
    int tag = -1;  // the tag the send window would give it

    bool operator==(const Sent&) const = default;
};

class RecordingTransferHost final : public TransferHost {
public:
    explicit RecordingTransferHost(ReceiverImage& image) : image_(image) {}

    void SendCommand(int commandNumber, int value) override {
        sent.push_back({false, commandNumber, 0, {value}, {}, Pass(), tag});
        ++owed;
        if (!downloading) {
            TakeSelection(commandNumber, value);
        }
    }
    // An upload checks the input, mode and program it selects in the state the receiver then
    // reports: the image takes them as the status answer would bring them.
    void TakeSelection(int commandNumber, int value) {
        auto& zone = image_.MainZoneState;
        const int input = zone.at(main_zone::kMainInput);
        switch (commandNumber) {
            case command::kMainInput:
                zone.at(main_zone::kMainInput) = static_cast<std::uint8_t>(value);
                break;
            case command::kInputMode:
                zone.at(main_zone::kInputMode) = static_cast<std::uint8_t>(value / 2);
                break;
            case command::kMultiChannelInput:
                zone.at(main_zone::kMultiChannelInput) = static_cast<std::uint8_t>(value);
                break;
            case command::kProgram:
                image_.SetInputProgramByte(input, static_cast<std::uint8_t>(value));
                break;
            case command::kEffectOff:
                image_.SetInputProgramByte(
                    input,
                    static_cast<std::uint8_t>(image_.InputProgramByte(input) |
                                              (value == 0 ? program_byte::kEffectOffFlag : 0)));
                break;
            default:
                break;
        }
    }
    void SendExtended(int function, int mode, const std::array<int, 6>& p,
                      std::string_view text) override {
        sent.push_back({true, function, mode, p, std::string(text), Pass(), tag});
        ++owed;
    }
    // With a room (in frames), the host plays the send window: every frame sent is owed its
    // answer until the test clears `owed`, and the frames beyond the room wait to go out.
    bool TransferSendsWaiting() const override { return room >= 0 && owed > room; }
    bool TransferAnswersOwed() const override { return room >= 0 && owed > 0; }
    bool TaggedAnswersOwed() const override { return TransferAnswersOwed(); }
    int room = -1;
    int owed = 0;
    void ResetQueue() override { ++queueResets; }
    void ResetReceiver() override { ++receiverResets; }
    void Pause(int ms) override {
        pausedMs += ms;
        // A pause within a back-to-back step (a download tags its stepwise steps too).
        if (tag >= 0 && (!downloading || DownloadSequence::BackToBack(tag % 100'000))) {
            ++taggedPauses;
        }
    }
    void TagSends(int newTag) override { tag = newTag; }
    // Set for a download's steps.
    void SendCommandsOneByOne(bool on) override { downloading = on; }
    bool downloading = false;
    std::optional<int> TakeTagOfLostAnswer() override {
        return std::exchange(lostTag, std::nullopt);
    }
    int DropWaitingTransferSends() override {
        ++drops;
        return 0;
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void ReportStopped(const std::string& text) override { stopReports.push_back(text); }
    void ReceiverNotAnswering() override { ++notAnswering; }
    void TransferStateChanged() override { ++stateChanges; }
    bool PresetSettingChosen() const override { return preset; }
    bool OpenWaitMessage() override {
        waitOpen = true;
        return true;
    }
    bool WaitMessageOpen() const override { return waitOpen; }
    void PostProgress(int wParam, int lParam) override {
        progress.emplace_back(wParam, lParam);
        if (lParam == TransferEngine::kProgressEnd) {
            waitOpen = false;
        }
    }
    void CloseWaitMessage() override { waitOpen = false; }
    void SelectPresetEntry(int entry) override { selectedEntries.push_back(entry); }
    void ImageChanged() override { ++imageChanges; }
    void DownloadCompleted() override {}
    void ReceiverRead(const ReceiverImage& /*received*/, bool /*verify*/,
                      bool /*presetSetting*/) override {}

    int Pass() const { return image_.MainZoneState.at(main_zone::kPresetPass); }

    std::vector<Sent> sent;
    std::vector<std::string> messages;
    std::vector<std::string> stopReports;
    std::vector<std::pair<int, int>> progress;
    std::vector<int> selectedEntries;
    bool preset = false;
    bool waitOpen = false;
    int queueResets = 0;
    int receiverResets = 0;
    int pausedMs = 0;
    int imageChanges = 0;
    int notAnswering = 0;
    int stateChanges = 0;
    int tag = -1;
    int taggedPauses = 0;
    int drops = 0;
    std::optional<int> lostTag;

private:
    ReceiverImage& image_;
};

class TransferSequenceTest : public ::testing::Test {
protected:
    TransferSequenceTest() {
        image_.ResetToDefaults(profile_);
        state_.openPort = 1;
    }

    // Runs steps, answering every wait at once, until the transfer ends.
    int RunToEnd(bool upload, int limit = 20000) {
        int steps = 0;
        while (engine_.Running() && steps < limit) {
            state_.awaitedFunction = LinkState::kNone;
            if (upload) {
                engine_.UploadStep();
            } else {
                engine_.DownloadStep();
            }
            ++steps;
        }
        return steps;
    }

    std::vector<Sent> Commands(int number) const {
        std::vector<Sent> out;
        std::copy_if(host_.sent.begin(), host_.sent.end(), std::back_inserter(out),
                     [number](const Sent& s) { return !s.extended && s.number == number; });
        return out;
    }
    std::vector<Sent> Extended(int function, int mode) const {
        std::vector<Sent> out;
        std::copy_if(
            host_.sent.begin(), host_.sent.end(), std::back_inserter(out),
            [=](const Sent& s) { return s.extended && s.number == function && s.mode == mode; });
        return out;
    }

    ModelProfile profile_;
    ReceiverImage image_;
    LinkState state_;
    RecordingTransferHost host_{image_};
    TransferEngine engine_{state_, image_, profile_, host_};
};

TEST_F(TransferSequenceTest, StartChecksShowTheirMessageInOrderAndStartNothing) {
    state_.realtimeMode = true;
    state_.openPort = 0;
    EXPECT_FALSE(engine_.StartUpload());
    state_.realtimeMode = false;
    EXPECT_FALSE(engine_.StartDownload());
    state_.openPort = 1;
    state_.uploadInProgress = 5;
    state_.downloadInProgress = 7;
    EXPECT_FALSE(engine_.StartDownload());
    state_.uploadInProgress = 0;
    EXPECT_FALSE(engine_.StartUpload());
    EXPECT_EQ(host_.messages,
              (std::vector<std::string>{"Select Asynchronous Mode.", "Com port is not open.",
                                        "Uploading Configuration.", "Downloading Configuration."}));
    EXPECT_TRUE(host_.sent.empty());
    EXPECT_FALSE(host_.waitOpen);
    EXPECT_EQ(state_.downloadInProgress, 7);
}

TEST_F(TransferSequenceTest, StartPowersOnAStandbyReceiverResetsTheLinkAndOpensTheWindow) {
    image_.MainZoneState.at(main_zone::kPower) = 0;
    image_.MainZoneState.at(main_zone::kPresetPass) = 3;
    image_.MainZoneState.at(main_zone::kTransferScratch24) = 9;
    state_.awaitedFunction = 265;
    ASSERT_TRUE(engine_.StartDownload());
    ASSERT_EQ(host_.sent.size(), 1u);
    EXPECT_EQ(host_.sent[0].number, 8);
    EXPECT_EQ(host_.sent[0].p[0], 1);
    EXPECT_EQ(host_.queueResets, 1);
    EXPECT_EQ(host_.receiverResets, 1);
    EXPECT_EQ(state_.downloadInProgress, 1);
    EXPECT_EQ(state_.awaitedFunction, LinkState::kNone);
    EXPECT_EQ(image_.MainZoneState.at(main_zone::kPresetPass), 0);
    EXPECT_EQ(image_.MainZoneState.at(main_zone::kTransferScratch24), 0);
    EXPECT_TRUE(host_.waitOpen);
}

TEST_F(TransferSequenceTest, UploadStartsInTheFirstPassWhateverTheImageHeld) {
    image_.MainZoneState.at(main_zone::kPresetPass) = 200;  // as a file may hold
    EXPECT_EQ(engine_.PresetPass(), 0);
    image_.MainZoneState.at(main_zone::kPresetPass) = 4;
    ASSERT_TRUE(engine_.StartUpload());
    EXPECT_EQ(engine_.PresetPass(), 0);
}

TEST_F(TransferSequenceTest, StepsWaitForTheAwaitedReply) {
    ASSERT_TRUE(engine_.StartDownload());
    engine_.DownloadStep();
    EXPECT_EQ(state_.downloadInProgress, 2);
    const std::size_t sent = host_.sent.size();
    ASSERT_NE(state_.awaitedFunction, LinkState::kNone);
    engine_.DownloadStep();
    engine_.DownloadStep();
    EXPECT_EQ(state_.downloadInProgress, 2);
    EXPECT_EQ(host_.sent.size(), sent);
}

TEST_F(TransferSequenceTest, CurrentSettingDownloadWritesTheImageAndEndsWithStandbyAndOn) {
    image_.SetInputName(3, "MY CDR");
    image_.EqSettings.at(13 * 9 + 12) = 17;
    image_.SetDspParameter(28, 27, 3);  // decode type 3 goes out as 6
    image_.SetDspParameter(32, 41, 7);  // "Standard" carries its decode type in slot 41
    ASSERT_TRUE(engine_.StartDownload());
    RunToEnd(false);

    ASSERT_GE(host_.sent.size(), 2u);
    const Sent& last = host_.sent.back();
    const Sent& beforeLast = host_.sent[host_.sent.size() - 2];
    EXPECT_FALSE(beforeLast.extended);
    EXPECT_EQ(beforeLast.number, 8);
    EXPECT_EQ(beforeLast.p[0], 0);
    EXPECT_EQ(last.number, 8);
    EXPECT_EQ(last.p[0], 1);

    const auto names = Extended(261, 1);
    ASSERT_EQ(names.size(), 14u);
    EXPECT_EQ(names[3].p[0], 3);
    EXPECT_EQ(names[3].text, "MY CDR");
    EXPECT_EQ(Extended(267, 1).size(), 130u);
    EXPECT_EQ(Extended(267, 1).back().p[2], 17);
    EXPECT_EQ(Extended(260, 1).size(), 20u);
    EXPECT_EQ(Extended(274, 1).size(), 41u);
    EXPECT_EQ(Extended(271, 1).size(), 52u);
    EXPECT_EQ(Extended(262, 1).size(), 14u);
    EXPECT_EQ(Extended(272, 1).size(), 13u);
    EXPECT_EQ(Commands(20).size(), 38u + 13u);

    const auto params = Extended(265, 1);
    const auto find = [&](int code, int parameter, int sub) {
        return std::find_if(params.begin(), params.end(), [=](const Sent& s) {
            return s.p[0] == code && s.p[1] == parameter && s.p[2] == sub;
        });
    };
    const auto decode = find(ModelProfile::ProgramCode(28), 27, 1);
    ASSERT_NE(decode, params.end());
    EXPECT_EQ(decode->p[3], 6);
    const auto standard = std::find_if(params.rbegin(), params.rend(), [](const Sent& s) {
        return s.p[0] == ModelProfile::ProgramCode(32) && s.p[1] == 27;
    });
    ASSERT_NE(standard, params.rend());
    EXPECT_EQ(standard->p[3], 7);  // the last write of parameter 27 is slot 41's
    EXPECT_NE(find(ModelProfile::ProgramCode(33), 8, 7), params.end());
    EXPECT_NE(find(ModelProfile::ProgramCode(33), 5, 7), params.end());
    EXPECT_EQ(find(ModelProfile::ProgramCode(0), 4, 1), params.end());  // not in its set

    // 20 ms after each parameter of "Standard", 1 s after the current station, 50 ms around
    // the right trigger's 27 sends.
    EXPECT_EQ(host_.pausedMs, 6 * 20 + 1000 + 27 * 50);
    EXPECT_EQ(state_.downloadInProgress, 0);
    EXPECT_EQ(state_.transferBusy, 0);
    EXPECT_FALSE(host_.waitOpen);
    EXPECT_EQ(host_.progress.back(), std::make_pair(1, TransferEngine::kProgressEnd));
}

TEST_F(TransferSequenceTest, DownloadProgressEightMessagesPerStepWithItsCounter) {
    ASSERT_TRUE(engine_.StartDownload());
    engine_.DownloadStep();
    state_.awaitedFunction = LinkState::kNone;
    engine_.DownloadStep();
    ASSERT_EQ(host_.progress.size(), 16u);
    EXPECT_EQ(host_.progress[0], std::make_pair(1, 1));
    EXPECT_EQ(host_.progress[8], std::make_pair(1, 2));
}

TEST_F(TransferSequenceTest, PresetDownloadWritesSixPassesAndStoresEachOnTheReceiver) {
    host_.preset = true;
    for (int entry = 0; entry < 6; ++entry) {
        image_.MainVolumeMemories.at(static_cast<std::size_t>(entry)) =
            static_cast<std::uint8_t>(100 + entry);
    }
    ASSERT_TRUE(engine_.StartDownload());
    RunToEnd(false);

    // Per pass: the PC memories of the entry are in the image when its main volume is written.
    const auto volumes = Commands(48);
    ASSERT_EQ(volumes.size(), 6u);
    for (int pass = 0; pass < 6; ++pass) {
        EXPECT_EQ(volumes[static_cast<std::size_t>(pass)].p[0], 100 + pass);
        EXPECT_EQ(volumes[static_cast<std::size_t>(pass)].pass, pass);
    }
    for (int command : {27, 29, 31}) {
        const auto stores = Commands(command);
        ASSERT_EQ(stores.size(), 6u) << command;
        for (int pass = 0; pass < 6; ++pass) {
            EXPECT_EQ(stores[static_cast<std::size_t>(pass)].p[0], pass);
        }
    }
    // Data the receiver keeps once goes in the first pass only.
    for (const Sent& s : host_.sent) {
        if (s.pass == 0 || !s.extended) {
            continue;
        }
        EXPECT_NE(s.number, 261);
        EXPECT_NE(s.number, 274);
        EXPECT_NE(s.number, 271);
        EXPECT_FALSE(s.number == 260 && s.p[0] == 0);
    }
    EXPECT_EQ(Extended(267, 1).size(), 6u * 130u);
    // Later passes write only the current program's parameters.
    const int current = image_.InputProgram(image_.MainZoneState.at(main_zone::kMainInput));
    for (const Sent& s : Extended(265, 1)) {
        if (s.pass > 0) {
            EXPECT_EQ(s.p[0], ModelProfile::ProgramCode(current));
        }
    }
    EXPECT_EQ(host_.selectedEntries, (std::vector<int>{0, 1, 2, 3, 4, 5, 0}));
    EXPECT_EQ(Commands(28).back().p[0], 0);
    EXPECT_EQ(host_.sent.back().number, 8);
    EXPECT_EQ(engine_.PresetPass(), 0);
    EXPECT_EQ(image_.MainZoneState.at(main_zone::kMainVolume), 100);
}

TEST_F(TransferSequenceTest, UploadRequestsEveryGroupAndRestoresTheSavedState) {
    image_.MainZoneState.at(main_zone::kMainInput) = 9;
    image_.SetInputProgramByte(9, 0x80 | 21);
    image_.MainZoneState.at(main_zone::kMultiChannelInput) = 1;
    image_.MainZoneState.at(main_zone::kInputMode) = 2;
    ASSERT_TRUE(engine_.StartUpload());
    RunToEnd(true);

    // Each status step asks twice: the frame has no checksum, and two must agree. The steps
    // that select an input, mode or program hear the receiver's state back: the first, the 13
    // inputs, the last input before the parameters, the three steps that put the receiver back
    // and the end of the pass.
    EXPECT_EQ(Commands(255).size(), 2u * (1u + 13u + 1u + 3u + 1u));
    const auto inputs = Commands(2);
    ASSERT_GE(inputs.size(), 13u);
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(inputs[static_cast<std::size_t>(i)].p[0], i);
    }
    EXPECT_EQ(inputs.back().p[0], 9);  // the end of the pass selects the saved input again
    EXPECT_EQ(Extended(260, 0).size(), 20u);
    EXPECT_EQ(Extended(261, 0).size(), 14u);
    EXPECT_EQ(Extended(274, 0).size(), 41u);
    EXPECT_EQ(Extended(271, 0).size(), 52u);
    EXPECT_EQ(Extended(267, 0).size(), 130u);
    EXPECT_EQ(Extended(262, 0).size(), 14u);
    // Every program once on the last input; then that input gets back the program it was read
    // with (22, with its effect off, as the defaults have it), then the saved one is selected.
    const auto programs = Commands(20);
    ASSERT_EQ(programs.size(), 38u + 2u);
    EXPECT_EQ(programs[38].p[0], image_.InputProgram(12));
    EXPECT_EQ(programs.back().p[0], 21);
    ASSERT_EQ(Commands(19).size(), 2u);
    EXPECT_EQ(Commands(3).back().p[0], 1);
    EXPECT_EQ(Commands(4).back().p[0], 4);  // input mode 2 is position 4
    for (const Sent& s : Extended(274, 0)) {
        EXPECT_EQ(s.text, "xxxxxx");
    }
    EXPECT_EQ(state_.uploadInProgress, 0);
    EXPECT_FALSE(host_.waitOpen);
}

TEST_F(TransferSequenceTest, UploadProgressCountsPerStepForBothOptions) {
    ASSERT_TRUE(engine_.StartUpload());
    engine_.UploadStep();
    EXPECT_EQ(host_.progress.size(), 6u);
    EXPECT_EQ(host_.progress[0], std::make_pair(0, 2));
    engine_.Cancel();
    host_.progress.clear();
    host_.preset = true;
    ASSERT_TRUE(engine_.StartUpload());
    engine_.UploadStep();
    EXPECT_EQ(host_.progress.size(), 2u);
}

TEST_F(TransferSequenceTest, PresetUploadStoresEveryEntryIntoThePcMemories) {
    host_.preset = true;
    ASSERT_TRUE(engine_.StartUpload());
    // The receiver reports another main volume for each preset it recalls.
    int steps = 0;
    int lastPass = -1;
    while (engine_.Running() && steps < 50000) {
        if (host_.Pass() != lastPass) {
            lastPass = host_.Pass();
            image_.MainZoneState.at(main_zone::kMainVolume) =
                static_cast<std::uint8_t>(50 + lastPass);
        }
        state_.awaitedFunction = LinkState::kNone;
        engine_.UploadStep();
        ++steps;
    }
    ASSERT_FALSE(engine_.Running());
    for (int entry = 0; entry < 6; ++entry) {
        EXPECT_EQ(image_.MainVolumeMemories.at(static_cast<std::size_t>(entry)), 50 + entry);
    }
    EXPECT_EQ(Commands(28).size(), 7u);  // entry 0 first, each next entry, entry 0 at the end
    EXPECT_EQ(Extended(261, 0).size(), 14u);
    EXPECT_EQ(Extended(271, 0).size(), 52u);
    EXPECT_EQ(Extended(267, 0).size(), 6u * 130u);
    EXPECT_EQ(host_.selectedEntries.back(), 0);
    EXPECT_EQ(image_.MainZoneState.at(main_zone::kMainVolume), 50);  // entry A recalled
}

TEST_F(TransferSequenceTest, ProgressNeverClosesTheWindowBeforeTheEnd) {
    ASSERT_TRUE(engine_.StartUpload());
    state_.uploadInProgress = 2000;  // 2 x 2000 would reach the end value
    engine_.UploadStep();
    ASSERT_FALSE(host_.progress.empty());
    EXPECT_EQ(host_.progress[0].second, TransferEngine::kProgressEnd - 1);
    // The counter lies beyond the pass, so this step ended the upload: one end message only.
    EXPECT_EQ(std::count_if(host_.progress.begin(), host_.progress.end(),
                            [](const auto& m) { return m.second == TransferEngine::kProgressEnd; }),
              1);
    EXPECT_EQ(host_.progress.back().second, TransferEngine::kProgressEnd);
}

TEST_F(TransferSequenceTest, CancelPutsTheReceiverBackAndThenSendsNothing) {
    image_.MainZoneState.at(main_zone::kMainInput) = 3;
    image_.SetInputProgramByte(3, 0x80 | 17);  // program 17 with the effect off
    image_.MainZoneState.at(main_zone::kMainVolume) = 120;
    image_.MainZoneState.at(main_zone::kMultiChannelInput) = 1;
    ASSERT_TRUE(engine_.StartDownload());
    engine_.DownloadStep();  // input 12, the multi-channel input off, night mode on
    engine_.DownloadStep();
    state_.transferBusy = 1;
    const std::size_t sent = host_.sent.size();
    engine_.Cancel();
    EXPECT_FALSE(engine_.Running());
    EXPECT_EQ(state_.awaitedFunction, LinkState::kNone);
    EXPECT_EQ(state_.transferBusy, 0);
    EXPECT_FALSE(host_.waitOpen);
    EXPECT_GT(host_.stateChanges, 1);  // at the start and at the end

    // The receiver gets the image's input, program, mode, multi-channel input, night mode and
    // volume back, the input first.
    std::vector<std::pair<int, int>> putBack;
    for (std::size_t i = sent; i < host_.sent.size(); ++i) {
        ASSERT_FALSE(host_.sent[i].extended);
        putBack.emplace_back(host_.sent[i].number, host_.sent[i].p[0]);
    }
    EXPECT_EQ(putBack,
              (std::vector<std::pair<int, int>>{
                  {2, 3}, {4, 0}, {7, 4}, {20, 17}, {19, 0}, {3, 1}, {18, 0}, {48, 120}, {1, 0}}));
    const std::size_t after = host_.sent.size();
    engine_.DownloadStep();
    EXPECT_EQ(host_.sent.size(), after);
    EXPECT_TRUE(host_.stopReports.empty());  // the user's own Cancel needs no message
}

TEST_F(TransferSequenceTest, CancelledUploadRestoresTheImageAndTheSavedInput) {
    const std::vector<std::uint8_t> before = image_.ToBytes();
    ASSERT_TRUE(engine_.StartUpload());
    engine_.UploadStep();  // the status request
    // The receiver reports its state: input 6, program 9.
    image_.MainZoneState.at(main_zone::kMainInput) = 6;
    image_.SetInputProgramByte(6, 9);
    state_.awaitedFunction = LinkState::kNone;
    engine_.UploadStep();  // saves that state, selects input 0
    for (int step = 0; step < 30; ++step) {
        image_.InputTrims.at(static_cast<std::size_t>(step % 14)) = 0x55;  // replies come in
        state_.awaitedFunction = LinkState::kNone;
        engine_.UploadStep();
    }
    const std::size_t sent = host_.sent.size();
    const int changesBefore = host_.imageChanges;
    engine_.Cancel();
    EXPECT_EQ(image_.ToBytes(), before);
    EXPECT_GT(host_.imageChanges, changesBefore);  // the windows show the image again
    ASSERT_GT(host_.sent.size(), sent + 1);
    // The parameters had begun on the last input: it gets its program back, then the saved
    // input and program are selected.
    EXPECT_EQ(host_.sent[sent].number, 20);
    EXPECT_EQ(host_.sent[sent].p[0], image_.InputProgram(12));
    const auto input = std::find_if(host_.sent.begin() + static_cast<std::ptrdiff_t>(sent),
                                    host_.sent.end(), [](const Sent& s) { return s.number == 2; });
    ASSERT_NE(input, host_.sent.end());
    EXPECT_EQ(input->p[0], 6);
    EXPECT_EQ(Commands(20).back().p[0], 9);
}

TEST_F(TransferSequenceTest, AValueTheCommandCannotCarryIsNotWaitedFor) {
    // A file may hold any byte: a THX distance of 9 has no position on the line.
    image_.ThxSettings.at(2) = 9;
    ASSERT_TRUE(engine_.StartDownload());
    state_.downloadInProgress = 323;  // the next step writes the THX settings
    engine_.DownloadStep();
    ASSERT_EQ(Commands(103).size(), 1u);
    // The step waits for the last answer that will come, the one to command 102.
    EXPECT_EQ(state_.awaitedFunction, 102);
}

TEST_F(TransferSequenceTest, FiveRepliesGivenUpInARowStopATransferWithOneMessage) {
    const std::vector<std::uint8_t> before = image_.ToBytes();
    ASSERT_TRUE(engine_.StartDownload());
    // What the link does: a step's wait is answered, or given up after 2 seconds.
    const auto answered = [this] {
        engine_.DownloadStep();
        state_.awaitedFunction = LinkState::kNone;
    };
    const auto givenUp = [this] {
        engine_.DownloadStep();
        state_.awaitedFunction = LinkState::kNone;
        engine_.OnReplyGivenUp();
    };
    // Answered waits in between start the count afresh.
    for (int round = 0; round < 3; ++round) {
        for (int given = 0; given < TransferEngine::kSilentWaitLimit - 1; ++given) {
            givenUp();
        }
        answered();
    }
    ASSERT_TRUE(engine_.Running());
    image_.InputTrims.at(0) = 0x42;  // anything the transfer changed goes back too
    for (int given = 0; given < TransferEngine::kSilentWaitLimit; ++given) {
        givenUp();
    }
    EXPECT_FALSE(engine_.Running());
    EXPECT_FALSE(host_.waitOpen);
    EXPECT_EQ(image_.ToBytes(), before);
    EXPECT_EQ(host_.notAnswering, 1);
    ASSERT_EQ(host_.stopReports.size(), 1u);
    EXPECT_EQ(host_.stopReports[0],
              "The receiver does not answer.\r\nThe Download was stopped; the receiver may now "
              "hold only part of the new settings.\r\nThe PC image is as it was before the "
              "Download.");
    // Nothing reads like a finished transfer.
    EXPECT_EQ(std::count_if(host_.progress.begin(), host_.progress.end(),
                            [](const auto& m) { return m.second == TransferEngine::kProgressEnd; }),
              0);
    const auto power = Commands(8);  // the power-on at the start, but no standby
    EXPECT_TRUE(
        std::none_of(power.begin(), power.end(), [](const Sent& s) { return s.p[0] == 0; }));

    // A line that went away: nothing is sent, the caller is told what it meant.
    host_.stopReports.clear();
    ASSERT_TRUE(engine_.StartUpload());
    engine_.UploadStep();
    const std::size_t sent = host_.sent.size();
    EXPECT_EQ(engine_.StopForLostLine(),
              "The Upload was stopped; the PC image was left as it was before the Upload.");
    EXPECT_EQ(host_.sent.size(), sent);
    EXPECT_FALSE(engine_.Running());
    EXPECT_TRUE(host_.stopReports.empty());
    EXPECT_EQ(engine_.StopForLostLine(), "");  // nothing runs any more
}

// A pipelined transfer runs the same steps as a stepwise one: only when they go out differs. Its
// back-to-back steps send extended frames only (each answer names its function and item) and
// never ask the receiver for a pause.
TEST_F(TransferSequenceTest, PipelinedTransfersSendWhatStepwiseOnesSendAndTagOnlyExtendedFrames) {
    for (const bool upload : {false, true}) {
        for (const bool presetSetting : {false, true}) {
            std::vector<Sent> sends[2];
            for (const bool pipelined : {false, true}) {
                host_.sent.clear();
                host_.preset = presetSetting;
                host_.taggedPauses = 0;
                engine_.SetPipelined(pipelined);
                ASSERT_TRUE(upload ? engine_.StartUpload() : engine_.StartDownload());
                RunToEnd(upload);
                ASSERT_FALSE(engine_.Running());
                sends[pipelined] = host_.sent;
            }
            const std::string what = std::string(upload ? "upload" : "download") +
                                     (presetSetting ? ", preset setting" : ", current setting");
            ASSERT_EQ(sends[0].size(), sends[1].size()) << what;
            int tagged = 0;
            for (std::size_t i = 0; i < sends[0].size(); ++i) {
                Sent stepwise = sends[0][i];
                const Sent& pipelined = sends[1][i];
                // A download tags every step, stepwise too, so that a step whose answer was
                // lost can run again; an upload only its back-to-back ones and its recalls of
                // the receiver's memories, which go out again when an answer is lost.
                const bool recall = !pipelined.extended &&
                                    (pipelined.number == command::kHomePresetRecall ||
                                     pipelined.number == command::kMainVolumeRecall ||
                                     pipelined.number == command::kZone2VolumeRecall);
                EXPECT_EQ(stepwise.tag, upload && !recall ? -1 : pipelined.tag) << what;
                EXPECT_EQ(recall && presetSetting, recall && pipelined.tag >= 0) << what;
                if (pipelined.tag >= 0) {
                    ++tagged;
                    EXPECT_TRUE(!upload || pipelined.extended || recall) << what << ": send " << i;
                    EXPECT_EQ(pipelined.tag / 100'000, pipelined.pass) << what;
                }
                stepwise.tag = pipelined.tag;
                ASSERT_EQ(stepwise, pipelined) << what << ": send " << i;
            }
            EXPECT_GT(tagged, 100) << what;
            EXPECT_EQ(host_.taggedPauses, 0) << what;
        }
    }
}

TEST_F(TransferSequenceTest, ALostAnswerSendsAPipelinedTransferBackToItsStepAndOnStepwise) {
    engine_.SetPipelined(true);
    ASSERT_TRUE(engine_.StartDownload());
    // Into the graphic EQ rows, which go back to back.
    while (state_.downloadInProgress < 250) {
        state_.awaitedFunction = LinkState::kNone;
        engine_.DownloadStep();
    }
    ASSERT_TRUE(engine_.RunningAhead());
    const std::size_t before = host_.sent.size();
    host_.lostTag = 210;
    engine_.DownloadStep();
    EXPECT_FALSE(engine_.RunningAhead());
    EXPECT_EQ(host_.sent.size(), before);  // nothing sent while falling back
    EXPECT_EQ(host_.drops, 1);
    EXPECT_EQ(state_.downloadInProgress, 209);
    engine_.DownloadStep();
    EXPECT_EQ(state_.downloadInProgress, 210);
    ASSERT_GT(host_.sent.size(), before);
    EXPECT_EQ(host_.sent.back().tag, 210);                // a download step is tagged stepwise too
    EXPECT_NE(state_.awaitedFunction, LinkState::kNone);  // stepwise again: it waits

    // A lost answer of a download step that is not back to back sends it again too: what a
    // command does can depend on the one before it.
    RunToEnd(false);
    engine_.SetPipelined(true);
    ASSERT_TRUE(engine_.StartDownload());
    for (int i = 0; i < 3; ++i) {
        state_.awaitedFunction = LinkState::kNone;
        engine_.DownloadStep();
    }
    const int at = state_.downloadInProgress;
    host_.lostTag = at;
    state_.awaitedFunction = LinkState::kNone;
    engine_.DownloadStep();
    EXPECT_FALSE(engine_.RunningAhead());
    EXPECT_EQ(state_.downloadInProgress, at - 1);
    EXPECT_EQ(host_.drops, 2);
    RunToEnd(false);
}

// A later pass of a "Preset Setting" download leaves out most steps' sends (what the receiver
// keeps once, every program but the current one): such a step waits for nothing, so the next one
// runs in the same call instead of on the next tick. Every call that moves the download on sends.
TEST_F(TransferSequenceTest, ADownloadStepThatSendsNothingIsFollowedAtOnceByTheNext) {
    host_.preset = true;
    for (const bool pipelined : {false, true}) {
        engine_.SetPipelined(pipelined);
        ASSERT_TRUE(engine_.StartDownload());
        int calls = 0;
        int callsSendingNothing = 0;
        while (engine_.Running() && calls < 20000) {
            state_.awaitedFunction = LinkState::kNone;
            const std::size_t before = host_.sent.size();
            engine_.DownloadStep();
            ++calls;
            callsSendingNothing += host_.sent.size() == before ? 1 : 0;
        }
        EXPECT_FALSE(engine_.Running()) << pipelined;
        EXPECT_EQ(callsSendingNothing, 0) << pipelined;
        // Six passes of 340 steps, of which the later passes send in fewer than 200.
        EXPECT_LT(calls, 340 + 5 * 200) << pipelined;
    }
}

// Stepwise, the writes of a row (each to a place of its own, its answer naming the item) go out
// in groups of as many as the receiver's buffer takes at once, like the writes of one step; the
// step after a group waits for every answer, and no group reaches into the next row. After a
// pipelined transfer fell back, every step goes on its own.
TEST_F(TransferSequenceTest, AStepwiseDownloadSendsARowOfWritesInGroupsTheBufferHolds) {
    host_.room = 4;
    ASSERT_TRUE(engine_.StartDownload());
    int eqCalls = 0;
    while (engine_.Running()) {
        host_.owed = 0;  // every answer is in
        state_.awaitedFunction = LinkState::kNone;
        const std::size_t before = host_.sent.size();
        engine_.DownloadStep();
        std::vector<int> steps;
        int beforeLastStep = 0;  // frames sent before the last step's
        for (std::size_t i = before; i < host_.sent.size(); ++i) {
            const int step = host_.sent[i].tag % 100'000;
            if (steps.empty() || steps.back() != step) {
                beforeLastStep = static_cast<int>(i - before);
                steps.push_back(step);
            }
        }
        // A group: one step, or steps that follow one another within one row of writes, of
        // which only the last had to wait for room; it ends at the row's end or there.
        for (std::size_t k = 1; k < steps.size(); ++k) {
            EXPECT_EQ(steps[k], steps[k - 1] + 1);
            EXPECT_TRUE(DownloadSequence::FollowsWithinItsRow(steps[k])) << steps[k];
        }
        if (steps.size() > 1) {
            EXPECT_LE(beforeLastStep, host_.room) << steps.front();
            if (DownloadSequence::FollowsWithinItsRow(steps.back() + 1)) {
                EXPECT_GT(host_.owed, host_.room) << steps.front();
            }
        }
        if (!steps.empty() && steps.front() >= 193 && steps.front() <= 322) {
            ++eqCalls;
        }
        // Until the group's answers are in, nothing more goes out.
        if (host_.owed > 0 && engine_.Running()) {
            const std::size_t sent = host_.sent.size();
            state_.awaitedFunction = LinkState::kNone;
            engine_.DownloadStep();
            EXPECT_EQ(host_.sent.size(), sent);
        }
    }
    // 130 graphic EQ bands in groups of 5 (the fifth waits for room).
    EXPECT_EQ(eqCalls, 26);

    engine_.SetPipelined(true);
    ASSERT_TRUE(engine_.StartDownload());
    while (state_.downloadInProgress < 250) {
        host_.owed = 0;
        state_.awaitedFunction = LinkState::kNone;
        engine_.DownloadStep();
    }
    host_.lostTag = 250;
    host_.owed = 0;
    engine_.DownloadStep();
    ASSERT_FALSE(engine_.RunningAhead());
    for (int call = 0; call < 20; ++call) {
        host_.owed = 0;
        state_.awaitedFunction = LinkState::kNone;
        const std::size_t before = host_.sent.size();
        engine_.DownloadStep();
        EXPECT_EQ(host_.sent.size(), before + 1);
    }
}

TEST(TransferDspParameters, SlotsTravelUnderTheReceiversNumbers) {
    EXPECT_TRUE(ReceiverHasSlot(0, 28));
    EXPECT_FALSE(ReceiverHasSlot(34, 0));
    EXPECT_FALSE(ReceiverHasSlot(38, 0));
    EXPECT_FALSE(ReceiverHasSlot(0, 42));
    const auto sub = [](int program, int slot) {
        const auto w = WireParameterOf(program, slot);
        return w ? std::make_pair(w->parameter, w->subIndex) : std::make_pair(-1, -1);
    };
    EXPECT_EQ(sub(0, 0), std::make_pair(0, 1));
    EXPECT_EQ(sub(33, 9), std::make_pair(9, 7));
    EXPECT_EQ(sub(33, 30), std::make_pair(4, 4));
    EXPECT_EQ(sub(33, 31), std::make_pair(-1, -1));
    EXPECT_EQ(sub(20, 32), std::make_pair(5, 1));
    EXPECT_EQ(sub(20, 36), std::make_pair(6, 4));
    EXPECT_EQ(sub(33, 40), std::make_pair(7, 7));
    EXPECT_EQ(sub(32, 41), std::make_pair(27, 1));
    EXPECT_EQ(sub(28, 41), std::make_pair(-1, -1));
    EXPECT_EQ(WireValueOf(27, 2), 4);
    EXPECT_EQ(WireValueOf(27, 3), 6);
    EXPECT_EQ(WireValueOf(27, 1), 1);
    EXPECT_EQ(WireValueOf(41, 3), 3);
}

TEST_F(TransferSequenceTest, RealtimePollCyclesThroughItsStates) {
    state_.realtimeMode = true;
    std::vector<int> states;
    for (int visit = 0; visit < 37; ++visit) {
        states.push_back(state_.realtimePollState);
        state_.awaitedFunction = LinkState::kNone;
        engine_.RealtimeStep();
    }
    std::vector<int> expected{256, 261, 262, 265, 265, 265, 265};
    expected.insert(expected.end(), 11, 266);
    expected.insert(expected.end(), {270, 271, 271, 271, 271, 271, 271});
    expected.insert(expected.end(), {274, 274, 274, 274, 274, 274, 272, 273, 256});
    expected.insert(expected.end(), {261, 262, 265});
    EXPECT_EQ(states, expected);

    // The graphic EQ visits wait for the record they asked for; record 1 is never asked for.
    std::vector<int> records;
    for (const Sent& s : Extended(267, 0)) {
        if (records.empty() || records.back() != s.p[0]) {
            records.push_back(s.p[0]);
        }
    }
    EXPECT_EQ(records, (std::vector<int>{0, 2, 3, 4, 5, 6, 7, 8, 9}));
    std::vector<int> subs;
    for (const Sent& s : Extended(265, 0)) {
        if (subs.empty() || subs.back() != s.p[2]) {
            subs.push_back(s.p[2]);
        }
    }
    EXPECT_EQ(subs, (std::vector<int>{1, 4, 3, 7, 1}));

    state_.realtimePollState = 999;
    state_.awaitedFunction = LinkState::kNone;
    engine_.RealtimeStep();
    EXPECT_EQ(state_.realtimePollState, 256);
}

TEST_F(TransferSequenceTest, RealtimePollPausesWhileAReplyIsAwaitedAndOnlyInRealtimeMode) {
    engine_.RealtimeStep();
    EXPECT_TRUE(host_.sent.empty());
    state_.realtimeMode = true;
    state_.awaitedFunction = 262;
    engine_.RealtimeStep();
    EXPECT_TRUE(host_.sent.empty());
    state_.awaitedFunction = LinkState::kNone;
    engine_.RealtimeStep();
    EXPECT_EQ(Extended(260, 0).size(), 20u);
    EXPECT_EQ(state_.awaitedFunction, 260);
}

}  // namespace
}  // namespace tra1
