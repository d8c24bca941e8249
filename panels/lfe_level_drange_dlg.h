#pragma once
// LFE LEVEL / D-RANGE: the level of the low-frequency effects channel and the dynamic range
// compression, each for the speakers and for the headphones (the four bytes of LfeDrange).
//
// The LFE sliders stand inverted (0 dB at the top): position = 40 - byte, and the read-out beside
// each shows -position / 2 dB. The D-RANGE sliders show the byte as it is: 0 "MAX" at the top,
// 2 "MIN" at the bottom. The panel keeps no cache: a release compares with the image itself.
// Each group's "Default" button stores the start-up values of its pair (0 dB, "MAX") and
// announces each one that changed, as a release would.

#include "link/change_message_router.h"
#include "panels/panel_dlg.h"

namespace tra1 {

class CLFELEVELDRANGEDlg final : public PanelDlg {
public:
    static constexpr PanelDescriptor kDescriptor{
        .refreshMessage = 0x9003,
        .templateId = 143,
        .caption = "LFE LEVEL / D-RANGE",
        .menuId = 32777,
        .menuText = "Show LFE LEVEL / D-RANGE",
        .buttonId = 1074,
        .buttonLabel = "LEF LEVEL / D-RANGE",
        .windowName = "LFE and D-RANGE",
        .changeMessages = {change_message::kLfeLevel, change_message::kDynamicRange},
        .holdCount = 16};

    // Control ids.
    static constexpr int kLfeSpeakerSlider = 1099;
    static constexpr int kLfeHeadphoneSlider = 1100;
    static constexpr int kLfeSpeakerReadout = 1101;
    static constexpr int kLfeHeadphoneReadout = 1102;
    static constexpr int kLfeDefaultButton = 1103;
    static constexpr int kDrangeSpeakerSlider = 1106;
    static constexpr int kDrangeHeadphoneSlider = 1107;
    static constexpr int kDrangeDefaultButton = 1108;

    static constexpr int kLfeMaximum = 40;    // 0 dB
    static constexpr int kDrangeMaximum = 2;  // "MIN"

    explicit CLFELEVELDRANGEDlg(const PanelContext& context) : PanelDlg(context, kDescriptor) {}

protected:
    void OnInitPanel() override;
    void Refresh() override;
    void ShowThumb(int id, int position) override;
    void OnNotify(int id, win::LParam code) override;
    void OnCommand(int id, unsigned code) override;

private:
    void UpdateReadouts();
};

}  // namespace tra1
