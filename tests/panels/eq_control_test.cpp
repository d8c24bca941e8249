// EQ CONTROL panel: channel records and band offsets, inverted band sliders with dB read-outs,
// the channel selector, the refresh hold, FLAT and the 0xA101 messages.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/receiver_image.h"
#include "panels/eq_control_dlg.h"
#include "panels/panel_list.h"
#include "platform/win/combo_box.h"
#include "platform/win/slider.h"
#include "platform/win/user_input.h"
#include "tests/panels/panel_test_support.h"

namespace tra1 {
namespace {

using EqControlDlg = CEQCONTROLDlg;

constexpr int kSlider63 = 1074;
constexpr int kSlider1k = 1078;
constexpr int kSlider16k = 1090;
constexpr int kReadout1k = 1085;

using EqMessage = test::Message;

class EqControlPanelTest : public test::PanelTest<EqControlDlg> {
protected:
    std::vector<EqMessage> Delivered() { return Posted(); }
    // Writes a record whose present bands run 0, 3, 6, ... 24 from the lowest band up.
    void FillRecord(std::size_t record) {
        for (std::size_t i = 0; i < EqControlDlg::kBands.size(); ++i) {
            image_.EqSettings.at(13 * record + EqControlDlg::kBands[i].offset) =
                static_cast<std::uint8_t>(3 * i);
        }
    }
    std::vector<int> Positions() const {
        std::vector<int> out;
        for (const auto& band : EqControlDlg::kBands) {
            out.push_back(Pos(band.slider));
        }
        return out;
    }
    std::vector<std::string> Readouts() const {
        std::vector<std::string> out;
        for (const auto& band : EqControlDlg::kBands) {
            out.push_back(Text(band.readout));
        }
        return out;
    }
};

const std::vector<int> kFilledPositions{27, 24, 21, 18, 15, 12, 9, 6, 3};
const std::vector<std::string> kFilledReadouts{"-6",  "-4.5", "-3",  "-1.5", "0",
                                               "1.5", "3",    "4.5", "6"};
const std::vector<int> kFlatPositions(9, 15);

TEST_F(EqControlPanelTest, OpensOnCenterShowingBandsAndMatchingReadouts) {
    // The main window finds the panel under its refresh message.
    EXPECT_NE(FindSettingPanel(EqControlDlg::kDescriptor.refreshMessage), nullptr);
    FillRecord(0);
    auto& d = Open();
    EXPECT_EQ(d.GetWindowText(), "EQ CONTROL");
    const auto* combo = d.Get<win::ComboBox>(EqControlDlg::kChannelCombo);
    EXPECT_EQ(combo->Items(),
              (std::vector<std::string>{"Center", "Front L", "Front R", "Surround L", "Surround R",
                                        "Surround Back L", "Surround Back R", "Presence L",
                                        "Presence R"}));
    EXPECT_EQ(combo->GetCurSel(), 0);
    EXPECT_EQ(Positions(), kFilledPositions);
    EXPECT_EQ(Readouts(), kFilledReadouts);
    for (const auto& band : EqControlDlg::kBands) {
        EXPECT_EQ(d.Get<win::Slider>(band.slider)->GetRangeMin(), 3);
        EXPECT_EQ(d.Get<win::Slider>(band.slider)->GetRangeMax(), 27);
        EXPECT_EQ(d.GetDlgItem(band.readout)->TextColor(), win::kCyan);
        EXPECT_EQ(d.GetDlgItem(band.readout)->BackgroundColor(), win::kBlack);
    }
    EXPECT_EQ(d.HoldCounter(), 0);
    EXPECT_TRUE(Delivered().empty());
}

TEST_F(EqControlPanelTest, ChannelSelectorLoadsItsRecordAndRecordOneIsNeverShown) {
    FillRecord(9);                      // Presence R
    image_.EqSettings[13 * 1 + 0] = 0;  // record 1 belongs to no item
    auto& d = Open();
    ASSERT_TRUE(win::user::PickComboItem(d, EqControlDlg::kChannelCombo, 8));
    EXPECT_EQ(Positions(), kFilledPositions);
    EXPECT_EQ(Readouts(), kFilledReadouts);
    ASSERT_TRUE(win::user::PickComboItem(d, EqControlDlg::kChannelCombo, 1));  // Front L = record 2
    EXPECT_EQ(Positions(), kFlatPositions);
    EXPECT_TRUE(Delivered().empty());
}

TEST_F(EqControlPanelTest, PickingFromTheOpenListLoadsTheNewChannel) {
    FillRecord(4);  // Surround L
    auto& d = Open();
    ASSERT_TRUE(win::user::OpenComboList(d, EqControlDlg::kChannelCombo));
    ASSERT_TRUE(win::user::PickComboItem(d, EqControlDlg::kChannelCombo, 3));
    EXPECT_EQ(Positions(), kFilledPositions);
    // And the band edited next lands in the record on show.
    ASSERT_TRUE(win::user::ReleaseSlider(d, kSlider63, 26));
    EXPECT_EQ(image_.EqSettings[13 * 4 + 0], 1);
    EXPECT_EQ(Delivered(), (std::vector<EqMessage>{{0xA101, 4, 0}}));
}

TEST_F(EqControlPanelTest, RefreshWaitsWhileTheChannelListIsOpen) {
    auto& d = Open();
    ASSERT_TRUE(win::user::OpenComboList(d, EqControlDlg::kChannelCombo));
    FillRecord(0);
    SendRefresh();
    EXPECT_EQ(Positions(), kFlatPositions);
    ASSERT_TRUE(win::user::CloseComboList(d, EqControlDlg::kChannelCombo));
    SendRefresh();
    EXPECT_EQ(Positions(), kFilledPositions);
}

TEST_F(EqControlPanelTest, BandSliderEndsAndMiddleStoreAndShowTheLevel) {
    auto& d = Open();
    struct Case {
        int position;
        int stored;
        const char* shown;
    };
    for (const Case c : {Case{3, 24, "6"}, Case{27, 0, "-6"}, Case{15, 12, "0"}}) {
        ASSERT_TRUE(win::user::ReleaseSlider(d, kSlider1k, c.position));
        EXPECT_EQ(image_.EqSettings[6], c.stored) << c.position;
        EXPECT_EQ(d.GetDlgItemText(kReadout1k), c.shown) << c.position;
        EXPECT_EQ(Delivered(), (std::vector<EqMessage>{{0xA101, 0, 6}})) << c.position;
    }
}

TEST_F(EqControlPanelTest, FrontLOneKilohertzWritesByte32AndPostsOnce) {
    auto& d = Open();
    ASSERT_TRUE(win::user::PickComboItem(d, EqControlDlg::kChannelCombo, 1));
    const auto before = image_.EqSettings;
    ASSERT_TRUE(win::user::ReleaseSlider(d, kSlider1k, 10));
    auto expected = before;
    expected[32] = 17;
    EXPECT_EQ(image_.EqSettings, expected);
    EXPECT_EQ(d.GetDlgItemText(kReadout1k), "2.5");
    EXPECT_EQ(d.HoldCounter(), 36);
    EXPECT_EQ(Delivered(), (std::vector<EqMessage>{{0xA101, 2, 6}}));
}

TEST_F(EqControlPanelTest, ReleaseAtTheSamePositionOnlyRedrawsTheReadout) {
    auto& d = Open();
    d.SetDlgItemText(kReadout1k, "");
    ASSERT_TRUE(win::user::ReleaseSlider(d, kSlider1k, 15));
    EXPECT_EQ(d.GetDlgItemText(kReadout1k), "0");
    // A drag or the keyboard shows nothing new and stores nothing either.
    ASSERT_TRUE(win::user::KeyboardSlider(d, kSlider16k, 3));
    EXPECT_EQ(image_.EqSettings[12], 12);
    EXPECT_EQ(d.HoldCounter(), 0);
    EXPECT_TRUE(Delivered().empty());
}

TEST_F(EqControlPanelTest, RealtimeHoldsThirtySixRefreshesAsynchronousNone) {
    link_.realtimeMode = true;
    auto& d = Open();
    ASSERT_TRUE(win::user::ReleaseSlider(d, kSlider63, 3));
    image_.EqSettings[0] = 12;  // a stale report carrying the old value
    for (int i = 0; i < 36; ++i) {
        SendRefresh();
    }
    EXPECT_EQ(Pos(kSlider63), 3);
    EXPECT_EQ(d.HoldCounter(), 0);
    SendRefresh();
    EXPECT_EQ(Pos(kSlider63), 15);

    link_.realtimeMode = false;
    ASSERT_TRUE(win::user::ReleaseSlider(d, kSlider63, 3));
    EXPECT_EQ(d.HoldCounter(), 36);
    image_.EqSettings[0] = 12;
    SendRefresh();
    EXPECT_EQ(Pos(kSlider63), 15);
}

TEST_F(EqControlPanelTest, FlatResetsEveryChannelAndOptionByteButNotCinemaEq) {
    auto& d = Open();
    FillRecord(0);
    FillRecord(7);
    image_.EqSettings[130] = 3;
    image_.EqSettings[131] = 20;
    const auto cinemaBefore =
        std::vector<std::uint8_t>(image_.EqSettings.begin() + 132, image_.EqSettings.end());
    SendRefresh();
    ASSERT_EQ(Positions(), kFilledPositions);
    ASSERT_TRUE(win::user::Click(d, EqControlDlg::kFlatButton));
    for (std::size_t i = 0; i < 132; ++i) {
        EXPECT_EQ(image_.EqSettings[i], 12) << "byte " << i;
    }
    EXPECT_EQ(std::vector<std::uint8_t>(image_.EqSettings.begin() + 132, image_.EqSettings.end()),
              cinemaBefore);
    EXPECT_EQ(Positions(), kFlatPositions);
    EXPECT_EQ(Readouts(), std::vector<std::string>(9, "0"));
    // Every band that changed is announced, record by record and band by band, then the two
    // option bytes: as releases there would.
    const auto delivered = Delivered();
    std::vector<EqMessage> bands;
    std::vector<EqMessage> options;
    for (const EqMessage& m : delivered) {
        (m.msg == 0xA101 ? bands : options).push_back(m);
    }
    // Two records with eight bands off 0 dB each (their fifth band sits at 0 dB already).
    ASSERT_EQ(bands.size(), 2u * 8u);
    EXPECT_EQ(bands.front(), (EqMessage{0xA101, 0, 0}));
    EXPECT_EQ(bands[8], (EqMessage{0xA101, 7, 0}));
    EXPECT_EQ(bands.back(), (EqMessage{0xA101, 7, 12}));
    EXPECT_EQ(options, (std::vector<EqMessage>{{0xA102, 0, 0}, {0xA102, 1, 0}}));
    EXPECT_EQ(d.HoldCounter(), 36);
    // Flat already: nothing more to announce.
    ASSERT_TRUE(win::user::Click(d, EqControlDlg::kFlatButton));
    EXPECT_TRUE(Delivered().empty());
}

TEST_F(EqControlPanelTest, OutOfRangeBandsShowTheThumbsLevel) {
    // Bytes above 24 would stand above the track's top.
    image_.EqSettings[0] = 200;
    image_.EqSettings[12] = 25;
    auto& d = Open();
    EXPECT_EQ(Pos(kSlider63), 3);
    EXPECT_EQ(d.GetDlgItemText(1081), "6");
    EXPECT_EQ(Pos(kSlider16k), 3);
    EXPECT_EQ(d.GetDlgItemText(1091), "6");
    // Where the thumb stands is not the image's value: releasing there stores it.
    ASSERT_TRUE(win::user::ReleaseSlider(d, kSlider63, 3));
    EXPECT_EQ(image_.EqSettings[0], 24);
    EXPECT_EQ(Delivered(), (std::vector<EqMessage>{{0xA101, 0, 0}}));
}

}  // namespace
}  // namespace tra1
