#include "panels/input_trim_dlg.h"

#include "model/receiver_image.h"
#include "platform/win/control.h"
#include "platform/win/slider.h"

namespace tra1 {

void CINPUTTRIMDlg::OnInitPanel() {
    for (const int id : kSliders) {
        if (auto* slider = SliderAt(id)) {
            slider->SetRange(0, kMaxTrim);
        }
    }
    for (const int id : kReadouts) {
        if (win::Control* readout = GetDlgItem(id)) {
            readout->UseReadoutColors();
        }
    }
}

void CINPUTTRIMDlg::Refresh() {
    // Every slider is set each time; one outside 0..24 stands at the nearer end while the cache
    // keeps the byte, so releasing it there stores a valid trim again.
    for (std::size_t k = 0; k < kTrimCount; ++k) {
        const int value = Image().InputTrims.at(k);
        SetSliderPos(kSliders.at(k), value);
        cache_[k] = value;
    }
    UpdateReadouts();
}

void CINPUTTRIMDlg::UpdateReadouts() {
    for (std::size_t k = 0; k < kTrimCount; ++k) {
        SetReadout(kReadouts.at(k), TrimDb(Image().InputTrims.at(k)));
    }
}

void CINPUTTRIMDlg::OnNotify(int id, win::LParam code) {
    if (code != win::NM_RELEASEDCAPTURE) {
        return;
    }
    for (std::size_t k = 0; k < kTrimCount; ++k) {
        if (kSliders.at(k) == id) {
            if (StoreUserChange(Image().InputTrims.at(k), cache_[k], SliderPos(id), k)) {
                UpdateReadouts();
            }
            return;
        }
    }
}

void CINPUTTRIMDlg::ShowThumb(int id, int position) {
    for (std::size_t k = 0; k < kTrimCount; ++k) {
        if (kSliders.at(k) == id) {
            SetReadout(kReadouts.at(k), TrimDb(position));
        }
    }
}

}  // namespace tra1
