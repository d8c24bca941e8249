#pragma once
// INPUT TRIM: the level trim of each input, one horizontal slider per input (bytes 0..13 of
// InputTrims, 0..24, 12 = 0 dB) with a read-out in dB, (value - 12) / 2. The panel opens at its
// template position (the top left corner of the screen) rather than centred.

#include <array>
#include <cstddef>

#include "link/change_message_router.h"
#include "panels/panel_dlg.h"

namespace tra1 {

class CINPUTTRIMDlg final : public PanelDlg {
public:
    static constexpr PanelDescriptor kDescriptor{.refreshMessage = 0x9016,
                                                 .templateId = 213,
                                                 .caption = "INPUT TRIM",
                                                 .menuId = 220,
                                                 .menuText = "Show INPUT TRIM",
                                                 .buttonId = 1087,
                                                 .buttonLabel = "INPUT TRIM",
                                                 .windowName = "INPUTTRIM",
                                                 .changeMessages = {change_message::kInputTrim},
                                                 .holdCount = 20,
                                                 .placement = PanelPlacement::kTemplate};

    static constexpr std::size_t kTrimCount = 14;
    static constexpr int kMaxTrim = 24;
    static constexpr int kZeroDb = 12;
    // Slider and read-out of InputTrims byte k.
    static constexpr std::array<int, kTrimCount> kSliders{1285, 1286, 1287, 1288, 1289, 1290, 1291,
                                                          1292, 1293, 1294, 1295, 1296, 1297, 1298};
    static constexpr std::array<int, kTrimCount> kReadouts{
        1299, 1224, 1225, 1226, 1227, 1228, 1229, 1230, 1231, 1232, 1233, 1234, 1235, 1236};

    explicit CINPUTTRIMDlg(const PanelContext& context) : PanelDlg(context, kDescriptor) {}

    // The read-out of a trim byte in dB.
    static constexpr float TrimDb(int value) { return static_cast<float>(value - kZeroDb) / 2.0f; }

protected:
    void OnInitPanel() override;
    void Refresh() override;
    void ShowThumb(int id, int position) override;
    void OnNotify(int id, win::LParam code) override;

private:
    void UpdateReadouts();

    PanelCache<kTrimCount> cache_;
};

}  // namespace tra1
