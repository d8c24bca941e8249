#pragma once
// INPUT MODE SET: one two-position switch, whether the receiver starts each input with
// automatic input-mode detection (0 "AUTO") or in the mode last used (1 "LAST"), the one byte of
// InputModeSetting. The panel keeps no cache: a release compares the switch with the image.

#include "link/change_message_router.h"
#include "panels/panel_dlg.h"

namespace tra1 {

class CINPUTMODESETDlg final : public PanelDlg {
public:
    static constexpr PanelDescriptor kDescriptor{.refreshMessage = 0x9009,
                                                 .templateId = 153,
                                                 .caption = "INPUT MODE SET",
                                                 .menuId = 32785,
                                                 .menuText = "Show INPUT MODE SET",
                                                 .buttonId = 1162,
                                                 .buttonLabel = "INPUT MODE SET",
                                                 .windowName = "Input Mode",
                                                 .changeMessages = {change_message::kInputMode},
                                                 .holdCount = 3};

    static constexpr int kModeSlider = 1162;

    explicit CINPUTMODESETDlg(const PanelContext& context) : PanelDlg(context, kDescriptor) {}

protected:
    void OnInitPanel() override;
    void Refresh() override;
    void OnNotify(int id, win::LParam code) override;
};

}  // namespace tra1
