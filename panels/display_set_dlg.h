#pragma once
// DISPLAY SET: the on-screen wallpaper, the position shift of the on-screen display and the
// front-panel dimmer (DisplaySettings), with the main window's on-screen display setting shown
// read-only. Three switches of the receiver (gray back, video conversion, component OSD) sit
// hidden in the window and are kept in step with the image; the user cannot reach them.
// "Default" puts the sliders back to the start-up values, storing and announcing each value that
// changes (change message 0xA00A per byte).

#include "link/change_message_router.h"
#include "panels/panel_dlg.h"

namespace tra1 {

class CDISPLAYSETDlg final : public PanelDlg {
public:
    static constexpr PanelDescriptor kDescriptor{.refreshMessage = 0x900A,
                                                 .templateId = 154,
                                                 .caption = "DISPLAY SET",
                                                 .menuId = 32786,
                                                 .menuText = "Show DISPLAY SET",
                                                 .buttonId = 1163,
                                                 .buttonLabel = "DISPLAY SET",
                                                 .windowName = "DISPLAYSET",
                                                 .changeMessages = {change_message::kDisplaySet},
                                                 .holdCount = 40};

    // Control ids.
    static constexpr int kWallPaperCombo = 1116;
    static constexpr int kOnScreenCombo = 1118;
    static constexpr int kDimmerSlider = 1163;
    static constexpr int kDimmerReadout = 1164;
    static constexpr int kHPosSlider = 1165;
    static constexpr int kHPosReadout = 1166;
    static constexpr int kGrayBackSlider = 1167;
    static constexpr int kVideoConversionSlider = 1168;
    static constexpr int kComponentOsdSlider = 1169;
    static constexpr int kVPosSlider = 1170;
    static constexpr int kVPosReadout = 1171;
    static constexpr int kDefaultButton = 1148;

    explicit CDISPLAYSETDlg(const PanelContext& context) : PanelDlg(context, kDescriptor) {}

protected:
    void OnInitPanel() override;
    void Refresh() override;
    void ShowThumb(int id, int position) override;
    void OnNotify(int id, win::LParam code) override;
    void OnCommand(int id, unsigned code) override;

private:
    void WriteReadouts();

    // One entry per DisplaySettings byte: the six sliders (bytes 0..5) and the wallpaper (6).
    PanelCache<7> cache_;
};

}  // namespace tra1
