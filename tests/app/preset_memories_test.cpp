// The preset memories of the main window: PC memories kept in the image (HOME PRESET records and
// the volume memories) and the receiver's own memories reached by command, with the three
// preset lists choosing the entry.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/panel_table.h"
#include "platform/win/button.h"
#include "platform/win/list_box.h"
#include "platform/win/slider.h"
#include "platform/win/user_input.h"
#include "sim/virtual_receiver.h"
#include "tests/app/editor_fixture.h"

namespace tra1::testing {
namespace {

namespace id = main_window;
namespace mz = main_zone;

// Buttons: PC Memory / Recall, Unit Memory / Recall per group.
constexpr int kHomeStore = 1185;
constexpr int kHomeRecall = 1186;
constexpr int kMainStore = 1187;
constexpr int kMainRecall = 1188;
constexpr int kZone2Store = 1189;
constexpr int kZone2Recall = 1190;
constexpr int kUnitHomeStore = 1192;
constexpr int kUnitHomeRecall = 1193;
constexpr int kUnitMainStore = 1194;
constexpr int kUnitMainRecall = 1204;
constexpr int kUnitZone2Store = 1205;
constexpr int kUnitZone2Recall = 1206;

// A setting panel stand-in that counts its refresh messages and hold resets.
class CountingPanel final : public win::Dialog {
public:
    CountingPanel(win::EventLoop& loop, const PanelInfo& info)
        : Dialog(loop, info.dialogId), refresh_(info.refreshMessage) {}
    int refreshes = 0;
    int holdResets = 0;

protected:
    win::LResult OnMessage(win::Msg msg, win::WParam w, win::LParam l) override {
        if (msg == refresh_) {
            ++refreshes;
            return 1;
        }
        return Dialog::OnMessage(msg, w, l);
    }

private:
    win::Msg refresh_;
};

class PresetMemoriesTest : public EditorFixture {
protected:
    PresetMemoriesTest() { portSwitch.Wire(3, receiver); }
    ~PresetMemoriesTest() override {
        if (window && window->IsWindow()) {
            window->DestroyWindow();  // closes the stand-in panels while they still exist
        }
    }

    CountingPanel* OpenPanel(unsigned refreshMessage) {
        const std::size_t index = PanelTable::IndexForRefresh(refreshMessage);
        auto panel = std::make_unique<CountingPanel>(loop, PanelInfos().at(index));
        CountingPanel* raw = panel.get();
        panels_.push_back(std::move(panel));
        Main().Panels().SetFactory(index, [raw](std::function<void()>) {
            if (!raw->Create()) {
                return tra1::OpenPanel{};
            }
            return tra1::OpenPanel{raw, [raw] { ++raw->holdResets; }};
        });
        EXPECT_EQ(Main().Panels().Show(index), PanelTable::ShowResult::kCreated);
        return raw;
    }

    void Select(int listId, int row) { ASSERT_TRUE(win::user::SelectListRow(Main(), listId, row)); }
    void Press(int button) { ASSERT_TRUE(win::user::Click(Main(), button)); }
    int Selection(int listId) { return Main().Get<win::ListBox>(listId)->GetCurSel(); }

    // Changes every setting a HOME PRESET record holds (all but the EQ options and the
    // reported level, which stay with the live settings), each differently for another seed.
    void ChangeEverything(int seed) {
        ReceiverImage& im = EditorImage();
        const auto v = [seed](std::size_t i) { return static_cast<std::uint8_t>((i + seed) % 25); };
        for (std::size_t i = 0; i < im.AudioDelay.size(); ++i) {
            im.AudioDelay.at(i) = v(i);
        }
        for (std::size_t i = 0; i < im.EqSettings.size(); ++i) {
            if (i != 130 && i != 131) {
                im.EqSettings.at(i) = v(i);
            }
        }
        for (std::size_t i = 0; i < im.ToneSettings.size(); ++i) {
            im.ToneSettings.at(i) = v(i);
        }
        for (std::size_t i = 0; i < im.SpeakerSetup.size(); ++i) {
            im.SpeakerSetup.at(i) = v(i);
        }
        for (std::size_t i = 0; i < 32; ++i) {
            im.SpeakerLevels.at(i) = v(i);
        }
        const int program = 10 + seed;
        im.SetInputProgramByte(im.MainZoneState[mz::kMainInput],
                               static_cast<std::uint8_t>(0x80 | program));
        for (int k = 0; k < 42; ++k) {
            im.SetDspParameter(program, k, v(static_cast<std::size_t>(k)));
        }
        for (std::size_t field :
             {mz::kNightMode, mz::kOnScreenDisplay, mz::kSpeakerA, mz::kSpeakerB}) {
            im.MainZoneState[field] = static_cast<std::uint8_t>(seed % 2);
        }
        im.LfeDrange.at(0) = v(0);
        im.LfeDrange.at(2) = v(2);
        im.DisplaySettings.at(0) = v(0);
        for (std::size_t i = 0; i < 3; ++i) {
            im.ExternalInputSetting.at(i) = v(i);
        }
        for (int e = 0; e < 16; ++e) {
            im.SetSpeakerDistance(e, 200 * seed + e);
        }
        for (std::size_t i = 0; i < im.VideoSettings.size(); ++i) {
            im.VideoSettings.at(i) = v(i);
        }
    }

    sim::VirtualReceiver receiver;
    std::vector<std::unique_ptr<CountingPanel>> panels_;
};

TEST_F(PresetMemoriesTest, HomePresetMemoryThenRecallGivesBackTheSettings) {
    Start();
    ChangeEverything(1);
    Main().PostMessage(id::kRefreshMainWindow);  // the main window shows the changes
    loop.DrainPosted();
    Select(id::kHomePresetList, 2);
    Press(kHomeStore);
    const auto stored = EditorImage().ToBytes();
    EXPECT_EQ(EditorImage().HomePresetRecord(2)[home_preset::kProgram], 0x80 | 11);
    EXPECT_EQ(EditorImage().HomePresetRecord(2)[home_preset::kDspParameters + 5], 6);

    ChangeEverything(2);
    Press(kHomeRecall);  // entry C is still selected
    const auto recalled = EditorImage().ToBytes();
    // Program 12's parameters were changed meanwhile and stay changed; everything else is back.
    const std::size_t program12 = kImageBlocks.at(block_index::kDspParameterTable).fileOffset - 1 +
                                  12 * dsp_table::kParametersPerProgram;
    for (std::size_t i = 0; i < recalled.size(); ++i) {
        if (i < program12 || i >= program12 + dsp_table::kParametersPerProgram) {
            EXPECT_EQ(recalled[i], stored[i]) << "offset " << i;
        }
    }
    // The main window shows what came back at once.
    EXPECT_EQ(Main().IsDlgButtonChecked(id::kSpeakerACheck), win::BST_CHECKED);
    EXPECT_EQ(Main().IsDlgButtonChecked(id::kNightModeCheck), win::BST_CHECKED);
    EXPECT_EQ(Main().GetDlgItemText(id::kProgramReadout), "STRAIGHT");
}

TEST_F(PresetMemoriesTest, HomePresetKeepsTheLiveEqOptionsAndReportedLevel) {
    Start();
    Press(kHomeStore);  // entry A
    ReceiverImage& im = EditorImage();
    im.EqSettings.at(130) = 3;
    im.EqSettings.at(131) = 4;
    im.SpeakerLevels.at(32) = 9;
    im.EqSettings.at(0) = 20;
    Press(kHomeRecall);
    EXPECT_EQ(im.EqSettings.at(130), 3);
    EXPECT_EQ(im.EqSettings.at(131), 4);
    EXPECT_EQ(im.SpeakerLevels.at(32), 9);
    EXPECT_EQ(im.EqSettings.at(0), 12);
    // A second Memory keeps the record's own bytes at those places.
    Press(kHomeStore);
    EXPECT_EQ(im.HomePresetRecord(0)[home_preset::kEqSettings + 130], 12);
    EXPECT_EQ(im.HomePresetRecord(0)[home_preset::kSpeakerLevels + 32], 20);
}

TEST_F(PresetMemoriesTest, RecallGivesTheProgramToTheCurrentInputOnly) {
    Start();
    ReceiverImage& im = EditorImage();
    im.SetInputProgramByte(5, 3);
    Press(kHomeStore);  // entry A holds program 3 (stored with DVD as the main input)
    ASSERT_TRUE(win::user::PickComboItem(Main(), id::kMainInputCombo, 1));  // CD plays 15
    im.SetInputProgramByte(5, 29);
    Press(kHomeRecall);
    EXPECT_EQ(im.InputProgramByte(1), 3);
    EXPECT_EQ(im.InputProgramByte(5), 29);
    EXPECT_EQ(im.InputProgramByte(2), 13);
}

TEST_F(PresetMemoriesTest, RecallRefreshesThePanelsOfWhatItRewrote) {
    Start();
    CountingPanel* delay = OpenPanel(0x9004);
    CountingPanel* video = OpenPanel(0x9013);
    CountingPanel* rename = OpenPanel(0x9005);  // holds nothing of a preset
    loop.DrainPosted();
    for (CountingPanel* p : {delay, video, rename}) {
        p->refreshes = p->holdResets = 0;
    }
    Press(kHomeStore);
    loop.DrainPosted();
    EXPECT_EQ(delay->refreshes, 0);  // Memory only reads the image

    Press(kHomeRecall);
    loop.DrainPosted();
    EXPECT_EQ(delay->refreshes, 1);
    EXPECT_EQ(delay->holdResets, 1);
    EXPECT_EQ(video->refreshes, 1);
    EXPECT_EQ(video->holdResets, 1);
    EXPECT_EQ(rename->refreshes, 0);
    EXPECT_EQ(rename->holdResets, 0);
}

TEST_F(PresetMemoriesTest, VolumeMemoriesOnThePc) {
    Start();
    ReceiverImage& im = EditorImage();
    ASSERT_TRUE(win::user::ReleaseSlider(Main(), id::kMainVolumeSlider, 94));   // step 100
    ASSERT_TRUE(win::user::ReleaseSlider(Main(), id::kZone2VolumeSlider, 64));  // step 130
    Select(id::kMainVolumeList, 4);
    Press(kMainStore);
    Select(id::kZone2VolumeList, 5);
    Press(kZone2Store);
    EXPECT_EQ(im.MainVolumeMemories.at(4), 100);
    EXPECT_EQ(im.Zone2VolumeMemories.at(5), 130);
    EXPECT_EQ(im.MainVolumeMemories.at(0), 81);

    ASSERT_TRUE(win::user::ReleaseSlider(Main(), id::kMainVolumeSlider, 150));
    ASSERT_TRUE(win::user::ReleaseSlider(Main(), id::kZone2VolumeSlider, 150));
    Press(kMainRecall);
    Press(kZone2Recall);
    EXPECT_EQ(im.MainZoneState[mz::kMainVolume], 100);
    EXPECT_EQ(im.MainZoneState[mz::kZone2Volume], 130);
    loop.DrainPosted();  // the main window's refresh moves the track bars
    EXPECT_EQ(Main().Get<win::Slider>(id::kMainVolumeSlider)->GetPos(), 94);
    EXPECT_EQ(Main().Get<win::Slider>(id::kZone2VolumeSlider)->GetPos(), 64);
    EXPECT_EQ(Main().GetDlgItemText(id::kZone2VolumeReadout), "-15.5 dB");
}

TEST_F(PresetMemoriesTest, PcMemoriesSendNothingEvenInRealtimeMode) {
    Start();
    ConnectTo(3);
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuRealtime));
    const std::size_t written = port->Written().size();
    for (int button :
         {kHomeStore, kHomeRecall, kMainStore, kMainRecall, kZone2Store, kZone2Recall}) {
        Press(button);
    }
    loop.DrainPosted();
    EXPECT_EQ(port->Written().substr(written).find('\x02'), std::string::npos);
}

TEST_F(PresetMemoriesTest, UnitMemoriesAskTheReceiverEvenInAsynchronousMode) {
    Start();
    ConnectTo(3);
    ASSERT_FALSE(State().realtimeMode);
    auto& rx = receiver.State();
    rx.image.MainZoneState[mz::kMainVolume] = 120;
    rx.image.MainZoneState[mz::kZone2Volume] = 90;
    rx.image.MainZoneState[mz::kNightMode] = 1;

    Select(id::kMainVolumeList, 3);
    Press(kUnitMainStore);
    Select(id::kZone2VolumeList, 1);
    Press(kUnitZone2Store);
    Select(id::kHomePresetList, 5);
    Press(kUnitHomeStore);
    EXPECT_EQ(rx.mainVolumeMemories.at(3), 120);
    EXPECT_EQ(rx.zone2VolumeMemories.at(1), 90);
    ASSERT_TRUE(rx.homePresets.at(5).has_value());
    EXPECT_TRUE(port->Written().find(std::string(Profile().BuildCommandFrame(27, 5))) !=
                std::string::npos);

    rx.image.MainZoneState[mz::kMainVolume] = 10;
    rx.image.MainZoneState[mz::kZone2Volume] = 10;
    rx.image.MainZoneState[mz::kNightMode] = 0;
    Press(kUnitMainRecall);
    Press(kUnitZone2Recall);
    Press(kUnitHomeRecall);
    EXPECT_EQ(rx.image.MainZoneState[mz::kMainVolume], 120);
    EXPECT_EQ(rx.image.MainZoneState[mz::kZone2Volume], 90);
    EXPECT_EQ(rx.image.MainZoneState[mz::kNightMode], 1);
    // The image is the PC's: the receiver's memories do not touch it.
    EXPECT_EQ(EditorImage().MainZoneState[mz::kMainVolume], 81);
}

TEST_F(PresetMemoriesTest, UnitMemoriesNeedAnOpenPort) {
    Start();
    for (int button : {kUnitHomeStore, kUnitHomeRecall, kUnitMainStore, kUnitMainRecall,
                       kUnitZone2Store, kUnitZone2Recall}) {
        Press(button);
    }
    EXPECT_TRUE(port->Written().empty());
    EXPECT_EQ(receiver.FramesHeard(), 0);
}

TEST_F(PresetMemoriesTest, EveryListStartsAtEntryAAndFollowsATransferPass) {
    Start();
    Select(id::kHomePresetList, 4);
    Select(id::kMainVolumeList, 2);
    Main().FillMainWindow();  // as after a reset or a file load
    for (int list : {id::kHomePresetList, id::kMainVolumeList, id::kZone2VolumeList}) {
        EXPECT_EQ(Selection(list), 0) << list;
    }
    EXPECT_TRUE(Main().Presets().SelectEntry(5));
    for (int list : {id::kHomePresetList, id::kMainVolumeList, id::kZone2VolumeList}) {
        EXPECT_EQ(Selection(list), 5) << list;
        EXPECT_EQ(Main().Presets().SelectedEntry(list), 5);
    }
    EXPECT_FALSE(Main().Presets().SelectEntry(6));  // the seventh slot is never offered
    EXPECT_FALSE(Main().Presets().SelectEntry(-1));
    EXPECT_EQ(Selection(id::kHomePresetList), 5);
}

TEST_F(PresetMemoriesTest, AListWithoutSelectionTouchesNoSlot) {
    Start();
    Main().Get<win::ListBox>(id::kMainVolumeList)->SetCurSel(-1);
    EditorImage().MainZoneState[mz::kMainVolume] = 150;
    const auto before = EditorImage().ToBytes();
    Press(kMainStore);
    Press(kMainRecall);
    EXPECT_EQ(EditorImage().ToBytes(), before);
    EXPECT_EQ(Main().Presets().SelectedEntry(id::kMainVolumeList), -1);
}

}  // namespace
}  // namespace tra1::testing
