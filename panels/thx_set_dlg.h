#pragma once
// THX SET panel (dialog 199): the three THX options of ThxSettings. Two switches (slider 1252
// "THX Ultra2 SWFR" NO/YES, slider 1253 "Boundary Gain Comp" OFF/ON) and the "SB Speaker
// Distance" combo 1116. A change posts 0xA010 (byte number, new value); the panel never holds a
// refresh back. Its refresh touches only the controls whose image byte changed.

#include "link/change_message_router.h"
#include "panels/panel_dlg.h"

namespace tra1 {

class CTHXSETDlg final : public PanelDlg {
public:
    static constexpr PanelDescriptor kDescriptor{.refreshMessage = 0x9012,
                                                 .templateId = 199,
                                                 .caption = "THX SET",
                                                 .menuId = 216,
                                                 .menuText = "Show THX SET",
                                                 .buttonId = 1084,
                                                 .buttonLabel = "THX SET",
                                                 .windowName = "THX SET",
                                                 .changeMessages = {change_message::kThxSet},
                                                 .holdCount = 0};

    // Control ids.
    static constexpr int kUltra2Subwoofer = 1252;
    static constexpr int kBoundaryGainComp = 1253;
    static constexpr int kSbSpeakerDistance = 1116;

    explicit CTHXSETDlg(const PanelContext& context) : PanelDlg(context, kDescriptor) {}

protected:
    void OnInitPanel() override;
    void Refresh() override;
    void OnNotify(int id, win::LParam code) override;
    void OnCommand(int id, unsigned code) override;

private:
    // Stores a user's new value of ThxSettings byte `index` and announces it.
    void UserChange(std::size_t index, int value);

    PanelCache<3> cache_;
};

}  // namespace tra1
