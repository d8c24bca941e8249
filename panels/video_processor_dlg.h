#pragma once
// Video Processor: the receiver's video processor switch, its output format selectors and the
// picture adjustments of the selected picture mode (VideoSettings bytes 0..6 and the three
// PictureModeAdjust records).
//
// Unlike the other panels it sends its change message 0xA011 to the main window and goes on only
// once that has been handled; the message carries the receiver's command number and the value
// (function 273 and 0 for a picture slider, whose whole record the main window sends). Its
// refreshes are never held.

#include "link/change_message_router.h"
#include "model/protocol.h"
#include "panels/panel_dlg.h"

namespace tra1 {

class CVIDEOPROCESSORDlg final : public PanelDlg {
public:
    static constexpr PanelDescriptor kDescriptor{
        .refreshMessage = 0x9013,
        .templateId = 201,
        .caption = "Video Processor",
        .menuId = 219,
        .menuText = "Show VIDEO PROCESSOR",
        .buttonId = 1086,
        .buttonLabel = "Video Processor",
        .windowName = "Video Processor",
        .changeMessages = {change_message::kVideoProcessor},
        .holdCount = 0,
        .delivery = ChangeDelivery::kSent};

    // Control ids.
    static constexpr int kProcessorSwitch = 1257;
    static constexpr int kPictureModeCombo = 1116;
    static constexpr int kResolutionCombo = 1117;
    static constexpr int kAspectCombo = 1118;
    static constexpr int kCrossColorCombo = 1119;
    static constexpr int kTvFormatCombo = 1120;
    static constexpr int kSVideoCombo = 1121;
    static constexpr int kEnhancerSlider = 1258;
    static constexpr int kNoiseReductionSlider = 1259;
    static constexpr int kBrightnessSlider = 1260;
    static constexpr int kContrastSlider = 1261;
    static constexpr int kSaturationSlider = 1262;
    static constexpr int kEnhancerReadout = 1263;  // 1263..1267 beside the sliders in order

    // Command numbers carried in wParam.
    static constexpr int kProcessorCommand = command::kVideoConversion;
    static constexpr int kPictureModeCommand = command::kFirstVideoSetting;  // bytes 1..6
    static constexpr int kPictureRecordFunction = extended_function::kPictureMode;

    explicit CVIDEOPROCESSORDlg(const PanelContext& context) : PanelDlg(context, kDescriptor) {}

protected:
    void OnInitPanel() override;
    void Refresh() override;
    void ShowThumb(int id, int position) override;
    void OnNotify(int id, win::LParam code) override;
    void OnCommand(int id, unsigned code) override;

private:
    // The PictureModeAdjust record of the current picture mode, or nullptr when VideoSettings
    // byte 1 names no record.
    std::uint8_t* CurrentRecord() const;
    void UpdateReadouts();
    void EnableProcessorControls(bool selectors, bool sliders);

    // 0: the switch; 1..6: the selectors by VideoSettings byte; 7..11: the picture sliders.
    PanelCache<12> cache_;
};

}  // namespace tra1
