// Read-outs follow a moving thumb in every panel that has them: dragged, or moved by keys or the
// wheel, the read-out shows the value where the thumb stands while nothing is stored or
// announced; the release (or, for keys and the wheel, the idle time after them) stores it once.

#include <gtest/gtest.h>

#include <string>

#include "panels/cinema_eq_dlg.h"
#include "panels/delay_dlg.h"
#include "panels/display_set_dlg.h"
#include "panels/eq_control_dlg.h"
#include "panels/input_trim_dlg.h"
#include "panels/lfe_level_drange_dlg.h"
#include "panels/speaker_distance_dlg.h"
#include "panels/speaker_level_dlg.h"
#include "panels/tone_control_dlg.h"
#include "panels/video_processor_dlg.h"
#include "platform/win/user_input.h"
#include "tests/panels/panel_test_support.h"

namespace tra1 {
namespace {

// Drags `slider` to `position`: the read-out reads `shown`, the image is as it was and nothing
// reached the main window.
template <typename Fixture>
void ExpectFollows(Fixture& t, int slider, int position, int readout, const std::string& shown) {
    const auto before = t.image_.ToBytes();
    ASSERT_TRUE(win::user::DragSlider(*t.panel_, slider, position));
    EXPECT_EQ(t.Text(readout), shown);
    EXPECT_EQ(t.image_.ToBytes(), before);
    EXPECT_TRUE(t.Posted().empty());
}

#define THUMB_TEST(Dlg)                              \
    class Dlg##Thumb : public test::PanelTest<Dlg> { \
    public:                                          \
        using test::PanelTest<Dlg>::image_;          \
        using test::PanelTest<Dlg>::panel_;          \
        using test::PanelTest<Dlg>::Text;            \
        using test::PanelTest<Dlg>::Posted;          \
    }

THUMB_TEST(CEQCONTROLDlg);
THUMB_TEST(CCINEMAEQDlg);
THUMB_TEST(CTONECONTROLDlg);
THUMB_TEST(CLFELEVELDRANGEDlg);
THUMB_TEST(CDELAYDlg);
THUMB_TEST(CDISPLAYSETDlg);
THUMB_TEST(CSPEAKERLEVELDlg);
THUMB_TEST(CINPUTTRIMDlg);
THUMB_TEST(CSPEAKERDISTANCEDlg);
THUMB_TEST(CVIDEOPROCESSORDlg);

TEST_F(CEQCONTROLDlgThumb, BandReadOutFollowsAndOneReleaseStores) {
    Open();
    const auto& band = CEQCONTROLDlg::kBands.at(0);
    ExpectFollows(*this, band.slider, 3, band.readout, "6");
    ASSERT_TRUE(win::user::ReleaseSlider(*panel_, band.slider, 3));
    EXPECT_EQ(image_.EqSettings.at(0), 24);
    EXPECT_EQ(Posted().size(), 1u);
}

TEST_F(CCINEMAEQDlgThumb, GainReadOutFollows) {
    Open();
    const auto& group = CCINEMAEQDlg::kGroups.at(1);
    ExpectFollows(*this, group.peqGain, 24, group.peqReadout, "3");
}

TEST_F(CTONECONTROLDlgThumb, LevelReadOutFollows) {
    Open();
    const auto& band = CTONECONTROLDlg::kBands.at(2);
    ExpectFollows(*this, band.slider, 27, band.readout, "-6");
}

TEST_F(CLFELEVELDRANGEDlgThumb, LfeReadOutFollowsAndKeysStoreOnceTheyStop) {
    Open();
    ExpectFollows(*this, CLFELEVELDRANGEDlg::kLfeSpeakerSlider, 21,
                  CLFELEVELDRANGEDlg::kLfeSpeakerReadout, "-10.5");
    // Keys: each step shows, the value is stored and announced once after the idle time.
    ASSERT_TRUE(win::user::KeyboardSlider(*panel_, CLFELEVELDRANGEDlg::kLfeSpeakerSlider, 22));
    ASSERT_TRUE(win::user::KeyboardSlider(*panel_, CLFELEVELDRANGEDlg::kLfeSpeakerSlider, 23));
    EXPECT_EQ(Text(CLFELEVELDRANGEDlg::kLfeSpeakerReadout), "-11.5");
    EXPECT_EQ(image_.LfeDrange.at(0), 40);
    loop_.AdvanceBy(win::Dialog::kSliderIdleMs);
    EXPECT_EQ(image_.LfeDrange.at(0), 17);
    EXPECT_EQ(Posted(), (std::vector<test::Message>{{0xA003, 0, 0}}));
}

TEST_F(CDELAYDlgThumb, DelayReadOutFollows) {
    Open();
    const int maximum = panel_->Get<win::Slider>(CDELAYDlg::kDelaySlider)->GetRangeMax();
    ExpectFollows(*this, CDELAYDlg::kDelaySlider, maximum - 40, CDELAYDlg::kDelayReadout, "40");
}

TEST_F(CDISPLAYSETDlgThumb, ShiftAndDimmerReadOutsFollow) {
    Open();
    ExpectFollows(*this, CDISPLAYSETDlg::kHPosSlider, 0, CDISPLAYSETDlg::kHPosReadout, "-5");
    ExpectFollows(*this, CDISPLAYSETDlg::kDimmerSlider, 1, CDISPLAYSETDlg::kDimmerReadout, "-3");
}

TEST_F(CSPEAKERLEVELDlgThumb, LevelBoxFollows) {
    Open();
    const auto& channel = CSPEAKERLEVELDlg::kChannels.at(speaker_levels::kSW);
    ExpectFollows(*this, channel.slider, CSPEAKERLEVELDlg::kInversion - 50, channel.box, "5");
}

TEST_F(CINPUTTRIMDlgThumb, TrimReadOutFollows) {
    Open();
    ExpectFollows(*this, CINPUTTRIMDlg::kSliders.at(1), 0, CINPUTTRIMDlg::kReadouts.at(1), "-6");
}

TEST_F(CSPEAKERDISTANCEDlgThumb, DistanceReadOutFollows) {
    Open();  // feet: 10.0 ft everywhere
    const auto& speaker = CSPEAKERDISTANCEDlg::kSpeakers.at(1);
    ExpectFollows(*this, speaker.slider, CSPEAKERDISTANCEDlg::kInversion - 3 * 150, speaker.readout,
                  "15");
}

TEST_F(CVIDEOPROCESSORDlgThumb, PictureReadOutFollows) {
    Open();
    ExpectFollows(*this, CVIDEOPROCESSORDlg::kBrightnessSlider, 0, 1265, "-24");
}

}  // namespace
}  // namespace tra1
