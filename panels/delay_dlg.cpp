#include "panels/delay_dlg.h"

#include "model/receiver_image.h"
#include "platform/win/slider.h"

namespace tra1 {

void CDELAYDlg::OnInitPanel() {
    if (auto* slider = SliderAt(kDelaySlider)) {
        slider->SetRange(0, kMaxDelayMs);
    }
    UseReadoutColors({kDelayReadout});
}

void CDELAYDlg::Refresh() {
    SetInvertedSliderPos(kDelaySlider, Image().AudioDelay.at(0));
    // The slider clamps what it was given; the cache holds what it shows.
    cache_[0] = InvertedSliderValue(kDelaySlider);
    UpdateReadout();
}

void CDELAYDlg::UpdateReadout() {
    SetReadout(kDelayReadout, static_cast<float>(InvertedSliderValue(kDelaySlider)));
}

void CDELAYDlg::StoreSliderDelay() {
    if (StoreUserChange(Image().AudioDelay.at(0), cache_[0], InvertedSliderValue(kDelaySlider),
                        0)) {
        UpdateReadout();
    }
}

void CDELAYDlg::OnNotify(int id, win::LParam code) {
    if (id == kDelaySlider && code == win::NM_RELEASEDCAPTURE) {
        StoreSliderDelay();
    }
}

void CDELAYDlg::OnCommand(int id, unsigned code) {
    if (id != kDefaultButton || code != win::BN_CLICKED) {
        return;
    }
    // "Default" puts the delay back to its start-up value and handles it like a release there,
    // so the slider, the read-out, the image and the receiver agree.
    SetInvertedSliderPos(kDelaySlider, kDefaultDelayMs);
    StoreSliderDelay();
}

void CDELAYDlg::ShowThumb(int /*id*/, int /*position*/) {
    UpdateReadout();  // from the sliders' positions, the moving one's included
}

}  // namespace tra1
