// Upload, download and the realtime poll of the whole main window against the
// virtual receiver on the virtual clock: the image and the receiver end up
// equal in the blocks the line carries, Cancel stops a transfer, the start
// checks report, a silent receiver does not hang a transfer.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "app/transfer_engine.h"
#include "app/transfer_time_menu.h"
#include "app/wait_message_dlg.h"
#include "link/send_window.h"
#include "model/command_frame_builder.h"
#include "model/model_profile.h"
#include "model/protocol.h"
#include "platform/win/button.h"
#include "platform/win/menu.h"
#include "platform/win/user_input.h"
#include "tests/app/editor_fixture.h"
#include "tests/app/image_differences.h"

namespace tra1::testing {
namespace {

namespace id = main_window;

constexpr std::int64_t kTransferLimitMs = 15 * 60 * 1000;

std::string Trimmed(std::string text) {
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

class TransferTest : public EditorFixture {
protected:
    TransferTest() { portSwitch_.Wire(3, receiver_); }

    void StartConnected() {
        Start();
        TickDisplayLog();
        ConnectTo(3);
    }
    bool Running() { return State().uploadInProgress != 0 || State().downloadInProgress != 0; }
    void RunToEnd() {
        ASSERT_TRUE(loop_.AdvanceUntil([this] { return !Running(); }, kTransferLimitMs));
        loop_.DrainPosted();
    }
    void Click(int control) { ASSERT_TRUE(win::user::Click(Main(), control)); }
    void Command(int command) { ASSERT_TRUE(win::user::ChooseMenuItem(Main(), command)); }

    sim::VirtualReceiver receiver_;
};

TEST_F(TransferTest, UploadFillsTheImageWithTheReceiversSettings) {
    ReceiverImage& rx = receiver_.Image();
    rx.SetInputName(3, "MY CDR");
    rx.SetInputName(13, "MULTI");
    rx.InputTrims.at(4) = 0x13;
    rx.EqSettings.at(13 * 5 + 3) = 21;
    rx.EqSettings.at(13 * 9 + 12) = 3;
    rx.EqSettings.at(eq_layout::kCinemaEq + 7) = 9;
    rx.ToneSettings.at(5) = 11;
    rx.PictureModeAdjust.at(15 + 2) = 44;
    rx.SetSpeakerDistance(6, 345);
    rx.SetIoAssign(2, 5, 9);
    rx.DcTrigger2.at(dc_trigger::kZone2Row + 7) = 1;
    rx.SetTunerPreset(12, tuner_presets::kBandAm, 40);
    rx.SpeakerLevels.at(speaker_levels::kSW) = 52;
    rx.MainZoneState.at(main_zone::kMainVolume) = 120;
    rx.SetDspParameter(0, 0, 77);  // program 0, parameter 0
    receiver_.State().dspParameters[{ModelProfile::ProgramCode(20), 5, 4}] = 33;  // slot 33

    StartConnected();
    Click(id::kUploadButton);
    EXPECT_TRUE(Main().WaitMessageOpen());
    EXPECT_EQ(State().uploadInProgress, 1);
    RunToEnd();

    const ReceiverImage& im = EditorImage();
    for (int input = 0; input <= 13; ++input) {
        EXPECT_EQ(Trimmed(im.InputName(input)), Trimmed(rx.InputName(input))) << input;
        EXPECT_EQ(im.InputTrims.at(static_cast<std::size_t>(input)),
                  rx.InputTrims.at(static_cast<std::size_t>(input)));
    }
    for (std::size_t k = 0; k < 152; ++k) {
        if ((k >= 13 && k < 26) || k == 130 || k == 131) {
            continue;  // record 1 is not kept by the receiver; the options are not
                       // uploaded
        }
        EXPECT_EQ(im.EqSettings.at(k), rx.EqSettings.at(k)) << k;
    }
    EXPECT_EQ(im.ToneSettings, rx.ToneSettings);
    for (std::size_t r = 0; r < 3; ++r) {
        for (std::size_t b = 0; b < 5; ++b) {
            EXPECT_EQ(im.PictureModeAdjust.at(15 * r + b), rx.PictureModeAdjust.at(15 * r + b));
        }
    }
    for (int entry = 0; entry < 12; ++entry) {
        EXPECT_EQ(im.SpeakerDistance(entry), rx.SpeakerDistance(entry)) << entry;
    }
    for (int row = 0; row < 4; ++row) {
        for (int jack = 0; jack < 7; ++jack) {
            EXPECT_EQ(im.IoAssign(row, jack), rx.IoAssign(row, jack)) << row << " " << jack;
        }
    }
    EXPECT_EQ(im.IoAssign(2, 5), 9);
    for (std::size_t k = 1; k < 33; ++k) {
        EXPECT_EQ(im.DcTrigger1.at(k), rx.DcTrigger1.at(k)) << k;
        EXPECT_EQ(im.DcTrigger2.at(k), rx.DcTrigger2.at(k)) << k;
    }
    EXPECT_EQ(im.TunerBand(12), tuner_presets::kBandAm);
    EXPECT_EQ(im.TunerStep(12), 40);
    EXPECT_EQ(im.SpeakerLevels.at(speaker_levels::kSW), 52);
    EXPECT_EQ(im.MainZoneState.at(main_zone::kMainVolume), 120);
    EXPECT_EQ(im.DspParameter(0, 0), 77);
    EXPECT_EQ(im.DspParameter(20, 33), 33);

    EXPECT_FALSE(Main().WaitMessageOpen());
    EXPECT_EQ(State().transferBusy, 0);
    EXPECT_EQ(State().awaitedFunction, LinkState::kNone);
    // The receiver is back on the input it was on.
    EXPECT_EQ(receiver_.Image().MainZoneState.at(main_zone::kMainInput),
              im.MainZoneState.at(main_zone::kMainInput));
}

TEST_F(TransferTest, DownloadMakesTheReceiverHoldTheImage) {
    StartConnected();
    ReceiverImage& im = EditorImage();
    im.SetInputName(1, "COMPACT");
    im.InputTrims.at(9) = 0x07;
    for (std::size_t k = 0; k < 130; ++k) {
        im.EqSettings.at(k) = static_cast<std::uint8_t>(k % 25);
    }
    im.EqSettings.at(eq_layout::kCinemaEq + 3) = 5;
    im.ToneSettings.at(2) = 1;
    im.ToneSettings.at(3) = 9;
    im.PictureModeAdjust.at(30 + 4) = 12;
    im.SetSpeakerDistance(2, 410);
    im.SetIoAssign(3, 1, 6);
    im.DcTrigger1.at(dc_trigger::kZone1Row + 4) = 1;
    im.DcTrigger2.at(dc_trigger::kMode) = 2;
    im.SetTunerPreset(33, tuner_presets::kBandFm, 60);
    im.SpeakerLevels.at(speaker_levels::kCT) = 47;
    im.LfeDrange.at(lfe_drange::kDrangeSpeaker) = 2;
    im.AudioDelay.at(0) = 80;
    im.ThxSettings.at(1) = 1;
    im.VideoSettings.at(video_layout::kAspect) = 2;
    im.DisplaySettings.at(display_layout::kOsdShiftH) = 5;
    im.DisplaySettings.at(display_layout::kOsdShiftV) = 1;
    im.SpeakerSetup.at(speaker_setup::kSurround) = 1;
    im.MainZoneState.at(main_zone::kMainVolume) = 90;
    im.SetInputProgramByte(7, 0x80 | 3);
    im.SetDspParameter(28, 27, 3);
    im.SetDspParameter(33, 34, 19);
    const std::vector<std::uint8_t> before = im.ToBytes();

    Click(id::kDownloadButton);
    EXPECT_EQ(State().downloadInProgress, 1);
    RunToEnd();

    const ReceiverImage& rx = receiver_.Image();
    for (int input = 0; input <= 13; ++input) {
        EXPECT_EQ(Trimmed(rx.InputName(input)), Trimmed(im.InputName(input))) << input;
        EXPECT_EQ(rx.InputTrims.at(static_cast<std::size_t>(input)),
                  im.InputTrims.at(static_cast<std::size_t>(input)));
    }
    for (int input = 0; input <= 12; ++input) {
        EXPECT_EQ(rx.InputProgramByte(input), im.InputProgramByte(input)) << input;
    }
    for (std::size_t k = 0; k < 152; ++k) {
        if (k == 130 || k == 131) {
            continue;  // the GRAPHIC EQ options travel with their own panel
        }
        EXPECT_EQ(rx.EqSettings.at(k), im.EqSettings.at(k)) << k;
    }
    EXPECT_EQ(rx.ToneSettings, im.ToneSettings);
    for (std::size_t r = 0; r < 3; ++r) {
        for (std::size_t b = 0; b < 5; ++b) {
            EXPECT_EQ(rx.PictureModeAdjust.at(15 * r + b), im.PictureModeAdjust.at(15 * r + b));
        }
    }
    for (int entry = 0; entry <= 12; ++entry) {
        EXPECT_EQ(rx.SpeakerDistance(entry), im.SpeakerDistance(entry)) << entry;
    }
    EXPECT_EQ(rx.SpeakerDistance(15), im.SpeakerDistance(15));
    for (int row = 0; row < 4; ++row) {
        for (int jack = 0; jack < 7; ++jack) {
            EXPECT_EQ(rx.IoAssign(row, jack), im.IoAssign(row, jack)) << row << " " << jack;
        }
    }
    for (std::size_t k = 0; k < 33; ++k) {
        EXPECT_EQ(rx.DcTrigger1.at(k), im.DcTrigger1.at(k)) << k;
        EXPECT_EQ(rx.DcTrigger2.at(k), im.DcTrigger2.at(k)) << k;
    }
    for (int entry = 0; entry <= 40; ++entry) {
        EXPECT_EQ(rx.TunerBand(entry), im.TunerBand(entry)) << entry;
        EXPECT_EQ(rx.TunerStep(entry), im.TunerStep(entry)) << entry;
    }
    for (std::size_t k = 0; k <= 10; ++k) {
        EXPECT_EQ(rx.SpeakerLevels.at(k), im.SpeakerLevels.at(k)) << k;
    }
    EXPECT_EQ(rx.LfeDrange, im.LfeDrange);
    EXPECT_EQ(rx.AudioDelay.at(0), im.AudioDelay.at(0));
    EXPECT_EQ(rx.ThxSettings, im.ThxSettings);
    for (std::size_t k = 0; k <= 6; ++k) {
        EXPECT_EQ(rx.VideoSettings.at(k), im.VideoSettings.at(k)) << k;
    }
    for (std::size_t k : {0, 1, 2, 5, 6}) {
        EXPECT_EQ(rx.DisplaySettings.at(k), im.DisplaySettings.at(k)) << k;
    }
    for (std::size_t k : {0, 1, 2, 3, 4, 5, 6, 8, 9}) {
        EXPECT_EQ(rx.SpeakerSetup.at(k), im.SpeakerSetup.at(k)) << k;
    }
    EXPECT_EQ(rx.MultiZoneSetting, im.MultiZoneSetting);
    EXPECT_EQ(rx.InputModeSetting, im.InputModeSetting);
    for (std::size_t k : {main_zone::kMainInput, main_zone::kInputMode, main_zone::kZone2Input,
                          main_zone::kMainVolume, main_zone::kZone2Volume, main_zone::kMainMute,
                          main_zone::kZone2Mute, main_zone::kSpeakerA, main_zone::kSpeakerB,
                          main_zone::kNightMode, main_zone::kExEsDecoder}) {
        EXPECT_EQ(rx.MainZoneState.at(k), im.MainZoneState.at(k)) << k;
    }
    const auto& dsp = receiver_.State().dspParameters;
    EXPECT_EQ(dsp.at({ModelProfile::ProgramCode(28), 27, 1}), 6);
    EXPECT_EQ(dsp.at({ModelProfile::ProgramCode(33), 5, 7}), 19);
    EXPECT_EQ(dsp.at({ModelProfile::ProgramCode(0), 0, 1}), im.DspParameter(0, 0));

    // The last operations: standby, then on again; the receiver is on.
    EXPECT_NE(port_->Written().find("\x02"
                                    "07A1E\x03\x02"
                                    "07A1D\x03"),
              std::string::npos);
    EXPECT_TRUE(receiver_.PoweredOn());
    // A download changes nothing in the image but the transfer bytes of the main zone; the
    // receiver's acceptance of each name comes back padded with blanks.
    std::vector<std::uint8_t> after = im.ToBytes();
    for (const std::size_t block : {block_index::kMainZoneState, block_index::kInputNames}) {
        const auto from = static_cast<std::ptrdiff_t>(kImageBlocks.at(block).fileOffset - 1);
        const auto size = static_cast<std::ptrdiff_t>(kImageBlocks.at(block).size);
        std::copy(before.begin() + from, before.begin() + from + size, after.begin() + from);
    }
    EXPECT_EQ(after, before);
    EXPECT_FALSE(Main().WaitMessageOpen());
}

TEST_F(TransferTest, ADownloadLeavesTheImageExactlyAsItWas) {
    StartConnected();
    ASSERT_TRUE(loop_.AdvanceUntil(
        [this] { return EditorImage().MainZoneState.at(main_zone::kPower) == 1; }, 5'000));
    // Names shorter than eight characters: the receiver answers them blank-padded.
    EditorImage().SetInputName(2, "RADIO");
    EditorImage().SetInputName(13, "MC");
    EditorImage().SetDspParameter(32, 27, 3);  // sent as 6
    EditorImage().SetSpeakerDistance(4, 321);
    const std::vector<std::uint8_t> before = EditorImage().ToBytes();
    Click(id::kDownloadButton);
    RunToEnd();
    Advance(3'000);  // and the status requests after it
    EXPECT_EQ(ImageDifferences(EditorImage().ToBytes(), before), "");
    EXPECT_EQ(Trimmed(receiver_.Image().InputName(2)), "RADIO");
}

TEST_F(TransferTest, DownloadPowersOnAReceiverInStandbyFirst) {
    StartConnected();
    receiver_.SetPower(false);
    ASSERT_TRUE(loop_.AdvanceUntil(
        [this] { return EditorImage().MainZoneState.at(main_zone::kPower) == 0; }, 5'000));
    const std::size_t before = port_->Written().size();
    Command(id::kMenuDownload);
    EXPECT_EQ(port_->Written().substr(before, 7),
              "\x02"
              "07A1D\x03");
    loop_.AdvanceBy(1'000);
    EXPECT_TRUE(receiver_.PoweredOn());
    Main().PostMessage(id::kTransferCancelled);
    loop_.DrainPosted();
}

TEST_F(TransferTest, CancelStopsTheTransferAndPutsTheReceiverBack) {
    StartConnected();
    // The image's input, program and volume, unlike the receiver's.
    auto& zone = EditorImage().MainZoneState;
    zone.at(main_zone::kMainInput) = input_index::kCd;
    EditorImage().SetInputProgramByte(input_index::kCd, 11);
    zone.at(main_zone::kCurrentProgram) = 11;
    zone.at(main_zone::kMainVolume) = 140;
    zone.at(main_zone::kNightMode) = 0;
    Click(id::kDownloadButton);
    loop_.AdvanceBy(3'000);
    ASSERT_GT(State().downloadInProgress, 2);
    ASSERT_TRUE(Main().WaitMessageOpen());
    // Half way, the receiver plays the last input with a program the download walked.
    ASSERT_EQ(receiver_.Image().MainZoneState.at(main_zone::kMainInput),
              ModelProfile::kHighestInput);
    ASSERT_EQ(receiver_.Image().MainZoneState.at(main_zone::kNightMode), 1);
    const std::vector<std::uint8_t> image = EditorImage().ToBytes();

    // What the wait window's Cancel posts.
    Main().PostMessage(CWaitMessageDlg::kCancelMessage);
    loop_.DrainPosted();
    EXPECT_EQ(State().downloadInProgress, 0);
    EXPECT_EQ(State().uploadInProgress, 0);
    EXPECT_EQ(State().awaitedFunction, LinkState::kNone);
    EXPECT_FALSE(Main().WaitMessageOpen());

    // The receiver is back on the image's input, program and volume: the sends go out as the
    // receiver's buffer makes room for them, then cross the line.
    const SendWindow& sends = Main().Link().Sender().Window();
    ASSERT_TRUE(loop_.AdvanceUntil([&] { return !sends.HasQueued(SendLane::kTransfer); }, 2'000));
    loop_.AdvanceBy(100);
    const auto& heard = receiver_.Image().MainZoneState;
    EXPECT_EQ(heard.at(main_zone::kMainInput), input_index::kCd);
    EXPECT_EQ(heard.at(main_zone::kCurrentProgram), 11);
    EXPECT_EQ(heard.at(main_zone::kMainVolume), 140);
    EXPECT_EQ(heard.at(main_zone::kNightMode), 0);

    const std::size_t written = port_->Written().size();
    loop_.AdvanceBy(5'000);
    // Only the periodic status request goes out from now on.
    std::string tail = port_->Written().substr(written);
    for (auto at = tail.find("\x11"
                             "000\x03");
         at != std::string::npos; at = tail.find("\x11"
                                                 "000\x03")) {
        tail.erase(at, 5);
    }
    EXPECT_EQ(tail, "");
    EXPECT_GT(StatusRequestsWritten(), 0);
    EXPECT_EQ(ImageDifferences(EditorImage().ToBytes(), image), "");
}

TEST_F(TransferTest, CancelDuringAnUploadPutsTheReceiverBackOnItsOwnInputAndProgram) {
    auto& heard = receiver_.Image().MainZoneState;
    heard.at(main_zone::kMainInput) = input_index::kSat;
    receiver_.Image().SetInputProgramByte(input_index::kSat, 19);
    heard.at(main_zone::kCurrentProgram) = 19;
    const std::uint8_t lastInputProgram =
        receiver_.Image().InputProgramByte(ModelProfile::kHighestInput);
    StartConnected();
    const std::vector<std::uint8_t> image = EditorImage().ToBytes();
    Click(id::kUploadButton);
    // Into the parameters, which the upload walks on the last input.
    ASSERT_TRUE(loop_.AdvanceUntil([this] { return State().uploadInProgress > 60; }, 60'000));
    ASSERT_EQ(heard.at(main_zone::kMainInput), ModelProfile::kHighestInput);
    Main().PostMessage(CWaitMessageDlg::kCancelMessage);
    loop_.DrainPosted();
    loop_.AdvanceBy(100);
    EXPECT_EQ(heard.at(main_zone::kMainInput), input_index::kSat);
    EXPECT_EQ(heard.at(main_zone::kCurrentProgram), 19);
    EXPECT_EQ(receiver_.Image().InputProgramByte(ModelProfile::kHighestInput), lastInputProgram);
    EXPECT_EQ(ImageDifferences(EditorImage().ToBytes(), image), "");
    EXPECT_FALSE(Main().WaitMessageOpen());
    EXPECT_TRUE(prompter_.Boxes().empty());
}

TEST_F(TransferTest, TheControlModeCannotChangeWhileATransferRuns) {
    StartConnected();
    const win::Menu* menu = Main().GetMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->IsEnabled(id::kMenuRealtime));
    EXPECT_TRUE(menu->IsEnabled(id::kMenuAsynchronous));
    for (const int button : {id::kUploadButton, id::kDownloadButton}) {
        Click(button);
        loop_.AdvanceBy(1'000);
        ASSERT_TRUE(Main().WaitMessageOpen());
        EXPECT_FALSE(menu->IsEnabled(id::kMenuRealtime));
        EXPECT_FALSE(menu->IsEnabled(id::kMenuAsynchronous));
        EXPECT_FALSE(win::user::ChooseMenuItem(Main(), id::kMenuRealtime));
        // Sent anyway (a shortcut, another front end): nothing changes.
        Main().SendMessage(win::WM_COMMAND, win::MakeWParam(id::kMenuRealtime, 0), 0);
        loop_.DrainPosted();
        EXPECT_FALSE(State().realtimeMode);
        EXPECT_TRUE(Running());
        EXPECT_TRUE(Main().WaitMessageOpen());

        Main().PostMessage(CWaitMessageDlg::kCancelMessage);
        loop_.DrainPosted();
        EXPECT_FALSE(Running());
        EXPECT_TRUE(menu->IsEnabled(id::kMenuRealtime));
        EXPECT_TRUE(menu->IsEnabled(id::kMenuAsynchronous));
    }
    // A transfer that runs to its end gives the items back too.
    Click(id::kDownloadButton);
    RunToEnd();
    EXPECT_TRUE(menu->IsEnabled(id::kMenuRealtime));
    EXPECT_EQ(State().transferBusy, 0);
    const int before = StatusRequestsWritten();
    loop_.AdvanceBy(3'000);
    EXPECT_GT(StatusRequestsWritten(), before);  // the periodic status request runs again
}

TEST_F(TransferTest, ItemsThatCannotRunDuringATransferAreGreyedUntilItEnds) {
    StartConnected();
    const win::Menu* menu = Main().GetMenu();
    ASSERT_NE(menu, nullptr);
    const auto greyed = [&] {
        std::vector<int> items;
        for (const int item : kItemsGreyedDuringTransfers) {
            if (!menu->IsEnabled(item)) {
                items.push_back(item);
            }
        }
        return items;
    };
    const std::vector<int> all(kItemsGreyedDuringTransfers.begin(),
                               kItemsGreyedDuringTransfers.end());
    ASSERT_EQ(greyed(), std::vector<int>{});
    // An Upload, a Download and the compare's own reading of the receiver each grey them all.
    struct Case {
        int start;
        bool menuItem;
        const char* refusal;
    };
    const Case cases[] = {
        {id::kUploadButton, false, "Uploading Configuration."},
        {id::kDownloadButton, false, "Downloading Configuration."},
        {id::kMenuCompareWithReceiver, true, "Uploading Configuration."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        c.menuItem ? Command(c.start) : Click(c.start);
        loop_.AdvanceBy(1'000);
        ASSERT_TRUE(Running());
        EXPECT_EQ(greyed(), all);
        EXPECT_FALSE(menu->IsEnabled(id::kMenuCompareWithReceiver));
        EXPECT_FALSE(win::user::ChooseMenuItem(Main(), id::kMenuCompareWithReceiver));
        // Upload and Download stay usable: they answer with the running transfer's message.
        EXPECT_TRUE(menu->IsEnabled(id::kMenuUpload));
        EXPECT_TRUE(menu->IsEnabled(id::kMenuDownload));
        // Compare sent anyway (a shortcut) is refused the same way; the transfer runs on.
        prompter_.Clear();
        Main().SendMessage(win::WM_COMMAND, win::MakeWParam(id::kMenuCompareWithReceiver, 0), 0);
        loop_.DrainPosted();
        EXPECT_EQ(prompter_.BoxTexts(), std::vector<std::string>{c.refusal});
        EXPECT_TRUE(Running());

        Main().PostMessage(CWaitMessageDlg::kCancelMessage);
        loop_.DrainPosted();
        EXPECT_FALSE(Running());
        EXPECT_EQ(greyed(), std::vector<int>{});
    }
    // A transfer that runs to its end gives them back too.
    Click(id::kDownloadButton);
    loop_.AdvanceBy(1'000);
    EXPECT_EQ(greyed(), all);
    RunToEnd();
    EXPECT_EQ(greyed(), std::vector<int>{});
}

TEST_F(TransferTest, StartChecksReportWhyNothingStarts) {
    Start();
    Command(id::kMenuUpload);
    ConnectTo(3);
    ASSERT_TRUE(win::user::Click(Main(), id::kUploadButton));
    Command(id::kMenuDownload);
    Command(id::kMenuUpload);
    Main().PostMessage(id::kTransferCancelled);
    loop_.DrainPosted();
    Command(id::kMenuRealtime);
    Command(id::kMenuDownload);
    ASSERT_EQ(prompter_.Boxes().size(), 4u);
    EXPECT_EQ(prompter_.BoxTexts(),
              (std::vector<std::string>{"Com port is not open.", "Uploading Configuration.",
                                        "Uploading Configuration.", "Select Asynchronous Mode."}));
    EXPECT_EQ(prompter_.Boxes()[0].title, "");
    EXPECT_EQ(State().downloadInProgress, 0);
}

TEST_F(TransferTest, PresetSettingUploadReadsEveryPresetIntoThePcMemories) {
    StartConnected();
    // The receiver's preset memories hold other main volumes.
    for (std::size_t entry = 0; entry < 6; ++entry) {
        receiver_.State().mainVolumeMemories.at(entry) = static_cast<std::uint8_t>(60 + entry);
    }
    Click(id::kPresetSettingRadio);
    ASSERT_EQ(Main().IsDlgButtonChecked(id::kCurrentSettingRadio), win::BST_UNCHECKED);
    Click(id::kUploadButton);
    RunToEnd();
    for (std::size_t entry = 0; entry < 6; ++entry) {
        EXPECT_EQ(EditorImage().MainVolumeMemories.at(entry), 60 + entry) << entry;
    }
    EXPECT_EQ(EditorImage().MainZoneState.at(main_zone::kMainVolume), 60);
    EXPECT_EQ(EditorImage().MainZoneState.at(main_zone::kPresetPass), 0);
}

TEST_F(TransferTest, PresetSettingDownloadStoresEveryPresetOnTheReceiver) {
    StartConnected();
    for (std::size_t entry = 0; entry < 6; ++entry) {
        EditorImage().MainVolumeMemories.at(entry) = static_cast<std::uint8_t>(100 + entry);
        EditorImage().Zone2VolumeMemories.at(entry) = static_cast<std::uint8_t>(30 + entry);
    }
    Click(id::kPresetSettingRadio);
    Click(id::kDownloadButton);
    RunToEnd();
    for (std::size_t entry = 0; entry < 6; ++entry) {
        EXPECT_EQ(receiver_.State().mainVolumeMemories.at(entry), 100 + entry) << entry;
        EXPECT_EQ(receiver_.State().zone2VolumeMemories.at(entry), 30 + entry) << entry;
        EXPECT_TRUE(receiver_.State().homePresetStored.at(entry)) << entry;
    }
    // Entry A is current again, on the receiver and in the image.
    EXPECT_EQ(receiver_.Image().MainZoneState.at(main_zone::kMainVolume), 100);
    EXPECT_EQ(EditorImage().MainZoneState.at(main_zone::kMainVolume), 100);
    EXPECT_EQ(Main().Presets().SelectedEntry(id::kHomePresetList), 0);
    EXPECT_FALSE(Main().WaitMessageOpen());
}

TEST_F(TransferTest, RealtimePollKeepsTheImageFollowingTheReceiver) {
    StartConnected();
    Command(id::kMenuRealtime);
    ASSERT_TRUE(State().realtimeMode);
    receiver_.Image().InputTrims.at(6) = 0x1A;
    receiver_.Image().EqSettings.at(13 * 4 + 2) = 20;
    receiver_.Image().SetInputName(2, "RADIO");
    receiver_.Image().SetSpeakerDistance(3, 222);
    std::set<int> states;
    ASSERT_TRUE(loop_.AdvanceUntil(
        [&] {
            states.insert(State().realtimePollState);
            return states.size() == 10 && State().realtimePollState == 256;
        },
        60'000));
    ASSERT_TRUE(loop_.AdvanceUntil(
        [&] {
            return EditorImage().InputTrims.at(6) == 0x1A &&
                   EditorImage().EqSettings.at(13 * 4 + 2) == 20 &&
                   Trimmed(EditorImage().InputName(2)) == "RADIO" &&
                   EditorImage().SpeakerDistance(3) == 222;
        },
        60'000));
    EXPECT_EQ(states, (std::set<int>{256, 261, 262, 265, 266, 270, 271, 272, 273, 274}));
}

// Passes the virtual receiver's answers on, and while `spoil` is set damages the checksum of
// every extended reply: the receiver answers, the line spoils each answer.
class SpoilingLine final : public serial::FarEnd {
public:
    explicit SpoilingLine(serial::FarEnd& receiver) : receiver_(receiver) {}
    std::vector<serial::LineSegment> Receive(std::string_view bytes) override {
        std::vector<serial::LineSegment> segments = receiver_.Receive(bytes);
        for (serial::LineSegment& segment : segments) {
            const auto etx = segment.bytes.rfind(control_byte::kEtx);
            if (spoil && segment.bytes.find(control_byte::kDc4) != std::string::npos &&
                etx != std::string::npos && etx > 0) {
                char& digit = segment.bytes[etx - 1];
                digit = digit == '0' ? '1' : '0';
            }
        }
        return segments;
    }

    bool spoil = false;

private:
    serial::FarEnd& receiver_;
};

class TransferOnASpoilingLineTest : public EditorFixture {
protected:
    TransferOnASpoilingLineTest() { portSwitch_.Wire(3, line_); }

    sim::VirtualReceiver receiver_;
    SpoilingLine line_{receiver_};
};

// Replies that arrive damaged are not silence: the upload repeats its steps for as long as the
// receiver answers, however badly, and finishes once the line is sound again.
TEST_F(TransferOnASpoilingLineTest, RepliesTheLineDamagesDoNotStopAnUploadAsSilence) {
    Start();
    TickDisplayLog();
    ConnectTo(3);
    receiver_.Image().InputTrims.at(4) = 0x15;
    ASSERT_TRUE(win::user::Click(Main(), id::kUploadButton));
    ASSERT_TRUE(loop_.AdvanceUntil([this] { return State().uploadInProgress > 40; }, 60'000));
    line_.spoil = true;
    Advance(4 * TransferEngine::kSilentWaitLimit * 2'000);
    EXPECT_GE(CountInLog("Command Waiting Counter Cleared"), 2 * TransferEngine::kSilentWaitLimit);
    EXPECT_NE(State().uploadInProgress, 0);
    EXPECT_TRUE(prompter_.Boxes().empty()) << ::testing::PrintToString(prompter_.BoxTexts());

    line_.spoil = false;
    ASSERT_TRUE(
        loop_.AdvanceUntil([this] { return State().uploadInProgress == 0; }, kTransferLimitMs));
    loop_.DrainPosted();
    EXPECT_TRUE(prompter_.Boxes().empty()) << ::testing::PrintToString(prompter_.BoxTexts());
    EXPECT_EQ(EditorImage().InputTrims.at(4), 0x15);
}

TEST_F(TransferTest, AReceiverThatFallsSilentStopsATransferWithOneMessage) {
    StartConnected();
    EditorImage().InputTrims.at(4) = 0x07;  // an image unlike the receiver's
    const std::vector<std::uint8_t> before = EditorImage().ToBytes();

    // Half way through an upload the receiver stops answering.
    receiver_.Image().InputTrims.at(4) = 0x15;
    Click(id::kUploadButton);
    ASSERT_TRUE(loop_.AdvanceUntil([this] { return State().uploadInProgress > 40; }, 60'000));
    ASSERT_NE(EditorImage().ToBytes(), before);  // the upload has read things in
    receiver_.Faults().silent = true;
    // Five waits of 2 seconds, one repeat of the step after each.
    ASSERT_TRUE(loop_.AdvanceUntil([this] { return !Running(); }, 12'000));
    loop_.DrainPosted();
    EXPECT_EQ(CountInLog("Command Waiting Counter Cleared"), TransferEngine::kSilentWaitLimit);
    EXPECT_FALSE(Main().WaitMessageOpen());
    EXPECT_EQ(ImageDifferences(EditorImage().ToBytes(), before), "");
    ASSERT_EQ(prompter_.Boxes().size(), 1u);
    EXPECT_EQ(prompter_.Boxes()[0].text,
              "The receiver does not answer.\r\nThe Upload was stopped; the PC image was left as "
              "it was before the Upload.");
    EXPECT_EQ(prompter_.Boxes()[0].title, "Tolvek Receiver Editor Message");
    EXPECT_EQ(ConnectionIcon(), res::kIconNotConnected);
    EXPECT_FALSE(TransferControlsEnabled());
    EXPECT_EQ(State().openPort, 3);  // the port stays open for the receiver to come back

    // It comes back: the status requests find it, and a download then falls silent half way.
    receiver_.Faults().silent = false;
    ASSERT_TRUE(loop_.AdvanceUntil([this] { return TransferControlsEnabled(); }, 30'000));
    // Its status frames have meanwhile reported the power on.
    const std::vector<std::uint8_t> beforeDownload = EditorImage().ToBytes();
    Click(id::kDownloadButton);
    ASSERT_TRUE(loop_.AdvanceUntil([this] { return State().downloadInProgress > 100; }, 60'000));
    receiver_.Faults().silent = true;
    // Five waits of about two seconds, the step run again after each once its frames are known
    // lost.
    ASSERT_TRUE(loop_.AdvanceUntil([this] { return !Running(); }, 15'000));
    loop_.DrainPosted();
    ASSERT_EQ(prompter_.Boxes().size(), 2u);
    EXPECT_EQ(prompter_.Boxes()[1].text,
              "The receiver does not answer.\r\nThe Download was stopped; the receiver may now "
              "hold only part of the new settings.\r\nThe PC image is as it was before the "
              "Download.");
    EXPECT_EQ(ImageDifferences(EditorImage().ToBytes(), beforeDownload), "");
    EXPECT_FALSE(Main().WaitMessageOpen());
    // Nothing read like a finished download: no standby and on again.
    const std::string standby(CommandFrameBuilder{}.BuildCommandFrame(command::kPower, 0));
    EXPECT_EQ(port_->Written().find(standby), std::string::npos);
}

TEST_F(TransferTest, ALineThatHangsUpHalfWayStopsEitherTransferAtOnce) {
    struct Case {
        int button;
        int halfWay;
        std::string stopped;
    };
    const Case cases[] = {
        {id::kUploadButton, 60,
         "The Upload was stopped; the PC image was left as it was before the Upload."},
        {id::kDownloadButton, 150,
         "The Download was stopped; the receiver may now hold only part of the new settings.\r\n"
         "The PC image is as it was before the Download."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        RestartEditor();
        portSwitch_.Wire(3, receiver_);
        prompter_.Clear();
        TickDisplayLog();
        ConnectTo(3);
        EditorImage().InputTrims.at(2) = 0x09;  // an image unlike the receiver's
        const std::vector<std::uint8_t> before = EditorImage().ToBytes();
        Click(c.button);
        ASSERT_TRUE(loop_.AdvanceUntil(
            [&] { return State().uploadInProgress + State().downloadInProgress > c.halfWay; },
            120'000));
        port_->HangUpFarEnd();
        Advance(20);  // the next poll of the port notices
        loop_.DrainPosted();
        EXPECT_FALSE(Running());
        EXPECT_FALSE(Main().WaitMessageOpen());
        EXPECT_EQ(State().openPort, 0);
        EXPECT_EQ(ConnectionIcon(), res::kIconNotConnected);
        EXPECT_EQ(ImageDifferences(EditorImage().ToBytes(), before), "");
        ASSERT_EQ(prompter_.Boxes().size(), 1u);
        EXPECT_EQ(prompter_.Boxes()[0].text, "COM Port : 3\r\nConnection lost.\r\n" + c.stopped);
        EXPECT_EQ(prompter_.Boxes()[0].title, "Tolvek Receiver Editor Message");
        EXPECT_TRUE(Main().GetMenu()->IsEnabled(id::kMenuRealtime));
        EXPECT_TRUE(Main().GetMenu()->IsEnabled(id::kMenuCompareWithReceiver));
        // Nothing more happens on the dead line.
        const std::size_t written = port_->Written().size();
        Advance(5'000);
        EXPECT_EQ(port_->Written().size(), written);
        EXPECT_EQ(prompter_.Boxes().size(), 1u);
    }
}

}  // namespace
}  // namespace tra1::testing
