#pragma once
// MULTI ZONE SET: the zone 2 output. "ZONE2 OUT" chooses a variable (0 "VAR") or fixed (1 "FIX")
// line level, "ZONE2 AMP" the internal (0 "INT") or an external (1 "EXT") amplifier; the two
// bytes of MultiZoneSetting. The output level only matters with an external amplifier, so
// "ZONE2 OUT" is enabled only while "ZONE2 AMP" is "EXT" and otherwise stands at "VAR" without
// touching its byte. The panel keeps no cache: a release compares the switch with the image.

#include "link/change_message_router.h"
#include "panels/panel_dlg.h"

namespace tra1 {

class CMULTIZONESETDlg final : public PanelDlg {
public:
    static constexpr PanelDescriptor kDescriptor{.refreshMessage = 0x900E,
                                                 .templateId = 151,
                                                 .caption = "MULTI ZONE SET",
                                                 .menuId = 32783,
                                                 .menuText = "Show MULTI ZONE SET",
                                                 .buttonId = 1082,
                                                 .buttonLabel = "MULTI ZONE SET",
                                                 .windowName = "ZONE2 SET",
                                                 .changeMessages = {change_message::kMultiZone},
                                                 .holdCount = 50};

    static constexpr int kZone2OutSwitch = 1158;
    static constexpr int kZone2AmpSwitch = 1159;

    explicit CMULTIZONESETDlg(const PanelContext& context) : PanelDlg(context, kDescriptor) {}

protected:
    void OnInitPanel() override;
    void Refresh() override;
    void OnNotify(int id, win::LParam code) override;

private:
    // "ZONE2 OUT" follows "ZONE2 AMP": at byte 0 and enabled for "EXT", at "VAR" and disabled
    // for "INT".
    void ApplyEnablingRule();
};

}  // namespace tra1
