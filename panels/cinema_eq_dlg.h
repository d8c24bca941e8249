#pragma once
// CINEMA EQ panel (dialog 198): the four small parametric equalisers of EqSettings bytes
// 132..151, one record of five bytes per speaker group (on/off, HIGH frequency, HIGH gain, PEQ
// frequency, PEQ gain). Each group has an OFF/ON switch and two bands of frequency combo, gain
// slider (0..24, not inverted) and dB read-out. A change is sent to the main window as 0xA108
// (record number) and the panel goes on only once it has been handled, so in realtime mode the
// record is on its way to the receiver when the handler returns. Refreshes are never held.

#include <array>
#include <cstddef>

#include "link/change_message_router.h"
#include "model/receiver_image.h"
#include "panels/panel_dlg.h"

namespace tra1 {

class CCINEMAEQDlg final : public PanelDlg {
public:
    static constexpr PanelDescriptor kDescriptor{.refreshMessage = 0x9014,
                                                 .templateId = 198,
                                                 .caption = "CINEMA EQ",
                                                 .menuId = 214,
                                                 .menuText = "Show CINEMA EQ",
                                                 .buttonId = 1077,
                                                 .buttonLabel = "CINEMA EQ",
                                                 .windowName = "Cienma EQ",
                                                 .changeMessages = {change_message::kCinemaEq},
                                                 .holdCount = 0,
                                                 .delivery = ChangeDelivery::kSent};

    // One speaker group as the panel shows it, and the record (wParam of 0xA108) it edits.
    struct Group {
        std::size_t record;
        int onOff;
        int peqFrequency;
        int peqGain;
        int peqReadout;
        int highFrequency;
        int highGain;
        int highReadout;
    };
    // Top to bottom: "Front / Center", "Surround", "Surround Back", "Presence".
    static constexpr std::array<Group, 4> kGroups{{
        {eq_layout::kCinemaFrontCenter, 1268, 1116, 1269, 1280, 1120, 1276, 1284},
        {eq_layout::kCinemaSurround, 1270, 1117, 1271, 1281, 1121, 1277, 1285},
        {eq_layout::kCinemaSurroundBack, 1272, 1118, 1273, 1282, 1122, 1278, 1286},
        {eq_layout::kCinemaPresence, 1274, 1119, 1275, 1283, 1123, 1279, 1287},
    }};

    static constexpr int kMaxGain = 24;

    explicit CCINEMAEQDlg(const PanelContext& context) : PanelDlg(context, kDescriptor) {}

protected:
    void OnInitPanel() override;
    void Refresh() override;
    void ShowThumb(int id, int position) override;
    void OnNotify(int id, win::LParam code) override;
    void OnCommand(int id, unsigned code) override;

private:
    enum class Kind { kSwitch, kFrequency, kGain };
    // A control of the panel: its group and the record byte it shows.
    struct Binding {
        const Group* group = nullptr;
        std::size_t field = 0;  // 0..4 within the record
        Kind kind = Kind::kSwitch;
    };
    static Binding Find(int id);

    void UpdateReadouts();
    // Stores a user's value of one control and announces the record.
    void UserChange(const Binding& binding, int value);

    // One entry per record byte, indexed like EqSettings from byte 132.
    PanelCache<20> cache_;
};

}  // namespace tra1
