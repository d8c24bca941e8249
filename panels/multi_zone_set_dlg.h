#pragma once
// MULTI ZONE SET: the zone 2 output. "ZONE2 OUT" chooses a variable (0 "VAR") or fixed (1 "FIX")
// line level, "ZONE2 AMP" the internal (0 "INT") or an external (1 "EXT") amplifier; the two
// bytes of MultiZoneSetting. The output level only matters with an external amplifier, so
// "ZONE2 OUT" is enabled only while "ZONE2 AMP" is "EXT" and otherwise stands at "VAR" without
// touching its byte. The panel keeps no cache: a release compares the switch with the image.

#include "panels/panel_dlg.h"

namespace tra1 {

class CMULTIZONESETDlg final : public PanelDlg {
public:
    static constexpr PanelSpec kSpec{
        .templateId = 151, .refreshMessage = 0x900E, .changeMessage = 0xA00B, .holdCount = 50};

    static constexpr int kZone2OutSwitch = 1158;
    static constexpr int kZone2AmpSwitch = 1159;
    // Reloads the main window's own controls, which show the zone 2 output too.
    static constexpr win::Msg kMainWindowRefresh = 0x900F;

    explicit CMULTIZONESETDlg(const PanelContext& context) : PanelDlg(context, kSpec) {}

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
