#pragma once
// Speaker Distance: the distance from the listening position to each of eleven speakers
// (SpeakerDistances entries 0 and 2..11) in metres or feet (entry 15), on vertical sliders with
// read-outs below.
//
// In metres an entry holds centimetres, in feet tenths of a foot. Every slider has the range
// 30..2400 and stands inverted so that the longest distance is at the top: metres
// position = 2430 - value, feet position = 2430 - 3 x value (a release drops the remainder of
// the division). The cache holds the position each entry was last set to or released at.
//
// Its refreshes are held whenever the counter runs, in either control mode.

#include <array>
#include <cstddef>
#include <cstdint>

#include "link/change_message_router.h"
#include "panels/panel_dlg.h"

namespace tra1 {

namespace win {
class ComboBox;
}

class CSPEAKERDISTANCEDlg final : public PanelDlg {
public:
    static constexpr PanelDescriptor kDescriptor{
        .refreshMessage = 0x9015,
        .templateId = 200,
        .caption = "Speaker Distance",
        .menuId = 218,
        .menuText = "Show SPEAKER DISTANCE",
        .buttonId = 1085,
        .buttonLabel = "SPEAKER DISTANCE",
        .windowName = "Speaker Distance",
        .changeMessages = {change_message::kSpeakerDistance},
        .holdCount = 40,
        .holdRule = HoldRule::kCounterOnly};

    // One speaker's controls; `entry` is its SpeakerDistances entry and the wParam of its change
    // message.
    struct Speaker {
        const char* label;
        int entry;
        int slider;
        int readout;
    };
    static constexpr std::size_t kSpeakerCount = 11;
    // In entry order.
    static constexpr std::array<Speaker, kSpeakerCount> kSpeakers{{
        {"C", 0, 1069, 1057},
        {"FL", 2, 1254, 1255},
        {"FR", 3, 1068, 1056},
        {"SL", 4, 1070, 1063},
        {"SR", 5, 1071, 1058},
        {"SBL", 6, 1072, 1059},
        {"SBR", 7, 1073, 1060},
        {"PRL", 8, 1074, 1061},
        {"PRR", 9, 1075, 1062},
        {"SWL", 10, 1076, 1065},
        {"SWR", 11, 1077, 1064},
    }};
    // The order in which a unit change announces the entries.
    static constexpr std::array<int, kSpeakerCount> kAnnounceOrder{2, 3, 0, 4,  5, 6,
                                                                   7, 8, 9, 10, 11};

    static constexpr int kUnitCombo = 1116;
    static constexpr int kDefaultButton = 1256;

    static constexpr int kMeters = 0;  // unit entry and combo item
    static constexpr int kFeet = 1;
    static constexpr int kMinPosition = 30;
    static constexpr int kMaxPosition = 2400;
    static constexpr int kInversion = kMinPosition + kMaxPosition;
    // What a unit change puts into every distance: 3.00 m, 10.0 ft.
    static constexpr std::int32_t kMetresDefault = 300;
    static constexpr std::int32_t kFeetDefault = 100;

    explicit CSPEAKERDISTANCEDlg(const PanelContext& context) : PanelDlg(context, kDescriptor) {}

protected:
    void OnInitPanel() override;
    void Refresh() override;
    void ShowThumb(int id, int position) override;
    void OnNotify(int id, win::LParam code) override;
    void OnCommand(int id, unsigned code) override;

private:
    // Entries 0..11: entry 1 has no slider but keeps its cache entry.
    static constexpr std::size_t kCachedEntries = 12;

    win::ComboBox* UnitCombo() const;
    bool UnitListOpen() const;
    void SetRanges();
    // The refresh of the sliders: nothing while the unit list is open.
    void RefreshSliders();
    // Selects the image's unit and, for metres or feet, moves every slider to its entry.
    void ShowUnitAndDistances();
    void UpdateReadouts();
    void OnSliderReleased(const Speaker& speaker);
    // Stores `unit` and puts every distance to that unit's default, shows it, holds and
    // announces every entry.
    void ChangeUnit(int unit);

    PanelCache<kCachedEntries> cache_;
};

}  // namespace tra1
