#pragma once
// Tone Control panel (dialog 196): bass and treble of the speaker outputs and of the headphone
// output, the eight bytes of ToneSettings. Each band has a turnover frequency combo and an
// inverted vertical level slider (range 3..27, position = 27 - level) with a dB read-out. A change
// of either control of a band posts 0xA107 (group, band): the main window sends the band's two
// bytes together. The panel never holds a refresh back; its refresh touches only the controls
// whose value changed.

#include <array>
#include <cstddef>

#include "link/change_message_router.h"
#include "panels/panel_dlg.h"

namespace tra1 {

class CTONECONTROLDlg final : public PanelDlg {
public:
    static constexpr PanelDescriptor kDescriptor{.refreshMessage = 0x9011,
                                                 .templateId = 196,
                                                 .caption = "Tone Control",
                                                 .menuId = 57653,
                                                 .menuText = "Show TONE CONTROL",
                                                 .buttonId = 1076,
                                                 .buttonLabel = "TONE CONTROL",
                                                 .windowName = "Tone Control",
                                                 .changeMessages = {change_message::kToneControl},
                                                 .holdCount = 0};

    // The controls of one band and where its pair of bytes sits in ToneSettings.
    struct Band {
        std::size_t selectorByte;  // the level byte follows it
        int combo;
        int slider;
        int readout;
        int group;  // wParam of the change message: 0 speaker, 1 headphone
        int band;   // lParam: 0 bass, 1 treble
    };
    static constexpr std::array<Band, 4> kBands{{
        {0, 1238, 1242, 1240, 0, 0},  // Speaker, Bass
        {2, 1239, 1243, 1241, 0, 1},  // Speaker, Treble
        {4, 1245, 1248, 1244, 1, 0},  // Headphone, Bass
        {6, 1247, 1249, 1246, 1, 1},  // Headphone, Treble
    }};
    static constexpr int kSpeakerFlat = 1250;
    static constexpr int kHeadphoneFlat = 1074;

    // Slider range; the level byte is kMaxPosition - position.
    static constexpr int kMinPosition = 3;
    static constexpr int kMaxPosition = 27;

    explicit CTONECONTROLDlg(const PanelContext& context) : PanelDlg(context, kDescriptor) {}

protected:
    void OnInitPanel() override;
    void Refresh() override;
    void ShowThumb(int id, int position) override;
    void OnNotify(int id, win::LParam code) override;
    void OnCommand(int id, unsigned code) override;

private:
    void RefreshControls();
    void UpdateReadouts();
    void SliderReleased(std::size_t band);
    void FrequencyChanged(std::size_t band);
    // Sets both bands of a group (0 speaker, 1 headphone) flat and announces both.
    void Flat(int group);
    void Announce(const Band& band);

    // Per band: the selector index last set (2i) and the slider position last set (2i + 1).
    PanelCache<8> cache_;
};

}  // namespace tra1
