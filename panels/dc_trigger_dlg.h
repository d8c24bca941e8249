#pragma once
// DC TRIGGER: for each of the receiver's two DC trigger outputs (DcTrigger1 at the left,
// DcTrigger2 at the right), which zone controls it and, per input and zone, whether the output
// goes high ("H") or stays low ("L") when that input is selected, plus the multi-channel input.
//
// Change message 0xA105: wParam the side (0, 1); lParam 0 for the mode, input + 1 for a "ZONE 1"
// switch, 0x80 + input + 1 for a "ZONE 2" switch, 0x800 + value for "Multi Ch Input". "All High"
// and "All Low" set every switch of a side, each one that moves stored and announced as its own
// release would be. The zone 3 row of each block is neither shown nor edited here.

#include <array>

#include "link/change_message_router.h"
#include "model/receiver_image.h"
#include "panels/panel_dlg.h"

namespace tra1 {

class CDCTRIGGERDlg final : public PanelDlg {
public:
    static constexpr PanelDescriptor kDescriptor{.refreshMessage = 0x900B,
                                                 .templateId = 147,
                                                 .caption = "DC TRIGGER",
                                                 .menuId = 32779,
                                                 .menuText = "Show DC TRIGGER",
                                                 .buttonId = 1078,
                                                 .buttonLabel = "DC TRIGGER",
                                                 .windowName = "TRIGGER",
                                                 .changeMessages = {change_message::kDcTrigger},
                                                 .holdCount = 120};

    static constexpr int kSideCount = 2;
    static constexpr int kInputCount = 13;  // inputs with a switch; block entries 13..15 have none
    static constexpr int kZoneCount = 2;    // the columns shown: "ZONE 1", "ZONE 2"
    using Column = std::array<int, kInputCount>;

    // Control ids by side.
    static constexpr std::array<int, kSideCount> kModeCombo{1143, 1144};
    static constexpr std::array<int, kSideCount> kMultiSwitch{1177, 1178};
    static constexpr std::array<int, kSideCount> kAllLowButton{1146, 1148};
    static constexpr std::array<int, kSideCount> kAllHighButton{1145, 1147};
    // [side][zone]: the switches of the inputs 0..12.
    static constexpr std::array<std::array<Column, kZoneCount>, kSideCount> kSwitches{{
        {{{1205, 1167, 1168, 1169, 1170, 1171, 1172, 1173, 1174, 1175, 1176, 1179, 1180},
          {1217, 1207, 1208, 1209, 1210, 1211, 1212, 1213, 1214, 1215, 1216, 1261, 1262}}},
        {{{1206, 1218, 1219, 1220, 1221, 1222, 1223, 1224, 1225, 1226, 1227, 1265, 1266},
          {1238, 1228, 1229, 1230, 1231, 1232, 1233, 1234, 1235, 1236, 1237, 1267, 1268}}},
    }};

    // The pause after each switch that "All High" / "All Low" moves.
    static constexpr int kAllSwitchPauseMs = 40;

    explicit CDCTRIGGERDlg(const PanelContext& context) : PanelDlg(context, kDescriptor) {}

protected:
    void OnInitPanel() override;
    void Refresh() override;
    void OnNotify(int id, win::LParam code) override;
    void OnCommand(int id, unsigned code) override;

private:
    ImageBytes<50>& Block(int side) const;
    void SetAll(int side, int value);

    static constexpr std::size_t SwitchCache(int side, int zone, int input) {
        return static_cast<std::size_t>((side * kZoneCount + zone) * kInputCount + input);
    }
    static constexpr std::size_t MultiCache(int side) {
        return static_cast<std::size_t>(kSideCount * kZoneCount * kInputCount + side);
    }
    // One entry per switch of the four columns, then one per "Multi Ch Input" switch.
    PanelCache<kSideCount * kZoneCount * kInputCount + kSideCount> cache_;
};

}  // namespace tra1
