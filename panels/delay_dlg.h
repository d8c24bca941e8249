#pragma once
// DELAY: the audio delay in milliseconds (AudioDelay byte 0, 0..200) on one vertical slider with
// its read-out below.
//
// The slider stands inverted so that longer delays stand higher: position = 200 - delay. The
// cache holds the delay the slider was last set to or released at, read back from the slider, so
// an image value above 200 (thumb clamped to the top) caches 200 and a release at the top stores
// nothing new.

#include "link/change_message_router.h"
#include "panels/panel_dlg.h"

namespace tra1 {

class CDELAYDlg final : public PanelDlg {
public:
    static constexpr PanelDescriptor kDescriptor{.refreshMessage = 0x9004,
                                                 .templateId = 146,
                                                 .caption = "DELAY",
                                                 .menuId = 32778,
                                                 .menuText = "Show DELAY",
                                                 .buttonId = 1075,
                                                 .buttonLabel = "Audio Delay",
                                                 .windowName = "Delay",
                                                 .changeMessages = {change_message::kDelay},
                                                 .holdCount = 8};

    // Control ids.
    static constexpr int kDelaySlider = 1067;
    static constexpr int kDelayReadout = 1055;
    static constexpr int kDefaultButton = 1066;

    static constexpr int kMaxDelayMs = 200;
    // The start-up delay that "Default" restores.
    static constexpr int kDefaultDelayMs = 0;

    explicit CDELAYDlg(const PanelContext& context) : PanelDlg(context, kDescriptor) {}

protected:
    void OnInitPanel() override;
    void Refresh() override;
    void ShowThumb(int id, int position) override;
    void OnNotify(int id, win::LParam code) override;
    void OnCommand(int id, unsigned code) override;

private:
    // Stores the slider's delay when it differs from the cache, holds and posts; then the
    // read-out follows.
    void StoreSliderDelay();
    void UpdateReadout();

    PanelCache<1> cache_;
};

}  // namespace tra1
