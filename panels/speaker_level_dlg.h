#pragma once
// SPEAKER LEVEL: the output level of the eleven speaker channels (SpeakerLevels bytes 0..10) on
// vertical sliders, each with its level in dB below.
//
// A level byte holds 20..60 and means (byte - 40) / 2 dB. The sliders have the range 20..60 and
// stand inverted, position = 80 - byte, so +10 dB is at the top. The cache holds the level each
// slider was last set to or released at.

#include <array>
#include <cstddef>

#include "link/change_message_router.h"
#include "panels/panel_dlg.h"

namespace tra1 {

class CSPEAKERLEVELDlg final : public PanelDlg {
public:
    static constexpr PanelDescriptor kDescriptor{.refreshMessage = 0x9002,
                                                 .templateId = 140,
                                                 .caption = "SPEAKER LEVEL",
                                                 .menuId = 32775,
                                                 .menuText = "Show SPEAKER LEVEL",
                                                 .buttonId = 1072,
                                                 .buttonLabel = "SPEAKER LEVEL",
                                                 .windowName = "LEVEL and BALANCE",
                                                 .changeMessages = {change_message::kSpeakerLevel},
                                                 .holdCount = 25};

    // One channel's controls. Its index in kChannels is its SpeakerLevels byte and the wParam of
    // its change message.
    struct Channel {
        const char* label;
        int slider;
        int box;
    };
    static constexpr std::size_t kChannelCount = 11;
    static constexpr std::array<Channel, kChannelCount> kChannels{{
        {"FR", 1068, 1056},
        {"FL", 1069, 1065},
        {"CT", 1070, 1058},
        {"SR", 1071, 1059},
        {"SL", 1072, 1060},
        {"PRR", 1074, 1061},
        {"PRL", 1076, 1066},
        {"SBR", 1082, 1067},
        {"SBL", 1077, 1063},
        {"SW", 1073, 1057},
        {"SW2", 1075, 1062},
    }};
    static constexpr int kFlatButton = 1078;

    static constexpr int kMinLevel = 20;     // -10 dB
    static constexpr int kMaxLevel = 60;     // +10 dB
    static constexpr int kZeroDbLevel = 40;  // 0 dB
    // position = kInversion - level and back.
    static constexpr int kInversion = kMinLevel + kMaxLevel;

    explicit CSPEAKERLEVELDlg(const PanelContext& context) : PanelDlg(context, kDescriptor) {}

protected:
    void OnInitPanel() override;
    void Refresh() override;
    void ShowThumb(int id, int position) override;
    void OnNotify(int id, win::LParam code) override;
    void OnCommand(int id, unsigned code) override;

private:
    // Stores the level of channel `index` that its slider shows when it differs from the cache;
    // true when it was stored (and posted).
    bool StoreChannel(std::size_t index);
    // Every box from the image: (byte - 40) / 2 dB.
    void UpdateBoxes();
    void Flat();

    PanelCache<kChannelCount> cache_;
};

}  // namespace tra1
