#pragma once
// EQ CONTROL panel (dialog 135): the graphic equaliser of one speaker channel at a time. The
// channel combo 1224 picks an EqSettings record; nine inverted vertical band sliders (range 3..27,
// position = 27 - band byte) with a dB read-out under each edit that record's present bands. A
// released band posts 0xA101 (channel record, band offset) and holds the next 36 refreshes in
// realtime mode. FLAT sets every graphic EQ byte flat and announces each band that changed
// (0xA101, or 0xA102 for the two option bytes), as releases there would.

#include <array>
#include <cstddef>

#include "link/change_message_router.h"
#include "panels/panel_dlg.h"

namespace tra1 {

class CEQCONTROLDlg final : public PanelDlg {
public:
    static constexpr PanelDescriptor kDescriptor{.refreshMessage = 0x9001,
                                                 .templateId = 135,
                                                 .caption = "EQ CONTROL",
                                                 .menuId = 32771,
                                                 .menuText = "Show GRAPHIC EQ",
                                                 .buttonId = 1068,
                                                 .buttonLabel = "GRAPHIC EQ",
                                                 .windowName = "EQ",
                                                 .changeMessages = {change_message::kGraphicEq},
                                                 .holdCount = 36};

    static constexpr int kChannelCombo = 1224;
    static constexpr int kFlatButton = 1073;

    // One band column: its slider, its read-out and the band offset within a channel record
    // (also the lParam of the change message).
    struct Band {
        int slider;
        int readout;
        std::size_t offset;
    };
    static constexpr std::array<Band, 9> kBands{{
        {1074, 1081, 0},   // 63
        {1075, 1082, 1},   // 125
        {1076, 1083, 3},   // 250
        {1077, 1084, 5},   // 500
        {1078, 1085, 6},   // 1K
        {1079, 1086, 7},   // 2K
        {1080, 1087, 9},   // 4K
        {1088, 1089, 11},  // 8K
        {1090, 1091, 12},  // 16K
    }};

    static constexpr int kMinPosition = 3;
    static constexpr int kMaxPosition = 27;

    // The channel record shown for combo item k (record 1 is never shown); -1 for no item.
    static constexpr int ChannelRecord(int item) {
        if (item < 0 || item > 8) {
            return -1;
        }
        return item == 0 ? 0 : item + 1;
    }

    explicit CEQCONTROLDlg(const PanelContext& context) : PanelDlg(context, kDescriptor) {}

protected:
    void OnInitPanel() override;
    // Reloads the selected channel, unless the channel list is dropped down.
    void Refresh() override;
    void ShowThumb(int id, int position) override;
    void OnNotify(int id, win::LParam code) override;
    void OnCommand(int id, unsigned code) override;

private:
    // Sets the nine sliders, their cache entries and read-outs from the selected channel's record.
    void LoadSelectedChannel();
    void BandReleased(const Band& band);
    void Flat();

    // Slider positions by channel record and band offset (13 entries per record).
    PanelCache<130> cache_;
};

}  // namespace tra1
