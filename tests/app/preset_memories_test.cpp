// The preset memories of the main window: PC memories kept in the image (HOME PRESET records and
// the volume memories) and the receiver's own memories reached by command, with the three
// preset lists choosing the entry.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/panel_table.h"
#include "model/command_frame_builder.h"
#include "platform/win/button.h"
#include "platform/win/list_box.h"
#include "platform/win/slider.h"
#include "platform/win/user_input.h"
#include "sim/virtual_receiver.h"
#include "tests/app/counting_panel.h"
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

class PresetMemoriesTest : public EditorFixture {
protected:
    PresetMemoriesTest() { portSwitch_.Wire(3, receiver_); }
    ~PresetMemoriesTest() override {
        if (window_ && window_->IsWindow()) {
            window_->DestroyWindow();  // closes the stand-in panels while they still exist
        }
    }

    CountingPanel* OpenPanel(unsigned refreshMessage) {
        const std::size_t index = PanelTable::IndexForRefresh(refreshMessage);
        auto panel = std::make_unique<CountingPanel>(loop_, PanelDescriptors().at(index));
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

    sim::VirtualReceiver receiver_;
    std::vector<std::unique_ptr<CountingPanel>> panels_;
};

TEST_F(PresetMemoriesTest, HomePresetMemoryAndRecallUseTheSelectedEntry) {
    // (The record's layout and its exceptions are the image's own business and tested there.)
    Start();
    ReceiverImage& im = EditorImage();
    im.AudioDelay.at(0) = 40;
    im.SetInputProgramByte(5, 0x80 | 11);
    im.MainZoneState[mz::kSpeakerA] = 1;
    im.MainZoneState[mz::kNightMode] = 1;
    Select(id::kHomePresetList, 2);
    Press(kHomeStore);
    EXPECT_EQ(im.HomePresetRecord(2)[home_preset::kAudioDelay], 40);
    EXPECT_EQ(im.HomePresetRecord(2)[home_preset::kProgram], 0x80 | 11);
    EXPECT_EQ(im.HomePresetRecord(0)[home_preset::kAudioDelay], 0);

    im.AudioDelay.at(0) = 0;
    im.SetInputProgramByte(5, 29);
    im.MainZoneState[mz::kSpeakerA] = 0;
    im.MainZoneState[mz::kNightMode] = 0;
    Press(kHomeRecall);  // entry C is still selected
    EXPECT_EQ(im.AudioDelay.at(0), 40);
    EXPECT_EQ(im.InputProgramByte(5), 0x80 | 11);
    // The main window shows what came back at once, the night mode box included.
    EXPECT_EQ(Main().IsDlgButtonChecked(id::kSpeakerACheck), win::BST_CHECKED);
    EXPECT_EQ(Main().IsDlgButtonChecked(id::kNightModeCheck), win::BST_CHECKED);
    EXPECT_EQ(Main().GetDlgItemText(id::kProgramReadout), "STRAIGHT");
    EXPECT_EQ(im.MainZoneState[mz::kCurrentProgram], 0x80 | 11);
}

TEST_F(PresetMemoriesTest, RecallRefreshesThePanelsOfWhatItRewrote) {
    Start();
    CountingPanel* delay = OpenPanel(0x9004);
    CountingPanel* video = OpenPanel(0x9013);
    CountingPanel* rename = OpenPanel(0x9005);  // holds nothing of a preset
    loop_.DrainPosted();
    for (CountingPanel* p : {delay, video, rename}) {
        p->refreshes = p->holdResets = 0;
    }
    Press(kHomeStore);
    loop_.DrainPosted();
    EXPECT_EQ(delay->refreshes, 0);  // Memory only reads the image

    Press(kHomeRecall);
    loop_.DrainPosted();
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
    loop_.DrainPosted();  // the main window's refresh moves the track bars
    EXPECT_EQ(Main().Get<win::Slider>(id::kMainVolumeSlider)->GetPos(), 94);
    EXPECT_EQ(Main().Get<win::Slider>(id::kZone2VolumeSlider)->GetPos(), 64);
    EXPECT_EQ(Main().GetDlgItemText(id::kZone2VolumeReadout), "-15.5 dB");
}

TEST_F(PresetMemoriesTest, PcMemoriesSendNothingEvenInRealtimeMode) {
    Start();
    ConnectTo(3);
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuRealtime));
    const std::size_t written = port_->Written().size();
    for (int button :
         {kHomeStore, kHomeRecall, kMainStore, kMainRecall, kZone2Store, kZone2Recall}) {
        Press(button);
    }
    loop_.DrainPosted();
    EXPECT_EQ(port_->Written().substr(written).find('\x02'), std::string::npos);
}

TEST_F(PresetMemoriesTest, UnitMemoriesAskTheReceiverEvenInAsynchronousMode) {
    Start();
    ConnectTo(3);
    ASSERT_FALSE(State().realtimeMode);
    auto& rx = receiver_.State();
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
    ASSERT_TRUE(rx.homePresetStored.at(5));
    EXPECT_TRUE(port_->Written().find(std::string(
                    CommandFrameBuilder{}.BuildCommandFrame(27, 5))) != std::string::npos);

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
    EXPECT_TRUE(port_->Written().empty());
    EXPECT_EQ(receiver_.FramesHeard(), 0);
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
