#pragma once
// INPUT MODE SET: one two-position switch, whether the receiver starts each input with
// automatic input-mode detection (0 "AUTO") or in the mode last used (1 "LAST"), the one byte of
// InputModeSetting. The panel keeps no cache: a release compares the switch with the image.

#include "panels/panel_dlg.h"

namespace tra1 {

class CINPUTMODESETDlg final : public PanelDlg {
public:
    static constexpr PanelSpec kSpec{
        .templateId = 153, .refreshMessage = 0x9009, .changeMessage = 0xA009, .holdCount = 3};

    static constexpr int kModeSlider = 1162;

    explicit CINPUTMODESETDlg(const PanelContext& context) : PanelDlg(context, kSpec) {}

protected:
    void OnInitPanel() override;
    void Refresh() override;
    void OnNotify(int id, win::LParam code) override;
};

}  // namespace tra1
