#include "panels/eq_control_dlg.h"

#include <algorithm>
#include <array>

#include "model/receiver_image.h"
#include "platform/win/combo_box.h"
#include "platform/win/slider.h"

namespace tra1 {
namespace {

constexpr std::array<const char*, 9> kChannelItems{
    "Center",          "Front L",         "Front R",    "Surround L", "Surround R",
    "Surround Back L", "Surround Back R", "Presence L", "Presence R",
};

constexpr std::size_t kRecordSize = eq_layout::kBandsPerChannel;
// FLAT covers the ten channel records and the two option bytes, not the CINEMA EQ records.
constexpr std::size_t kFlatEnd = eq_layout::kCinemaEq;
// The channel record that no item of the channel selector shows.
constexpr std::size_t kUnshownRecord = 1;

constexpr std::size_t Entry(int record, std::size_t offset) {
    return static_cast<std::size_t>(record) * kRecordSize + offset;
}

float Decibels(int position) {
    return static_cast<float>(15 - position) / 2.0f;
}

}  // namespace

void CEQCONTROLDlg::OnInitPanel() {
    if (auto* combo = Get<win::ComboBox>(kChannelCombo)) {
        if (combo->GetCount() == 0) {
            for (const char* item : kChannelItems) {
                combo->AddString(item);
            }
        }
        combo->SetCurSel(0);
    }
    for (std::size_t i = 0; i < cache_.size(); ++i) {
        cache_[i] = eq_layout::kFlatBand;
    }
    for (const Band& band : kBands) {
        if (auto* slider = SliderAt(band.slider)) {
            slider->SetRange(kMinPosition, kMaxPosition);
        }
        UseReadoutColors({band.readout});
    }
    ResetHoldCounter();
}

void CEQCONTROLDlg::Refresh() {
    const auto* combo = Get<win::ComboBox>(kChannelCombo);
    if (combo == nullptr || combo->GetDroppedState()) {
        return;
    }
    LoadSelectedChannel();
}

void CEQCONTROLDlg::LoadSelectedChannel() {
    const auto* combo = Get<win::ComboBox>(kChannelCombo);
    const int record = combo != nullptr ? ChannelRecord(combo->GetCurSel()) : -1;
    if (record < 0) {
        return;
    }
    const auto& eq = Image().EqSettings;
    for (const Band& band : kBands) {
        const int position = kMaxPosition - eq.at(Entry(record, band.offset));
        cache_[Entry(record, band.offset)] = position;
        SetSliderPos(band.slider, position);
        // The slider's own position: a byte outside 0..24 shows where the thumb stands, not a
        // level beyond the scale.
        SetReadout(band.readout, Decibels(SliderPos(band.slider)));
    }
}

void CEQCONTROLDlg::OnNotify(int id, win::LParam code) {
    if (code != win::NM_RELEASEDCAPTURE) {
        return;
    }
    const auto it =
        std::find_if(kBands.begin(), kBands.end(), [id](const Band& b) { return b.slider == id; });
    if (it != kBands.end()) {
        BandReleased(*it);
    }
}

void CEQCONTROLDlg::OnCommand(int id, unsigned code) {
    if (id == kChannelCombo && code == win::CBN_SELCHANGE) {
        // A pick from the open list arrives before the list closes: load the new channel all the
        // same, or the sliders would go on showing the old one.
        LoadSelectedChannel();
    } else if (id == kFlatButton && code == win::BN_CLICKED) {
        Flat();
    }
}

void CEQCONTROLDlg::BandReleased(const Band& band) {
    const auto* combo = Get<win::ComboBox>(kChannelCombo);
    const int record = combo != nullptr ? ChannelRecord(combo->GetCurSel()) : -1;
    if (record < 0) {
        return;
    }
    const int position = SliderPos(band.slider);
    SetReadout(band.readout, Decibels(position));
    const std::size_t entry = Entry(record, band.offset);
    if (!cache_.Differs(entry, position)) {
        return;
    }
    // The slider's range keeps the stored band within 0..24.
    Image().EqSettings.at(entry) = static_cast<std::uint8_t>(kMaxPosition - position);
    cache_[entry] = position;
    StartHold();
    NotifyChange(kDescriptor.ChangeMessage(), static_cast<win::WParam>(record),
                 static_cast<win::LParam>(band.offset));
}

void CEQCONTROLDlg::Flat() {
    // Every band of the ten channel records and the two option bytes to 0 dB, each band that
    // changes announced like a release there, so that the receiver gets what the panel shows.
    // Record 1, which no channel item shows, has no change message: it waits for a download.
    auto& eq = Image().EqSettings;
    for (std::size_t offset = 0; offset < kFlatEnd; ++offset) {
        if (eq.at(offset) == eq_layout::kFlatBand) {
            continue;
        }
        eq.at(offset) = eq_layout::kFlatBand;
        StartHold();
        if (offset >= eq_layout::kGraphicEqEnd) {
            NotifyChange(change_message::kGraphicEqOption,
                         static_cast<win::WParam>(offset - eq_layout::kOption1));
            continue;
        }
        const std::size_t record = offset / kRecordSize;
        if (record != kUnshownRecord) {
            NotifyChange(kDescriptor.ChangeMessage(), static_cast<win::WParam>(record),
                         static_cast<win::LParam>(offset % kRecordSize));
        }
    }
    LoadSelectedChannel();
}

void CEQCONTROLDlg::ShowThumb(int id, int position) {
    for (const Band& band : kBands) {
        if (band.slider == id) {
            SetReadout(band.readout, Decibels(position));
        }
    }
}

}  // namespace tra1
