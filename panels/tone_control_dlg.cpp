#include "panels/tone_control_dlg.h"

#include <array>

#include "model/receiver_image.h"
#include "model/value_names.h"
#include "panels/name_list_items.h"
#include "platform/win/combo_box.h"
#include "platform/win/slider.h"

namespace tra1 {
namespace {

// What FLAT writes: the middle frequency at 0 dB.
constexpr std::uint8_t kFlatSelector = 1;
constexpr std::uint8_t kFlatLevel = 12;

constexpr std::size_t SelectorEntry(std::size_t band) {
    return 2 * band;
}
constexpr std::size_t PositionEntry(std::size_t band) {
    return 2 * band + 1;
}

// The dB value of a slider position.
float Decibels(int position) {
    return static_cast<float>(15 - position) / 2.0f;
}

}  // namespace

void CTONECONTROLDlg::OnInitPanel() {
    for (const Band& band : kBands) {
        if (auto* slider = SliderAt(band.slider)) {
            slider->SetRange(kMinPosition, kMaxPosition);
        }
        if (auto* combo = Get<win::ComboBox>(band.combo)) {
            FillWithNames(*combo, band.band == 0 ? value_names::kToneBassFrequency
                                                 : value_names::kToneTrebleFrequency);
        }
        UseReadoutColors({band.readout});
    }
}

void CTONECONTROLDlg::Refresh() {
    RefreshControls();
    UpdateReadouts();
}

void CTONECONTROLDlg::RefreshControls() {
    const auto& tone = Image().ToneSettings;
    for (std::size_t i = 0; i < kBands.size(); ++i) {
        const Band& band = kBands[i];
        const int selector = tone.at(band.selectorByte);
        if (cache_.Differs(SelectorEntry(i), selector)) {
            // A selector beyond the items leaves the combo without a selection.
            if (auto* combo = Get<win::ComboBox>(band.combo)) {
                combo->SetCurSel(selector);
            }
            cache_[SelectorEntry(i)] = selector;
        }
        const int position = kMaxPosition - tone.at(band.selectorByte + 1);
        if (cache_.Differs(PositionEntry(i), position)) {
            SetSliderPos(band.slider, position);
            cache_[PositionEntry(i)] = position;
        }
    }
}

void CTONECONTROLDlg::UpdateReadouts() {
    for (const Band& band : kBands) {
        SetReadout(band.readout, Decibels(SliderPos(band.slider)));
    }
}

void CTONECONTROLDlg::OnNotify(int id, win::LParam code) {
    if (code != win::NM_RELEASEDCAPTURE) {
        return;
    }
    for (std::size_t i = 0; i < kBands.size(); ++i) {
        if (kBands[i].slider == id) {
            SliderReleased(i);
            return;
        }
    }
}

void CTONECONTROLDlg::OnCommand(int id, unsigned code) {
    if (code == win::BN_CLICKED && id == kSpeakerFlat) {
        Flat(0);
        return;
    }
    if (code == win::BN_CLICKED && id == kHeadphoneFlat) {
        Flat(1);
        return;
    }
    if (code != win::CBN_SELCHANGE) {
        return;
    }
    for (std::size_t i = 0; i < kBands.size(); ++i) {
        if (kBands[i].combo == id) {
            FrequencyChanged(i);
            return;
        }
    }
}

void CTONECONTROLDlg::SliderReleased(std::size_t index) {
    const Band& band = kBands.at(index);
    const int position = SliderPos(band.slider);
    if (!cache_.Differs(PositionEntry(index), position)) {
        return;
    }
    cache_[PositionEntry(index)] = position;
    // The slider's range keeps the stored level within 0..24.
    Image().ToneSettings.at(band.selectorByte + 1) =
        static_cast<std::uint8_t>(kMaxPosition - position);
    SetReadout(band.readout, Decibels(position));
    Announce(band);
}

void CTONECONTROLDlg::FrequencyChanged(std::size_t index) {
    const Band& band = kBands.at(index);
    const auto* combo = Get<win::ComboBox>(band.combo);
    if (combo == nullptr || combo->GetCurSel() == win::CB_ERR) {
        return;
    }
    const int selector = combo->GetCurSel();
    if (!cache_.Differs(SelectorEntry(index), selector)) {
        return;
    }
    cache_[SelectorEntry(index)] = selector;
    Image().ToneSettings.at(band.selectorByte) = static_cast<std::uint8_t>(selector);
    Announce(band);
}

void CTONECONTROLDlg::Flat(int group) {
    auto& tone = Image().ToneSettings;
    for (const Band& band : kBands) {
        if (band.group == group) {
            tone.at(band.selectorByte) = kFlatSelector;
            tone.at(band.selectorByte + 1) = kFlatLevel;
        }
    }
    RefreshControls();
    UpdateReadouts();
    // Both bands are announced even when they were flat already.
    for (const Band& band : kBands) {
        if (band.group == group) {
            Announce(band);
        }
    }
}

void CTONECONTROLDlg::Announce(const Band& band) {
    NotifyChange(kDescriptor.ChangeMessage(), static_cast<win::WParam>(band.group),
                 static_cast<win::LParam>(band.band));
}

void CTONECONTROLDlg::ShowThumb(int /*id*/, int /*position*/) {
    UpdateReadouts();  // from the sliders' positions, the moving one's included
}

}  // namespace tra1
