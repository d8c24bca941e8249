#pragma once
// EXTERNAL INPUT SET: how the multi-channel external input is used. Three two-position switches
// send its centre, subwoofer and surround channels to the front speakers instead (0 keeps the
// channel, 1 "FRONT"), and a combo chooses a 6-channel input or an 8-channel input that takes
// its front channels from another source. The four bytes of ExternalInputSetting, in that
// order. A refresh writes only the controls whose cached byte differs from the image.

#include <array>
#include <string_view>

#include "link/change_message_router.h"
#include "panels/panel_dlg.h"

namespace tra1 {

class CEXTERNALINPUTSETDlg final : public PanelDlg {
public:
    static constexpr PanelDescriptor kDescriptor{.refreshMessage = 0x9008,
                                                 .templateId = 152,
                                                 .caption = "EXTERNAL INPUT SET",
                                                 .menuId = 32784,
                                                 .menuText = "",
                                                 .buttonId = 1083,
                                                 .buttonLabel = "EXT INPUT SET",
                                                 .windowName = "6ch Input SET",
                                                 .changeMessages = {change_message::kExternalInput},
                                                 .holdCount = 80};

    // Switches for bytes 0..2 ("CENTER TO", "SWFR TO", "SL/SR TO"), then the combo of byte 3.
    static constexpr std::array<int, 3> kSwitches{1160, 1161, 1162};
    static constexpr int kChannelCombo = 1116;
    static constexpr std::size_t kComboByte = 3;
    static constexpr std::array<std::string_view, 10> kChannelItems{
        "6CH",
        "8CH (Front=CD)",
        "8CH (Front=CD-R)",
        "8CH (Front=MD/TAPE)",
        "8CH (Front=DVD)",
        "8CH (Front=DTV)",
        "8CH (Front=CBL/SAT)",
        "8CH (Front=VCR1)",
        "8CH (Front=DVR/VCR2)",
        "8CH (Front=V-AUX)",
    };

    explicit CEXTERNALINPUTSETDlg(const PanelContext& context) : PanelDlg(context, kDescriptor) {}

protected:
    void OnInitPanel() override;
    void Refresh() override;
    void OnNotify(int id, win::LParam code) override;
    void OnCommand(int id, unsigned code) override;

private:
    PanelCache<4> cache_;
};

}  // namespace tra1
