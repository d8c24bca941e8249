// Video Processor panel: the synchronous change message with command numbers, the enabling of
// the processor's controls, the picture sliders of the selected mode, open lists during a
// refresh, and a picture mode byte that names no record.

#include "panels/video_processor_dlg.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/receiver_image.h"
#include "platform/win/combo_box.h"
#include "platform/win/slider.h"
#include "platform/win/user_input.h"
#include "tests/panels/panel_test_support.h"

namespace tra1 {
namespace {

using VideoProcessorDlg = CVIDEOPROCESSORDlg;

using test::Message;

// Also writes down what the image's video block held when each message arrived.
class VideoMainWindow final : public test::MainWindowStub {
public:
    using MainWindowStub::MainWindowStub;
    std::vector<ImageBytes<16>> videoAtChange;
};

class VideoProcessorTest : public test::PanelTest<VideoProcessorDlg, VideoMainWindow> {
protected:
    VideoProcessorTest() {
        main_.onMessage = [this] { main_.videoAtChange.push_back(image_.VideoSettings); };
    }

    // What reached the main window during the gesture itself, without running the loop.
    std::vector<Message> Received() { return main_.Take(); }
    std::vector<std::string> Readouts() const {
        std::vector<std::string> texts;
        for (int id = 1263; id <= 1267; ++id) {
            texts.push_back(Text(id));
        }
        return texts;
    }
    std::vector<int> PicturePositions() const {
        std::vector<int> positions;
        for (int id = VideoProcessorDlg::kEnhancerSlider;
             id <= VideoProcessorDlg::kSaturationSlider; ++id) {
            positions.push_back(Pos(id));
        }
        return positions;
    }
};

TEST_F(VideoProcessorTest, OpensShowingTheImageAndTheCurrentModesRecord) {
    auto& dlg = Open();
    EXPECT_EQ(dlg.GetWindowText(), "Video Processor");
    // Start-up: processor on, "Standard" (record 1 = 8, 0, 24, 24, 24).
    EXPECT_EQ(Pos(VideoProcessorDlg::kProcessorSwitch), 1);
    EXPECT_EQ(Combo(VideoProcessorDlg::kPictureModeCombo).GetWindowText(), "Standard");
    EXPECT_EQ(Combo(VideoProcessorDlg::kResolutionCombo).GetWindowText(), "480i / 576i");
    EXPECT_EQ(Combo(VideoProcessorDlg::kAspectCombo).GetWindowText(), "Through");
    EXPECT_EQ(Combo(VideoProcessorDlg::kCrossColorCombo).GetWindowText(), "Suppress");
    EXPECT_EQ(Combo(VideoProcessorDlg::kTvFormatCombo).GetWindowText(), "NTSC");
    EXPECT_EQ(Combo(VideoProcessorDlg::kSVideoCombo).GetWindowText(), "S1");
    EXPECT_EQ(PicturePositions(), (std::vector<int>{8, 0, 24, 24, 24}));
    EXPECT_EQ(Readouts(), (std::vector<std::string>{"8", "0", "0", "0", "0"}));
    EXPECT_EQ(dlg.GetDlgItem(1265)->TextColor(), win::kCyan);
    EXPECT_EQ(dlg.GetDlgItem(1265)->BackgroundColor(), win::kBlack);
    EXPECT_TRUE(Enabled(VideoProcessorDlg::kResolutionCombo));
}

TEST_F(VideoProcessorTest, ProcessorOffDisablesSelectorsAtOpeningAndSlidersOnlyWhenSwitched) {
    image_.VideoSettings[0] = 0;
    auto& dlg = Open();
    for (const int id : {VideoProcessorDlg::kPictureModeCombo, VideoProcessorDlg::kResolutionCombo,
                         VideoProcessorDlg::kAspectCombo, VideoProcessorDlg::kCrossColorCombo}) {
        EXPECT_FALSE(Enabled(id)) << id;
    }
    EXPECT_TRUE(Enabled(VideoProcessorDlg::kTvFormatCombo));
    EXPECT_TRUE(Enabled(VideoProcessorDlg::kSVideoCombo));
    EXPECT_TRUE(Enabled(VideoProcessorDlg::kBrightnessSlider));

    ASSERT_TRUE(win::user::ReleaseSlider(dlg, VideoProcessorDlg::kProcessorSwitch, 1));
    EXPECT_EQ(Received(), (std::vector<Message>{{0xA011, 86, 1}}));
    EXPECT_EQ(main_.videoAtChange.back()[0], 1);  // stored before the main window was told
    EXPECT_TRUE(Enabled(VideoProcessorDlg::kAspectCombo));

    ASSERT_TRUE(win::user::ReleaseSlider(dlg, VideoProcessorDlg::kProcessorSwitch, 0));
    EXPECT_EQ(Received(), (std::vector<Message>{{0xA011, 86, 0}}));
    EXPECT_FALSE(Enabled(VideoProcessorDlg::kAspectCombo));
    EXPECT_FALSE(Enabled(VideoProcessorDlg::kEnhancerSlider));
    EXPECT_FALSE(Enabled(VideoProcessorDlg::kSaturationSlider));
    EXPECT_TRUE(Enabled(VideoProcessorDlg::kTvFormatCombo));

    // A refresh does not change the enabling.
    image_.VideoSettings[0] = 1;
    SendRefresh();
    EXPECT_EQ(Pos(VideoProcessorDlg::kProcessorSwitch), 1);
    EXPECT_FALSE(Enabled(VideoProcessorDlg::kAspectCombo));
    EXPECT_TRUE(Received().empty());
}

TEST_F(VideoProcessorTest, SelectorsSendTheirCommandNumbersAndPictureModeShowsItsRecord) {
    image_.VideoSettings[1] = 0;
    auto& dlg = Open();
    EXPECT_EQ(PicturePositions(), (std::vector<int>{2, 0, 24, 18, 24}));

    ASSERT_TRUE(win::user::PickComboItem(dlg, VideoProcessorDlg::kPictureModeCombo, 2));
    EXPECT_EQ(Received(), (std::vector<Message>{{0xA011, 71, 2}}));
    EXPECT_EQ(image_.VideoSettings[1], 2);
    EXPECT_EQ(PicturePositions(), (std::vector<int>{14, 0, 24, 30, 32}));
    EXPECT_EQ(Readouts(), (std::vector<std::string>{"14", "0", "0", "6", "8"}));

    ASSERT_TRUE(win::user::PickComboItem(dlg, VideoProcessorDlg::kResolutionCombo, 3));
    ASSERT_TRUE(win::user::PickComboItem(dlg, VideoProcessorDlg::kAspectCombo, 2));
    ASSERT_TRUE(win::user::PickComboItem(dlg, VideoProcessorDlg::kCrossColorCombo, 0));
    ASSERT_TRUE(win::user::PickComboItem(dlg, VideoProcessorDlg::kTvFormatCombo, 0));
    ASSERT_TRUE(win::user::PickComboItem(dlg, VideoProcessorDlg::kSVideoCombo, 2));
    EXPECT_EQ(
        Received(),
        (std::vector<Message>{
            {0xA011, 72, 3}, {0xA011, 73, 2}, {0xA011, 74, 0}, {0xA011, 75, 0}, {0xA011, 76, 2}}));
    EXPECT_EQ(image_.VideoSettings, (ImageBytes<16>{1, 2, 3, 2, 0, 0, 2}));

    // The item already stored sends nothing; nothing was ever posted to the queue.
    ASSERT_TRUE(win::user::PickComboItem(dlg, VideoProcessorDlg::kSVideoCombo, 2));
    EXPECT_TRUE(Received().empty());
    EXPECT_EQ(loop_.PostedCount(), 0u);
    EXPECT_EQ(dlg.HoldCounter(), 0);
}

TEST_F(VideoProcessorTest, PictureSlidersStoreIntoTheCurrentRecordWithOffsetReadouts) {
    auto& dlg = Open();
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, VideoProcessorDlg::kBrightnessSlider, 0));
    EXPECT_EQ(image_.PictureModeAdjust[15 + 2], 0);
    EXPECT_EQ(Readouts()[2], "-24");
    EXPECT_EQ(Received(), (std::vector<Message>{{0xA011, 273, 0}}));

    ASSERT_TRUE(win::user::ReleaseSlider(dlg, VideoProcessorDlg::kBrightnessSlider, 24));
    EXPECT_EQ(Readouts()[2], "0");
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, VideoProcessorDlg::kNoiseReductionSlider, 10));
    EXPECT_EQ(image_.PictureModeAdjust[15 + 1], 10);
    EXPECT_EQ(Readouts()[1], "10");
    EXPECT_EQ(Received().size(), 2u);
    // The other records are untouched.
    EXPECT_EQ(image_.PictureModeAdjust[2], 24);
    EXPECT_EQ(image_.PictureModeAdjust[30 + 1], 0);

    ASSERT_TRUE(win::user::ReleaseSlider(dlg, VideoProcessorDlg::kNoiseReductionSlider, 10));
    ASSERT_TRUE(win::user::KeyboardSlider(dlg, VideoProcessorDlg::kContrastSlider, 3));
    EXPECT_TRUE(Received().empty());
}

TEST_F(VideoProcessorTest, RefreshWithAnOpenListLeavesThatSelectorAndItsCache) {
    auto& dlg = Open();
    ASSERT_TRUE(win::user::OpenComboList(dlg, VideoProcessorDlg::kResolutionCombo));
    image_.VideoSettings[2] = 2;
    image_.VideoSettings[5] = 0;
    image_.PictureModeAdjust[15] = 20;
    SendRefresh();
    EXPECT_EQ(Combo(VideoProcessorDlg::kResolutionCombo).GetCurSel(), 1);
    EXPECT_EQ(Combo(VideoProcessorDlg::kTvFormatCombo).GetWindowText(), "PAL");
    EXPECT_EQ(Pos(VideoProcessorDlg::kEnhancerSlider), 20);
    EXPECT_EQ(Readouts()[0], "20");

    // The cache still holds the item shown before, so picking the image's item is a change.
    ASSERT_TRUE(win::user::PickComboItem(dlg, VideoProcessorDlg::kResolutionCombo, 2));
    EXPECT_EQ(Received(), (std::vector<Message>{{0xA011, 72, 2}}));
}

TEST_F(VideoProcessorTest, PictureModeWithoutARecordLeavesThePictureSlidersAlone) {
    image_.VideoSettings[1] = 7;
    const auto before = image_.PictureModeAdjust;
    auto& dlg = Open();
    EXPECT_EQ(Combo(VideoProcessorDlg::kPictureModeCombo).GetCurSel(), win::CB_ERR);
    EXPECT_EQ(Pos(VideoProcessorDlg::kProcessorSwitch), 1);

    // No record to write into: the release stores and sends nothing.
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, VideoProcessorDlg::kContrastSlider, 40));
    EXPECT_TRUE(Received().empty());
    EXPECT_EQ(image_.PictureModeAdjust, before);

    // Choosing a mode brings its record back.
    ASSERT_TRUE(win::user::PickComboItem(dlg, VideoProcessorDlg::kPictureModeCombo, 0));
    EXPECT_EQ(PicturePositions(), (std::vector<int>{2, 0, 24, 18, 24}));
}

TEST_F(VideoProcessorTest, RefreshesAreNeverHeld) {
    link_.realtimeMode = true;
    auto& dlg = Open();
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, VideoProcessorDlg::kEnhancerSlider, 3));
    image_.PictureModeAdjust[15] = 9;
    SendRefresh();
    EXPECT_EQ(Pos(VideoProcessorDlg::kEnhancerSlider), 9);
}

}  // namespace
}  // namespace tra1
