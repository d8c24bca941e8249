#include "panels/dc_trigger_dlg.h"

#include <string_view>

#include "model/value_names.h"
#include "panels/name_list_items.h"
#include "platform/win/combo_box.h"
#include "platform/win/event_loop.h"
#include "platform/win/slider.h"

namespace tra1 {

namespace {

using Dlg = CDCTRIGGERDlg;

// The first block byte of each shown zone row.
constexpr std::array<std::size_t, Dlg::kZoneCount> kZoneRow{dc_trigger::kZone1Row,
                                                            dc_trigger::kZone2Row};
// lParam of a switch change: input + 1, with this added for the zone.
constexpr std::array<win::LParam, Dlg::kZoneCount> kZoneFlag{0, 0x80};
constexpr win::LParam kMultiFlag = 0x800;

std::size_t ZoneByte(int zone, int input) {
    return kZoneRow.at(static_cast<std::size_t>(zone)) + static_cast<std::size_t>(input);
}

}  // namespace

ImageBytes<50>& CDCTRIGGERDlg::Block(int side) const {
    return side == 0 ? Image().DcTrigger1 : Image().DcTrigger2;
}

void CDCTRIGGERDlg::OnInitPanel() {
    for (int side = 0; side < kSideCount; ++side) {
        for (const auto& column : kSwitches.at(static_cast<std::size_t>(side))) {
            for (const int id : column) {
                if (auto* slider = SliderAt(id)) {
                    slider->SetRange(0, 1);
                }
            }
        }
        if (auto* slider = SliderAt(kMultiSwitch.at(static_cast<std::size_t>(side)))) {
            slider->SetRange(0, 1);
        }
        if (auto* combo = Get<win::ComboBox>(kModeCombo.at(static_cast<std::size_t>(side)))) {
            FillWithNames(*combo, value_names::kDcTriggerMode);
        }
    }
}

void CDCTRIGGERDlg::Refresh() {
    for (int side = 0; side < kSideCount; ++side) {
        const auto s = static_cast<std::size_t>(side);
        const auto& block = Block(side);
        for (int zone = 0; zone < kZoneCount; ++zone) {
            for (int input = 0; input < kInputCount; ++input) {
                const std::uint8_t value = block.at(ZoneByte(zone, input));
                cache_[SwitchCache(side, zone, input)] = value;
                SetSliderPos(kSwitches.at(s)
                                 .at(static_cast<std::size_t>(zone))
                                 .at(static_cast<std::size_t>(input)),
                             value);
            }
        }
        if (auto* combo = Get<win::ComboBox>(kModeCombo.at(s))) {
            const int mode = block.at(dc_trigger::kMode);
            if (combo->GetCurSel() != mode && !combo->GetDroppedState()) {
                combo->SetCurSel(mode);
            }
            // A mode the selector has no item for shows its first item.
            if (combo->GetCurSel() == win::CB_ERR) {
                combo->SetCurSel(0);
            }
        }
        cache_[MultiCache(side)] = block.at(dc_trigger::kMultiChannel);
        SetSliderPos(kMultiSwitch.at(s), block.at(dc_trigger::kMultiChannel));
    }
}

void CDCTRIGGERDlg::OnNotify(int id, win::LParam code) {
    if (code != win::NM_RELEASEDCAPTURE) {
        return;
    }
    const int value = SliderPos(id);
    for (int side = 0; side < kSideCount; ++side) {
        const auto s = static_cast<std::size_t>(side);
        auto& block = Block(side);
        if (id == kMultiSwitch.at(s)) {
            StoreUserChange(block.at(dc_trigger::kMultiChannel), cache_[MultiCache(side)], value, s,
                            kMultiFlag + value);
            return;
        }
        for (int zone = 0; zone < kZoneCount; ++zone) {
            const auto& column = kSwitches.at(s).at(static_cast<std::size_t>(zone));
            for (int input = 0; input < kInputCount; ++input) {
                if (column.at(static_cast<std::size_t>(input)) != id) {
                    continue;
                }
                StoreUserChange(block.at(ZoneByte(zone, input)),
                                cache_[SwitchCache(side, zone, input)], value, s,
                                kZoneFlag.at(static_cast<std::size_t>(zone)) + input + 1);
                return;
            }
        }
    }
}

void CDCTRIGGERDlg::OnCommand(int id, unsigned code) {
    for (int side = 0; side < kSideCount; ++side) {
        const auto s = static_cast<std::size_t>(side);
        if (id == kModeCombo.at(s) && code == win::CBN_SELCHANGE) {
            const auto* combo = Get<win::ComboBox>(id);
            const int index = combo != nullptr ? combo->GetCurSel() : win::CB_ERR;
            if (index == win::CB_ERR) {
                return;
            }
            // The mode has no cache: the image byte is what the choice is compared with.
            auto& mode = Block(side).at(dc_trigger::kMode);
            int current = mode;
            StoreUserChange(mode, current, index, s, 0);
            return;
        }
        if (code == win::BN_CLICKED && id == kAllHighButton.at(s)) {
            SetAll(side, 1);
            return;
        }
        if (code == win::BN_CLICKED && id == kAllLowButton.at(s)) {
            SetAll(side, 0);
            return;
        }
    }
}

void CDCTRIGGERDlg::SetAll(int side, int value) {
    // Every switch of the side, each stored and announced like a release there when it moves.
    const auto s = static_cast<std::size_t>(side);
    auto& block = Block(side);
    for (int input = 0; input < kInputCount; ++input) {
        for (int zone = 0; zone < kZoneCount; ++zone) {
            SetSliderPos(kSwitches.at(s)
                             .at(static_cast<std::size_t>(zone))
                             .at(static_cast<std::size_t>(input)),
                         value);
            StoreUserChange(block.at(ZoneByte(zone, input)), cache_[SwitchCache(side, zone, input)],
                            value, s, kZoneFlag.at(static_cast<std::size_t>(zone)) + input + 1);
            // Switch by switch with a short pause, so the column visibly runs through; the
            // panel does not respond meanwhile (about a second for a side).
            Context().loop.Pause(kAllSwitchPauseMs);
        }
    }
    SetSliderPos(kMultiSwitch.at(s), value);
    StoreUserChange(block.at(dc_trigger::kMultiChannel), cache_[MultiCache(side)], value, s,
                    kMultiFlag + value);
}

}  // namespace tra1
