#include "panels/speaker_distance_dlg.h"

#include <algorithm>

#include "model/receiver_image.h"
#include "model/value_names.h"
#include "panels/name_list_items.h"
#include "platform/win/combo_box.h"
#include "platform/win/slider.h"

namespace tra1 {

namespace {

using Dlg = CSPEAKERDISTANCEDlg;

// The slider position of a distance. Entries come from the receiver or a file as any 32-bit
// value: the sum is taken wide and kept far inside int, well away from every real position.
int PositionFor(std::int32_t unit, std::int32_t value) {
    const std::int64_t scaled =
        unit == Dlg::kFeet ? std::int64_t{3} * value : static_cast<std::int64_t>(value);
    constexpr std::int64_t kLimit = std::int64_t{1} << 30;
    return static_cast<int>(std::clamp(Dlg::kInversion - scaled, -kLimit, kLimit));
}

// The distance of a slider position in the unit the selector shows (metres unless feet).
std::int32_t DistanceFor(int unit, int position) {
    const int metres = Dlg::kInversion - position;
    return unit == Dlg::kFeet ? metres / 3 : metres;
}

}  // namespace

win::ComboBox* CSPEAKERDISTANCEDlg::UnitCombo() const {
    return Get<win::ComboBox>(kUnitCombo);
}

bool CSPEAKERDISTANCEDlg::UnitListOpen() const {
    const win::ComboBox* combo = UnitCombo();
    return combo != nullptr && combo->GetDroppedState();
}

void CSPEAKERDISTANCEDlg::OnInitPanel() {
    if (win::ComboBox* combo = UnitCombo()) {
        FillWithNames(*combo, value_names::kDistanceUnit);
    }
    ResetHoldCounter();
    SetRanges();
    for (const Speaker& speaker : kSpeakers) {
        UseReadoutColors({speaker.readout});
    }
}

void CSPEAKERDISTANCEDlg::SetRanges() {
    if (UnitListOpen()) {
        return;
    }
    for (const Speaker& speaker : kSpeakers) {
        if (auto* slider = SliderAt(speaker.slider)) {
            slider->SetRange(kMinPosition, kMaxPosition);
        }
    }
}

void CSPEAKERDISTANCEDlg::Refresh() {
    RefreshSliders();
    UpdateReadouts();
}

void CSPEAKERDISTANCEDlg::RefreshSliders() {
    if (UnitListOpen()) {
        return;
    }
    ShowUnitAndDistances();
}

void CSPEAKERDISTANCEDlg::ShowUnitAndDistances() {
    const std::int32_t unit = Image().SpeakerDistance(speaker_distance::kUnit);
    if (win::ComboBox* combo = UnitCombo(); combo != nullptr && combo->GetCurSel() != unit) {
        // A unit the selector has no item for leaves it without a selection.
        combo->SetCurSel(unit == kMeters || unit == kFeet ? unit : win::CB_ERR);
    }
    if (unit != kMeters && unit != kFeet) {
        return;
    }
    for (std::size_t entry = 0; entry < kCachedEntries; ++entry) {
        cache_[entry] = PositionFor(unit, Image().SpeakerDistance(static_cast<int>(entry)));
    }
    for (const Speaker& speaker : kSpeakers) {
        SetSliderPos(speaker.slider, cache_[static_cast<std::size_t>(speaker.entry)]);
    }
}

void CSPEAKERDISTANCEDlg::UpdateReadouts() {
    const bool feet = Image().SpeakerDistance(speaker_distance::kUnit) == kFeet;
    for (const Speaker& speaker : kSpeakers) {
        const double value = Image().SpeakerDistance(speaker.entry);
        SetReadout(speaker.readout, static_cast<float>(value * (feet ? 0.1 : 0.01)));
    }
}

void CSPEAKERDISTANCEDlg::OnSliderReleased(const Speaker& speaker) {
    const win::ComboBox* combo = UnitCombo();
    if (combo == nullptr || combo->GetDroppedState()) {
        return;
    }
    const int position = SliderPos(speaker.slider);
    int& cached = cache_[static_cast<std::size_t>(speaker.entry)];
    if (position == cached) {
        return;
    }
    Image().SetSpeakerDistance(speaker.entry, DistanceFor(combo->GetCurSel(), position));
    cached = position;
    UpdateReadouts();
    StartHold();
    NotifyChange(kDescriptor.ChangeMessage(), static_cast<win::WParam>(speaker.entry));
}

void CSPEAKERDISTANCEDlg::ChangeUnit(int unit) {
    ReceiverImage& image = Image();
    image.SetSpeakerDistance(speaker_distance::kUnit, unit);
    const std::int32_t distance = unit == kFeet ? kFeetDefault : kMetresDefault;
    for (const Speaker& speaker : kSpeakers) {
        image.SetSpeakerDistance(speaker.entry, distance);
    }
    // The sliders follow even while the selector's list is still open: the user has just picked
    // from it, and the distances it governs have all changed.
    ShowUnitAndDistances();
    UpdateReadouts();
    StartHold();
    for (const int entry : kAnnounceOrder) {
        NotifyChange(kDescriptor.ChangeMessage(), static_cast<win::WParam>(entry));
    }
}

void CSPEAKERDISTANCEDlg::OnNotify(int id, win::LParam code) {
    if (code != win::NM_RELEASEDCAPTURE) {
        return;
    }
    for (const Speaker& speaker : kSpeakers) {
        if (speaker.slider == id) {
            OnSliderReleased(speaker);
            return;
        }
    }
}

void CSPEAKERDISTANCEDlg::OnCommand(int id, unsigned code) {
    if (id == kUnitCombo && code == win::CBN_SELCHANGE) {
        const win::ComboBox* combo = UnitCombo();
        const int unit = combo != nullptr ? combo->GetCurSel() : win::CB_ERR;
        // Choosing the unit the image already holds keeps the distances.
        if ((unit == kMeters || unit == kFeet) &&
            unit != Image().SpeakerDistance(speaker_distance::kUnit)) {
            ChangeUnit(unit);
        }
    } else if (id == kDefaultButton && code == win::BN_CLICKED) {
        // Feet with 10.0 ft everywhere, announced like a unit change so that the receiver gets
        // what the panel shows.
        SetRanges();
        ChangeUnit(kFeet);
    }
}

void CSPEAKERDISTANCEDlg::ShowThumb(int id, int position) {
    const win::ComboBox* combo = UnitCombo();
    if (combo == nullptr) {
        return;
    }
    const bool feet = combo->GetCurSel() == kFeet;
    for (const Speaker& speaker : kSpeakers) {
        if (speaker.slider == id) {
            const double value = DistanceFor(combo->GetCurSel(), position);
            SetReadout(speaker.readout, static_cast<float>(value * (feet ? 0.1 : 0.01)));
        }
    }
}

}  // namespace tra1
