#pragma once
// SPEAKER SET / SUBWOOFER SET: the speaker configuration (SpeakerSetup bytes 0..11), one
// drop-down selector per byte whose item index is the stored value.
//
// The panel keeps no cache: a selection is compared with the image byte itself. Its refreshes are
// held whenever the counter runs, in either control mode, and a selector whose list the user holds
// open is left alone by a refresh.

#include <cstddef>
#include <span>
#include <string_view>

#include "link/change_message_router.h"
#include "model/value_names.h"
#include "panels/panel_dlg.h"

namespace tra1 {

class CSPEAKERSETDlg final : public PanelDlg {
public:
    static constexpr PanelDescriptor kDescriptor{.refreshMessage = 0x9000,
                                                 .templateId = 136,
                                                 .caption = "SPEAKER SET / SUBWOOFER SET",
                                                 .menuId = 32772,
                                                 .menuText = "Show SPEAKER / SUBWOOFER SET",
                                                 .buttonId = 1069,
                                                 .buttonLabel = "SPEAKER / SWFR SET",
                                                 .windowName = "SPEAKER SET",
                                                 .changeMessages = {change_message::kSpeakerSet},
                                                 .holdCount = 32,
                                                 .holdRule = HoldRule::kCounterOnly};

    // Selector ids.
    static constexpr int kCenterCombo = 1055;
    static constexpr int kFrontCombo = 1059;
    static constexpr int kSurroundCombo = 1056;
    static constexpr int kSurroundBackCombo = 1057;
    static constexpr int kPresenceCombo = 1218;
    static constexpr int kBassOutCombo = 1058;
    static constexpr int kConfigCombo = 1065;
    static constexpr int kMainLevelCombo = 1060;  // hidden
    static constexpr int kSpeakerBCombo = 1061;
    static constexpr int kCrossoverCombo = 1062;
    static constexpr int kPresenceOrSurroundBackCombo = 1063;  // hidden
    static constexpr int kPhaseCombo = 1064;                   // shown disabled

    // One selector: its SpeakerSetup byte, the wParam of its change message and its items.
    struct Selector {
        int combo;
        std::size_t byte;
        win::WParam item;
        NameList names;  // item i names byte value i
    };
    // Every selector, in the order a refresh visits them; MAIN LEVEL, never refreshed, last.
    static std::span<const Selector> Selectors();

    explicit CSPEAKERSETDlg(const PanelContext& context) : PanelDlg(context, kDescriptor) {}

protected:
    void OnInitPanel() override;
    void Refresh() override;
    void OnCommand(int id, unsigned code) override;
};

}  // namespace tra1
